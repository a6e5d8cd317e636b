// UsbIo's peers on the UDP bridge path: the hosts asked, the boards that answer them, their
// datagrams taken in, aged out, identified and opened; and the identity of USB boards asked
// when several are plugged.
#include "base/logging.h"
#include "base/nethosts.h"
#include "base/prompt.h"
#include "link/packetframe.h"
#include "link/usbio.h"
#include <QHostInfo>
#include <QNetworkDatagram>
#include <QPointer>
#include <QUdpSocket>
#include <algorithm>

namespace {

QString peerKey(const QHostAddress &a, quint16 port)
{
    return a.toString() + QLatin1Char(':') + QString::number(port);
}

} // namespace

void UsbIo::setUdpHosts(const QStringList &hosts)
{
    m_fixedHosts = true;
    m_hosts.clear();
    m_hostAddresses.clear();
    for (const QString &h : hosts)
        addUdpHost(h);
}

void UsbIo::addUdpHost(const QString &host)
{
    const QString h = host.trimmed();
    if (h.isEmpty() || m_hosts.contains(h))
        return;
    m_hosts.append(h);
    resolveHost(h);
}

void UsbIo::resolveHost(const QString &host)
{
    const QHostAddress a(host);
    if (!a.isNull()) {
        m_hostAddresses.append(a);
        return;
    }
    QHostInfo::lookupHost(host, this, [this, host](const QHostInfo &info) {
        if (!m_hosts.contains(host))
            return;
        for (const QHostAddress &found : info.addresses()) {
            if (found.protocol() == QAbstractSocket::IPv4Protocol) {
                m_hostAddresses.append(found);
                return;
            }
        }
        qCDebug(lcUdp, "Error host %s", qUtf8Printable(host));
    });
}

QList<QHostAddress> UsbIo::discoveryHosts() const
{
    QList<QHostAddress> hosts = m_hostAddresses;
    if (!m_fixedHosts) {
        const QList<QHostAddress> remembered = NetHosts::remembered(QString::fromLatin1(NetHosts::UdpKey));
        for (const QHostAddress &h : remembered)
            if (!hosts.contains(h))
                hosts << h;
    }
    hosts.removeAll(m_target);
    return hosts;
}

void UsbIo::pendingUdpData()
{
    // While an answer is awaited the waiting operation reads the socket itself.
    if (m_busy)
        return;
    bool fresh = false;
    // Bounded, so that a flood of datagrams cannot hold the GUI thread here.
    for (int n = 0; n < 256 && m_udp->hasPendingDatagrams(); ++n) {
        const QNetworkDatagram d = m_udp->receiveDatagram(PacketFrame::MaxPacket);
        if (!PacketFrame::isDiscoveryAnswer(d.data()) || d.senderPort() != m_boardPort) {
            // A late answer of the open board, or a stranger's datagram: nothing waits for it.
            const QHostAddress from(d.senderAddress().toIPv4Address());
            const bool known = d.senderPort() == m_boardPort
                && std::any_of(m_peers.cbegin(), m_peers.cend(), [&](const Peer &p) { return p.address == from; });
            if (!known)
                noteStranger(from, quint16(d.senderPort()));
            qCDebug(lcUdp, "Unexpecred udp data %d: %s (from %s:%d)", int(d.data().size()),
                    d.data().toHex(' ').constData(), qUtf8Printable(d.senderAddress().toString()), d.senderPort());
            continue;
        }
        const QHostAddress from(d.senderAddress().toIPv4Address());
        m_answeredPeers.insert(peerKey(from, m_boardPort));
        fresh = takePeer(from) || fresh;
    }
    if (m_peersChosen) {
        // A moment later, so that the boards answering the same round are announced together.
        if (fresh)
            QTimer::singleShot(RoundSettleMs, this, &UsbIo::identifyPeers);
        return;
    }
    // Only taken while discovery is on: a peer set behind another connection's back would
    // steal the packets of the next USB board. A board is opened only while it answers alone.
    if (!scanEnabled || !m_udpPeer.isNull() || m_handle)
        return;
    const Peer *alone = nullptr;
    int answering = 0;
    for (const Peer &p : qAsConst(m_peers)) {
        if (!p.quiet && !p.removed) {
            ++answering;
            alone = &p;
        }
    }
    if (answering != 1 || alone->lastRound != m_round
        || m_refusedPeers.contains(peerKey(alone->address, m_boardPort)))
        return;
    m_udpPeer = alone->address;
    QTimer::singleShot(10, this, &UsbIo::udpOpen);
}

