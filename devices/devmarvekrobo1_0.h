// Device model of the Marvek controller of automatic wash machines ("Marvek - Robo").
#pragma once
#include "devices/fixedlayoutmodel.h"

class DevMarvekRobo1_0 : public FixedLayoutModel
{
    Q_OBJECT
public:
    // Accepts exactly the identity 0x0100, 0x0100, 0x0400 (the base class's test).
    explicit DevMarvekRobo1_0(QObject *parent = nullptr);
};
