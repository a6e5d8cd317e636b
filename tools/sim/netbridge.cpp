// Discovery answers go to the sender of the request; each TCP connection gets its own
// stream-framing peer.
#include "netbridge.h"
#include "simworld.h"
#include "streamconn.h"
#include <QNetworkDatagram>

namespace {

constexpr int BindAttempts = 32;
constexpr int ControllerField = 8;
constexpr int BridgeField = 12;

// Cuts UTF-8 text to at most size bytes without splitting a character, zero-padded.
QByteArray field(const QByteArray &text, int size)
{
    int n = qMin(text.size(), size);
    while (n > 0 && n < text.size() && (quint8(text.at(n)) & 0xC0) == 0x80)
        --n;
    return text.left(n).append(QByteArray(size - n, '\0'));
}

} // namespace

NetBridge::NetBridge(SimWorld &w, QObject *parent) : QObject(parent), world(w)
{
    connect(&discovery, &QUdpSocket::readyRead, this, &NetBridge::readDiscovery);
    connect(&server, &QTcpServer::newConnection, this, &NetBridge::accept);
}

QByteArray NetBridge::discoveryAnswer(const QByteArray &controller, const QByteArray &bridge, bool withBridge)
{
    QByteArray a("DSCR");
    a.append(field(controller, ControllerField));
    if (withBridge)
        a += field(bridge, BridgeField);
    return a;
}

bool NetBridge::bind(const QHostAddress &address, quint16 port)
{
    for (int attempt = 0; attempt < (port ? 1 : BindAttempts); ++attempt) {
        if (!server.listen(address, port)) {
            error = server.errorString();
            return false;
        }
        if (discovery.bind(address, server.serverPort(), QAbstractSocket::DontShareAddress))
            return true;
        error = discovery.errorString();
        server.close();
    }
    return false;
}

void NetBridge::readDiscovery()
{
    while (discovery.hasPendingDatagrams()) {
        const QNetworkDatagram d = discovery.receiveDatagram();
        if (!d.isValid())
            continue;
        world.transcript.line("dscr", "req", d.data());
        if (!d.data().startsWith("DSCR"))
            continue;
        const SimOptions &o = world.options;
        const QByteArray a = discoveryAnswer(o.controllerName, o.bridgeName, !o.noBridge);
        world.transcript.line("dscr", "ans", a);
        discovery.writeDatagram(a, d.senderAddress(), quint16(d.senderPort()));
    }
}

void NetBridge::accept()
{
    while (QTcpSocket *s = server.nextPendingConnection())
        new StreamConn(s, world, this);
}