void UsbIo::noteStranger(const QHostAddress &address, quint16 port)
{
    const QString key = peerKey(QHostAddress(address.toIPv4Address()), port);
    if (!m_strangers.contains(key) && m_strangers.size() < MaxPeers)
        m_strangers << key;
}

bool UsbIo::takePeer(const QHostAddress &address)
{
    const QDateTime now = QDateTime::currentDateTime();
    for (Peer &p : m_peers) {
        if (p.address != address)
            continue;
        p.lastRound = m_round;
        p.lastSeen = now;
        const bool back = p.quiet || p.removed;
        p.quiet = p.removed = false;
        p.announceAgain = p.announceAgain || back;
        return back;
    }
    if (m_peers.size() >= MaxPeers) {
        qCDebug(lcUdp, "Too many boards on the UDP bridge path: %s ignored", qUtf8Printable(address.toString()));
        return false;
    }
    Peer p;
    p.address = address;
    p.uid = UdpUidBase + m_peers.size();
    p.lastRound = m_round;
    p.lastSeen = now;
    m_peers.append(p);
    return true;
}

UsbIo::Peer *UsbIo::peerOf(int uid)
{
    const int i = uid - UdpUidBase;
    return i >= 0 && i < m_peers.size() ? &m_peers[i] : nullptr;
}

void UsbIo::ageOutPeers()
{
    QList<QPair<int, QDateTime>> quiet;
    QList<int> removed;
    for (Peer &p : m_peers) {
        // Rounds sent since the one it last answered, this one not counted: it may still answer.
        const int missed = m_round - 1 - p.lastRound;
        if (!p.removed && missed >= RemoveRounds) {
            p.removed = p.quiet = true;
            removed << p.uid;
        } else if (!p.quiet && missed >= QuietRounds) {
            p.quiet = true;
            quiet.append({p.uid, p.lastSeen});
        }
    }
    if (!m_peersChosen)
        return;
    QPointer<UsbIo> self(this);
    for (const auto &q : qAsConst(quiet)) {
        if (!self)
            return;
        Q_EMIT deviceQuiet(q.first, q.second);
    }
    for (const int uid : qAsConst(removed)) {
        if (!self)
            return;
        Q_EMIT deviceRemoved(uid);
    }
}

void UsbIo::identifyPeers()
{
    QPointer<UsbIo> self(this);
    QList<int> announce;
    // Each board is told apart by its identity before it is listed; nothing but the version
    // query reaches it until it is chosen. Boards that answer meanwhile are asked too.
    for (int i = 0; self && i < m_peers.size(); ++i) {
        if (m_peers.at(i).quiet)
            continue;
        if (m_peers.at(i).asked) {
            // Found again after it had gone quiet: announced again as it is.
            if (m_peers.at(i).announceAgain)
                announce << m_peers.at(i).uid;
            m_peers[i].announceAgain = false;
            continue;
        }
        // Asked once nothing else is going on; after a connection, when it ends.
        if (isLive())
            break;
        if (m_busy || m_handle || !m_udpPeer.isNull()) {
            QTimer::singleShot(ScanIntervalMs / 4, this, &UsbIo::identifyPeers);
            break;
        }
        QByteArray answer;
        PacketFrame::Identity id;
        bool ok = false;
        if (m_identify) {
            m_udpPeer = m_peers.at(i).address;
            ok = exchange(PacketFrame::versionQuery(), &answer) && PacketFrame::checkVersion(answer, &id);
            if (!self)
                return;
            m_udpPeer.clear();
        }
        Peer &p = m_peers[i];
        p.asked = true;
        p.announceAgain = false;
        p.identified = ok;
        p.words[0] = id.word0;
        p.words[1] = id.word1;
        p.words[2] = id.word2;
        announce << p.uid;
    }
    // All at once: whoever decides what to open sees the round's boards together.
    for (const int uid : qAsConst(announce)) {
        if (!self)
            return;
        const Peer *p = peerOf(uid);
        Q_EMIT newDevice(p->address.toString(), uid);
    }
}

