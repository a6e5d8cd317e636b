// Firmware header: the file length (u32) and the file's last 32 bytes (fewer for a short file).
// Blocks: the file from byte 0, each with the number of bytes still to send, cut to 16 bits.
#include "firmwaresink.h"
#include "bytes.h"

using namespace simbytes;

namespace {
constexpr int TrailerSize = 32;
}

bool FirmwareSink::looksLikeHeader(const QByteArray &block) const
{
    if (block.size() < 5)
        return false;
    const quint32 length = u32(block, 0);
    return length >= 1 && block.size() == 4 + int(qMin<quint32>(length, TrailerSize));
}

FirmwareSink::Result FirmwareSink::accept(quint8 stage)
{
    Result r;
    r.accepted = true;
    r.payload.append(char(0));
    r.payload.append(char(stage));
    put32(r.payload, quint32(received.size()));
    return r;
}

FirmwareSink::Result FirmwareSink::refuse(Refusal why, const QString &what)
{
    lines << QStringLiteral("refused %1").arg(what);
    Result r;
    r.payload.append(char(why));
    return r;
}

FirmwareSink::Result FirmwareSink::write(quint16 remaining, const QByteArray &block)
{
    const quint16 expected = quint16((declared - quint32(received.size())) & 0xFFFF);
    const bool isBlock = headerSeen && remaining == expected;
    if (!isBlock) {
        // Not the next block: only a header (a new transfer) is acceptable here.
        if (!looksLikeHeader(block))
            return refuse(headerSeen ? BadRemaining : BadHeader,
                          QStringLiteral("remaining=%1 length=%2").arg(remaining).arg(block.size()));
        headerSeen = everStarted = true;
        declared = u32(block, 0);
        trailer = block.mid(4);
        received.clear();
        lines << QStringLiteral("header length=%1 trailer=%2")
                     .arg(declared)
                     .arg(QString::fromLatin1(trailer.toHex()));
        return accept(0);
    }
    if (block.isEmpty())
        return refuse(EmptyBlock, QStringLiteral("remaining=%1 length=0").arg(remaining));
    if (quint32(received.size()) + quint32(block.size()) > declared)
        return refuse(TooLong, QStringLiteral("remaining=%1 length=%2").arg(remaining).arg(block.size()));
    received += block;
    lines << QStringLiteral("block remaining=%1 length=%2 received=%3")
                 .arg(remaining)
                 .arg(block.size())
                 .arg(received.size());
    return accept(1);
}

void FirmwareSink::finish()
{
    if (!headerSeen) {
        lines << QStringLiteral("finish without header");
        return;
    }
    const bool complete = quint32(received.size()) == declared;
    const bool trailerOk = received.right(TrailerSize) == trailer;
    lines << QStringLiteral("finish received=%1 of %2 %3 %4")
                 .arg(received.size())
                 .arg(declared)
                 .arg(complete ? QStringLiteral("complete") : QStringLiteral("incomplete"))
                 .arg(trailerOk ? QStringLiteral("trailer-ok") : QStringLiteral("trailer-mismatch"));
    headerSeen = false;
}
