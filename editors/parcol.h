// Editor of one colour parameter, an RGB565 word (dynamic device).
#pragma once
#include "editors/par.h"
#include "registry/cfgkinds.h"

class QtColorPicker;

class ParCol : public Par
{
    Q_OBJECT
public:
    ParCol(QWidget *parent, CfgParColour *par);

    void refresh() override;

public Q_SLOTS:
    void colChange(const QColor &c);

private:
    CfgParColour *m_par;
    QtColorPicker *m_col;
};
