// Finding and opening one board for a board command: the link options, discovery driven by
// the tool itself with bounded waits on the event loop, and the open.
#pragma once
#include "cli.h"
#include <QObject>
#include <memory>

class DevIo;
class QHostAddress;
class UsbBus;

namespace Cli {

// Adds --usb, --udp, --tcp, --bridge, --password and --timeout to a command's parser.
void addLinkOptions(Parser &p);
// The --timeout option's value, DefaultDiscoveryMs when it is not given; false after an error line.
constexpr int DefaultDiscoveryMs = 3000;
bool timeoutValue(const Parser &p, int *ms);
// The error line for a discovery socket that could not be bound.
void portInUse(const char *what, quint16 port);

class BoardLink
{
public:
    BoardLink();
    ~BoardLink();
    // Opens the board the options name; false after one error line.
    bool open(const Parser &p);
    // The same for one link: HOST[:PORT] for the network links, BUS:ADDR (or empty for the
    // first board) on USB. timeoutMs bounds the wait for discovery.
    bool openTcp(const QString &host, bool bridge, int timeoutMs);
    bool openUdp(const QString &host, int timeoutMs);
    bool openUsb(const QString &busAddr, int timeoutMs);
    DevIo *link() const;
    // "tcp 127.0.0.1:10501 Sim 2.0"
    QString description() const { return m_description; }
    // The description, the identity words, the model and the version text when the board has one.
    QString summary() const;

private:
    std::unique_ptr<UsbBus> m_bus; // the link's own bus, when it made one
    QObject m_owner;
    DevIo *m_link = nullptr;
    QString m_description;
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
// HOST or HOST:PORT (port -1 when not given) to an IPv4 address; false when it cannot be resolved.
bool resolve(const QString &target, QHostAddress *address, int *port);
// "BUS:ADDR" of a USB link's uid.
QString usbAddress(int uid);

} // namespace Cli
