// Editor of a 32-bit mask parameter (dynamic device): buttons per bit, a drop-down, or
// hexadecimal and decimal entry fields ("MaskOrder" 3).
#pragma once
#include "editors/parmask.h"
#include "registry/cfgkinds.h"

class QLineEdit;

class ParM32 : public ParMask
{
    Q_OBJECT
public:
    ParM32(QWidget *parent, CfgParM32 *par);

    void refresh() override;

public Q_SLOTS:
    void hexChanged();
    void decChanged();

protected:
    quint32 maskValue() const override { return m_par->value(); }
    void setMaskValue(quint32 v) override { m_par->setValue(v); }

private:
    void numberEntered(QLineEdit *from, int base, QLineEdit *other);

    CfgParM32 *m_par;
    QLineEdit *m_hex = nullptr;
    QLineEdit *m_dec = nullptr;
};
