#include "boardlink.h"
#include "cliprompt.h"
#include "devices/devicecfg.h"
#include "link/tcpio.h"
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHostInfo>
#include <QTimer>

namespace Cli {

namespace {
constexpr int DefaultDiscoveryMs = 3000;
constexpr int RescanMs = 1000;
} // namespace

void addLinkOptions(Parser &p)
{
    p.addOption({QStringLiteral("tcp"), QStringLiteral("The board behind the network bridge at HOST[:PORT]."),
                 QStringLiteral("HOST")});
    p.addOption({QStringLiteral("bridge"), QStringLiteral("With --tcp: open the bridge board itself.")});
    p.addOption({QStringLiteral("password"), QStringLiteral("The bridge's access password (with --bridge)."),
                 QStringLiteral("PW")});
    p.addOption({QStringLiteral("udp"), QStringLiteral("The board on the UDP bridge path at HOST[:PORT]."),
                 QStringLiteral("HOST")});
    p.addOption({QStringLiteral("usb"), QStringLiteral("A board on USB (not in this build yet).")});
    p.addOption({QStringLiteral("timeout"),
                 QStringLiteral("How long to wait for the board to answer discovery, in ms (3000)."),
                 QStringLiteral("MS")});
}

bool waitFor(const std::function<bool()> &done, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QEventLoop loop;
        QTimer::singleShot(int(qMin<qint64>(50, qMax<qint64>(1, deadline.remainingTime()))), &loop,
                           &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

BoardLink::BoardLink() = default;

BoardLink::~BoardLink()
{
    if (auto *tcp = qobject_cast<TcpIo *>(m_link))
        tcp->close();
    setCurrentLink(nullptr);
}

DevIo *BoardLink::link() const { return m_link; }

bool BoardLink::open(const Parser &p)
{
    int timeout = DefaultDiscoveryMs;
    if (p.isSet(QStringLiteral("timeout"))) {
        timeout = intValue(p.value(QStringLiteral("timeout")));
        if (timeout < 0) {
            err(QStringLiteral("--timeout wants a number of milliseconds"));
            return false;
        }
    }
    const int links = int(p.isSet(QStringLiteral("tcp"))) + int(p.isSet(QStringLiteral("udp"))) +
                      int(p.isSet(QStringLiteral("usb")));
    if (links != 1) {
        err(QStringLiteral("name the board with exactly one of --usb, --udp HOST, --tcp HOST"));
        return false;
    }
    if (p.isSet(QStringLiteral("password")))
        context().prompt->setPassword(p.value(QStringLiteral("password")));
    if (p.isSet(QStringLiteral("tcp")))
        return openTcp(p.value(QStringLiteral("tcp")), p.isSet(QStringLiteral("bridge")), timeout);
    err(QStringLiteral("the %1 link is not in this build yet").arg(p.isSet(QStringLiteral("udp")) ? "UDP" : "USB"));
    return false;
}

// HOST or HOST:PORT; false when the host cannot be resolved.
static bool resolve(const QString &spec, QHostAddress *address, int *port)
{
    QString host = spec;
    *port = -1;
    const int colon = spec.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && spec.count(QLatin1Char(':')) == 1) {
        *port = intValue(spec.mid(colon + 1));
        if (*port <= 0 || *port > 0xFFFF)
            return false;
        host = spec.left(colon);
    }
    if (address->setAddress(host))
        return true;
    const QHostInfo info = QHostInfo::fromName(host);
    for (const QHostAddress &a : info.addresses()) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol) {
            *address = a;
            return true;
        }
    }
    return false;
}

bool BoardLink::openTcp(const QString &host, bool bridge, int timeoutMs)
{
    QHostAddress address;
    int port = -1;
    if (!resolve(host, &address, &port)) {
        err(QStringLiteral("cannot resolve \"%1\"").arg(host));
        return false;
    }
    auto *tcp = new TcpIo(&m_owner);
    m_link = tcp;
    tcp->setDiscoveryTarget(address);
    if (port > 0)
        tcp->setDiscoveryPort(quint16(port));
    const int wanted = bridge ? TcpIo::Bridge : TcpIo::Controller;
    int uid = -1;
    QObject::connect(tcp, &TcpIo::newDevice, tcp, [&uid, tcp, wanted](const QString &, int id) {
        if (uid < 0 && id >= 0 && id < tcp->foundBoards().size() && tcp->foundBoards().at(id).kind == wanted)
            uid = id;
    });
    scanEnabled = true;
    QDeadlineTimer deadline(timeoutMs);
    while (uid < 0 && !deadline.hasExpired()) {
        tcp->scan();
        waitFor([&uid] { return uid >= 0; }, int(qMin<qint64>(RescanMs, qMax<qint64>(1, deadline.remainingTime()))));
    }
    if (uid < 0) {
        err(QStringLiteral("no network bridge answered at %1 within %2 ms").arg(host).arg(timeoutMs));
        return false;
    }
    const TcpIo::Entry entry = tcp->foundBoards().at(uid);
    DeviceCfg::setCurrent(nullptr);
    if (!tcp->open(uid)) {
        err(QStringLiteral("cannot open %1 at %2:%3").arg(entry.name, entry.address.toString()).arg(entry.port));
        return false;
    }
    scanEnabled = false;
    setCurrentLink(tcp);
    m_description = QStringLiteral("tcp %1:%2 %3").arg(entry.address.toString()).arg(entry.port).arg(entry.name);
    return true;
}

} // namespace Cli
