// Slider editor of a signed 16-bit value of a fixed-layout configuration image.
#pragma once
#include "editors/par.h"
#include "editors/sliderrow.h"

class ParSlider2s : public Par
{
    Q_OBJECT
public:
    // Range min..max (signed 16-bit); def is not used (no erased check). flags as in ParSlider2.
    ParSlider2s(QWidget *parent, qint16 *value, const void *base, int min, int max, int def, int flags);

    void refresh() override;

public Q_SLOTS:
    void setValue(int v);

private:
    qint16 *m_value;
    quint32 m_key;
    SliderRow m_row;
};
