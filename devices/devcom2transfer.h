// Transfers between the registry and a board that describes its own configuration: reading
// the description of lists 1-3, writing list 1 back, writing one parameter.
#pragma once
#include <QtGlobal>

class DevIo;

struct DynReadResult
{
    // The description was corrupt (truncated or unknown record): the read failed.
    bool streamError = false;
    // A packet failed or the board flagged an error answer, in list 1 and in lists 2-3.
    bool list1TransferError = false;
    bool transferError = false;
    // A list described more than CfgPar::MaxPerList parameters: nothing of it was kept.
    bool tooLarge = false;
    // Any of the four: the registry may not hold the board's whole configuration.
    bool failed() const { return streamError || list1TransferError || transferError || tooLarge; }
};

namespace DynTransfer {

// Packets a list may take at most; a board that never ends its list ends it here.
constexpr int MaxPacketsPerList = 8192;
constexpr int Chunk = 60;

// Reads lists 1, 2 and 3 in describe mode, creating or updating their parameters. The event
// loop runs after every packet. A failed packet ends its list (its data cannot be trusted).
// Each list is checked as it arrives and reaches the registry only once it has ended within
// bounds: a list of more than CfgPar::MaxPerList records ends the read at once (tooLarge).
DynReadResult readDescription(DevIo *io);
// Sends list 1 in value mode in 60-byte chunks, pumping events after each when asked.
// True when every chunk was accepted by the link.
bool writeConfig(DevIo *io, bool pumpEvents = true);
// Sends the one parameter uid (a single 0-byte chunk when it is not in its list).
bool writeParameter(DevIo *io, quint32 uid);

} // namespace DynTransfer
