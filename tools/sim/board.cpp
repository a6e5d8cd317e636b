// Answers of the simulated controller, one table row per request kind of each framing.
#include "board.h"
#include "bytes.h"
#include "dynboard.h"

using namespace simbytes;

namespace {

constexpr char Request = 0x00;
constexpr char Answer = 0x02;

QByteArray pair(char first, char second)
{
    QByteArray b;
    b.append(first);
    b.append(second);
    return b;
}

QByteArray refuse(const QByteArray &request)
{
    return pair(request.at(0), Request);
}

QByteArray packetHead(const QByteArray &request)
{
    return pair(request.at(0), Answer);
}

} // namespace

SimBoard::SimBoard()
    : image(ImageSize, char(0xFF)), nv(NvSize, char(0xFF)), setup(SetupSize, char(0xFF))
{
}

QByteArray SimBoard::identity() const
{
    QByteArray a;
    for (quint16 w : id)
        put16(a, w);
    return a;
}

bool SimBoard::inRange(int address, int length, int size) const
{
    return length >= 0 && length <= MaxChunk && address >= 0 && address + length <= size;
}

QByteArray SimBoard::readRange(const QByteArray &mem, int address, int length) const
{
    return mem.mid(address, length);
}

void SimBoard::writeRange(QByteArray &mem, int address, const QByteArray &data)
{
    mem.replace(address, data.size(), data);
}

QByteArray SimBoard::packetAnswer(const QByteArray &rq)
{
    if (rq.size() < 2 || rq.at(1) != Request)
        return {};
    const quint8 code = quint8(rq.at(0));
    if (dyn && (code == 0x03 || code == 0x04))
        return dyn->packetAnswer(rq);

    // Reads carry address and length; writes carry address and data.
    auto readMem = [&](QByteArray &mem) -> QByteArray {
        const int address = u16(rq, 2), length = u16(rq, 4);
        if (length == 0 || !inRange(address, length, mem.size()))
            return refuse(rq);
        QByteArray a = packetHead(rq);
        put16(a, quint16(address));
        a.append(readRange(mem, address, length));
        return a;
    };
    auto writeMem = [&](QByteArray &mem) -> QByteArray {
        const int address = u16(rq, 2);
        const QByteArray data = rq.mid(4);
        if (!inRange(address, data.size(), mem.size()))
            return refuse(rq);
        writeRange(mem, address, data);
        return packetHead(rq);
    };

    switch (code) {
    case 0x01:
        if (rq.size() != 2)
            return refuse(rq);
        return packetHead(rq).append(identity());
    case 0x03:
        return rq.size() == 6 ? readMem(image) : refuse(rq);
    case 0x04:
        return rq.size() >= 4 ? writeMem(image) : refuse(rq);
    case 0x05:
        if (rq.size() != 2)
            return refuse(rq);
        ++saveCount;
        stored = image;
        return packetHead(rq);
    case 0x06:
        return rq.size() == 6 ? readMem(nv) : refuse(rq);
    case 0x07:
        return rq.size() >= 4 ? writeMem(nv) : refuse(rq);
    case 0x08: {
        QByteArray a = packetHead(rq);
        // The field must be 16 bytes and zero-terminated; status 1 confirms, 0 refuses.
        const QByteArray field = rq.mid(2);
        const bool good = field.size() == SerialSize && field.contains('\0');
        if (good)
            serial = field.left(field.indexOf('\0'));
        put16(a, good ? 1 : 0);
        return a;
    }
    case 0x09:
        return rq.size() == 2 ? packetHead(rq).append(setup) : refuse(rq);
    case 0x0A: {
        const QByteArray data = rq.mid(2);
        if (data.size() > SetupSize)
            return refuse(rq);
        writeRange(setup, 0, data);
        return packetHead(rq);
    }
    default:
        return {};
    }
}

QByteArray SimBoard::streamAnswer(quint8 command, const QByteArray &p)
{
    const int n = p.size();
    auto head = [&](int length) { return pair(char(command), char(length)); };
    auto readMem = [&](const QByteArray &mem) -> QByteArray {
        const int address = u16(p, 0), length = quint8(p.at(2));
        if (length == 0 || !inRange(address, length, mem.size()))
            return head(0);
        QByteArray a = head(length + 2);
        put16(a, quint16(address));
        a.append(readRange(mem, address, length));
        return a;
    };
    auto writeMem = [&](QByteArray &mem) {
        if (n < 2)
            return;
        const int address = u16(p, 0);
        const QByteArray data = p.mid(2);
        if (inRange(address, data.size(), mem.size()))
            writeRange(mem, address, data);
    };

    if (dyn && (command == 0x04 || command == 0x05))
        return dyn->streamAnswer(command, p);
    switch (command) {
    case 0x02: {
        if (n != 0)
            return {};
        return head(6).append(identity());
    }
    case 0x04:
        if (n == 3)
            return readMem(image);
        // A fixed-layout board has no described configuration: end of stream with the
        // error flag, no data.
        if (n == 4)
            return head(2).append(pair(0x03, 0x00));
        return {};
    case 0x05:
        writeMem(image);
        return {};
    case 0x06:
        if (n == 0) {
            ++saveCount;
            stored = image;
        }
        return {};
    case 0x07:
        return n == 3 ? readMem(nv) : QByteArray();
    case 0x08:
        writeMem(nv);
        return {};
    default:
        return {};
    }
}
