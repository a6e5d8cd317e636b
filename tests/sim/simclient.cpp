// Every wait here runs the event loop and is bounded.
#include "simclient.h"
#include <QNetworkDatagram>
#include <QSignalSpy>

namespace {
constexpr int WaitMs = 5000;
}

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

UdpClient::UdpClient()
{
    socket.bind(QHostAddress(QHostAddress::LocalHost), 0);
}

bool UdpClient::send(quint16 port, const QByteArray &request)
{
    return socket.writeDatagram(request, QHostAddress::LocalHost, port) == request.size();
}

QByteArray UdpClient::next(quint16 *fromPort)
{
    if (!socket.hasPendingDatagrams()) {
        QSignalSpy spy(&socket, &QUdpSocket::readyRead);
        for (int i = 0; i < 3 && !socket.hasPendingDatagrams(); ++i)
            spy.wait(WaitMs / 3);
    }
    if (!socket.hasPendingDatagrams())
        return {};
    const QNetworkDatagram d = socket.receiveDatagram();
    if (fromPort)
        *fromPort = quint16(d.senderPort());
    return d.data();
}

QByteArray UdpClient::exchange(quint16 port, const QByteArray &request)
{
    return send(port, request) ? next() : QByteArray();
}

bool TcpClient::connectTo(quint16 port)
{
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(WaitMs);
}

void TcpClient::send(const QByteArray &bytes)
{
    socket.write(bytes);
    socket.flush();
}

QByteArray TcpClient::read(int count)
{
    QByteArray got;
    for (int i = 0; i < count + 50 && got.size() < count; ++i) {
        if (socket.bytesAvailable() == 0) {
            if (socket.state() != QAbstractSocket::ConnectedState)
                break;
            QSignalSpy spy(&socket, &QTcpSocket::readyRead);
            if (!spy.wait(WaitMs))
                break;
        }
        const QByteArray chunk = socket.read(count - got.size());
        if (!chunk.isEmpty()) {
            ++reads;
            got += chunk;
        }
    }
    return got;
}

QByteArray TcpClient::frame()
{
    QByteArray head = read(2);
    if (head.size() < 2)
        return head;
    return head + read(quint8(head.at(1)));
}

bool TcpClient::waitClosed()
{
    if (socket.state() == QAbstractSocket::UnconnectedState)
        return true;
    QSignalSpy spy(&socket, &QTcpSocket::disconnected);
    return spy.wait(WaitMs) || socket.state() == QAbstractSocket::UnconnectedState;
}
