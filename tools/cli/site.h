// The commands that visit several boards in turn (backup, apply): the boards named by repeated
// link options or found by discovery, each opened, read and kept in its machine's history on
// its own, and one row per board on standard output.
#pragma once
#include "boardlink.h"
#include <QJsonObject>

class DeviceCfg;

namespace Cli {

// Adds the repeatable --tcp, --udp and --usb, --timeout and --json; --all when all.
void addSiteOptions(Parser &p, bool all);
// The boards to visit, in the order the command line names them, or every board discovery
// finds with --all when allowAll (bridges left out: their controllers are the boards). Ok, or
// the exit code after an error line.
int siteTargets(const Parser &p, const QStringList &args, bool allowAll, QList<Found> *targets);
// The --timeout for each board: -1 when not given (discovery then waits DefaultDiscoveryMs).
int siteTimeout(const Parser &p);

// One board's row: what it is, and how its command ended.
struct SiteRow
{
    QString machine;
    QString model;
    QString link;    // usb, udp, tcp
    QString address; // BUS:ADDR or ADDRESS:PORT
    QString result;  // done, unchanged, failed
    QString error;   // why it failed
    QString note;    // what was done, after the result when nothing failed
    QString snapshot; // BOARD/ID of the snapshot taken, when one was
    QJsonObject extra; // more members of the JSON row
    // "\"Bay 1\" \"Marvek ccTalk\" tcp 127.0.0.2:10501 done", "- - tcp 127.0.0.9 failed: why"
    QString text() const;
    QJsonObject json() const;
};
// The row on standard output, as text or one JSON object.
void printRow(const SiteRow &row, bool json);

// A board of a site visit: opened, its configuration read and kept as a snapshot of its machine.
struct Visit
{
    BoardLink board;
    DeviceCfg *model = nullptr;
    Machine machine;
    SiteRow row;
    BoardHistory::Status kept = BoardHistory::Status::Failed;

    // Opens f within timeoutMs (-1: no deadline), reads and keeps the snapshot; false with
    // row.error set when any step fails.
    bool start(const Found &f, int timeoutMs);
    // Reads the configuration again (after a write); false with row.error set.
    bool read(const QString &what);
    // Keeps the configuration as a snapshot; false with row.error set.
    bool keep();
    // Ends the visit with a failure: row.result and row.error.
    bool failed(const QString &why);
};

} // namespace Cli
