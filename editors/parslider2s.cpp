#include "editors/parslider2s.h"
#include "editors/protectedslider.h"
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

ParSlider2s::ParSlider2s(QWidget *parent, ParModel *model, quint32 key, int min, int max)
    : Par(parent, model), m_key(key)
{
    nameIfUnnamed("ParSlider2");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel *title = makeTitleLabel(this, layout);
    m_row = SliderRow::build(this, layout);
    if (key & NvFlag)
        markNvmem(title);
    m_row.setRange(qint16(min), qint16(max));
    m_row.show(stored());
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
    if (v == stored())
        return;
    m_row.show(v);
    sendWord(m_key, quint16(qint16(v)));
}

void ParSlider2s::refresh() { m_row.show(stored()); }
