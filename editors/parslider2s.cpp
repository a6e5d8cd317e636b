#include "editors/parslider2s.h"
#include "editors/protectedslider.h"
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

ParSlider2s::ParSlider2s(QWidget *parent, qint16 *value, const void *base, int min, int max, int,
                         int flags)
    : Par(parent), m_value(value), m_key(memKey(value, base, quint32(flags)))
{
    nameIfUnnamed("ParSlider2");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel *title = makeTitleLabel(this, layout);
    m_row = SliderRow::build(this, layout);
    if (flags)
        markNvmem(title);
    m_row.setRange(qint16(min), qint16(max));
    m_row.show(load16s(m_value));
    m_row.connectSteps();
    connect(m_row.slider, &QSlider::valueChanged, this, &ParSlider2s::setValue);
    connect(m_row.spin, qOverload<int>(&QSpinBox::valueChanged), this, &ParSlider2s::setValue);
    if (compactParent(parent)) {
        title->hide();
        m_row.makeCompact();
    } else {
        fillTitle(title, m_key);
    }
}

void ParSlider2s::setValue(int v)
{
    if (v == load16s(m_value))
        return;
    store16(m_value, quint16(qint16(v)));
    m_row.show(v);
    notifyChange(m_key, 2);
}

void ParSlider2s::refresh() { m_row.show(load16s(m_value)); }
