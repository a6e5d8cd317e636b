// The simulator's own parsers: its answers to requests of either framing, with and without the
// self-describing board, and its description files. The first input byte chooses:
//   0: packet requests (a length byte, then the request), as the UDP path hands them over;
//   1: stream requests (a command byte, a length byte, the payload), as the TCP path does;
//   2: a description file, loaded and then read out in describe mode and as a dump.
// Bit 2 of the first byte attaches the self-describing board.
#include "fuzz_support.h"
#include "sim/board.h"
#include "sim/dynboard.h"
#include <QFile>

using Fuzz::check;

namespace {
constexpr int MaxPacket = 64;     // what the UDP path takes
constexpr int MaxStreamAnswer = 2 + 255;

// Reads every list of the board as the program does, a bounded number of packets each.
void readAll(SimBoard &board)
{
    for (quint32 prefix : {0x40000000u, 0x80000000u, 0xC0000000u}) {
        QByteArray selector(4, '\0');
        selector[3] = char(prefix >> 24);
        for (int n = 0; n < 8192; ++n) {
            const QByteArray a = board.streamAnswer(0x04, selector);
            check(a.size() >= 4 && a.size() <= MaxStreamAnswer && quint8(a.at(1)) == a.size() - 2);
            if (quint8(a.at(2)) & 1)
                break;
            selector = QByteArray(4, '\0');
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::initApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 1 << 16)
        return 0;
    Fuzz::Input in(data, size);
    const quint8 pick = in.byte();
    SimBoard board;
    SimDynBoard dyn;
    if (pick & 4)
        board.dyn = &dyn;
    switch (pick % 3) {
    case 0:
        for (int n = 0; n < 256 && !in.atEnd(); ++n) {
            const QByteArray rq = in.bytes(in.byte() % (MaxPacket + 1));
            if (rq.isEmpty())
                continue;
            const QByteArray a = board.packetAnswer(rq);
            check(a.size() <= MaxPacket);
        }
        break;
    case 1:
        for (int n = 0; n < 256 && !in.atEnd(); ++n) {
            const quint8 command = in.byte() % 0xE0;
            const QByteArray a = board.streamAnswer(command, in.bytes(in.byte()));
            check(a.size() <= MaxStreamAnswer && (a.isEmpty() || (a.size() >= 2 && quint8(a.at(1)) == a.size() - 2)));
        }
        break;
    default: {
        const QString path = Fuzz::scratchPath(QStringLiteral("describe.txt"));
        {
            QFile f(path);
            check(f.open(QIODevice::WriteOnly) && f.write(in.rest()) >= 0);
        }
        QString error;
        if (dyn.loadDescription(path, error)) {
            board.dyn = &dyn;
            readAll(board);
            check(dyn.dump().startsWith(QByteArray("DevCom2", 8)));
        } else {
            check(!error.isEmpty());
        }
        break;
    }
    }
    return 0;
}
