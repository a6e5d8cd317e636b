// discover: every board on USB, on the UDP bridge path and behind network bridges. All three
// are looked for at once; then each board found is opened in turn, exactly as the board
// commands open it, for its identity and model, and closed again. Network bridges themselves
// are only listed, unless named with --bridge: the password goes to those and to no other.
// --timeout bounds the whole command, the opening included.
#include "boardlink.h"
#include "cliprompt.h"
#include "link/packetframe.h"
#include "link/tcpio.h"
#include "link/usbbus.h"
#include "link/usbio.h"
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>
#include <algorithm>
#include <vector>

namespace Cli {

namespace {

QString endpoint(const QHostAddress &address, quint16 port)
{
    return QStringLiteral("%1:%2").arg(address.toString()).arg(port);
}

// Boards on the UDP bridge path, each answering the discovery request from the board port.
// The link itself takes one board at a time, so the sweep asks on a socket of its own,
// bound to the port the link uses.
class UdpSweep
{
public:
    UdpSweep() : m_port(UsbIo::configuredBoardPort())
    {
        const QHostAddress target = UsbIo::configuredTarget();
        if (!target.isNull())
            m_targets << target;
        for (const QString &host : UsbIo::rememberedHosts()) {
            QHostAddress a;
            int port = -1;
            if (resolve(host.trimmed(), &a, &port) && !m_targets.contains(a))
                m_targets << a;
        }
        const quint16 local = UsbIo::configuredLocalPort();
        if (!m_socket.bind(QHostAddress::AnyIPv4, local))
            portInUse("boards on the UDP bridge path are not looked for", local, "VANDOR_UDP_LOCAL_PORT");
        QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] { take(); });
    }

    void ask()
    {
        if (m_socket.state() != QAbstractSocket::BoundState)
            return;
        for (const QHostAddress &t : qAsConst(m_targets))
            m_socket.writeDatagram(PacketFrame::discoveryRequest(), t, m_port);
    }

    const QList<QHostAddress> &peers() const { return m_peers; }
    quint16 port() const { return m_port; }

private:
    void take()
    {
        // Bounded, so that a flood of datagrams cannot hold the sweep here.
        for (int n = 0; n < 256 && m_socket.hasPendingDatagrams(); ++n) {
            const QNetworkDatagram d = m_socket.receiveDatagram(8);
            if (!PacketFrame::isDiscoveryAnswer(d.data()) || d.senderPort() != m_port)
                continue;
            QHostAddress from(d.senderAddress().toIPv4Address());
            if (!m_peers.contains(from))
                m_peers << from;
        }
    }

    QUdpSocket m_socket;
    quint16 m_port;
    QList<QHostAddress> m_targets;
    QList<QHostAddress> m_peers;
};

} // namespace

QList<Found> sweep(int timeoutMs, bool usb)
{
    QList<Found> usbBoards, udpBoards, tcpBoards;
    bool noDriver = false;
    {
        std::unique_ptr<UsbBus> ownBus;
        std::unique_ptr<UsbIo> bus;
        if (usb) {
            bus = std::make_unique<UsbIo>(usbBus(&ownBus));
            // Its bridge path stays off: the sweep below asks on the network.
            bus->setDiscoveryTarget(QHostAddress());
            bus->setUdpHosts({});
            bus->setLocalPort(0);
            QObject::connect(bus.get(), &UsbIo::newDevice, bus.get(), [&](const QString &name, int uid) {
                if (uid < 0) {
                    noDriver = true;
                    return;
                }
                const QString at = usbAddress(uid);
                const bool known = std::any_of(usbBoards.cbegin(), usbBoards.cend(),
                                               [&](const Found &f) { return f.target == at; });
                if (!known)
                    usbBoards.append({Found::Usb, at, name, false});
            });
        }
        UdpSweep udp;
        TcpIo tcp;
        if (tcp.answerPort() == 0)
            portInUse("network bridges are not looked for", TcpIo::configuredAnswerPort(), "VANDOR_NET_ANSWER_PORT");
        scanEnabled = true;
        // Every board that answers in time counts: the sweep always runs to the end.
        scanUntil(
            [&] {
                if (bus)
                    bus->scan();
                udp.ask();
                tcp.scan();
            },
            [] { return false; }, timeoutMs);

        for (const QHostAddress &peer : udp.peers())
            udpBoards.append({Found::Udp, endpoint(peer, udp.port()), QString(), false});
        for (const TcpIo::Entry &e : tcp.foundBoards())
            tcpBoards.append({Found::Tcp, endpoint(e.address, e.port), e.name, e.kind == TcpIo::Bridge});
        scanEnabled = false;
    }
    if (noDriver)
        err(QStringLiteral("a USB board was found but it has no usable driver"));
    return usbBoards + udpBoards + tcpBoards;
}

