// Logging category of the parameter registry ("vandor.registry").
#pragma once
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcRegistry)
