#include "boardlink.h"
#include "cliprompt.h"
#include "devices/devicecfg.h"
#include "link/tcpio.h"
#include "link/usbbus.h"
#include "link/usbio.h"
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostInfo>
#include <QJsonArray>
#include <QUdpSocket>

namespace Cli {

namespace {
constexpr int RescanMs = 1000;
UsbBus *s_usbBus = nullptr;

QString hex(quint16 w) { return QStringLiteral("%1").arg(w, 4, 16, QLatin1Char('0')); }
} // namespace

void addPasswordOptions(Parser &p, const QString &what)
{
    p.addOption({QStringLiteral("password"),
                 QStringLiteral("The bridge's access password, %1. Visible to other users in the process "
                                "list: prefer --password-file or VANDOR_PASSWORD.")
                     .arg(what),
                 QStringLiteral("PW")});
    p.addOption({QStringLiteral("password-file"),
                 QStringLiteral("Read the access password from the first line of FILE."), QStringLiteral("FILE")});
}

void addLinkOptions(Parser &p)
{
    p.addOption({QStringLiteral("tcp"), QStringLiteral("The board behind the network bridge at HOST[:PORT]."),
                 QStringLiteral("HOST")});
    p.addOption({QStringLiteral("bridge"), QStringLiteral("With --tcp: open the bridge board itself.")});
    addPasswordOptions(p, QStringLiteral("with --bridge"));
    p.addOption({QStringLiteral("udp"), QStringLiteral("The board on the UDP bridge path at HOST[:PORT]."),
                 QStringLiteral("HOST")});
    p.addOption({QStringLiteral("usb"), QStringLiteral("A board on USB: the first found, or the one at BUS:ADDR.")});
    QCommandLineOption at(QStringLiteral("usb-device"), QStringLiteral("BUS:ADDR of the USB board."), QStringLiteral("BUS:ADDR"));
    at.setFlags(QCommandLineOption::HiddenFromHelp);
    p.addOption(at);
    p.addOption({QStringLiteral("timeout"),
                 QStringLiteral("The whole command ends within MS ms, discovery included. Without it "
                                "discovery waits 3000 ms and a transfer gives up once %1 operations in "
                                "a row have failed.")
                     .arg(DevIo::MaxFailures),
                 QStringLiteral("MS")});
}

bool passwordValue(const Parser &p, std::optional<QString> *password)
{
    password->reset();
    if (p.isSet(QStringLiteral("password"))) {
        *password = p.value(QStringLiteral("password"));
        return true;
    }
    if (p.isSet(QStringLiteral("password-file"))) {
        const QString path = p.value(QStringLiteral("password-file"));
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            err(QStringLiteral("cannot read the password file %1: %2").arg(path, f.errorString()));
            return false;
        }
        QByteArray line = f.readLine(4096);
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        *password = QString::fromUtf8(line);
        return true;
    }
    if (qEnvironmentVariableIsSet("VANDOR_PASSWORD"))
        *password = qEnvironmentVariable("VANDOR_PASSWORD");
    return true;
}

bool timeoutValue(const Parser &p, int *ms)
{
    *ms = DefaultDiscoveryMs;
    if (!p.isSet(QStringLiteral("timeout")))
        return true;
    *ms = intValue(p.value(QStringLiteral("timeout")));
    // No time at all would fail every board before it could answer: a slip, not a wish.
    if (*ms > 0)
        return true;
    err(QStringLiteral("--timeout wants a positive number of milliseconds, not \"%1\"").arg(p.value(QStringLiteral("timeout"))));
    return false;
}

bool checkEnvironment()
{
    const struct
    {
        const char *name;
        int lowest;
    } ports[] = {{"VANDOR_UDP_BOARD_PORT", 1}, {"VANDOR_UDP_LOCAL_PORT", 0}, {"VANDOR_NET_PORT", 1},
                 {"VANDOR_NET_ANSWER_PORT", 0}};
    for (const auto &v : ports) {
        const QString text = qEnvironmentVariable(v.name).trimmed();
        if (text.isEmpty())
            continue;
        bool ok = false;
        const uint n = text.toUInt(&ok, 10);
        if (!ok || int(n) < v.lowest || n > 0xFFFF) {
            err(QStringLiteral("%1=\"%2\" is not a port number (%3-65535)").arg(QString::fromLatin1(v.name), text).arg(v.lowest));
            return false;
        }
    }
    const char *targets[] = {"VANDOR_UDP_TARGET", "VANDOR_NET_TARGET"};
    for (const char *name : targets) {
        const QString text = qEnvironmentVariable(name).trimmed();
        if (text.isEmpty())
            continue;
        const QHostAddress a(text);
        if (a.protocol() != QAbstractSocket::IPv4Protocol) {
            err(QStringLiteral("%1=\"%2\" is not an IPv4 address").arg(QString::fromLatin1(name), text));
            return false;
        }
    }
    return true;
}

void setUsbBus(UsbBus *bus) { s_usbBus = bus; }

UsbBus *usbBus(std::unique_ptr<UsbBus> *own)
{
    if (s_usbBus)
        return s_usbBus;
    *own = makeLibUsbBus();
    return own->get();
}

void portInUse(const char *what, quint16 port, const char *variable)
{
    err(QStringLiteral("UDP port %1 is in use (is Vandor running? %2=0 lets this tool run beside it); %3")
            .arg(port)
            .arg(QString::fromLatin1(variable), QString::fromUtf8(what)));
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

bool splitTarget(const QString &target, QString *host, int *port, QString *error)
{
    *host = target.trimmed();
    *port = -1;
    const int colon = host->lastIndexOf(QLatin1Char(':'));
    if (colon >= 0 && host->count(QLatin1Char(':')) == 1) {
        const QString digits = host->mid(colon + 1);
        bool ok = false;
        const uint n = digits.toUInt(&ok, 10);
        if (!ok || n < 1 || n > 0xFFFF) {
            *error = QStringLiteral("the port in \"%1\" is not a port number (1-65535)").arg(target);
            return false;
        }
        *port = int(n);
        host->truncate(colon);
    }
    if (host->isEmpty()) {
        *error = QStringLiteral("no host in \"%1\"").arg(target);
        return false;
    }
    return true;
}

bool resolve(const QString &target, QHostAddress *address, int *port)
{
    QString host, error;
    if (!splitTarget(target, &host, port, &error))
        return false;
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
    BoardOrigin o;
    if (DeviceCfg *model = DeviceCfg::current())
        o.title = model->title();
    o.words[0] = m_link->word0;
    o.words[1] = m_link->word1;
    o.words[2] = m_link->word2;
    o.link = m_linkKind;
    if (m_linkKind == QLatin1String("tcp")) {
        o.path = QStringLiteral("network bridge, %1").arg(m_address.section(QLatin1Char(':'), 0, 0));
        o.controller = m_name;
    } else if (m_linkKind == QLatin1String("udp")) {
        o.path = QStringLiteral("UDP bridge path, %1").arg(m_address.section(QLatin1Char(':'), 0, 0));
    } else {
        o.path = QStringLiteral("USB");
    }
    return o;
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
