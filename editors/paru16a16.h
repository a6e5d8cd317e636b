// Sixteen vertical sliders with spin boxes for an array of 16-bit numbers (dynamic device).
#pragma once
#include "editors/par.h"
#include "registry/cfgkinds.h"

class QSlider;
class QSpinBox;

class ParU16A16 : public Par
{
    Q_OBJECT
public:
    ParU16A16(QWidget *parent, CfgParValArr16 *par);

    void refresh() override;

public Q_SLOTS:
    void setValue(int v);

private:
    void show(int i, int v);

    static constexpr int Rows = CfgParValArr16::count;
    CfgParValArr16 *m_par;
    QSlider *m_sliders[Rows] = {};
    QSpinBox *m_spins[Rows] = {};
};
