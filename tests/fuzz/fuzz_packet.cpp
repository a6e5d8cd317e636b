// Board answers in the packet framing (USB bulk transfers and UDP bridge path datagrams), in
// two ways chosen by the first input byte:
//   even: one answer against the check of every command, with the request's address and length
//         taken from the input; a check that accepts must agree with the link's answer matching
//         and copy exactly the requested bytes;
//   odd:  a sequence of operations through a real UsbIo on a scripted bus, each with the stale
//         packets waiting before its request and the packets that come after it.
#include "devices/devmarvek2_0.h"
#include "fuzz_linkops.h"
#include "fuzz_support.h"
#include "link/packetframe.h"
#include "link/usbio.h"
#include <QVector>
#include <cstring>
#include <memory>
#include <vector>

using Fuzz::check;

namespace {

// A bus with one board whose IN endpoint gives what the input scripts. Error codes stand in
// for transfers a size byte above 64 asks for.
class ScriptedBus : public UsbBus
{
public:
    QVector<QByteArray> pending;   // IN transfers available now
    QVector<QByteArray> afterOut;  // become available with the next OUT transfer
    int outs = 0;

    int init() override { return 0; }
    void exit() override {}
    int getDeviceList(QVector<Device *> *list) override
    {
        list->append(device());
        return 1;
    }
    void freeDeviceList(QVector<Device *> *list) override { list->clear(); }
    int busNumber(Device *) override { return 1; }
    int deviceAddress(Device *) override { return 2; }
    int deviceDescriptor(Device *, DeviceDescriptor *out) override
    {
        *out = {UsbIo::VendorId, UsbIo::ProductId, 2};
        return 0;
    }
    Device *refDevice(Device *dev) override { return dev; }
    void unrefDevice(Device *) override {}
    int open(Device *, Handle **out) override
    {
        *out = reinterpret_cast<Handle *>(&m_handle);
        return 0;
    }
    void close(Handle *) override {}
    int setConfiguration(Handle *, int) override { return 0; }
    int claimInterface(Handle *, int) override { return 0; }
    int releaseInterface(Handle *, int) override { return 0; }
    int stringDescriptorAscii(Handle *, quint8, unsigned char *data, int length) override
    {
        static const char name[] = "QB14T37";
        const int n = qMin(length, int(sizeof name) - 1);
        memcpy(data, name, size_t(n));
        return n;
    }
    int bulkTransfer(Handle *, quint8 endpoint, unsigned char *data, int length, int *transferred,
                     unsigned int) override
    {
        *transferred = 0;
        if (endpoint == UsbIo::EndpointOut) {
            check(length > 0 && length <= PacketFrame::MaxPacket);
            ++outs;
            pending += afterOut;
            afterOut.clear();
            *transferred = length;
            return 0;
        }
        if (pending.isEmpty())
            return ErrorTimeout;
        const QByteArray p = pending.takeFirst();
        if (p.size() > PacketFrame::MaxPacket) {
            // 65: stall, 66: device gone, anything longer: timeout.
            return p.size() == 65 ? ErrorPipe : p.size() == 66 ? ErrorNoDevice : ErrorTimeout;
        }
        const int n = qMin(length, p.size());
        memcpy(data, p.constData(), size_t(n));
        *transferred = n;
        return 0;
    }
    int clearHalt(Handle *, quint8) override { return 0; }

private:
    Device *device() { return reinterpret_cast<Device *>(&m_device); }
    int m_device = 0;
    int m_handle = 0;
};

QByteArray takePacket(Fuzz::Input &in)
{
    const quint8 size = in.byte();
    if (size > PacketFrame::MaxPacket)
        return QByteArray(size <= 66 ? size : 67, char(0));
    return in.bytes(size);
}

QByteArray masked(QByteArray answer)
{
    if (answer.size() > 1)
        answer[1] = char(quint8(answer[1]) & PacketFrame::DirectionMask);
    return answer;
}

// Every answer check against one answer; op chooses the request the answer is checked with.
void checkAnswer(Fuzz::Input &in)
{
    const quint8 op = in.byte() % 11;
    const quint16 address = in.word();
    const int length = int(in.byte() % 66) - 1;  // -1..64, past both ends of the valid range
    const quint32 selector = quint32(address) << 16 | quint32(in.word());
    const QByteArray answer = masked(in.bytes(PacketFrame::MaxPacket));
    const bool lengthOk = length >= 0 && length <= PacketFrame::MaxData;
    // Exactly as large as the caller's buffer, so that a copy past it is caught.
    std::vector<quint8> dst(size_t(qMax(length, 0)) + 1);
    quint8 *buf = dst.data() + 1;  // the byte before it must stay untouched too
    dst[0] = 0x5A;
    QByteArray request;
    bool ok = false;
    switch (op) {
    case 0: {
        request = PacketFrame::versionQuery();
        PacketFrame::Identity id;
        ok = PacketFrame::checkVersion(answer, &id);
        check(!ok || (answer.size() == 8 && id.word0 == (quint8(answer[2]) | quint8(answer[3]) << 8)));
        break;
    }
    case 1:
        request = PacketFrame::readCfg(address, length);
        ok = PacketFrame::checkReadCfg(answer, address, length, buf);
        check(!ok || (lengthOk && answer.size() == length + 4
                      && memcmp(buf, answer.constData() + 4, size_t(length)) == 0));
        break;
    case 2: {
        request = PacketFrame::readDynCfg(selector);
        PacketFrame::DynChunk chunk;
        ok = PacketFrame::checkReadDynCfg(answer, &chunk);
        check(!ok || chunk.data.size() == answer.size() - 4);
        check(chunk.data.size() <= PacketFrame::MaxPacket - 4);
        break;
    }
    case 3:
        request = PacketFrame::writeCfg(buf, address, length);
        check(request.isEmpty() == !lengthOk);
        ok = PacketFrame::checkWriteCfg(answer);
        break;
    case 4:
        request = PacketFrame::writeDynCfg(buf, length, quint8(address), quint8(address >> 8));
        check(request.isEmpty() == !lengthOk);
        ok = PacketFrame::checkWriteDynCfg(answer);
        break;
    case 5:
        request = PacketFrame::saveCfg();
        ok = PacketFrame::checkSaveCfg(answer);
        break;
    case 6:
        request = PacketFrame::readNvMem(address, length);
        ok = PacketFrame::checkReadNvMem(answer, address, length, buf);
        check(!ok || (lengthOk && memcmp(buf, answer.constData() + 4, size_t(length)) == 0));
        break;
    case 7:
        request = PacketFrame::writeNvMem(buf, address, length);
        ok = PacketFrame::checkWriteNvMem(answer);
        break;
    case 8: {
        const QByteArray serial = answer.left(length < 0 ? 0 : length);
        request = PacketFrame::writeSn(serial.constData());
        check(request.size() == 2 + PacketFrame::SerialField && request.at(request.size() - 1) == 0);
        ok = PacketFrame::checkWriteSn(answer);
        break;
    }
    case 9:
        request = PacketFrame::readMachineSetup();
        ok = PacketFrame::checkReadMachineSetup(answer, length, buf);
        check(!ok || (lengthOk && memcmp(buf, answer.constData() + 2, size_t(length)) == 0));
        break;
    default:
        request = PacketFrame::writeMachineSetup(buf, length);
        ok = PacketFrame::checkWriteMachineSetup(answer);
        break;
    }
    check(dst[0] == 0x5A);
    check(request.size() <= PacketFrame::MaxPacket);
    // The link waits for an answer that echoes its request; one the check accepts must be such.
    // A dynamic read's request has a readCfg's size, so a selector whose upper half reads as a
    // length of 1 to 60 looks like one; the device only sends list prefixes and 0.
    const quint16 upper = quint16(selector >> 16);
    const bool readLike = op == 2 && upper > 0 && upper <= PacketFrame::MaxData;
    if (ok && !request.isEmpty() && !readLike)
        check(PacketFrame::echoes(request, answer));
    PacketFrame::echoes(answer, request);
    // The bridge's discovery answer is exactly 00 0A.
    check(PacketFrame::isDiscoveryAnswer(answer) == (answer == QByteArray("\x00\x0a", 2)));
}

struct Models
{
    DevMarvek2_0 model;  // accepts the scripted board's identity
};

// Operations through the link: each record is op, address, length, then the stale packets
// and the answer packets, each list a count byte and packets of a size byte and bytes.
void runLink(Fuzz::Input &in)
{
    static Models *models = new Models;
    (void)models;
    scanEnabled = true;
    ScriptedBus bus;
    UsbIo io(&bus);
    io.setDiscoveryTarget(QHostAddress());
    io.setUdpHosts(QStringList());
    bus.afterOut = {QByteArray::fromHex("0102420200010292")};
    io.scan();
    check(io.open((1 << 16) | 2));
    for (int ops = 0; ops < 32 && !in.atEnd(); ++ops) {
        const quint8 op = in.byte() % (int(Fuzz::LinkOp::WriteDyn) + 1);
        const quint16 address = in.word();
        const int length = int(in.byte() % 66) - 1;
        const int stale = in.byte() % 20;
        for (int i = 0; i < stale; ++i)
            bus.pending.append(takePacket(in));
        const int answers = in.byte() % 36;
        for (int i = 0; i < answers; ++i)
            bus.afterOut.append(takePacket(in));
        // The callers' buffer for one dynamic packet holds one data part at most.
        Fuzz::linkOperation(io, Fuzz::LinkOp(op), address, length, PacketFrame::MaxPacket - 4);
        // Whatever was left over is stale for the next operation.
        bus.pending += bus.afterOut;
        bus.afterOut.clear();
    }
    io.closeLink();
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
    if (in.byte() & 1)
        runLink(in);
    else
        checkAnswer(in);
    return 0;
}
