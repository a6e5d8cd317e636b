// The link to a board on USB (bulk endpoints 0x01/0x81), and to a board reached through a
// bridge that carries the same packets in UDP datagrams (the UDP bridge path).
#pragma once
#include "link/devio.h"
#include "link/usbbus.h"
#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QVector>
#include <memory>

class QUdpSocket;

class UsbIo : public DevIo
{
    Q_OBJECT
public:
    // Board identity on USB.
    static constexpr quint16 VendorId = 0x04D8;
    static constexpr quint16 ProductId = 0x3101;
    static constexpr quint8 EndpointOut = 0x01;
    static constexpr quint8 EndpointIn = 0x81;
    static constexpr unsigned int TimeoutMs = 500;
    // Answers still waiting on the IN endpoint are read away before each request; after an
    // exchange that failed, longer, as its answer may still be on the way.
    static constexpr unsigned int DrainTimeoutMs = 2;
    static constexpr unsigned int DrainAfterFailureMs = 20;
    static constexpr int ScanIntervalMs = 4000;
    // UDP bridge path defaults; VANDOR_UDP_TARGET, VANDOR_UDP_BOARD_PORT and
    // VANDOR_UDP_LOCAL_PORT (0 = any free port) override them at construction.
    static constexpr quint16 DefaultBoardPort = 8964;
    static constexpr quint16 DefaultLocalPort = 8965;

    // The machine's USB bus through libusb.
    explicit UsbIo(QObject *parent = nullptr);
    // Another bus (not owned; it must outlive the link).
    UsbIo(UsbBus *bus, QObject *parent = nullptr);
    ~UsbIo() override;

    bool readCfg(quint8 *dst, quint16 address, int length) override;
    bool writeCfg(const quint8 *src, quint16 address, int length) override;
    bool saveCfg() override;
    bool readNvMem(quint8 *dst, quint16 address, int length) override;
    bool writeNvMem(const quint8 *src, quint16 address, int length) override;
    bool writeSn(const char *serial) override;
    bool readMachineSetup(quint8 *dst, int length) override;
    bool writeMachineSetup(const quint8 *src, int length) override;
    bool readDynCfg(quint8 *dst, quint32 selector, quint8 *outLength, quint8 *outFlags,
                    quint8 *outComplete) override;
    bool writeDynCfg(const quint8 *src, quint8 length, quint8 marker, quint8 complete) override;
    // A uid of newDevice: a USB board, or a board on the UDP bridge path (isUdpUid).
    bool open(int uid) override;
    void closeLink() override;
    bool exchanging() const override { return m_busy; }
    bool describe(int uid, Found *found) const override;

    // uids of the boards on the UDP bridge path lie above every USB uid (bus << 16 | address).
    static constexpr int UdpUidBase = 0x40000000;
    static bool isUdpUid(int uid) { return uid >= UdpUidBase; }
    // Discovery rounds a board on the UDP bridge path may miss before it is shown as not
    // answering, and before it leaves the list.
    static constexpr int QuietRounds = 2;
    static constexpr int RemoveRounds = 15;
    // Boards on the UDP bridge path the link keeps apart; answers from further ones are ignored.
    static constexpr int MaxPeers = 64;
    // How long after a first answer the others of the same discovery round are awaited.
    static constexpr int RoundSettleMs = 50;
    // A board that answered discovery on the UDP bridge path, from address and the board port.
    struct Peer
    {
        QHostAddress address;
        int uid = 0;
        int lastRound = 0;       // the discovery round it last answered in
        QDateTime lastSeen;
        bool quiet = false;      // missed QuietRounds rounds
        bool removed = false;    // missed RemoveRounds rounds: announced again when it answers
        bool asked = false;      // its identity was asked for the list
        bool identified = false; // and it answered
        bool announceAgain = false;
        quint16 words[3] = {0, 0, 0};
    };
    const QList<Peer> &peers() const { return m_peers; }
    // Chosen (the window, the command-line tool): every board that answers discovery on the
    // UDP bridge path is asked its identity once and announced; it is opened only by open()
    // with its uid. Not chosen (the default): a board that answers alone is opened by the
    // link itself.
    // identify false: nothing is sent to a board that answered discovery until it is opened.
    void setPeersChosen(bool chosen, bool identify = true)
    {
        m_peersChosen = chosen;
        m_identify = identify;
    }
    bool peersChosen() const { return m_peersChosen; }
    // Senders ("address:port") whose datagrams were ignored: neither the open board nor a
    // board answering discovery.
    QStringList strangers() const { return m_strangers; }

protected:
    bool linkUp() const override { return m_handle || !m_udpPeer.isNull(); }
    bool stillThere() override;

public:

    // The UDP bridge path's settings as a new link takes them: the environment variables
    // above, the defaults, and the hosts remembered in the settings file (read afresh).
    static QHostAddress configuredTarget();
    static quint16 configuredBoardPort();
    static quint16 configuredLocalPort();
    static QStringList rememberedHosts();