bool UsbIo::openPeer(bool tellSilence)
{
    const QString key = peerKey(m_udpPeer, m_boardPort);
    const QHostAddress peer = m_udpPeer;
    if (!queryVersion()) {
        m_udpPeer.clear();
        if (tellSilence)
            prompt()->message(Prompt::Icon::Information, tr("UDP error"),
                              tr("The board at %1 did not answer.").arg(peer.toString()));
        return false;
    }
    if (m_udpPeer.isNull())
        return false;
    if (!acceptIdentity(tr("UDP error"))) {
        // Forgotten, so that the link stays usable; not reported again while it keeps answering.
        m_refusedPeers.insert(key);
        m_udpPeer.clear();
        return false;
    }
    Q_EMIT connected();
    return true;
}

void UsbIo::udpOpen()
{
    if (m_udpPeer.isNull() || m_busy)
        return;
    if (!scanEnabled || m_handle) {
        m_udpPeer.clear();
        return;
    }
    openPeer(false);
}

int UsbIo::activePeers() const
{
    return int(std::count_if(m_peers.cbegin(), m_peers.cend(), [](const Peer &p) { return !p.quiet && !p.removed; }));
}

void UsbIo::identifyUsb(int uid)
{
    UsbBus::Device *dev = m_usbDevices.value(uid);
    if (!dev || m_handle || m_busy || !m_udpPeer.isNull())
        return;
    UsbBus::Handle *h = nullptr;
    if (m_bus->open(dev, &h) != 0)
        return;
    const int r = m_bus->setConfiguration(h, 1);
    if ((r != 0 && r != UsbBus::ErrorBusy) || m_bus->claimInterface(h, 0) != 0) {
        m_bus->close(h);
        return;
    }
    QPointer<UsbIo> self(this);
    m_handle = h;
    m_lastFailed = true;  // whatever an earlier user of the board left on the endpoint
    QByteArray answer;
    PacketFrame::Identity id;
    // Only the version query, which changes nothing on the board.
    const bool ok = exchange(PacketFrame::versionQuery(), &answer) && PacketFrame::checkVersion(answer, &id);
    if (!self)
        return;
    releaseAndClose();
    // Asked once while plugged in, answered or not: a silent board is listed by its name.
    m_usbWords.insert(uid, ok ? QVector<quint16>{id.word0, id.word1, id.word2} : QVector<quint16>());
}

bool UsbIo::describe(int uid, Found *found) const
{
    Found f;
    if (isUdpUid(uid)) {
        const auto it = std::find_if(m_peers.cbegin(), m_peers.cend(), [uid](const Peer &p) { return p.uid == uid; });
        if (it == m_peers.cend())
            return false;
        f.path = QStringLiteral("udp");
        f.address = it->address.toString();
        f.identified = it->identified;
        std::copy(std::begin(it->words), std::end(it->words), std::begin(f.words));
    } else {
        if (uid < 0 || !m_names.contains(uid))
            return false;
        f.name = m_names.value(uid);
        f.path = QStringLiteral("usb");
        const QVector<quint16> words = m_usbWords.value(uid);
        f.identified = words.size() == 3;
        for (int i = 0; i < words.size() && i < 3; ++i)
            f.words[i] = words.at(i);
        f.address = QStringLiteral("%1:%2").arg(uid >> 16).arg(uid & 0xFFFF);
    }
    if (found)
        *found = f;
    return true;
}
