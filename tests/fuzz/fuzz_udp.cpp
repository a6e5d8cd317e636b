// Answers on the UDP bridge path, through a real UsbIo and loopback sockets: a scripted bridge
// announces itself, answers the version query and then, for every request, sends the datagrams
// the input gives (some from a stranger's port) before a well-formed answer, so that no
// operation waits for its time-out. Every operation must end, and copy no more than asked.
#include "devices/devmarvek2_0.h"
#include "fuzz_linkops.h"
#include "fuzz_support.h"
#include "link/packetframe.h"
#include "link/usbio.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QThread>
#include <QUdpSocket>
#include <QVector>
#include <memory>
#include <iterator>

using Fuzz::check;

namespace {

struct Datagram
{
    bool stranger = false;
    QByteArray bytes;
};

struct World
{
    DevMarvek2_0 model;  // accepts the bridge's identity
    std::unique_ptr<UsbBus> bus = makeAbsentUsbBus();
    QUdpSocket board;
    QUdpSocket stranger;
    quint16 linkPort = 0;
    QVector<QVector<Datagram>> script;  // one group per request, in order

    World()
    {
        const QHostAddress local(QHostAddress::LocalHost);
        check(board.bind(local, 0) && stranger.bind(local, 0));
        QObject::connect(&board, &QUdpSocket::readyRead, &board, [this] { answer(); });
    }

    void send(const Datagram &d)
    {
        QUdpSocket &from = d.stranger ? stranger : board;
        from.writeDatagram(d.bytes, QHostAddress::LocalHost, linkPort);
    }

    void answer()
    {
        while (board.hasPendingDatagrams()) {
            const QByteArray request = board.receiveDatagram().data();
            if (request.size() < 2)
                continue;
            if (!script.isEmpty())
                for (const Datagram &d : script.takeFirst())
                    send(d);
            send({false, wellFormed(request)});
        }
    }

    // The answer a sound board gives to request.
    static QByteArray wellFormed(const QByteArray &request)
    {
        QByteArray a;
        a.append(request[0]);
        a.append(char(PacketFrame::DirAnswer));
        const quint8 cmd = quint8(request[0]);
        if (cmd == PacketFrame::CmdVersion) {
            a += QByteArray::fromHex("420200010292");
        } else if ((cmd == PacketFrame::CmdReadCfg || cmd == PacketFrame::CmdReadNvMem) && request.size() == 6) {
            const int length = quint8(request[4]) | quint8(request[5]) << 8;
            if (cmd == PacketFrame::CmdReadCfg && (length == 0 || length > PacketFrame::MaxData))
                a += QByteArray::fromHex("0100");  // one last, empty dynamic packet
            else
                a += request.mid(2, 2) + QByteArray(qMin(length, 60), char(0x33));
        } else if (cmd == PacketFrame::CmdWriteSn) {
            a += QByteArray::fromHex("0100");
        } else if (cmd == PacketFrame::CmdReadMachineSetup) {
            a += QByteArray(3, char(0x44));
        }
        return a;
    }
};

World *s_world = nullptr;

// Runs the event loop until done() or two seconds have passed.
template <class F>
bool waitFor(F done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!done())
            QThread::usleep(200);
    }
    return done();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::initApplication();
    s_world = new World;
    return 0;
}

// Input: per operation op, address, length + 1, count, then count datagrams of a flags byte
// (bit 0: from a stranger), a size byte and the bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 14)
        return 0;
    World &w = *s_world;
    scanEnabled = true;
    UsbIo io(w.bus.get());
    io.setDiscoveryTarget(QHostAddress());
    io.setUdpHosts(QStringList());
    io.setBoardPort(w.board.localPort());
    w.linkPort = io.localPort();
    bool live = false;
    QObject::connect(&io, &DevIo::connected, &io, [&live] { live = true; });
    QObject::connect(&io, &DevIo::disconnected, &io, [&live] { live = false; });
    w.script.clear();
    // Stale datagrams from an earlier input are the earlier link's business.
    while (w.board.hasPendingDatagrams())
        w.board.receiveDatagram();
    w.send({false, QByteArray("\x00\x0a", 2)});
    // The link opens the bridge 10 ms after its answer; opened at once here, for speed.
    if (waitFor([&] { return !io.udpPeer().isNull(); }))
        io.udpOpen();
    if (!live)
        return 0;  // a machine too busy to answer in time; nothing learnt

    Fuzz::Input in(data, size);
    for (int ops = 0; ops < 16 && !in.atEnd() && live; ++ops) {
        using Op = Fuzz::LinkOp;
        static constexpr Op picks[] = {Op::ReadCfg, Op::ReadNv, Op::ReadDyn, Op::WriteCfg,
                                       Op::Save,    Op::ReadSetup, Op::WriteSn};
        const Op op = picks[in.byte() % std::size(picks)];
        const quint16 address = in.word();
        const int length = int(in.byte() % 66) - 1;
        QVector<Datagram> group;
        const int count = in.byte() % 8;
        for (int i = 0; i < count; ++i) {
            Datagram d;
            d.stranger = in.byte() & 1;
            d.bytes = in.bytes(in.byte() % 80);
            group.append(d);
        }
        w.script = {group};
        Fuzz::linkOperation(io, op, address, length, PacketFrame::MaxPacket - 4);
    }
    io.closeLink();
    return 0;
}
