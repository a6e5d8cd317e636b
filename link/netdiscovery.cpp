#include "link/netdiscovery.h"

namespace NetDiscovery {

namespace {

constexpr int TagSize = 4;
constexpr int ControllerSize = 8;
constexpr int BridgeSize = 12;

// A name field ends at its first zero byte or at its end.
QByteArray field(const QByteArray &datagram, int at, int size)
{
    QByteArray f = datagram.mid(at, size);
    const int zero = f.indexOf('\0');
    if (zero >= 0)
        f.truncate(zero);
    return f;
}

}  // namespace

QByteArray request() { return QByteArrayLiteral("DSCR"); }

bool parse(const QByteArray &datagram, Answer *answer)
{
    if (datagram.size() < TagSize + ControllerSize || !datagram.startsWith(request()))
        return false;
    Answer a;
    a.controller = QString::fromLatin1(field(datagram, TagSize, ControllerSize));
    a.hasBridge = datagram.size() >= TagSize + ControllerSize + BridgeSize;
    if (a.hasBridge)
        a.bridge = QString::fromUtf8(field(datagram, TagSize + ControllerSize, BridgeSize));
    if (answer)
        *answer = a;
    return true;
}

}  // namespace NetDiscovery
