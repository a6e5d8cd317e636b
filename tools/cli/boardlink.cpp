#include "boardlink.h"
#include "cliprompt.h"
#include "devices/devicecfg.h"
#include "link/tcpio.h"
#include "link/usbbus.h"
#include "link/usbio.h"
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHostInfo>
#include <QTimer>

namespace Cli {

namespace {
constexpr int RescanMs = 1000;
UsbBus *s_usbBus = nullptr;
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
    p.addOption({QStringLiteral("usb"), QStringLiteral("A board on USB: the first found, or the one at BUS:ADDR.")});
    QCommandLineOption at(QStringLiteral("usb-device"), QStringLiteral("BUS:ADDR of the USB board."), QStringLiteral("BUS:ADDR"));
    at.setFlags(QCommandLineOption::HiddenFromHelp);
    p.addOption(at);
    p.addOption({QStringLiteral("timeout"),
                 QStringLiteral("How long to wait for the board to answer discovery, in ms (3000)."),
                 QStringLiteral("MS")});
}

bool timeoutValue(const Parser &p, int *ms)
{
    *ms = DefaultDiscoveryMs;
    if (!p.isSet(QStringLiteral("timeout")))
        return true;
    *ms = intValue(p.value(QStringLiteral("timeout")));
    if (*ms >= 0)
        return true;
    err(QStringLiteral("--timeout wants a number of milliseconds"));
    return false;
}

void setUsbBus(UsbBus *bus) { s_usbBus = bus; }

UsbBus *usbBus(std::unique_ptr<UsbBus> *own)
{
    if (s_usbBus)
        return s_usbBus;
    *own = makeLibUsbBus();
    return own->get();
}

void portInUse(const char *what, quint16 port)
{
    err(QStringLiteral("UDP port %1 is in use (is Vandor running?); %2").arg(port).arg(QString::fromUtf8(what)));
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

bool scanUntil(const std::function<void()> &scan, const std::function<bool()> &done, int ms)
{
    QDeadlineTimer deadline(ms);
    do {
        scan();
        if (waitFor(done, int(qMin<qint64>(RescanMs, deadline.remainingTime()))))
            return true;
    } while (!deadline.hasExpired());
    return done();
}

QString usbAddress(int uid) { return QStringLiteral("%1:%2").arg(uid >> 16).arg(uid & 0xFFFF); }

BoardLink::BoardLink() = default;

BoardLink::~BoardLink()
{
    if (auto *tcp = qobject_cast<TcpIo *>(m_link))
        tcp->close();
    delete m_link;
    setCurrentLink(nullptr);
}

DevIo *BoardLink::link() const { return m_link; }

static QString hex(quint16 w) { return QStringLiteral("%1").arg(w, 4, 16, QLatin1Char('0')); }

QString BoardLink::summary() const
{
    QString line = QStringLiteral("%1 identity %2 %3 %4").arg(m_description, hex(m_link->word0), hex(m_link->word1), hex(m_link->word2));
    if (DeviceCfg *model = DeviceCfg::current())
        line += QStringLiteral(" model \"%1\"").arg(model->title());
    if (!m_link->versionText.isEmpty())
        line += QStringLiteral(" version \"%1\"").arg(m_link->versionText);
    return line;
}

bool BoardLink::open(const Parser &p)
{
    int timeout = 0;
    if (!timeoutValue(p, &timeout))
        return false;
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
    if (p.isSet(QStringLiteral("udp")))
        return openUdp(p.value(QStringLiteral("udp")), timeout);
    return openUsb(p.value(QStringLiteral("usb-device")), timeout);
}

bool resolve(const QString &target, QHostAddress *address, int *port)
{
    QString host = target;
    *port = -1;
    const int colon = target.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && target.count(QLatin1Char(':')) == 1) {
        *port = intValue(target.mid(colon + 1));
        if (*port <= 0 || *port > 0xFFFF)
            return false;
        host = target.left(colon);
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
    if (tcp->answerPort() == 0) {
        portInUse("no network bridge can answer", TcpIo::configuredAnswerPort());
        return false;
    }
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
    if (!scanUntil([tcp] { tcp->scan(); }, [&uid] { return uid >= 0; }, timeoutMs)) {
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

bool BoardLink::openUdp(const QString &host, int timeoutMs)
{
    QHostAddress address;
    int port = -1;
    if (!resolve(host, &address, &port)) {
        err(QStringLiteral("cannot resolve \"%1\"").arg(host));
        return false;
    }
    // Nothing is looked for on USB.
    m_bus = makeAbsentUsbBus();
    auto *usb = new UsbIo(m_bus.get(), &m_owner);
    m_link = usb;
    if (usb->localPort() == 0) {
        portInUse("no board on the UDP bridge path can answer", UsbIo::configuredLocalPort());
        return false;
    }
    usb->setDiscoveryTarget(address);
    if (port > 0)
        usb->setBoardPort(quint16(port));
    bool connected = false;
    QObject::connect(usb, &UsbIo::connected, usb, [&connected] { connected = true; });
    scanEnabled = true;
    DeviceCfg::setCurrent(nullptr);
    scanUntil([usb] { usb->scan(); }, [&] { return connected || !usb->udpPeer().isNull(); }, timeoutMs);
    // The link opens an answering board by itself; its version query takes at most 500 ms.
    if (!usb->udpPeer().isNull())
        waitFor([&connected] { return connected; }, 2 * int(UsbIo::TimeoutMs) + 100);
    if (!connected) {
        err(usb->udpPeer().isNull() ? QStringLiteral("no board answered on the UDP bridge path at %1 within %2 ms").arg(host).arg(timeoutMs)
                                    : QStringLiteral("the board at %1 did not open").arg(host));
        return false;
    }
    scanEnabled = false;
    setCurrentLink(usb);
    m_description = QStringLiteral("udp %1:%2").arg(usb->udpPeer().toString()).arg(usb->boardPort());
    return true;
}

bool BoardLink::openUsb(const QString &busAddr, int timeoutMs)
{
    int want = -1;
    if (!busAddr.isEmpty()) {
        const QStringList parts = busAddr.split(QLatin1Char(':'));
        const int bus = parts.size() == 2 ? intValue(parts.at(0)) : -1;
        const int addr = parts.size() == 2 ? intValue(parts.at(1)) : -1;
        if (bus < 0 || addr < 0) {
            err(QStringLiteral("--usb wants BUS:ADDR, not \"%1\"").arg(busAddr));
            return false;
        }
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
    QObject::connect(usb, &UsbIo::newDevice, usb, [&](const QString &n, int id) {
        if (id < 0) // a board without a usable driver
            noDriver = true;
        else if (uid < 0 && (want < 0 || id == want)) {
            uid = id;
            name = n;
        }
    });
    scanEnabled = true;
    DeviceCfg::setCurrent(nullptr);
    if (!scanUntil([usb] { usb->scan(); }, [&uid] { return uid >= 0; }, timeoutMs)) {
        err(noDriver ? QStringLiteral("a USB board was found but it has no usable driver")
                     : QStringLiteral("no USB board found within %1 ms").arg(timeoutMs));
        return false;
    }
    if (!usb->open(uid)) {
        err(QStringLiteral("cannot open the USB board %1").arg(usbAddress(uid)));
        return false;
    }
    scanEnabled = false;
    setCurrentLink(usb);
    m_description = QStringLiteral("usb %1 %2").arg(usbAddress(uid), name);
    return true;
}

} // namespace Cli
