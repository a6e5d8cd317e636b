// Dump files as the program reads and writes them, with the reason when one is refused.
#pragma once
#include <QString>

class DeviceCfg;

// Loads path into model with the model's own checks; on refusal model is unchanged and
// error says why.
bool loadDump(DeviceCfg *model, const QString &path, QString *error);
// Saves the model's configuration to path atomically: an existing file is replaced only by
// a complete new one.
bool saveDump(DeviceCfg *model, const QString &path, QString *error);
