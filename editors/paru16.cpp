#include "editors/paru16.h"
#include "editors/protectedslider.h"
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

ParU16::ParU16(QWidget *parent, CfgParN16 *par) : Par(parent), m_par(par)
{
    nameIfUnnamed("ParU16");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel *title = makeTitleLabel(this, layout);
    m_row = SliderRow::build(this, layout);
    m_row.setRange(m_par->min(), m_par->max());
    refresh();
    m_row.connectSteps();
    connect(m_row.slider, &QSlider::valueChanged, this, &ParU16::setValue);
    connect(m_row.spin, qOverload<int>(&QSpinBox::valueChanged), this, &ParU16::setValue);
    fillTitle(title, m_par->uid());
    hideForUid(m_par->uid());
}

void ParU16::setValue(int v)
{
    if (v == m_par->value())
        return;
    const QByteArray before = record(m_par->uid());
    m_par->setValue(quint16(v));
    m_row.show(v);
    notifyChange(m_par->uid(), before);
}

void ParU16::refresh() { m_row.show(m_par->value()); }
