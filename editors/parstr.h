// Editor of a plain text parameter (dynamic device).
#pragma once
#include "editors/par.h"
#include "registry/cfgkinds.h"

class QLineEdit;

class ParStr : public Par
{
    Q_OBJECT
public:
    ParStr(QWidget *parent, CfgParString *par);

    void refresh() override;

public Q_SLOTS:
    void textChanged();

private:
    CfgParString *m_par;
    QLineEdit *m_edit;
};
