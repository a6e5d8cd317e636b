// What the simulator's servers share: the options, the board, the bridge's firmware sink,
// the fault plan and the transcript.
#pragma once
#include "board.h"
#include "dynboard.h"
#include "faults.h"
#include "firmwaresink.h"
#include "simoptions.h"
#include "transcript.h"

struct SimWorld
{
    explicit SimWorld(const SimOptions &o) : options(o), faults(o.faults) {
        board.id = o.id;
        board.serial = o.serial;
        if (o.dyn)
            board.dyn = &dyn;
    }

    SimOptions options;
    SimBoard board;
    SimDynBoard dyn;
    FirmwareSink firmware;
    FaultPlan faults;
    Transcript transcript;
};
