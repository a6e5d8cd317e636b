// The snapshots of one connected board, the machine settled once.
#include "app/snapshotkeeper.h"

bool SnapshotKeeper::take(DeviceCfg *model, const BoardOrigin &origin, const MachineOf &machineOf)
{
    if (!m_machine) {
        m_machine = machineOf(origin, model);
        if (!m_machine)
            return false;
    }
    BoardHistory::Status status = BoardHistory::Status::Failed;
    BoardHistory::takeReported(model, origin, *m_machine, &m_failureTold, &status);
    m_status = status;
    return true;
}
