// Editor of a background parameter: mode word and two colour words (dynamic device).
#pragma once
#include "editors/colorform.h"
#include "editors/par.h"
#include "registry/cfgkinds.h"

class ParBgr : public Par
{
    Q_OBJECT
public:
    // The allowed modes come from the model's "BgrModes" attribute of the UID.
    ParBgr(QWidget *parent, CfgParArr3 *par);

    void refresh() override;

public Q_SLOTS:
    void modeChange();
    void col0Change(const QColor &c);
    void col1Change(const QColor &c);

private:
    CfgParArr3 *m_par;
    BackgroundRow m_row;
};
