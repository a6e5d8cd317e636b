// The snapshots of one connected board: the machine they go to, settled at the first snapshot,
// and how the last one went. No widgets: the window's session and the companion share it.
#pragma once
#include "app/boardhistory.h"
#include <functional>
#include <optional>

class SnapshotKeeper
{
public:
    // The machine a board's snapshots go to, asked once per board; none: nothing is kept.
    using MachineOf = std::function<std::optional<Machine>(const BoardOrigin &origin, DeviceCfg *model)>;

    // Keeps the model's configuration in the history of the board's machine, which machineOf
    // settles when no snapshot was taken yet; false when it settles none. A history that cannot
    // be written is told through the prompt once per keeper, and the work goes on (true).
    bool take(DeviceCfg *model, const BoardOrigin &origin, const MachineOf &machineOf);
    // Another board (or the same one again): its machine is settled anew.
    void forgetMachine() { m_machine.reset(); }
    void forgetStatus() { m_status.reset(); }

    const std::optional<Machine> &machine() const { return m_machine; }
    // The last snapshot's outcome, once one was taken.
    const std::optional<BoardHistory::Status> &status() const { return m_status; }

private:
    std::optional<Machine> m_machine;
    std::optional<BoardHistory::Status> m_status;
    bool m_failureTold = false;
};
