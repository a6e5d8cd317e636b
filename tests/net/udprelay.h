// A host on loopback that answers for a board from an address of its own: every datagram sent
// to the listening address goes on to simulators, and each simulator's answers go back to the
// sender from the address given for it (the listening one: an honest relay).
#pragma once
#include <QHostAddress>
#include <QList>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <memory>

class UdpRelay
{
public:
    bool listen(const QHostAddress &address)
    {
        m_in.bind(address, 0, QAbstractSocket::DontShareAddress);
        QObject::connect(&m_in, &QUdpSocket::readyRead, &m_in, [this] {
            while (m_in.hasPendingDatagrams()) {
                const QNetworkDatagram d = m_in.receiveDatagram();
                m_client = d.senderAddress();
                m_clientPort = quint16(d.senderPort());
                for (const Route &r : m_routes)
                    r.up->writeDatagram(d.data(), QHostAddress(QHostAddress::LocalHost), r.simPort);
            }
        });
        return m_in.state() == QAbstractSocket::BoundState;
    }
    quint16 port() const { return m_in.localPort(); }

    // Answers of the simulator at 127.0.0.1:simPort go back from `from` at the listening port.
    bool route(quint16 simPort, const QHostAddress &from)
    {
        Route r;
        r.simPort = simPort;
        r.up = std::make_shared<QUdpSocket>();
        if (!r.up->bind(QHostAddress(QHostAddress::LocalHost), 0))
            return false;
        QUdpSocket *out = &m_in;
        if (from != m_in.localAddress()) {
            r.out = std::make_shared<QUdpSocket>();
            if (!r.out->bind(from, port(), QAbstractSocket::DontShareAddress))
                return false;
            out = r.out.get();
        }
        QUdpSocket *up = r.up.get();
        QObject::connect(up, &QUdpSocket::readyRead, up, [this, up, out] {
            while (up->hasPendingDatagrams())
                out->writeDatagram(up->receiveDatagram().data(), m_client, m_clientPort);
        });
        m_routes.append(r);
        return true;
    }

private:
    struct Route
    {
        quint16 simPort = 0;
        std::shared_ptr<QUdpSocket> up;
        std::shared_ptr<QUdpSocket> out;
    };
    QUdpSocket m_in;
    QList<Route> m_routes;
    QHostAddress m_client;
    quint16 m_clientPort = 0;
};
