#include "editors/parslider2.h"
#include "editors/protectedslider.h"
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

ParSlider2::ParSlider2(QWidget *parent, ParModel *model, quint32 key, int size, int min, int max)
    : Par(parent, model), m_key(key), m_wide(size != 1)
{
    nameIfUnnamed("ParSlider2");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel *title = makeTitleLabel(this, layout);
    m_row = SliderRow::build(this, layout);
    if (key & NvFlag)
        markNvmem(title);
    if (m_wide)
        m_row.setRange(quint16(min), quint16(max));
    else
        m_row.setRange(quint8(min), quint8(max));
    m_row.show(stored());
    m_row.connectSteps();
    connect(m_row.slider, &QSlider::valueChanged, this, &ParSlider2::setValue);
    connect(m_row.spin, qOverload<int>(&QSpinBox::valueChanged), this, &ParSlider2::setValue);
    if (compactParent(parent)) {
        title->hide();
        m_row.makeCompact();
    } else {
        fillTitle(title, m_key);
    }
}

int ParSlider2::stored() const { return m_wide ? word(m_key) : byte(m_key); }

void ParSlider2::setValue(int v)
{
    if (v == stored())
        return;
    m_row.show(v);
    if (m_wide)
        sendWord(m_key, quint16(v));
    else
        sendByte(m_key, quint8(v));
}

void ParSlider2::refresh() { m_row.show(stored()); }
