// Device model of the third-generation Marvek controller ("Marvek Totalizer").
#pragma once
#include "devices/fixedlayoutmodel.h"

class DevMarvek3_0 : public FixedLayoutModel
{
    Q_OBJECT
public:
    explicit DevMarvek3_0(QObject *parent = nullptr);

    // Hardware 0x300 to 0x304, family 0x0100, firmware 0x00C9 to 0x0202. An accepted board's
    // hardware word becomes the model's: it decides the costs and the credit flags.
    bool accepts(quint16 w0, quint16 w1, quint16 w2) const override;
};
