#include "fuzz_linkops.h"
#include "fuzz_support.h"
#include "link/devio.h"
#include <vector>

namespace Fuzz {

void linkOperation(DevIo &io, LinkOp op, quint16 address, int length, int dynChunk)
{
    std::vector<quint8> dst(size_t(qMax(length, 0)) + 2, 0x5A);
    quint8 *buf = dst.data() + 1;
    bool ok = false;
    bool takesLength = true;
    switch (op) {
    case LinkOp::ReadCfg:
        ok = io.readCfg(buf, address, length);
        break;
    case LinkOp::ReadNv:
        ok = io.readNvMem(buf, address, length);
        break;
    case LinkOp::ReadDyn: {
        std::vector<quint8> chunk(static_cast<size_t>(dynChunk));
        quint8 n = 0, flags = 0, complete = 0;
        ok = io.readDynCfg(chunk.data(), quint32(address) << 16, &n, &flags, &complete);
        check(!ok || n <= chunk.size());
        takesLength = false;
        break;
    }
    case LinkOp::WriteCfg:
        ok = io.writeCfg(buf, address, length);
        break;
    case LinkOp::WriteNv:
        ok = io.writeNvMem(buf, address, length);
        break;
    case LinkOp::Save:
        ok = io.saveCfg();
        takesLength = false;
        break;
    case LinkOp::WriteSn:
        ok = io.writeSn("123456789012345");
        takesLength = false;
        break;
    case LinkOp::ReadSetup:
        ok = io.readMachineSetup(buf, length);
        break;
    case LinkOp::WriteDyn:
        ok = io.writeDynCfg(buf, quint8(qMax(length, 0)), 1, 0);
        takesLength = false;
        break;
    }
    check(!ok || length >= 0 || !takesLength);
    check(dst.front() == 0x5A && dst.back() == 0x5A);
}

} // namespace Fuzz
