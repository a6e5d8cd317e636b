// Resident memory of the test process, for tests that bound what a peer can make the program
// hold.
#pragma once
#include <QFile>
#include <QList>

namespace ResidentMemory {

// The address sanitizer keeps freed memory in quarantine: resident memory then says nothing
// of what the program holds.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool Tells = false;
#else
constexpr bool Tells = true;
#endif

// Resident memory of this process in kilobytes; -1 where the system does not say.
inline qint64 kb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

} // namespace ResidentMemory
