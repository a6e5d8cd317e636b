// Plain UDP and TCP peers for talking to the simulator in tests, on 127.0.0.1 only.
#pragma once
#include <QByteArray>
#include <QHostAddress>
#include <QTcpSocket>
#include <QUdpSocket>

QByteArray hex(const char *text);

class UdpClient
{
public:
    UdpClient();
    bool send(quint16 port, const QByteArray &request);
    // The next datagram (waits a bounded time); empty when none came.
    QByteArray next(quint16 *fromPort = nullptr);
    QByteArray exchange(quint16 port, const QByteArray &request);

    QUdpSocket socket;
};

class TcpClient
{
public:
    bool connectTo(quint16 port);
    void send(const QByteArray &bytes);
    // Reads exactly count bytes (waits a bounded time); fewer when the stream ends or stalls.
    QByteArray read(int count);
    // One answer frame: header and payload.
    QByteArray frame();
    QByteArray exchange(const QByteArray &request) { send(request); return frame(); }
    // Waits for the peer to close.
    bool waitClosed();

    QTcpSocket socket;
    int reads = 0;  // how many separate chunks arrived
};
