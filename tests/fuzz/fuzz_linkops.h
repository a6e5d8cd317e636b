// One operation of a board link on fuzzed address and length, into a buffer with a guard byte
// on each side: the link targets share it so that every link is held to the same invariants.
#pragma once
#include <QtGlobal>

class DevIo;

namespace Fuzz {

enum class LinkOp { ReadCfg, ReadNv, ReadDyn, WriteCfg, WriteNv, Save, WriteSn, ReadSetup, WriteDyn };

// Runs op on io; aborts when the link writes past the buffer it was given (the dynamic read's
// buffer holds dynChunk bytes) or reports success for a length no operation can take.
void linkOperation(DevIo &io, LinkOp op, quint16 address, int length, int dynChunk);

} // namespace Fuzz
