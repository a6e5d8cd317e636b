// Little-endian field helpers for the simulator's frames.
#pragma once
#include <QByteArray>

namespace simbytes {

inline quint16 u16(const QByteArray &b, int at)
{
    return quint16(quint8(b.at(at)) | (quint8(b.at(at + 1)) << 8));
}

inline quint32 u32(const QByteArray &b, int at)
{
    return quint32(u16(b, at)) | (quint32(u16(b, at + 2)) << 16);
}

inline void put16(QByteArray &b, quint16 v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

inline void put32(QByteArray &b, quint32 v)
{
    put16(b, quint16(v & 0xFFFF));
    put16(b, quint16(v >> 16));
}

} // namespace simbytes
