#include "editors/parinverter.h"
#include "editors/protectedslider.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

ParInverter::ParInverter(QWidget *parent, quint8 *value, const void *base)
    : Par(parent), m_value(value), m_key(memKey(value, base))
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
    if (v == (*m_value & 0x7f))
        return;
    *m_value = quint8((*m_value & 0x80) | (v & 0x7f));
    m_row.show(v);
    notifyChange(m_key, 1);
}

void ParInverter::setInvEnable(bool e)
{
    const bool on = *m_value & 0x80;
    if (e == on)
        return;
    *m_value = e ? quint8(*m_value | 0x80) : quint8(*m_value & 0x7f);
    notifyChange(m_key, 1);
}

void ParInverter::refresh()
{
    m_row.show(*m_value & 0x7f);
    const QSignalBlocker block(m_enable);
    m_enable->setChecked(*m_value & 0x80);
}
