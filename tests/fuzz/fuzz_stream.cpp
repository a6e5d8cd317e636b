// The TCP stream framing: a byte stream cut into segments of sizes the input chooses is
// reassembled into frames, which must be the same frames as from the stream in one piece;
// every frame then goes through every answer check of the stream commands.
#include "fuzz_support.h"
#include "link/streamframe.h"
#include <QVector>
#include <cstring>
#include <vector>

using Fuzz::check;
using namespace StreamFrame;

namespace {

void checkFrame(const QByteArray &frame, quint8 cmdBase, quint16 address, int length)
{
    check(frame.size() >= HeaderSize && frame.size() == HeaderSize + quint8(frame.at(1)));
    Identity id;
    if (checkVersion(frame, &id))
        check(frame.size() == 8 && id.word2 == (quint8(frame.at(6)) | quint8(frame.at(7)) << 8));
    for (quint8 command : {CmdRead, CmdReadNv}) {
        if (!checkRead(command, frame, address, length))
            continue;
        // What the link copies into the caller's buffer of exactly length bytes.
        check(length >= 0 && length <= Wire::MaxData && frame.size() == length + 4);
        std::vector<quint8> dst(size_t(length) + 1);
        if (length > 0)
            memcpy(dst.data(), frame.constData() + 4, size_t(length));
    }
    DynPacket packet;
    if (checkReadDynCfg(frame, &packet))
        check(packet.data.size() <= Wire::MaxData && packet.data.size() == frame.size() - 4);
    QString text;
    if (checkAccess(cmdBase, frame, &text)) {
        check(text.size() <= MaxPayload);
        versionWord(text);
    }
    checkWriteFirmware(cmdBase, frame);
    // The version word of any text the bridge may send; the prefix is what the pattern reads.
    versionWord(QString::fromUtf8(frame.mid(HeaderSize)));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::initApplication();
    return 0;
}

// Input: command base bit, address, length, segment count n, n segment sizes, the stream.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 16)
        return 0;
    Fuzz::Input in(data, size);
    const quint8 cmdBase = (in.byte() & 1) ? BridgeBase : ControllerBase;
    const quint16 address = in.word();
    const int length = int(in.byte() % 66) - 1;
    QVector<int> cuts;
    const int n = in.byte() % 17;
    for (int i = 0; i < n; ++i)
        cuts.append(in.byte());
    const QByteArray stream = in.rest();

    Reassembler whole;
    whole.feed(stream);
    QVector<QByteArray> expected;
    QByteArray f;
    while (whole.take(&f))
        expected.append(f);
    const QByteArray tail = whole.drain();
    check(whole.buffered() == 0);

    // The same stream in segments (size 0 = an empty read), frames taken after every segment.
    if (cuts.count(0) == cuts.size())
        cuts = {1};
    Reassembler parts;
    QVector<QByteArray> got;
    for (int i = 0, pos = 0; pos < stream.size(); ++i) {
        const QByteArray segment = stream.mid(pos, cuts[i % cuts.size()]);
        pos += segment.size();
        parts.feed(segment);
        check(parts.missing() >= 0);
        while (parts.take(&f))
            got.append(f);
    }
    check(got == expected);
    check(parts.drain() == tail);

    QByteArray joined;
    for (const QByteArray &frame : expected) {
        checkFrame(frame, cmdBase, address, length);
        joined += frame;
    }
    check(joined + tail == stream);
    // What is left cannot be a whole frame.
    check(tail.size() < HeaderSize || tail.size() < HeaderSize + quint8(tail.at(1)));
    return 0;
}
