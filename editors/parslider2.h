// Slider editor of an unsigned 16- or 8-bit value of a fixed-layout configuration image.
#pragma once
#include "editors/par.h"
#include "editors/sliderrow.h"

class QLabel;

class ParSlider2 : public Par
{
    Q_OBJECT
public:
    // 16-bit value: an erased 0xffff becomes def; range min..max (each cut to 16 bits).
    // flags (0 or Par::NvFlag) is OR-ed into the key; non-zero marks the title as NV.
    ParSlider2(QWidget *parent, quint16 *value, const void *base, int min, int max, int def, int flags);
    // 8-bit value: an erased 0xff becomes def's low byte; range cut to 8 bits.
    ParSlider2(QWidget *parent, quint8 *value, const void *base, int min, int max, int def, int flags);

    void refresh() override;

public Q_SLOTS:
    void setValue(int v);

private:
    void build(QWidget *parent, const void *value, const void *base, int min, int max, int flags);
    int stored() const;

    quint16 *m_v16 = nullptr;
    quint8 *m_v8 = nullptr;
    quint32 m_key = 0;
    QLabel *m_title = nullptr;
    SliderRow m_row;
};
