// Finding and opening one board for a board command: the link options (linkoptions.cpp),
// discovery driven by the tool itself with bounded waits on the event loop, the open, and the
// command's deadline.
#pragma once
#include "cli.h"
#include "app/boardhistory.h"
#include <QHostAddress>
#include <QJsonObject>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

class DevIo;
class UsbBus;

namespace Cli {

// Adds --usb, --udp, --tcp, --bridge, the password options and --timeout to a command's parser.
void addLinkOptions(Parser &p);
// Adds --password and --password-file; what: what the password is for.
void addPasswordOptions(Parser &p, const QString &what);
// The bridge password from --password, --password-file or VANDOR_PASSWORD, in that order;
// unset when none is given. False after an error line (a usage or file error).
bool passwordValue(const Parser &p, std::optional<QString> *password);
// The --timeout option's value, DefaultDiscoveryMs when it is not given; false after an error line.
constexpr int DefaultDiscoveryMs = 3000;
bool timeoutValue(const Parser &p, int *ms);
// The VANDOR_* variables the links read: a value that is set but not valid is an error,
// never a silent fallback. False after an error line naming the variable.
bool checkEnvironment();
// The error line for a discovery socket that could not be bound; variable is the one that
// lets the tool run beside the program.
void portInUse(const char *what, quint16 port, const char *variable);

class BoardLink
{
public:
    BoardLink();
    ~BoardLink();
    // Opens the board the options name: Ok, or the exit code after one error line.
    int open(const Parser &p);
    // The same for one link: HOST[:PORT] for the network links, BUS:ADDR (or empty for the
    // first board) on USB. timeoutMs bounds the wait for discovery. False after an error line.
    bool openTcp(const QString &target, bool bridge, int timeoutMs);
    bool openUdp(const QString &target, int timeoutMs);
    bool openUsb(const QString &busAddr, int timeoutMs);
    DevIo *link() const;
    // "tcp 127.0.0.1:10501 Sim 2.0"
    QString description() const { return m_description; }
    // The description, the identity words, the model and the version text when the board has one.
    QString summary() const;
    // The same as one JSON object: link, address, name, kind, opened, identity, model, version.
    QJsonObject json() const;
    // The opened board as its history knows it.
    BoardOrigin origin() const;
    // The error line of the last open that failed.
    QString error() const { return m_error; }

    // From now on the command has ms in all: when they run out the link is closed, so that
    // whatever is in progress fails at once.
    void setDeadline(int ms);
    // Why the board is gone, for an error line: the deadline, a board that stopped answering
    // or a dropped connection. Empty while the board is connected.
    QString lossReason() const;

private:
    // The board answered, but no model accepts its identity words: says so, with the words.
    bool refuseUnknown(const DevIo &link, const QString &who);
    bool refuse(const QString &text);
    // Hosts (or "address:port" senders) on the UDP bridge path that answered without being asked.
    QStringList strangers() const;
    void adopt(DevIo *link, const QString &kind, const QString &address, const QString &name);

    std::unique_ptr<UsbBus> m_bus; // the link's own bus, when it made one
    QObject m_owner;
    DevIo *m_link = nullptr;
    QString m_description;
    QString m_linkKind; // usb, udp, tcp
    QString m_address;  // BUS:ADDR or ADDRESS:PORT
    QString m_name;
    int m_netUid = -1;  // the board's uid on the network link
    QString m_error;
    QHostAddress m_asked;   // the host --udp names
    QTimer m_deadline;
    int m_deadlineMs = 0;
    bool m_timedOut = false;
    bool m_dropped = false;
};

// The USB bus the commands use: the machine's through libusb, unless a test has put its own in
// place (not owned; null gives the machine's back). usbBus() stores a bus it makes in *own.
void setUsbBus(UsbBus *bus);
UsbBus *usbBus(std::unique_ptr<UsbBus> *own);

// Bounded wait: runs the event loop until done() holds or ms have passed.
bool waitFor(const std::function<bool()> &done, int ms);
// Discovery: calls scan() at once and every RescanMs, running the event loop in between,
// until done() holds or ms have passed. False on the time-out.
bool scanUntil(const std::function<void()> &scan, const std::function<bool()> &done, int ms);
// HOST or HOST:PORT without a look-up: false with the reason for an empty host or a port
// out of range (usage errors). port is -1 when not given.
bool splitTarget(const QString &target, QString *host, int *port, QString *error);
// HOST or HOST:PORT to an IPv4 address; false when it cannot be split or resolved.
bool resolve(const QString &target, QHostAddress *address, int *port);
// "BUS:ADDR" of a USB link's uid.
QString usbAddress(int uid);

// A board that answered discovery.
struct Found
{
    enum Link { Usb, Udp, Tcp } link;
    QString target; // BUS:ADDR or ADDRESS:PORT
    QString name;   // as announced
    bool bridge = false;
};
// Every board on USB (when usb), on the UDP bridge path and behind network bridges that
// answers within timeoutMs; the sweep always runs to its end. USB boards first, bridges listed
// as they answered, none opened.
QList<Found> sweep(int timeoutMs, bool usb);

} // namespace Cli
