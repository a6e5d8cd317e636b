// Every answer goes back to the address and port the request came from, and nowhere else.
#include "udpbridge.h"
#include "simworld.h"
#include <QNetworkDatagram>
#include <QTimer>

namespace {
constexpr int MaxPacket = 64;
}

UdpBridge::UdpBridge(SimWorld &w, QObject *parent) : QObject(parent), world(w)
{
    connect(&socket, &QUdpSocket::readyRead, this, &UdpBridge::readPending);
}

bool UdpBridge::bind(const QHostAddress &address, quint16 port)
{
    return socket.bind(address, port, QAbstractSocket::DontShareAddress);
}

void UdpBridge::readPending()
{
    while (socket.hasPendingDatagrams()) {
        const QNetworkDatagram d = socket.receiveDatagram();
        const QByteArray rq = d.data();
        if (!d.isValid() || rq.isEmpty())
            continue;
        world.transcript.line("udp", "req", rq);
        if (rq.size() > MaxPacket)
            continue;
        if (rq == QByteArray(2, '\0')) {
            // Discovery answers are never faulted or delayed: they are what finds the board.
            const QByteArray hello("\x00\x0a", 2);
            world.transcript.line("udp", "ans", hello);
            socket.writeDatagram(hello, d.senderAddress(), quint16(d.senderPort()));
            continue;
        }
        QByteArray a = world.board.packetAnswer(rq);
        if (a.isEmpty())
            continue;
        if (!world.faults.pass(a, FaultPlan::Framing::Packet)) {
            world.transcript.line("udp", "drop", a);
            continue;
        }
        answer(a, d.senderAddress(), quint16(d.senderPort()));
    }
}

void UdpBridge::answer(const QByteArray &bytes, const QHostAddress &to, quint16 port)
{
    auto send = [this, bytes, to, port]() {
        world.transcript.line("udp", "ans", bytes);
        socket.writeDatagram(bytes, to, port);
    };
    const int delay = world.faults.nextDelay();
    if (delay > 0)
        QTimer::singleShot(delay, Qt::PreciseTimer, this, send);
    else
        send();
}
