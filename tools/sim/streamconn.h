// One TCP connection to the network bridge: stream framing for the controller behind it
// (commands below 0xE0) and for the bridge itself (0xE0 and up, after the access exchange).
#pragma once
#include <QByteArray>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

struct SimWorld;

class StreamConn : public QObject
{
    Q_OBJECT
public:
    // Takes the socket over as a child.
    StreamConn(QTcpSocket *socket, SimWorld &world, QObject *parent = nullptr);

private:
    void readPending();
    void handle(const QByteArray &frame);
    QByteArray bridgeAnswer(quint8 command, const QByteArray &payload);
    // Answers and the close leave in order, after the configured delay.
    void later(const std::function<void()> &action, int delay);
    void send(const QByteArray &answer);
    void trickle();
    void closeWhenSent();

    QTcpSocket *socket;
    SimWorld &world;
    QByteArray input;
    QByteArray pending;    // bytes still to leave one at a time (split mode)
    QTimer trickleTimer;
    int frames = 0;
    bool closing = false;  // no more requests are served
    bool closeAfterPending = false;
    bool access = false;   // the access exchange succeeded on this connection
};
