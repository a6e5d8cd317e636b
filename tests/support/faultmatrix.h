// The table of the link fault tests: every operation crossed with every fault, what a cell
// expects, and the checks every cell ends with. Each link's test runs the cells it can make.
#pragma once
#include "base/progress.h"
#include "devices/devmarvek2_0.h"
#include "devices/firmwareupdate.h"
#include "link/devio.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace FaultMatrix {

enum class Op { Open, WholeRead, SingleChange, WriteAll, TextPool, Store, Firmware };
enum class Fault { Dropped, Late, Direction, Address, Split, Closed };

inline const char *name(Op op)
{
    static const char *const names[] = {"open", "whole read", "single change", "write-all", "text pool write",
                                        "store", "firmware transfer"};
    return names[int(op)];
}

inline const char *name(Fault fault)
{
    static const char *const names[] = {"answer dropped", "answer late", "direction corrupted", "address corrupted",
                                        "one byte per segment", "connection closed"};
    return names[int(fault)];
}

constexpr Op AllOps[] = {Op::Open, Op::WholeRead, Op::SingleChange, Op::WriteAll, Op::TextPool, Op::Store, Op::Firmware};
constexpr Fault AllFaults[] = {Fault::Dropped, Fault::Late, Fault::Direction, Fault::Address, Fault::Split, Fault::Closed};

// The rows of a link's cells test, columns "op" and "fault": every operation crossed with every
// fault, less the firmware transfer on a link that carries none and the split answer on one
// whose packets always arrive whole.
inline void addCells(bool firmware, bool split)
{
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("fault");
    for (Op op : AllOps) {
        if (op == Op::Firmware && !firmware)
            continue;
        for (Fault fault : AllFaults)
            if (fault != Fault::Split || split)
                QTest::addRow("%s, %s", name(op), name(fault)) << int(op) << int(fault);
    }
}

// A fault that hits one answer of an operation is survived where the request may be asked again:
// every operation but the store on a link that acknowledges it (its answer is not asked for
// twice) and a firmware block. A split answer is reassembled; a closed connection ends the
// operation. Only the answers of reads echo an address, and reads are asked again.
inline bool recovers(Op op, Fault fault, bool storeProvedByQuery)
{
    if (fault == Fault::Closed)
        return false;
    if (fault == Fault::Split || fault == Fault::Address)
        return true;
    if (op == Op::Firmware)
        return false;
    if (op == Op::Store)
        return storeProvedByQuery;
    return true;
}

// A word of the page, far from the text pool.
constexpr int ChangedWord = 7170;
// The used part of the text pool a text pool write sends.
constexpr int TextBytes = 600;
// The bytes of the image that are ever sent (the check words at the end never are).
constexpr int WriteEnd = 8184;

// What the board holds when a cell starts: a pattern unlike an erased board.
inline QByteArray startImage()
{
    QByteArray b(8192, '\0');
    for (int i = 0; i < b.size(); ++i)
        b[i] = char((i * 7 + (i >> 8)) & 0xFF);
    return b;
}

inline QString writeStartImage(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("start.bin"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(startImage()) != 8192)
        return QString();
    return path;
}

// The image the program means the board to hold after op, and the bytes op sends.
inline QByteArray intended(Op op)
{
    QByteArray b = startImage();
    switch (op) {
    case Op::SingleChange:
        b[ChangedWord] = char(0x5A);
        b[ChangedWord + 1] = char(0x00);
        break;
    case Op::WriteAll:
        for (int i = 0; i < WriteEnd; i += 97)
            b[i] = char(~quint8(b[i]));
        break;
    case Op::TextPool:
        for (int i = 0; i < TextBytes; ++i)
            b[i] = char('a' + i % 26);
        break;
    default:
        break;
    }
    return b;
}

inline QByteArray firmwareFile()
{
    QByteArray b(700, '\0');
    for (int i = 0; i < b.size(); ++i)
        b[i] = char((i * 13) & 0xFF);
    return b;
}

// Runs op (not Open) on the current link with the model's image set to what op means to
// send; true when the operation reports success.
inline bool run(Op op, DevMarvek2_0 &model, DevIo &link)
{
    CountingProgress progress;
    const QByteArray want = intended(op);
    if (op != Op::WholeRead)
        memcpy(model.image(), want.constData(), size_t(want.size()));
    switch (op) {
    case Op::WholeRead:
        memset(model.image(), 0xFF, 8192);
        return !model.readDevice(&progress);
    case Op::SingleChange:
        return model.changed(ChangedWord, 2);
    case Op::WriteAll:
        return model.writeDevice(&progress);
    case Op::TextPool:
        return model.writeTexts(&progress, TextBytes);
    case Op::Store:
        return link.saveCfg();
    case Op::Firmware:
        return FirmwareUpdate::send(&link, firmwareFile(), &progress).status == FirmwareUpdate::Result::Done;
    case Op::Open:
        break;
    }
    return false;
}

// The board holds nothing the program did not mean to write: every byte is as it was or as
// op meant it; after a successful op every byte op sent is there, and a whole read brought
// the board's image.
inline void checkBoard(Op op, bool succeeded, const QByteArray &board, DevMarvek2_0 &model)
{
    QCOMPARE(board.size(), 8192);
    const QByteArray before = startImage();
    const QByteArray want = intended(op);
    for (int i = 0; i < WriteEnd; ++i) {
        if (board[i] != before[i] && board[i] != want[i])
            QFAIL(qPrintable(QStringLiteral("byte %1 holds %2, neither %3 nor %4")
                                 .arg(i)
                                 .arg(quint8(board[i]), 2, 16, QLatin1Char('0'))
                                 .arg(quint8(before[i]), 2, 16, QLatin1Char('0'))
                                 .arg(quint8(want[i]), 2, 16, QLatin1Char('0'))));
    }
    if (!succeeded)
        return;
    if (op == Op::WholeRead)
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(model.image()), WriteEnd), board.left(WriteEnd));
    else
        QCOMPARE(board.left(WriteEnd), want.left(WriteEnd));
}

// The operation after the fault: a read of the changed word, as the board holds it.
inline void checkNextRead(DevIo &link, const QByteArray &board)
{
    quint8 buf[2] = {0, 0};
    QVERIFY(link.readCfg(buf, ChangedWord, 2));
    QCOMPARE(buf[0], quint8(board[ChangedWord]));
    QCOMPARE(buf[1], quint8(board[ChangedWord + 1]));
}

} // namespace FaultMatrix
