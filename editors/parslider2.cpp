#include "editors/parslider2.h"
#include "editors/protectedslider.h"
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

ParSlider2::ParSlider2(QWidget *parent, quint16 *value, const void *base, int min, int max, int def,
                       int flags)
    : Par(parent), m_v16(value)
{
    setErasedDefault16(value, quint16(def));
    build(parent, value, base, quint16(min), quint16(max), flags);
}

ParSlider2::ParSlider2(QWidget *parent, quint8 *value, const void *base, int min, int max, int def,
                       int flags)
    : Par(parent), m_v8(value)
{
    setErasedDefault8(value, quint8(def));
    build(parent, value, base, quint8(min), quint8(max), flags);
}

void ParSlider2::build(QWidget *parent, const void *value, const void *base, int min, int max, int flags)
{
    nameIfUnnamed("ParSlider2");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_title = makeTitleLabel(this, layout);
    m_row = SliderRow::build(this, layout);
    m_key = memKey(value, base, quint32(flags));
    if (flags)
        markNvmem(m_title);
    m_row.setRange(min, max);
    m_row.show(stored());
    m_row.connectSteps();
    connect(m_row.slider, &QSlider::valueChanged, this, &ParSlider2::setValue);
    connect(m_row.spin, qOverload<int>(&QSpinBox::valueChanged), this, &ParSlider2::setValue);
    if (compactParent(parent)) {
        m_title->hide();
        m_row.makeCompact();
    } else {
        fillTitle(m_title, m_key);
    }
}

int ParSlider2::stored() const { return m_v16 ? load16(m_v16) : *m_v8; }

void ParSlider2::setValue(int v)
{
    if (v == stored())
        return;
    if (m_v16)
        store16(m_v16, quint16(v));
    else
        *m_v8 = quint8(v);
    m_row.show(v);
    notifyChange(m_key, m_v16 ? 2 : 1);
}

void ParSlider2::refresh() { m_row.show(stored()); }
