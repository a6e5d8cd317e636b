// The machines of the history as the companion uses them: --machine, the machine a board's
// snapshots go to, and snapshots named BOARD/ID (or ID of the machine named).
#pragma once
#include "cli.h"
#include "app/boardhistory.h"

class DeviceCfg;

namespace Cli {

class BoardLink;

// Adds --machine NAME to a command's parser; what: what the option does for the command.
void addMachineOption(Parser &p, const QString &what);
// The machine the opened board's snapshots go to: the one of its identity --machine names (a
// name not yet used makes a new one), else the one the board is recognised as. The companion
// asks nothing: BadInput after a usage line naming the machines when the board cannot tell.
int machineOf(const BoardLink &board, DeviceCfg *model, const QString &name, Machine *machine);
// The machine the opened board is recognised as; false with the reason when it cannot tell.
bool recognised(const BoardLink &board, DeviceCfg *model, Machine *machine, QString *why);
// A dump file or snapshot reference as diff and hexdump take it: an existing file, BOARD/ID as
// history prints it, or ID alone of the machine named machine. Anything else comes back as it
// is, for the file error to name it.
QString dumpPathOf(const QString &reference, const QString &machine);
// The model title a snapshot's side file names, empty for a plain dump file.
QString snapshotTitle(const QString &dumpPath);

} // namespace Cli
