// The network link against a peer on loopback that answers discovery as a controller does and
// then misbehaves: it streams data while the link is idle, or buries the answer under a flood
// of frames. The link's memory and time stay bounded and it stays usable.
#include "devices/devmarvek2_0.h"
#include "link/streamframe.h"
#include "netfixture.h"
#include "residentmemory.h"
#include "scriptedprompt.h"
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

namespace {

// A controller on the network: answers "DSCR" and the version query, and in between sends
// junk frames, either while the link is idle or in place of the answer.
class HostilePeer : public QObject
{
public:
    enum Mode { IdleFlood, AnswerFlood };

    HostilePeer(Mode mode, qint64 floodBytes) : m_mode(mode), m_left(floodBytes)
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            m_conn = m_server.nextPendingConnection();
            connect(m_conn, &QIODevice::readyRead, this, &HostilePeer::request);
            connect(m_conn, &QIODevice::bytesWritten, this, &HostilePeer::flood);
        });
        connect(&m_discovery, &QUdpSocket::readyRead, this, [this] {
            while (m_discovery.hasPendingDatagrams()) {
                QHostAddress from;
                quint16 port = 0;
                QByteArray d(int(m_discovery.pendingDatagramSize()), '\0');
                m_discovery.readDatagram(d.data(), d.size(), &from, &port);
                if (d.startsWith("DSCR"))
                    m_discovery.writeDatagram(QByteArray("DSCR") + QByteArray("bay\0\0\0\0\0", 8), from, port);
            }
        });
    }
    bool listen()
    {
        return m_server.listen(QHostAddress::LocalHost)
            && m_discovery.bind(QHostAddress::LocalHost, m_server.serverPort());
    }
    quint16 port() const { return m_server.serverPort(); }
    qint64 left() const { return m_left; }
    void startFlood()
    {
        flooding = true;
        if (m_mode == IdleFlood)
            flood();
    }
    bool flooding = false;

private:
    void request()
    {
        const QByteArray got = m_conn->readAll();
        if (m_mode == AnswerFlood && flooding) {
            flood();
            return;
        }
        if (!got.startsWith(StreamFrame::versionQuery()))
            return;
        const char words[6] = {0x42, 0x02, 0x00, 0x01, 0x02, char(0x92)};
        m_conn->write(StreamFrame::frame(StreamFrame::CmdVersion, QByteArray(words, 6)));
        if (m_mode == IdleFlood && flooding)
            flood();
    }
    void flood()
    {
        // Kept just ahead of what the other side takes, so this side holds little itself.
        if (!flooding || !m_conn || m_left <= 0 || m_conn->bytesToWrite() > 64 * 1024)
            return;
        const QByteArray junk = QByteArray("\x7f\x00", 2).repeated(8192);
        m_left -= m_conn->write(junk);
    }

    Mode m_mode;
    qint64 m_left;
    QTcpServer m_server;
    QUdpSocket m_discovery;
    QPointer<QTcpSocket> m_conn;
};

} // namespace

class TestHostileTcp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { scanEnabled = true; }
    void cleanup() { setCurrentLink(nullptr); }

    void floodStaysBounded_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("streams while idle") << int(HostilePeer::IdleFlood);
        QTest::newRow("frames instead of the answer") << int(HostilePeer::AnswerFlood);
    }
    void floodStaysBounded()
    {
        QFETCH(int, mode);
        constexpr qint64 Flood = 32 << 20;
        HostilePeer peer(HostilePeer::Mode(mode), Flood);
        QVERIFY(peer.listen());
        ScriptedPrompt prompt;
        DevMarvek2_0 model;
        auto link = makeLoopbackLink(peer.port());
        link->setTimeout(400);
        QVERIFY(discover(*link, 1));
        setCurrentLink(link.get());
        QVERIFY(link->open(0));
        const qint64 before = ResidentMemory::kb();

        peer.startFlood();
        QElapsedTimer clock;
        clock.start();
        if (mode == HostilePeer::AnswerFlood) {
            // The answer never comes among the junk: the request fails within its time limit
            // (and its retries), not when the flood ends.
            quint8 byte = 0;
            QVERIFY(!link->readCfg(&byte, 0x0100, 1));
            QVERIFY2(clock.elapsed() < 10 * link->timeout(), qPrintable(QString::number(clock.elapsed())));
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(peer.left() <= 0, 60000);
        }
        // What the peer sent was dropped, not kept.
        if (ResidentMemory::Tells)
            QVERIFY2(ResidentMemory::kb() - before < 16 * 1024, qPrintable(QString::number(ResidentMemory::kb() - before)));
        QVERIFY(link->isOpen());
    }
};

QTEST_MAIN(TestHostileTcp)
#include "test_hostiletcp.moc"
