// The dump file of boards that describe their own configuration: the 8-byte "DevCom2" header,
// then the value-mode records of list 1. A file name containing "_hset_" selects the hardware
// settings: only they are saved, and only such a file applies them when loaded.
#pragma once
#include <QByteArray>
#include <QString>

class QIODevice;

namespace DynDump {

// "DevCom2" and one zero byte.
QByteArray header();
// True when the name marks a file of hardware settings.
bool isHwSettingsName(const QString &fileName);

// Writes the dump of list 1 to a file open for writing; false when a write fell short or the
// stream failed (the remaining chunks are still written). The name comes from the file itself
// when it is a QFileDevice, else it is given.
bool save(QIODevice *file);
bool save(QIODevice *file, const QString &fileName);

// Loads a dump from a file open for reading at its start; true = applied. The whole body is
// checked before anything is applied: a wrong header, an empty body or a corrupt record
// leaves every parameter exactly as it was.
bool load(QIODevice *file);
bool load(QIODevice *file, const QString &fileName);
// The same over the bytes of a whole file.
bool loadBytes(const QByteArray &file, bool hwSettingsFile);

} // namespace DynDump
