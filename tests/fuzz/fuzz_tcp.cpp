// Answers over a live TCP connection, through a real TcpIo on loopback: a scripted controller
// answers discovery and the version query, then for every request sends the bytes the input
// gives (junk, stale or partial frames, frames of other requests) in pieces before a
// well-formed answer, so that no operation waits for its time-out. Every operation must end,
// copy no more than asked, and a write must be proved only by an answer after it. Input: per
// operation op, address, length + 1, a piece count, then per piece a size byte and the bytes.
#include "devices/devmarvek2_0.h"
#include "fuzz_linkops.h"
#include "fuzz_support.h"
#include "link/streamframe.h"
#include "link/tcpio.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QThread>
#include <QUdpSocket>
#include <iterator>

using Fuzz::check;

namespace {

struct World
{
    DevMarvek2_0 model; // accepts the controller's identity
    QTcpServer server;
    QUdpSocket discovery;
    QPointer<QTcpSocket> conn;
    QByteArray input;                // request bytes not yet taken
    QVector<QByteArray> pieces;      // sent before the next well-formed answer

    World()
    {
        // A bridge answers discovery from the port its TCP connections go to.
        check(server.listen(QHostAddress::LocalHost)
              && discovery.bind(QHostAddress(QHostAddress::LocalHost), server.serverPort()));
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            conn = server.nextPendingConnection();
            input.clear();
            QObject::connect(conn, &QIODevice::readyRead, conn, [this] { requests(); });
        });
        QObject::connect(&discovery, &QUdpSocket::readyRead, &discovery, [this] {
            while (discovery.hasPendingDatagrams()) {
                QHostAddress from;
                quint16 port = 0;
                QByteArray d(int(discovery.pendingDatagramSize()), '\0');
                discovery.readDatagram(d.data(), d.size(), &from, &port);
                if (d.startsWith("DSCR"))
                    discovery.writeDatagram(QByteArray("DSCRfuzzctl\0", 12), from, port);
            }
        });
    }

    void requests()
    {
        input += conn->readAll();
        while (input.size() >= StreamFrame::HeaderSize && input.size() >= 2 + quint8(input.at(1))) {
            const QByteArray request = input.left(2 + quint8(input.at(1)));
            input.remove(0, request.size());
            const QByteArray a = wellFormed(request);
            if (a.isEmpty())
                continue;
            for (const QByteArray &p : qAsConst(pieces))
                conn->write(p);
            pieces.clear();
            conn->write(a);
        }
    }

    // The answer a sound controller gives; writes have none.
    static QByteArray wellFormed(const QByteArray &request)
    {
        const quint8 cmd = quint8(request.at(0));
        if (cmd == StreamFrame::CmdVersion)
            return StreamFrame::frame(cmd, QByteArray::fromHex("420200010292"));
        if ((cmd == StreamFrame::CmdRead || cmd == StreamFrame::CmdReadNv) && request.size() == 5)
            return StreamFrame::frame(cmd, request.mid(2, 2) + QByteArray(quint8(request.at(4)), char(0x33)));
        if (cmd == StreamFrame::CmdRead && request.size() == 6)
            return StreamFrame::frame(cmd, QByteArray::fromHex("0100"));
        return QByteArray();
    }
};

World *s_world = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::initApplication();
    s_world = new World;
    qputenv("VANDOR_NET_TARGET", "127.0.0.1");
    qputenv("VANDOR_NET_PORT", QByteArray::number(s_world->discovery.localPort()));
    qputenv("VANDOR_NET_ANSWER_PORT", "0");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 14)
        return 0;
    World &w = *s_world;
    scanEnabled = true;
    w.pieces.clear();
    TcpIo io;
    io.setTimeout(60);
    io.scan();
    QElapsedTimer clock;
    clock.start();
    while (io.foundBoards().isEmpty() && clock.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::usleep(200);
    }
    if (io.foundBoards().isEmpty() || !io.open(0))
        return 0; // a machine too busy to answer in time; nothing learnt

    Fuzz::Input in(data, size);
    for (int ops = 0; ops < 16 && !in.atEnd() && io.isOpen(); ++ops) {
        using Op = Fuzz::LinkOp;
        static constexpr Op picks[] = {Op::ReadCfg, Op::ReadNv, Op::ReadDyn, Op::WriteCfg};
        const Op op = picks[in.byte() % std::size(picks)];
        const quint16 address = in.word();
        const int length = int(in.byte() % 66) - 1;
        const int count = in.byte() % 8;
        for (int i = 0; i < count; ++i)
            w.pieces.append(in.bytes(in.byte()));
        // A stream carries a whole dynamic chunk (up to 255 bytes) at once.
        Fuzz::linkOperation(io, op, address, length, 256);
    }
    io.close();
    return 0;
}
