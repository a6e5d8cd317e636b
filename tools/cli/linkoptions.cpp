// The link options of the board commands and the waits they share: passwords, the time-out,
// the VANDOR_* variables, bounded waits on the event loop and HOST[:PORT] targets.
#include "boardlink.h"
#include "link/devio.h"
#include "link/usbbus.h"
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostInfo>

namespace Cli {

namespace {
constexpr int RescanMs = 1000;
UsbBus *s_usbBus = nullptr;
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

} // namespace Cli
