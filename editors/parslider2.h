// Slider editor of an unsigned 16- or 8-bit value of a fixed-layout configuration image.
#pragma once
#include "editors/par.h"
#include "editors/sliderrow.h"

class QLabel;

class ParSlider2 : public Par
{
    Q_OBJECT
public:
    // The value of size bytes (2 or 1) named key in model; range min..max (each cut to the
    // value's width). A key with Par::NvFlag marks the title as NV.
    ParSlider2(QWidget *parent, ParModel *model, quint32 key, int size, int min, int max);

    void refresh() override;

public Q_SLOTS:
    void setValue(int v);

private:
    int stored() const;

    quint32 m_key = 0;
    bool m_wide = true;
    SliderRow m_row;
};
