// Files a technician hands the program. The first input byte chooses:
//   even: a help text file, read into the help map, saved and read back to the same map;
//   odd:  a firmware file sent to a bridge that refuses the block the input names: the header
//         holds the length and the last 32 bytes, the blocks are the file in order, and the
//         transfer stops at the refusal.
#include "base/progress.h"
#include "devices/devicecfg.h"
#include "devices/firmwareupdate.h"
#include "fuzz_support.h"
#include "link/devio.h"
#include <QDir>
#include <QFile>

using Fuzz::check;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

void helpFile(const QByteArray &bytes)
{
    const QString path = Fuzz::scratchPath(QStringLiteral("help_in"));
    const QString copy = Fuzz::scratchPath(QStringLiteral("help_out"));
    check(writeFile(path, bytes));
    DeviceCfg::clearHelpTexts();
    check(DeviceCfg::readHelpFile(path));
    const QMap<quint32, QString> read = DeviceCfg::helpMap();
    check(DeviceCfg::writeHelpFile(copy));
    DeviceCfg::clearHelpTexts();
    check(DeviceCfg::readHelpFile(copy));
    check(DeviceCfg::helpMap() == read);
    DeviceCfg::clearHelpTexts();
}

// A bridge that takes the header and the blocks up to the one it refuses.
class Bridge : public DevIo
{
public:
    int refuse = -1;  // 0 = the header, n = block n; -1 = none
    bool refuseFinish = false;
    QVector<quint16> numbers;
    QVector<QByteArray> blocks;
    bool finished = false;

    bool writeFirmware(quint16 remaining, const QByteArray &block) override
    {
        check(!finished && block.size() <= FirmwareUpdate::BlockSize + 36);
        if (refuse == blocks.size())
            return false;
        numbers.append(remaining);
        blocks.append(block);
        return true;
    }
    bool finishFirmware() override
    {
        finished = true;
        return !refuseFinish;
    }
    bool readCfg(quint8 *, quint16, int) override { return false; }
    bool writeCfg(const quint8 *, quint16, int) override { return false; }
    bool saveCfg() override { return false; }
    bool readNvMem(quint8 *, quint16, int) override { return false; }
    bool writeNvMem(const quint8 *, quint16, int) override { return false; }
    bool writeSn(const char *) override { return false; }
    bool readMachineSetup(quint8 *, int) override { return false; }
    bool writeMachineSetup(const quint8 *, int) override { return false; }
    bool readDynCfg(quint8 *, quint32, quint8 *, quint8 *, quint8 *) override { return false; }
    bool writeDynCfg(const quint8 *, quint8, quint8, quint8) override { return false; }
    bool open(int) override { return false; }
};

void firmwareFile(Fuzz::Input &in)
{
    Bridge bridge;
    const quint8 refuse = in.byte();
    bridge.refuse = refuse == 0xFF ? -1 : refuse;
    bridge.refuseFinish = refuse == 0xFE;
    const QByteArray file = in.rest();
    CountingProgress progress;
    const FirmwareUpdate::Result r = FirmwareUpdate::send(&bridge, file, &progress);
    const int count = FirmwareUpdate::blockCount(file);
    check(r.blocks == count && count * FirmwareUpdate::BlockSize >= file.size());
    check(progress.maximum() == file.size() && progress.value() <= file.size());
    if (r.status == FirmwareUpdate::Result::HeaderRefused) {
        check(bridge.refuse == 0 && bridge.blocks.isEmpty());
        return;
    }
    // The header: the length, then the file's last 32 bytes.
    const QByteArray header = bridge.blocks.value(0);
    check(bridge.numbers.value(0) == FirmwareUpdate::HeaderNumber);
    check(header.size() == 4 + qMin(file.size(), FirmwareUpdate::TrailerSize));
    check(quint32(quint8(header[0]) | quint8(header[1]) << 8 | quint8(header[2]) << 16
                  | quint32(quint8(header[3])) << 24) == quint32(file.size()));
    check(header.mid(4) == file.right(FirmwareUpdate::TrailerSize));
    QByteArray body;
    for (int i = 1; i < bridge.blocks.size(); ++i) {
        check(bridge.blocks[i].size() <= FirmwareUpdate::BlockSize && !bridge.blocks[i].isEmpty());
        check(bridge.numbers[i] == quint16((file.size() - body.size()) & 0xFFFF));
        body += bridge.blocks[i];
    }
    check(file.startsWith(body));
    if (r.status == FirmwareUpdate::Result::BlockRefused) {
        check(r.block == bridge.refuse && r.block == bridge.blocks.size() && !bridge.finished);
        return;
    }
    check(body == file && bridge.finished && bridge.blocks.size() == count + 1);
    check((r.status == FirmwareUpdate::Result::FinishFailed) == bridge.refuseFinish);
    check(progress.value() == file.size());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::initApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 1 << 18)
        return 0;
    Fuzz::Input in(data, size);
    if (in.byte() & 1)
        firmwareFile(in);
    else
        helpFile(in.rest());
    return 0;
}
