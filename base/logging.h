// Logging categories: link traces can be turned on with QT_LOGGING_RULES, e.g. "vandor.usb.debug=true".
#pragma once
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcApp)
Q_DECLARE_LOGGING_CATEGORY(lcDevice)
Q_DECLARE_LOGGING_CATEGORY(lcLink)
Q_DECLARE_LOGGING_CATEGORY(lcUsb)
Q_DECLARE_LOGGING_CATEGORY(lcUdp)
Q_DECLARE_LOGGING_CATEGORY(lcTcp)
// The registry keeps its own category so that it needs nothing beyond Qt Core.
#include "registry/registrylog.h"
