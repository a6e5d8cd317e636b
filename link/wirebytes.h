// What both framings share: little-endian fields, the identity triple and the 60-byte data limit.
#pragma once
#include <QByteArray>
#include <QtGlobal>

namespace Wire {

// The longest data part of one configuration or memory operation, in either framing.
constexpr int MaxData = 60;

// The three words a board reports to the version query.
struct Identity
{
    quint16 word0 = 0;
    quint16 word1 = 0;
    quint16 word2 = 0;
};

inline void putU16(QByteArray &b, quint16 v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

inline void putU32(QByteArray &b, quint32 v)
{
    putU16(b, quint16(v & 0xFFFF));
    putU16(b, quint16(v >> 16));
}

// The caller makes sure at + 1 is inside b.
inline quint16 u16At(const QByteArray &b, int at)
{
    return quint16(quint8(b.at(at)) | (quint8(b.at(at + 1)) << 8));
}

// A data length one operation may carry, with its source present when it is not empty.
inline bool dataOk(const quint8 *src, int length)
{
    return length >= 0 && length <= MaxData && (src || length == 0);
}

} // namespace Wire
