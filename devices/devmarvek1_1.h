// Device model of the first-generation Marvek controller ("Marvek").
#pragma once
#include "devices/fixedlayoutmodel.h"

class DevMarvek1_1 : public FixedLayoutModel
{
    Q_OBJECT
public:
    explicit DevMarvek1_1(QObject *parent = nullptr);

    // Hardware 0x101 to 0x103, family 0x0100, firmware 0x200 to 0x202. An accepted board's
    // hardware word becomes the model's: it decides the start credit and the signed delays.
    bool accepts(quint16 w0, quint16 w1, quint16 w2) const override;
};
