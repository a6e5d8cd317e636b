#include "devices/firmwareupdate.h"
#include "base/progress.h"
#include "link/devio.h"

namespace FirmwareUpdate {

QByteArray header(const QByteArray &file)
{
    const quint32 length = quint32(file.size());
    QByteArray h;
    for (int shift = 0; shift < 32; shift += 8)
        h.append(char((length >> shift) & 0xFF));
    h.append(file.right(TrailerSize));
    return h;
}

quint16 remainingAt(const QByteArray &file, int offset) { return quint16((file.size() - offset) & 0xFFFF); }

int blockCount(const QByteArray &file) { return (file.size() + BlockSize - 1) / BlockSize; }

Result send(DevIo *link, const QByteArray &file, Progress *progress)
{
    Result r;
    r.blocks = blockCount(file);
    if (progress) {
        progress->setMaximum(file.size());
        progress->setValue(0);
    }
    if (!link || !link->writeFirmware(HeaderNumber, header(file))) {
        r.status = Result::HeaderRefused;
        return r;
    }
    for (int offset = 0, block = 1; offset < file.size(); offset += BlockSize, ++block) {
        const QByteArray chunk = file.mid(offset, BlockSize);
        if (!link->writeFirmware(remainingAt(file, offset), chunk)) {
            r.status = Result::BlockRefused;
            r.block = block;
            return r;
        }
        if (progress)
            progress->setValue(offset + chunk.size());
    }
    if (!link->finishFirmware())
        r.status = Result::FinishFailed;
    return r;
}

}  // namespace FirmwareUpdate
