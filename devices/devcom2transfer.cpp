// The board transfers of the registry, packet by packet over a DevIo.
#include "devices/devcom2transfer.h"
#include "base/logging.h"
#include "link/devio.h"
#include "registry/cfgpar.h"
#include "registry/cfgstream.h"
#include "registry/uid.h"
#include <QCoreApplication>
#include <QVector>
#include <memory>

namespace {

constexpr quint8 AnswerLast = 0x01;  // flags: the list ends with this packet
constexpr quint8 AnswerError = 0x02; // flags: the board reports an error
constexpr quint8 MarkerFirst = 1;
constexpr quint8 MarkerNext = 2;

// The packets of one list as they came, until the whole list is known to be within bounds.
struct HeldPacket
{
    QByteArray data;
    int complete;
};

bool writeStream(DevIo *io, CfgStream &s, bool pumpEvents)
{
    bool ok = true;
    quint8 chunk[DynTransfer::Chunk];
    quint8 marker = MarkerFirst;
    do {
        const int n = s.writeChunk(chunk, DynTransfer::Chunk);
        if (!io->writeDynCfg(chunk, quint8(n), marker, quint8(s.complete())))
            ok = false;
        marker = MarkerNext;
        if (pumpEvents)
            QCoreApplication::processEvents();
    } while (s.hasMore());
    return ok && !s.failed();
}

} // namespace

DynReadResult DynTransfer::readDescription(DevIo *io)
{
    DynReadResult result;
    CfgStream s(CfgStream::Describe);
    // Room for any length byte a link might report.
    quint8 packet[256];
    for (quint32 prefix : {Uid::List1, Uid::List2, Uid::List3}) {
        // Counts the list's records as they arrive; the list is read into the registry (s) only
        // once it has ended, from the packets held meanwhile (at most MaxPacketsPerList of 255).
        auto check = std::make_unique<CfgStream>(CfgStream::Describe | CfgStream::CheckOnly);
        QVector<HeldPacket> held;
        bool &transferError = prefix == Uid::List1 ? result.list1TransferError : result.transferError;
        quint32 selector = prefix;
        int restarts = 0;
        for (int n = 0;; ++n) {
            if (n == MaxPacketsPerList) {
                qCDebug(lcRegistry, "List %x does not end", prefix);
                transferError = true;
                break;
            }
            quint8 length = 0, flags = 0, complete = 0;
            const bool ok = io->readDynCfg(packet, selector, &length, &flags, &complete);
            const bool nextPacket = selector == 0;
            selector = 0;
            if (!ok && nextPacket && restarts + 1 < DevIo::MaxAttempts && io->linkUp()) {
                // The board hands out each next packet once: a lost one is had by reading the
                // list again from its start. Its records describe the same parameters again.
                ++restarts;
                qCDebug(lcRegistry, "Retry list %x from its start (attempt %d of %d)", prefix, restarts + 1,
                        DevIo::MaxAttempts);
                check = std::make_unique<CfgStream>(CfgStream::Describe | CfgStream::CheckOnly);
                held.clear();
                selector = prefix;
                n = -1;
                continue;
            }
            if (!ok) {
                transferError = true;
                break;
            }
            if (flags & AnswerError)
                transferError = true;
            check->readChunk(packet, length, complete);
            held.append({QByteArray(reinterpret_cast<const char *>(packet), length), complete});
            QCoreApplication::processEvents();
            if (check->failed()) {
                result.streamError = true;
                return result;
            }
            if (check->records() > CfgPar::MaxPerList) {
                qCDebug(lcRegistry, "List %x describes more than %d parameters: refused", prefix, CfgPar::MaxPerList);
                result.tooLarge = true;
                return result;
            }
            if (flags & AnswerLast) {
                // A list ends on a record boundary; a record left half-way is lost.
                if (check->carried() > 0) {
                    qCDebug(lcRegistry, "List %x ends inside a record", prefix);
                    transferError = true;
                }
                break;
            }
        }
        s.resetCarry();
        s.setFlags(CfgStream::Describe);
        for (const HeldPacket &p : qAsConst(held))
            s.readChunk(reinterpret_cast<const quint8 *>(p.data.constData()), p.data.size(), p.complete);
        if (s.failed()) {
            // The registry is full (boards described one after another).
            result.streamError = true;
            return result;
        }
    }
    return result;
}

bool DynTransfer::writeConfig(DevIo *io, bool pumpEvents)
{
    CfgStream s;
    s.startList(Uid::List1);
    // One proof for the whole list on a link whose writes are not acknowledged one by one.
    io->beginBatch();
    const bool sent = writeStream(io, s, pumpEvents);
    return io->endBatch() && sent;
}

bool DynTransfer::writeParameter(DevIo *io, quint32 uid)
{
    CfgStream s;
    s.startOne(uid);
    return writeStream(io, s, false);
}
