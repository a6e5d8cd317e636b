// Slider editor of a 16-bit number parameter with limits (dynamic device).
#pragma once
#include "editors/par.h"
#include "editors/sliderrow.h"
#include "registry/cfgkinds.h"

class ParU16 : public Par
{
    Q_OBJECT
public:
    ParU16(QWidget *parent, CfgParN16 *par);

    void refresh() override;

public Q_SLOTS:
    void setValue(int v);

private:
    CfgParN16 *m_par;
    SliderRow m_row;
};