namespace {

// One board that was found but is not listed with its identity, as a line or a JSON object.
void notOpened(const Found &f, const QString &reason, bool json)
{
    static const char *const links[] = {"usb", "udp", "tcp"};
    const QString link = QString::fromLatin1(links[f.link]);
    if (!json) {
        if (f.bridge && reason.startsWith(QLatin1String("bridge")))
            out(QStringLiteral("%1 %2 %3 %4").arg(link, f.target, f.name, reason));
        return;
    }
    QJsonObject o{{QStringLiteral("link"), link},
                  {QStringLiteral("address"), f.target},
                  {QStringLiteral("name"), f.name},
                  {QStringLiteral("kind"), f.bridge ? QStringLiteral("bridge") : QStringLiteral("controller")},
                  {QStringLiteral("opened"), false},
                  {QStringLiteral("error"), reason}};
    out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
}

} // namespace

int runDiscover(const QStringList &args)
{
    Parser p(command("discover"));
    p.addOption({QStringLiteral("timeout"),
                 QStringLiteral("The whole command ends within MS ms: half of it looks for boards, the rest "
                                "opens them. Without it, boards are looked for 3000 ms."),
                 QStringLiteral("MS")});
    p.addOption({QStringLiteral("bridge"),
                 QStringLiteral("Open the network bridge at HOST itself too, with the password (may be repeated). "
                                "Other bridges are listed without being opened."),
                 QStringLiteral("HOST")});
    addPasswordOptions(p, QStringLiteral("for the bridges named with --bridge"));
    p.addOption({QStringLiteral("no-usb"), QStringLiteral("Do not look for boards on USB.")});
    p.addOption({QStringLiteral("json"),
                 QStringLiteral("One JSON object per line and board, boards that did not open included "
                                "with the reason (\"opened\": false, \"error\").")});
    if (const int code = p.parse(args, 0, 0); code >= 0)
        return code;
    int timeout = 0;
    std::optional<QString> password;
    if (!timeoutValue(p, &timeout) || !checkEnvironment() || !passwordValue(p, &password))
        return BadInput;
    QList<QHostAddress> named;
    for (const QString &host : p.values(QStringLiteral("bridge"))) {
        QHostAddress a;
        int port = -1;
        if (!resolve(host, &a, &port))
            return fail(BadInput, QStringLiteral("--bridge: cannot resolve the host name in \"%1\"").arg(host));
        named << a;
    }
    if (!named.isEmpty() && (!password || password->isEmpty()))
        return fail(BadInput, QStringLiteral("--bridge needs the access password: --password-file FILE, "
                                             "VANDOR_PASSWORD or --password PW"));
    context().prompt->setPassword(password);
    const bool json = p.isSet(QStringLiteral("json"));
    const bool bounded = p.isSet(QStringLiteral("timeout"));
    const QDeadlineTimer whole(timeout);
    const int looking = bounded ? timeout / 2 : timeout;

    const QList<Found> found = sweep(looking, !p.isSet(QStringLiteral("no-usb")));
    if (found.isEmpty())
        return fail(Failed, QStringLiteral("no board found within %1 ms").arg(timeout));

    int failed = 0;
    for (const Found &f : found) {
        const QHostAddress at(f.target.section(QLatin1Char(':'), 0, 0));
        const bool opensBridge = std::any_of(named.cbegin(), named.cend(), [&at](const QHostAddress &a) {
            return a.isEqual(at, QHostAddress::TolerantConversion);
        });
        if (f.bridge && !opensBridge) {
            notOpened(f, QStringLiteral("bridge, not opened (name it with --bridge HOST, with the password)"), json);
            continue;
        }
        const int left = bounded ? int(whole.remainingTime()) : timeout;
        if (left <= 0) {
            ++failed;
            notOpened(f, QStringLiteral("not opened: the time limit of %1 ms ran out").arg(timeout), json);
            if (!json)
                err(QStringLiteral("%1 not opened: the time limit of %2 ms ran out").arg(f.target).arg(timeout));
            continue;
        }
        context().prompt->takeMessages();
        BoardLink board;
        if (bounded)
            board.setDeadline(left);
        bool opened = false;
        switch (f.link) {
        case Found::Usb:
            opened = board.openUsb(f.target, left);
            break;
        case Found::Udp:
            opened = board.openUdp(f.target, left);
            break;
        case Found::Tcp:
            opened = board.openTcp(f.target, f.bridge, left);
            break;
        }
        if (opened) {
            QJsonObject o = board.json();
            o.insert(QStringLiteral("kind"), f.bridge ? QStringLiteral("bridge") : QStringLiteral("controller"));
            out(json ? QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) : board.summary());
            continue;
        }
        ++failed;
        QStringList reason = context().prompt->takeMessages();
        reason << board.error();
        notOpened(f, reason.join(QStringLiteral("; ")), json);
    }
    return failed ? Failed : Ok;
}

} // namespace Cli
