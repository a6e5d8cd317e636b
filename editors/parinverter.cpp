#include "editors/parinverter.h"
#include "editors/protectedslider.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

ParInverter::ParInverter(QWidget *parent, ParModel *model, quint32 key)
    : Par(parent, model), m_key(key)
{
    nameIfUnnamed("ParInverter");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel *title = makeTitleLabel(this, layout);
    m_row = SliderRow::build(this, layout);
    m_enable = new QPushButton(tr("ON"), this);
    m_enable->setCheckable(true);
    m_enable->setObjectName(QStringLiteral("Sqr"));
    m_row.layout->insertWidget(0, m_enable);
    m_row.setRange(0, 100);
    refresh();
    m_row.connectSteps();
    connect(m_row.slider, &QSlider::valueChanged, this, &ParInverter::setValue);
    connect(m_row.spin, qOverload<int>(&QSpinBox::valueChanged), this, &ParInverter::setValue);
    connect(m_enable, &QPushButton::toggled, this, &ParInverter::setInvEnable);
    if (compactParent(parent)) {
        title->hide();
        m_row.makeCompact();
    } else {
        fillTitle(title, m_key);
    }
}

void ParInverter::setValue(int v)
{
    const quint8 now = byte(m_key);
    if (v == (now & 0x7f))
        return;
    m_row.show(v);
    sendByte(m_key, quint8((now & 0x80) | (v & 0x7f)));
}

void ParInverter::setInvEnable(bool e)
{
    const quint8 now = byte(m_key);
    if (e == bool(now & 0x80))
        return;
    sendByte(m_key, e ? quint8(now | 0x80) : quint8(now & 0x7f));
}

void ParInverter::refresh()
{
    const quint8 now = byte(m_key);
    m_row.show(now & 0x7f);
    const QSignalBlocker block(m_enable);
    m_enable->setChecked(now & 0x80);
}
