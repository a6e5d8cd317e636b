// The network link: finds bridges with a UDP "DSCR" request, announces the controller behind
// each and the bridge itself, and talks to the chosen one over TCP in stream frames.
#pragma once
#include "link/devio.h"
#include "link/streamframe.h"
#include <QDateTime>
#include <QHostAddress>
#include <QList>
#include <QMutex>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <QEventLoop>
#include <functional>

class TcpIo : public DevIo
{
    Q_OBJECT
public:
    enum Kind { Controller = 0, Bridge = 1 };
    // One announced target; its index in foundBoards() is the uid of newDevice and open.
    struct Entry
    {
        QString name;
        int kind = Controller;
        QHostAddress address;  // sender of the discovery answer
        quint16 port = 0;      // its UDP source port; the TCP connection goes there too
        int lastRound = 0;     // the discovery round it last answered in
        QDateTime lastSeen;    // when it last answered
        bool quiet = false;    // missed QuietRounds rounds
        bool removed = false;  // missed RemoveRounds rounds: announced again when it answers
    };

    static constexpr int DefaultTimeoutMs = 5000;
    static constexpr int ScanIntervalMs = 4000;
    // Discovery keeps at most this many entries; answers beyond them are ignored.
    static constexpr int MaxBoards = 64;
    // Discovery rounds a target may miss before it is shown as not answering, and before it
    // leaves the list.
    static constexpr int QuietRounds = 2;
    static constexpr int RemoveRounds = 15;
    // How long the idle check waits for its answer: a board that is gone is found out in a few
    // seconds, not after the long wait a transfer allows.
    static constexpr int IdleAnswerMs = 1500;

    // Discovery goes to VANDOR_NET_TARGET (default the IPv4 broadcast address) on port
    // VANDOR_NET_PORT (10501); answers are awaited on VANDOR_NET_ANSWER_PORT (10502, 0 = any).
    explicit TcpIo(QObject *parent = nullptr);
    // The answer port a new link binds, as the environment or the default gives it.
    static quint16 configuredAnswerPort();
    ~TcpIo() override;

    bool readCfg(quint8 *dst, quint16 address, int length) override;
    bool writeCfg(const quint8 *src, quint16 address, int length) override;
    bool saveCfg() override;
    bool readNvMem(quint8 *dst, quint16 address, int length) override;
    bool writeNvMem(const quint8 *src, quint16 address, int length) override;
    bool writeSn(const char *serial) override;
    bool setsSerial() const override { return false; }
    bool readMachineSetup(quint8 *dst, int length) override;
    bool writeMachineSetup(const quint8 *src, int length) override;
    bool carriesMachineSetup() const override { return false; }
    bool readDynCfg(quint8 *dst, quint32 selector, quint8 *outLength, quint8 *outFlags,
                    quint8 *outComplete) override;
    bool writeDynCfg(const quint8 *src, quint8 length, quint8 marker, quint8 complete) override;
    bool open(int uid) override;
    bool finishFirmware() override;
    bool writeFirmware(quint16 remaining, const QByteArray &block) override;
    void closeLink() override { close(); }
    bool exchanging() const override { return m_waitLoop != nullptr; }
    bool describe(int uid, Found *found) const override;

    // A null target asks only the typed hosts.
    void setDiscoveryTarget(const QHostAddress &target) { m_target = target; }
    QHostAddress discoveryTarget() const { return m_target; }
    void setDiscoveryPort(quint16 port) { m_port = port; }
    quint16 discoveryPort() const { return m_port; }
    // Rebinds the answer socket; 0 binds any free port. False when the port cannot be bound.
    bool setAnswerPort(quint16 port);
    quint16 answerPort() const { return m_udp.localPort(); }
    // How long opening and each answer may take.
    void setTimeout(int ms) { m_timeoutMs = ms; }
    int timeout() const { return m_timeoutMs; }
    // Milliseconds between discovery rounds (ScanIntervalMs unless set).
    void setScanInterval(int ms) { m_scanTimer.setInterval(ms); }
    // How long the idle check waits for its answer (IdleAnswerMs unless set); tests shorten it.
    void setIdleAnswer(int ms) { m_idleAnswerMs = qMax(1, ms); }

    const QList<Entry> &foundBoards() const { return m_found; }
    bool isOpen() const { return m_tcp != nullptr; }
    quint8 cmdBase() const { return m_cmdBase; }

public Q_SLOTS:
    void scan();
    void pendingUdpData();
    void close();
    // Emits newDevice for every entry again, as after a dropped connection.
    void announceAll();

protected:
    bool confirmWrites() override;
    bool linkUp() const override { return m_tcp != nullptr; }
    bool stillThere() override;

private:
    // Entries are keyed by address and port: bridges whose boards share a name stay apart.
    void takeAnswer(const QString &controller, const QString &bridge, const QHostAddress &from, quint16 port);
    int indexOf(const QHostAddress &address, quint16 port, int kind) const;
    bool moveStaleEntries(const QString &controller, const QString &bridge, const QHostAddress &to, quint16 port);
    // Marks the targets that missed discovery rounds, as the round just sent counts them.
    void ageOut();
    // A write without an answer: sent, then proved unless a batch proves it later.
    bool sendUnanswered(const QByteArray &frame);
    bool connectTo(const Entry &entry);
    bool queryVersion();
    bool accessExchange(const QByteArray &password);
    void release();
    // Runs the event loop without user input until the socket reports something, the link
    // is closed, or ms have passed.
    void waitOnSocket(QTcpSocket *socket, int ms);
    // Reads and drops what the peer sends while no answer is awaited.
    void discardIdleData();

    // The socket's own buffer: a few of the largest frames (4 + 255 bytes).
    static constexpr qint64 ReadBufferBytes = 4096;
    bool send(const QByteArray &frame);
    // Which frame answers the request: the stream keeps its order, so an answer that came in
    // after its own request timed out arrives first and is read away instead of being taken.
    using Fits = std::function<bool(const QByteArray &frame)>;
    bool receive(QByteArray *frame, const Fits &fits = Fits());
    bool exchange(const QByteArray &request, QByteArray *answer, const Fits &fits = Fits())
    {
        return send(request) && receive(answer, fits);
    }
    void unsupported();

    QUdpSocket m_udp;
    QPointer<QTcpSocket> m_tcp;
    quint8 m_cmdBase = StreamFrame::ControllerBase;
    QMutex m_mutex;
    QList<Entry> m_found;
    QTimer m_scanTimer;
    StreamFrame::Reassembler m_rx;
    // True inside receive(): data that arrives then is the answer being waited for.
    bool m_receiving = false;
    QPointer<QEventLoop> m_waitLoop;
    bool m_connected = false;
    bool m_unconfirmed = false;  // writes sent since the last answer
    int m_round = 0;             // discovery requests sent so far
    QHostAddress m_target;
    quint16 m_port;
    int m_timeoutMs = DefaultTimeoutMs;
    int m_idleAnswerMs = IdleAnswerMs;
};
