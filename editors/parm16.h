// Editor of a 16-bit mask parameter (dynamic device): buttons per bit or a drop-down.
#pragma once
#include "editors/parmask.h"
#include "registry/cfgkinds.h"

class ParM16 : public ParMask
{
    Q_OBJECT
public:
    ParM16(QWidget *parent, CfgParM16 *par);

protected:
    quint32 maskValue() const override { return m_par->value(); }
    void setMaskValue(quint32 v) override { m_par->setValue(quint16(v)); }

private:
    CfgParM16 *m_par;
};
