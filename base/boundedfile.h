// Opening a file named by the user for reading, bounded: only a regular file of a size the
// caller can hold is opened, so a device, a pipe or a huge file never hangs or floods the program.
#pragma once
#include <QString>

class QFile;

// Opens file (its name already set) read-only when it is a regular file of at most maxBytes;
// otherwise, or when opening fails, false with the reason in *why.
bool openBoundedFile(QFile *file, qint64 maxBytes, QString *why);

// The largest file of each kind the program reads.
namespace FileBounds {
// Every dump format, the described board's included, stays far below this.
inline constexpr qint64 Dump = 4 << 20;
// The bridge's flash holds at most this much.
inline constexpr qint64 Firmware = 16 << 20;
}
