// Finding and opening one board for a board command: the link options, discovery driven by
// the tool itself with bounded waits on the event loop, and the open.
#pragma once
#include "cli.h"
#include <QObject>
#include <memory>

class DevIo;

namespace Cli {

// Adds --usb, --udp, --tcp, --bridge, --password and --timeout to a command's parser.
void addLinkOptions(Parser &p);

class BoardLink
{
public:
    BoardLink();
    ~BoardLink();
    // Opens the board the options name; false after one error line.
    bool open(const Parser &p);
    DevIo *link() const;
    // "tcp 127.0.0.1:10501 Sim 2.0"
    QString description() const { return m_description; }

private:
    bool openTcp(const QString &host, bool bridge, int timeoutMs);
    bool openUdp(const QString &host, int timeoutMs);
    bool openUsb(const QString &busAddr, int timeoutMs);
    QObject m_owner;
    DevIo *m_link = nullptr;
    QString m_description;
};

// Bounded wait: runs the event loop until done() holds or ms have passed.
bool waitFor(const std::function<bool()> &done, int ms);

} // namespace Cli
