// Helpers for the registry tests: hex byte strings, and single payloads in and out of a stream.
#pragma once
#include "registry/cfgkinds.h"
#include <QByteArray>
#include <QString>

inline QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

// Everything the writer f puts into a stream, gathered in one chunk.
template <typename F>
QByteArray produce(F f, quint32 flags = 0)
{
    CfgStream s(flags);
    f(s);
    QByteArray out(s.carried(), '\0');
    const int n = s.writeChunk(reinterpret_cast<quint8 *>(out.data()), out.size());
    out.truncate(n);
    return out;
}

// Offers bytes to the reader f; true when f consumed exactly all of them without error.
template <typename F>
bool consume(const QByteArray &bytes, F f)
{
    CfgStream s;
    s.readChunk(reinterpret_cast<const quint8 *>(bytes.constData()), bytes.size(), 0);
    f(s);
    return !s.failed() && s.carried() == 0;
}

inline QByteArray valueOf(const CfgPar &p)
{
    return produce([&](CfgStream &s) { p.writeValue(s); });
}

inline QByteArray descOf(const CfgPar &p)
{
    return produce([&](CfgStream &s) { p.writeDesc(s); });
}

inline bool readDescInto(CfgPar &p, const QByteArray &bytes)
{
    return consume(bytes, [&](CfgStream &s) { p.readDesc(s); });
}

inline bool readValueInto(CfgPar &p, const QByteArray &bytes)
{
    return consume(bytes, [&](CfgStream &s) { p.readValue(s); });
}

inline QByteArray u32le(quint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}

inline QByteArray u16le(quint16 v) { return u32le(v).left(2); }
