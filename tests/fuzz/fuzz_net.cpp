// What LAN neighbours and the settings file tell the links. The first input byte chooses:
//   even: a datagram as a "DSCR" discovery answer of a network bridge and as a discovery answer
//         on the UDP bridge path;
//   odd:  the settings file with the remembered hosts: read as the links read it, a host
//         remembered into it, and the list read back.
#include "base/nethosts.h"
#include "fuzz_support.h"
#include "link/netdiscovery.h"
#include "link/packetframe.h"
#include <QDir>
#include <QFile>
#include <QSettings>

using Fuzz::check;

namespace {
int s_home = 0;

void discoveryAnswer(const QByteArray &datagram)
{
    NetDiscovery::Answer a;
    const bool ok = NetDiscovery::parse(datagram, &a);
    check(ok == (datagram.size() >= 12 && datagram.startsWith("DSCR")));
    if (ok) {
        check(a.controller.size() <= 8 && !a.controller.contains(QChar(0)));
        check(a.hasBridge == (datagram.size() >= 24));
        check(a.bridge.toUtf8().size() <= 12 * 3 && !a.bridge.contains(QChar(0)));
        check(a.hasBridge || a.bridge.isEmpty());
    }
    check(PacketFrame::isDiscoveryAnswer(datagram) == (datagram == QByteArray("\x00\x0a", 2)));
}

void rememberedHosts(Fuzz::Input &in)
{
    // A home folder of its own for every input: the settings cache never serves an old file.
    const QString home = Fuzz::scratchPath(QString::number(++s_home));
    check(QDir().mkpath(home));
    qputenv("HOME", home.toLocal8Bit());
    const quint8 pick = in.byte();
    const QString added = QStringLiteral("10.%1.%2.%3").arg(pick).arg(pick ^ 0x55).arg(in.byte());
    {
        QFile f(NetHosts::settingsPath());
        check(f.open(QIODevice::WriteOnly) && f.write(in.rest()) >= 0);
    }
    for (const char *key : {NetHosts::NetKey, NetHosts::UdpKey}) {
        const QList<QHostAddress> hosts = NetHosts::remembered(QString::fromLatin1(key));
        for (const QHostAddress &h : hosts)
            check(h.protocol() == QAbstractSocket::IPv4Protocol && hosts.count(h) == 1);
    }
    {
        QSettings settings(NetHosts::settingsPath(), QSettings::IniFormat);
        NetHosts::all(settings);
        NetHosts::remember(settings, QString::fromLatin1(NetHosts::UdpKey), QHostAddress(added));
        check(settings.value(QString::fromLatin1(NetHosts::UdpKey)).toStringList().size() <= NetHosts::MaxHosts);
    }
    const QList<QHostAddress> udp = NetHosts::remembered(QString::fromLatin1(NetHosts::UdpKey));
    check(udp.contains(QHostAddress(added)) && udp.size() <= NetHosts::MaxHosts);
    {
        QSettings settings(NetHosts::settingsPath(), QSettings::IniFormat);
        NetHosts::forget(settings, added);
    }
    check(!NetHosts::remembered(QString::fromLatin1(NetHosts::UdpKey)).contains(QHostAddress(added)));
    QFile::remove(NetHosts::settingsPath());
    QDir().rmdir(home);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::initApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 1 << 16)
        return 0;
    Fuzz::Input in(data, size);
    if (in.byte() & 1)
        rememberedHosts(in);
    else
        discoveryAnswer(in.rest());
    return 0;
}
