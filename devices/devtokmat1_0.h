// Device model of the Tokmat token and change machine ("Tokmat").
#pragma once
#include "devices/fixedlayoutmodel.h"

class DevTokmat1_0 : public FixedLayoutModel
{
    Q_OBJECT
public:
    explicit DevTokmat1_0(QObject *parent = nullptr);

    // Hardware 0x100, 0x101, 0x102, 0x200, 0x201 or 0x300 with family 0x0100 and firmware
    // 0x0300. An accepted board's hardware word becomes the model's: it decides the banknote
    // options, the floats and the change coin's range.
    bool accepts(quint16 w0, quint16 w1, quint16 w2) const override;
};
