#include "base/logging.h"

Q_LOGGING_CATEGORY(lcApp, "vandor.app")
Q_LOGGING_CATEGORY(lcDevice, "vandor.device")
Q_LOGGING_CATEGORY(lcLink, "vandor.link")
Q_LOGGING_CATEGORY(lcUsb, "vandor.usb")
Q_LOGGING_CATEGORY(lcUdp, "vandor.udp")
Q_LOGGING_CATEGORY(lcTcp, "vandor.tcp")
