// The style sheet states sizes in "sp" units; they become pixels for the current screen at load.
#pragma once
#include <QString>

// Replaces every "<number>sp" by "<scaled(number)>px".
QString scaleStyleSheet(const QString &css);
// Reads the file as 8-bit text up to its first zero byte and scales it; false when unreadable.
bool readStyleSheet(const QString &path, QString *css);
