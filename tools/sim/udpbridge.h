// The UDP bridge path: packet framing in datagrams, with the 2-byte discovery 00 00 -> 00 0A.
#pragma once
#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>

struct SimWorld;

class UdpBridge : public QObject
{
    Q_OBJECT
public:
    UdpBridge(SimWorld &world, QObject *parent = nullptr);

    bool bind(const QHostAddress &address, quint16 port);
    quint16 port() const { return socket.localPort(); }
    QString errorText() const { return socket.errorString(); }

private:
    void readPending();
    void answer(const QByteArray &bytes, const QHostAddress &to, quint16 port);

    SimWorld &world;
    QUdpSocket socket;
};
