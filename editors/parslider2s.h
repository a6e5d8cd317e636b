// Slider editor of a signed 16-bit value of a fixed-layout configuration image.
#pragma once
#include "editors/par.h"
#include "editors/sliderrow.h"

class ParSlider2s : public Par
{
    Q_OBJECT
public:
    // The word named key in model; range min..max (signed 16-bit). An erased value is kept.
    ParSlider2s(QWidget *parent, ParModel *model, quint32 key, int min, int max);

    void refresh() override;

public Q_SLOTS:
    void setValue(int v);

private:
    int stored() const { return qint16(word(m_key)); }

    quint32 m_key;
    SliderRow m_row;
};