    // UDP bridge path settings. A null target and no further hosts turn discovery on the
    // UDP bridge path off.
    void setDiscoveryTarget(const QHostAddress &target) { m_target = target; }
    QHostAddress discoveryTarget() const { return m_target; }
    void setBoardPort(quint16 port) { m_boardPort = port; }
    quint16 boardPort() const { return m_boardPort; }
    // Rebinds the UDP socket; 0 = any free port. False when the port cannot be bound.
    bool setLocalPort(quint16 port);
    quint16 localPort() const;
    // Further hosts asked at every scan besides the discovery target. Unless a fixed list is
    // set, they are the remembered hosts, read from the settings file at every scan, so that
    // a host remembered while the program runs is asked at the next scan.
    // setUdpHosts replaces them with a fixed list (addresses or names; empty = none).
    void setUdpHosts(const QStringList &hosts);
    void addUdpHost(const QString &host);
    QStringList udpHosts() const { return m_hosts; }
    // How long each answer may take (TimeoutMs unless set).
    void setTimeout(int ms) { m_timeoutMs = qMax(1, ms); }
    int timeout() const { return m_timeoutMs; }
    // Milliseconds between scans (ScanIntervalMs unless set).
    void setScanInterval(int ms) { m_scanTimer.setInterval(ms); }
    int scanInterval() const { return m_scanTimer.interval(); }
    // The board found on the UDP bridge path; null when none.
    QHostAddress udpPeer() const { return m_udpPeer; }
    int currentUid() const { return m_currentUid; }
    // The open USB board's transfers failed because it is no longer on the bus.
    bool boardUnplugged() const { return m_unplugged; }

Q_SIGNALS:
    // Every board announced as "$NoDriver" has been unplugged or has got its driver.
    void noDriverGone();

public Q_SLOTS:
    void scan();
    void pendingUdpData();
    void udpOpen();

private:
    void start();
    QString probe(UsbBus::Device *dev, int uid);
    void closeBoard(bool notify);
    void releaseAndClose();
    void reportOpenError(int error, const QString &text);
    void pruneUnplugged(const QSet<int> &seen);
    void resolveHost(const QString &host);
    // A discovery answer from address: the board is listed (again); true when it is to be
    // announced.
    bool takePeer(const QHostAddress &address);
    Peer *peerOf(int uid);
    // Marks the boards that missed discovery rounds, as the round just sent counts them.
    void ageOutPeers();
    // Asks the identity of the listed boards not asked yet, then announces them.
    void identifyPeers();
    // Version query and identity check of the board at udpPeer; connected on success.
    bool openPeer(bool tellSilence);

    // One request and its answer, over USB or the UDP bridge path.
    bool exchange(const QByteArray &request, QByteArray *answer);
    bool sendPacket(const QByteArray &packet);
    // Reads packets until one can be the answer to request or TimeoutMs have passed.
    QByteArray receiveAnswer(const QByteArray &request);
    QByteArray receivePacket(int timeoutMs);
    QByteArray receiveUsb(unsigned int timeoutMs, bool *failed);
    QByteArray receiveUdp(int timeoutMs);
    void discardPendingUdp();
    void drainUsb();
    QList<QHostAddress> discoveryHosts() const;
    bool queryVersion();
    // Asks a listed USB board its identity with a handle of its own, then lets it go.
    void identifyUsb(int uid);
    int activePeers() const;

    std::unique_ptr<UsbBus> m_ownBus;
    UsbBus *m_bus = nullptr;
    bool m_busReady = false;
    QHash<int, UsbBus::Device *> m_usbDevices;
    // uids announced, or reported as failing, while they stay plugged in.
    QSet<int> m_announced;
    int m_currentUid = -1;
    UsbBus::Handle *m_handle = nullptr;
    QUdpSocket *m_udp = nullptr;
    QHostAddress m_udpPeer;
    QHostAddress m_target;
    quint16 m_boardPort = DefaultBoardPort;
    QStringList m_hosts;
    QList<QHostAddress> m_hostAddresses;
    bool m_fixedHosts = false;
    // Real uids of the boards without a usable driver, announced once as "$NoDriver".
    QSet<int> m_noDriver;
    // uids whose version query failed and was reported, while they stay plugged in.
    QSet<int> m_unanswered;
    // The last exchange failed: its answer may still arrive.
    bool m_lastFailed = false;
    // UDP boards whose identity was refused ("address:port"), reported once while they
    // keep answering discovery.
    QSet<QString> m_refusedPeers;
    QSet<QString> m_answeredPeers;
    QList<Peer> m_peers;
    bool m_peersChosen = false;
    bool m_identify = true;
    QStringList m_strangers;
    void noteStranger(const QHostAddress &address, quint16 port);
    int m_round = 0;   // discovery rounds sent on the UDP bridge path
    // Product strings of the USB boards announced, and the uids listed while plugged in.
    QHash<int, QString> m_names;
    QSet<int> m_listed;
    // Identity words of the listed USB boards asked while several were to choose from
    // (empty: it did not answer).
    QHash<int, QVector<quint16>> m_usbWords;
    // An operation is waiting for its answer: no second one may start from the event loop.
    bool m_busy = false;
    bool m_unplugged = false;
    int m_timeoutMs = int(TimeoutMs);
    QTimer m_scanTimer;
};
