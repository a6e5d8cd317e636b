// Device model of the second-generation Marvek controller ("Marvek ccTalk").
#pragma once
#include "devices/fixedlayoutmodel.h"

class DevMarvek2_0 : public FixedLayoutModel
{
    Q_OBJECT
public:
    explicit DevMarvek2_0(QObject *parent = nullptr);

    // Hardware 0x200, 0x201 or 0x242, family 0x0100, firmware 0x201 or 0x202 in bits 0-11.
    // An accepted board's hardware and firmware words become the model's, so that the page
    // shows the connected board's features.
    bool accepts(quint16 w0, quint16 w1, quint16 w2) const override;
};
