// The network bridge: "DSCR" discovery on UDP and the TCP port of the same number.
#pragma once
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QUdpSocket>

struct SimWorld;

class NetBridge : public QObject
{
    Q_OBJECT
public:
    NetBridge(SimWorld &world, QObject *parent = nullptr);

    // Port 0 picks a free TCP port and binds discovery to the same number, retrying a few
    // times when that UDP port is taken.
    bool bind(const QHostAddress &address, quint16 port);
    quint16 port() const { return server.serverPort(); }
    QString errorText() const { return error; }

    // "DSCR", the controller name in 8 bytes, then (unless left out) the bridge name in 12.
    static QByteArray discoveryAnswer(const QByteArray &controller, const QByteArray &bridge, bool withBridge);

private:
    void readDiscovery();
    void accept();

    SimWorld &world;
    QUdpSocket discovery;
    QTcpServer server;
    QString error;
};
