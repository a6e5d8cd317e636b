// Opening one board for a board command: discovery on the link the options name, the open,
// the command's deadline and what the opened board is.
#include "boardlink.h"
#include "app/session.h"
#include "cliprompt.h"
#include "devices/devicecfg.h"
#include "link/tcpio.h"
#include "link/usbbus.h"
#include "link/usbio.h"
#include <QJsonArray>
#include <QUdpSocket>

namespace Cli {

namespace {
QString hex(quint16 w) { return QStringLiteral("%1").arg(w, 4, 16, QLatin1Char('0')); }
} // namespace

BoardLink::BoardLink()
{
    m_deadline.setSingleShot(true);
    QObject::connect(&m_deadline, &QTimer::timeout, &m_owner, [this] {
        m_timedOut = true;
        if (m_link)
            m_link->closeLink();
    });
}

BoardLink::~BoardLink()
{
    m_deadline.stop();
    // Answers from hosts that were not asked were ignored: said once the command is done.
    const QStringList others = m_error.isEmpty() ? strangers() : QStringList();
    if (!others.isEmpty())
        err(QStringLiteral("ignored answers from %1: only %2 was asked").arg(others.join(QStringLiteral(", ")), m_asked.toString()));
    if (auto *tcp = qobject_cast<TcpIo *>(m_link))
        tcp->close();
    delete m_link;
    setCurrentLink(nullptr);
}

DevIo *BoardLink::link() const { return m_link; }

bool BoardLink::refuseUnknown(const DevIo &link, const QString &who)
{
    return refuse(QStringLiteral("%1 answered with the identity words %2 %3 %4, but this version of the program "
                                 "has no model for that board")
                      .arg(who)
                      .arg(link.word0, 4, 16, QLatin1Char('0'))
                      .arg(link.word1, 4, 16, QLatin1Char('0'))
                      .arg(link.word2, 4, 16, QLatin1Char('0')));
}

bool BoardLink::refuse(const QString &text)
{
    m_error = text;
    err(text);
    return false;
}

void BoardLink::setDeadline(int ms)
{
    m_deadlineMs = ms;
    m_deadline.start(qMax(0, ms));
}

QString BoardLink::lossReason() const
{
    if (m_timedOut)
        return QStringLiteral("the time limit of %1 ms ran out").arg(m_deadlineMs);
    if (auto *usb = qobject_cast<const UsbIo *>(m_link); usb && usb->boardUnplugged())
        return QStringLiteral("the board was unplugged");
    if (m_link && m_link->stoppedAnswering())
        return QStringLiteral("the board stopped answering (%1 operations in a row failed)").arg(DevIo::MaxFailures);
    if (m_dropped)
        return QStringLiteral("the connection to the board was dropped");
    return QString();
}

QString BoardLink::summary() const
{
    QString line = QStringLiteral("%1 identity %2 %3 %4").arg(m_description, hex(m_link->word0), hex(m_link->word1), hex(m_link->word2));
    if (DeviceCfg *model = DeviceCfg::current())
        line += QStringLiteral(" model \"%1\"").arg(model->title());
    if (!m_link->versionText.isEmpty())
        line += QStringLiteral(" version \"%1\"").arg(m_link->versionText);
    return line;
}

QJsonObject BoardLink::json() const
{
    QJsonObject o{{QStringLiteral("link"), m_linkKind},
                  {QStringLiteral("address"), m_address},
                  {QStringLiteral("name"), m_name},
                  {QStringLiteral("opened"), true}};
    o.insert(QStringLiteral("identity"),
             QJsonArray{hex(m_link->word0), hex(m_link->word1), hex(m_link->word2)});
    if (DeviceCfg *model = DeviceCfg::current())
        o.insert(QStringLiteral("model"), model->title());
    if (!m_link->versionText.isEmpty())
        o.insert(QStringLiteral("version"), m_link->versionText);
    return o;
}

BoardOrigin BoardLink::origin() const
{
    // As the window's session knows a board: one history for both.
    return Session::originOf(DeviceCfg::current(), m_link, m_netUid);
}

void BoardLink::adopt(DevIo *link, const QString &kind, const QString &address, const QString &name)
{
    scanEnabled = false;
    setCurrentLink(link);
    m_linkKind = kind;
    m_address = address;
    m_name = name;
    m_description = QStringList{kind, address, name}.join(QLatin1Char(' ')).trimmed();
    QObject::connect(link, &DevIo::disconnected, &m_owner, [this] { m_dropped = true; });
}

int BoardLink::open(const Parser &p)
{
    int timeout = 0;
    if (!timeoutValue(p, &timeout) || !checkEnvironment())
        return BadInput;
    const int links = int(p.isSet(QStringLiteral("tcp"))) + int(p.isSet(QStringLiteral("udp"))) +
                      int(p.isSet(QStringLiteral("usb")));
    if (links != 1)
        return fail(BadInput, QStringLiteral("name the board with exactly one of --usb, --udp HOST, --tcp HOST"));
    if (p.isSet(QStringLiteral("bridge")) && !p.isSet(QStringLiteral("tcp")))
        return fail(BadInput, QStringLiteral("--bridge goes with --tcp HOST"));
    std::optional<QString> password;
    if (!passwordValue(p, &password))
        return BadInput;
    if (p.isSet(QStringLiteral("bridge")) && (!password || password->isEmpty()))
        return fail(BadInput, QStringLiteral("--bridge needs the access password: --password-file FILE, "
                                             "VANDOR_PASSWORD or --password PW"));
    context().prompt->setPassword(password);
    QString host, error;
    int port = -1;
    for (const char *option : {"tcp", "udp"}) {
        const QString name = QString::fromLatin1(option);
        if (p.isSet(name) && !splitTarget(p.value(name), &host, &port, &error))
            return fail(BadInput, QStringLiteral("--%1: %2").arg(name, error));
    }
    if (p.isSet(QStringLiteral("usb")) && !p.value(QStringLiteral("usb-device")).isEmpty()) {
        const QStringList parts = p.value(QStringLiteral("usb-device")).split(QLatin1Char(':'));
        if (parts.size() != 2 || intValue(parts.at(0)) < 0 || intValue(parts.at(1)) < 0)
            return fail(BadInput, QStringLiteral("--usb wants BUS:ADDR, not \"%1\"").arg(p.value(QStringLiteral("usb-device"))));
    }
    if (p.isSet(QStringLiteral("timeout")))
        setDeadline(timeout);
    bool opened = false;
    if (p.isSet(QStringLiteral("tcp")))
        opened = openTcp(p.value(QStringLiteral("tcp")), p.isSet(QStringLiteral("bridge")), timeout);
    else if (p.isSet(QStringLiteral("udp")))
        opened = openUdp(p.value(QStringLiteral("udp")), timeout);
    else
        opened = openUsb(p.value(QStringLiteral("usb-device")), timeout);
    return opened ? Ok : Failed;
}

bool BoardLink::openTcp(const QString &target, bool bridge, int timeoutMs)
{
    QHostAddress address;
    int port = -1;
    if (!resolve(target, &address, &port))
        return refuse(QStringLiteral("cannot resolve the host name in \"%1\"").arg(target));
    auto *tcp = new TcpIo(&m_owner);
    m_link = tcp;
    if (tcp->answerPort() == 0) {
        portInUse("no network bridge can answer", TcpIo::configuredAnswerPort(), "VANDOR_NET_ANSWER_PORT");
        m_error = QStringLiteral("the answer port is in use");
        return false;
    }
    tcp->setDiscoveryTarget(address);
    if (port > 0)
        tcp->setDiscoveryPort(quint16(port));
    const int wanted = bridge ? TcpIo::Bridge : TcpIo::Controller;
    int uid = -1;
    bool answered = false;
    // The handler below writes to this function's variables: it ends with it.
    QObject scope;
    // Only the host asked counts: the remembered hosts may answer too.
    QObject::connect(tcp, &TcpIo::newDevice, &scope, [&, tcp, wanted, address](const QString &, int id) {
        if (uid >= 0 || id < 0 || id >= tcp->foundBoards().size())
            return;
        const TcpIo::Entry &e = tcp->foundBoards().at(id);
        if (!e.address.isEqual(address, QHostAddress::TolerantConversion))
            return;
        answered = true;
        if (e.kind == wanted)
            uid = id;
    });
    scanEnabled = true;
    if (!scanUntil([tcp] { tcp->scan(); }, [&] { return uid >= 0 || m_timedOut; }, timeoutMs) || uid < 0) {
        if (answered)
            return refuse(QStringLiteral("the network bridge at %1 has no %2").arg(target, bridge ? QStringLiteral("bridge name") : QStringLiteral("controller")));
        return refuse(QStringLiteral("no network bridge answered at %1 within %2 ms").arg(target).arg(timeoutMs));
    }
    const TcpIo::Entry entry = tcp->foundBoards().at(uid);
    const QString at = QStringLiteral("%1:%2").arg(entry.address.toString()).arg(entry.port);
    DeviceCfg::setCurrent(nullptr);
    const bool opened = tcp->open(uid);
    if (!opened && tcp->unknownBoard)
        return refuseUnknown(*tcp, QStringLiteral("%1 at %2").arg(entry.name, at));
    if (!opened)
        return refuse(m_timedOut ? QStringLiteral("%1 at %2 answered discovery but did not open within the time limit").arg(entry.name, at)
                                 : QStringLiteral("%1 at %2 answered discovery but did not open").arg(entry.name, at));
    m_netUid = uid;
    adopt(tcp, QStringLiteral("tcp"), at, entry.name);
    return true;
}

bool BoardLink::openUdp(const QString &target, int timeoutMs)
{
    QHostAddress address;
    int port = -1;
    if (!resolve(target, &address, &port))
        return refuse(QStringLiteral("cannot resolve the host name in \"%1\"").arg(target));
    // Nothing is looked for on USB.
    m_bus = makeAbsentUsbBus();
    auto *usb = new UsbIo(m_bus.get(), &m_owner);
    m_link = usb;
    if (usb->localPort() == 0) {
        portInUse("no board on the UDP bridge path can answer", UsbIo::configuredLocalPort(), "VANDOR_UDP_LOCAL_PORT");
        m_error = QStringLiteral("the local port is in use");
        return false;
    }
    usb->setDiscoveryTarget(address);
    usb->setUdpHosts({});
    // Only the host asked is opened; nothing at all goes to another that answers.
    usb->setPeersChosen(true, false);
    if (port > 0)
        usb->setBoardPort(quint16(port));
    m_asked = address;
    const auto asked = [usb, address] {
        for (const UsbIo::Peer &p : usb->peers())
            if (p.address.isEqual(address, QHostAddress::TolerantConversion))
                return p.uid;
        return -1;
    };
    scanEnabled = true;
    DeviceCfg::setCurrent(nullptr);
    scanUntil([usb] { usb->scan(); }, [&] { return asked() >= 0 || m_timedOut; }, timeoutMs);
    const int uid = asked();
    if (uid < 0) {
        const QStringList others = strangers();
        if (!others.isEmpty())
            return refuse(QStringLiteral("no board answered on the UDP bridge path at %1 within %2 ms; answers from %3 "
                                         "were ignored (not the host asked)")
                              .arg(target)
                              .arg(timeoutMs)
                              .arg(others.join(QStringLiteral(", "))));
        return refuse(QStringLiteral("no board answered on the UDP bridge path at %1 within %2 ms").arg(target).arg(timeoutMs));
    }
    const bool opened = usb->open(uid);
    if (!opened && usb->unknownBoard)
        return refuseUnknown(*usb, QStringLiteral("the board at %1").arg(target));
    if (!opened)
        return refuse(m_timedOut ? QStringLiteral("the board at %1 answered discovery but did not open within the time limit").arg(target)
                                 : QStringLiteral("the board at %1 answered discovery but did not open").arg(target));
    adopt(usb, QStringLiteral("udp"), QStringLiteral("%1:%2").arg(usb->udpPeer().toString()).arg(usb->boardPort()), QString());
    return true;
}

QStringList BoardLink::strangers() const
{
    QStringList others;
    auto *usb = qobject_cast<UsbIo *>(m_link);
    if (!usb || m_asked.isNull())
        return others;
    for (const UsbIo::Peer &p : usb->peers())
        if (!p.address.isEqual(m_asked, QHostAddress::TolerantConversion))
            others << p.address.toString();
    for (const QString &s : usb->strangers())
        if (!others.contains(s.section(QLatin1Char(':'), 0, 0)))
            others << s;
    return others;
}

bool BoardLink::openUsb(const QString &busAddr, int timeoutMs)
{
    int want = -1;
    if (!busAddr.isEmpty()) {
        const QStringList parts = busAddr.split(QLatin1Char(':'));
        const int bus = parts.size() == 2 ? intValue(parts.at(0)) : -1;
        const int addr = parts.size() == 2 ? intValue(parts.at(1)) : -1;
        if (bus < 0 || addr < 0)
            return refuse(QStringLiteral("--usb wants BUS:ADDR, not \"%1\"").arg(busAddr));
        want = (bus << 16) | addr;
    }
    auto *usb = new UsbIo(usbBus(&m_bus), &m_owner);
    m_link = usb;
    // Nothing is asked on the network for a USB board, and the bridge path's port stays free.
    usb->setDiscoveryTarget(QHostAddress());
    usb->setUdpHosts({});
    usb->setLocalPort(0);
    int uid = -1;
    bool noDriver = false;
    QString name;
    // The handler below writes to this function's variables: it ends with it.
    QObject scope;
    QObject::connect(usb, &UsbIo::newDevice, &scope, [&](const QString &n, int id) {
        if (id < 0) // a board without a usable driver
            noDriver = true;
        else if (uid < 0 && (want < 0 || id == want)) {
            uid = id;
            name = n;
        }
    });
    scanEnabled = true;
    DeviceCfg::setCurrent(nullptr);
    if (!scanUntil([usb] { usb->scan(); }, [&] { return uid >= 0 || m_timedOut; }, timeoutMs) || uid < 0) {
        return refuse(noDriver ? QStringLiteral("a USB board was found but it has no usable driver")
                               : QStringLiteral("no USB board found within %1 ms").arg(timeoutMs));
    }
    const bool opened = usb->open(uid);
    if (!opened && usb->unknownBoard)
        return refuseUnknown(*usb, QStringLiteral("the USB board %1").arg(usbAddress(uid)));
    if (!opened)
        return refuse(QStringLiteral("the USB board %1 was found but did not open").arg(usbAddress(uid)));
    adopt(usb, QStringLiteral("usb"), usbAddress(uid), name);
    return true;
}

} // namespace Cli
