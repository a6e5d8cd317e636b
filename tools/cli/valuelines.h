// The values of a dump one per line, as hexdump --values prints them: the text kept beside
// every exported snapshot, and the names and addresses apply --only takes.
#pragma once
#include "devices/boardfeatures.h"
#include <QByteArray>
#include <QList>
#include <QString>

class DeviceCfg;

namespace Cli {

struct ValueLine
{
    quint32 key = 0; // the image address, or the described board's UID
    QString keyText; // the key as printed: decimal address, eight hex digits of a UID
    QString name;    // "[Tab / Group] Label", or the record's name
    QString value;
    bool offered = true; // false: the board's variant has no such value
};

// The values of dump, a dump of model. Fixed-layout values are decoded for board (null: every
// feature the model knows, as for a dump without its board); the described board's records
// keep their bytes. False when dump is not one of the model's.
bool valueLines(DeviceCfg *model, const QByteArray &dump, const BoardFeatures *board, QList<ValueLine> *lines);
// "KEY NAME: VALUE".
QString lineText(const ValueLine &line);
// The whole text: one line per value, each ended by a newline.
QByteArray valuesText(const QList<ValueLine> &lines);
// True when key names the value: its key as printed (or 0x-hex of a fixed address), its name,
// or its label without the group; case ignored.
bool names(const ValueLine &line, const QString &key);

} // namespace Cli
