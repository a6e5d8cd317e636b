// UsbIo's packets: the operations and the exchange over the bulk endpoints or the UDP bridge
// path.
#include "base/logging.h"
#include "base/prompt.h"
#include "link/linkcancel.h"
#include "link/packetframe.h"
#include "link/usbio.h"
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkDatagram>
#include <QPointer>
#include <QUdpSocket>
#include <algorithm>
#include <cstring>

bool UsbIo::exchange(const QByteArray &request, QByteArray *answer)
{
    answer->clear();
    // An empty request is one the framing refused (too long): nothing goes on the wire.
    if (request.isEmpty() || m_busy || LinkCancel::requested())
        return false;
    QPointer<UsbIo> self(this);
    m_busy = true;
    const bool sent = sendPacket(request);
    if (sent && self)
        *answer = receiveAnswer(request);
    if (!self)
        return false;
    m_busy = false;
    m_lastFailed = answer->isEmpty();
    return sent;
}

bool UsbIo::sendPacket(const QByteArray &packet)
{
    if (!m_udpPeer.isNull()) {
        discardPendingUdp();
        return m_udp->writeDatagram(packet, m_udpPeer, m_boardPort) == packet.size();
    }
    if (!m_handle)
        return false;
    drainUsb();
    QByteArray buf = packet;
    int done = 0;
    const int r = m_bus->bulkTransfer(m_handle, EndpointOut, reinterpret_cast<unsigned char *>(buf.data()),
                                      buf.size(), &done, unsigned(m_timeoutMs));
    if (r != 0) {
        qCDebug(lcUsb, "Error send %d", r);
        m_unplugged = m_unplugged || r == UsbBus::ErrorNoDevice;
        return false;
    }
    return true;
}

void UsbIo::drainUsb()
{
    // A late answer to an earlier request would otherwise be read as the answer to this one.
    const unsigned int wait = m_lastFailed ? DrainAfterFailureMs : DrainTimeoutMs;
    for (int n = 0; n < 16 && m_handle; ++n) {
        bool failed = false;
        const QByteArray stale = receiveUsb(wait, &failed);
        if (stale.isEmpty())
            break;
        qCDebug(lcUsb, "Unexpecred usb data %d: %s", stale.size(), stale.toHex(' ').constData());
    }
}

QByteArray UsbIo::receiveAnswer(const QByteArray &request)
{
    QPointer<UsbIo> self(this);
    QElapsedTimer clock;
    clock.start();
    // Bounded in count as well as in time: a board that keeps talking cannot hold the link.
    for (int n = 0; n < 32; ++n) {
        const qint64 left = qint64(m_timeoutMs) - clock.elapsed();
        if (left <= 0 && n > 0)
            break;
        const QByteArray answer = receivePacket(int(qMax<qint64>(1, left)));
        if (!self || answer.isEmpty())
            return QByteArray();
        if (PacketFrame::echoes(request, answer))
            return answer;
        if (m_udpPeer.isNull())
            qCDebug(lcUsb, "Unexpecred usb data %d: %s", answer.size(), answer.toHex(' ').constData());
        else
            qCDebug(lcUdp, "Unexpecred udp data %d: %s", answer.size(), answer.toHex(' ').constData());
    }
    return QByteArray();
}

QByteArray UsbIo::receivePacket(int timeoutMs)
{
    QByteArray answer;
    if (!m_udpPeer.isNull()) {
        answer = receiveUdp(timeoutMs);
    } else if (m_handle) {
        bool failed = false;
        answer = receiveUsb(unsigned(timeoutMs), &failed);
        if (failed)
            return QByteArray();
    }
    if (answer.size() > 1)
        answer[1] = char(quint8(answer[1]) & PacketFrame::DirectionMask);
    return answer;
}

QByteArray UsbIo::receiveUsb(unsigned int timeoutMs, bool *failed)
{
    unsigned char buf[PacketFrame::MaxPacket];
    int n = 0;
    const int r = m_bus->bulkTransfer(m_handle, EndpointIn, buf, int(sizeof buf), &n, timeoutMs);
    if (r == UsbBus::ErrorPipe) {
        qCDebug(lcUsb, "pipe");
        m_bus->clearHalt(m_handle, EndpointIn);
        *failed = true;
        return QByteArray();
    }
    if (r == UsbBus::ErrorTimeout)
        return QByteArray();
    if (r != 0) {
        qCDebug(lcUsb, "Error receive %d", r);
        m_unplugged = m_unplugged || r == UsbBus::ErrorNoDevice;
        *failed = true;
        return QByteArray();
    }
    return QByteArray(reinterpret_cast<const char *>(buf), qBound(0, n, int(sizeof buf)));
}

void UsbIo::discardPendingUdp()
{
    while (m_udp->hasPendingDatagrams()) {
        const QByteArray d = m_udp->receiveDatagram().data();
        qCDebug(lcUdp, "Unexpecred udp data %d: %s", d.size(), d.toHex(' ').constData());
    }
}

QByteArray UsbIo::receiveUdp(int timeoutMs)
{
    // Wakes as soon as a datagram is there; user input waits until the answer is in.
    QPointer<UsbIo> self(this);
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; round < 1000; ++round) {
        while (m_udp->hasPendingDatagrams()) {
            const QNetworkDatagram d = m_udp->receiveDatagram(PacketFrame::MaxPacket);
            if (d.senderAddress().isEqual(m_udpPeer, QHostAddress::TolerantConversion)
                && d.senderPort() == m_boardPort)
                return d.data();
            if (PacketFrame::isDiscoveryAnswer(d.data()) && d.senderPort() == m_boardPort) {
                // Another board answering discovery meanwhile is listed all the same.
                if (takePeer(QHostAddress(d.senderAddress().toIPv4Address())) && m_peersChosen)
                    QTimer::singleShot(RoundSettleMs, this, &UsbIo::identifyPeers);
                continue;
            }
            // Only the chosen board answers for itself: whatever else arrives is not its answer.
            noteStranger(d.senderAddress(), quint16(d.senderPort()));
            qCDebug(lcUdp, "Ignored udp data from %s:%d (the board is at %s:%d), %d bytes: %s",
                    qUtf8Printable(d.senderAddress().toString()), d.senderPort(),
                    qUtf8Printable(m_udpPeer.toString()), int(m_boardPort), int(d.data().size()),
                    d.data().toHex(' ').constData());
        }
        const qint64 left = qint64(timeoutMs) - clock.elapsed();
        if (left <= 0 || LinkCancel::requested())
            break;
        QEventLoop loop;
        connect(m_udp, &QUdpSocket::readyRead, &loop, &QEventLoop::quit);
        connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
        connect(LinkCancel::instance(), &LinkCancel::cancelled, &loop, &QEventLoop::quit);
        QTimer::singleShot(int(left), &loop, &QEventLoop::quit);
        loop.exec(LinkCancel::waitFlags());
        if (!self || m_udpPeer.isNull())
            return QByteArray();
    }
    qCDebug(lcUdp, "Error udp receive");
    return QByteArray();
}

bool UsbIo::queryVersion()
{
    clearIdentity();
    PacketFrame::Identity id;
    const bool answered = retried("version query", [&] {
        QByteArray answer;
        return exchange(PacketFrame::versionQuery(), &answer) && PacketFrame::checkVersion(answer, &id);
    });
    if (!answered) {
        qCDebug(lcUsb, "Error versions");
        return false;
    }
    word0 = id.word0;
    word1 = id.word1;
    word2 = id.word2;
    return true;
}

bool UsbIo::stillThere()
{
    if (!m_handle && m_udpPeer.isNull())
        return true;
    QByteArray answer;
    PacketFrame::Identity id;
    // The same board: another one answering at its place is not the board that was opened.
    return exchange(PacketFrame::versionQuery(), &answer) && PacketFrame::checkVersion(answer, &id)
        && id.word0 == word0 && id.word1 == word1 && id.word2 == word2;
}

bool UsbIo::readCfg(quint8 *dst, quint16 address, int length)
{
    const QByteArray request = PacketFrame::readCfg(address, length);
    if (!request.isEmpty() && retried("readCfg", [&] {
            QByteArray a;
            return exchange(request, &a) && PacketFrame::checkReadCfg(a, address, length, dst);
        }))
        return track(true);
    qCDebug(lcUsb, "Error readCfg");
    return track(false);
}

bool UsbIo::writeCfg(const quint8 *src, quint16 address, int length)
{
    const QByteArray request = PacketFrame::writeCfg(src, address, length);
    if (!request.isEmpty() && retried("writeCfg", [&] {
            QByteArray a;
            return exchange(request, &a) && PacketFrame::checkWriteCfg(a);
        }))
        return track(true);
    qCDebug(lcUsb, "Error writeCfg");
    return track(false);
}

bool UsbIo::saveCfg()
{
    QByteArray a;
    if (exchange(PacketFrame::saveCfg(), &a) && PacketFrame::checkSaveCfg(a))
        return track(true);
    qCDebug(lcUsb, "Error saveCfg");
    return track(false);
}

bool UsbIo::readNvMem(quint8 *dst, quint16 address, int length)
{
    const QByteArray request = PacketFrame::readNvMem(address, length);
    if (!request.isEmpty() && retried("readNvMem", [&] {
            QByteArray a;
            return exchange(request, &a) && PacketFrame::checkReadNvMem(a, address, length, dst);
        }))
        return track(true);
    qCDebug(lcUsb, "Error readNvMem");
    return track(false);
}

bool UsbIo::writeNvMem(const quint8 *src, quint16 address, int length)
{
    const QByteArray request = PacketFrame::writeNvMem(src, address, length);
    if (!request.isEmpty() && retried("writeNvMem", [&] {
            QByteArray a;
            return exchange(request, &a) && PacketFrame::checkWriteNvMem(a);
        }))
        return track(true);
    qCDebug(lcUsb, "Error writeNvMem");
    return track(false);
}

bool UsbIo::writeSn(const char *serial)
{
    QByteArray a;
    const bool exchanged = exchange(PacketFrame::writeSn(serial), &a);
    if (exchanged && PacketFrame::checkWriteSn(a))
        return track(true);
    qCDebug(lcUsb, "Error writeSn");
    // A board that refuses the serial number has still answered.
    track(exchanged && !a.isEmpty());
    return false;
}

bool UsbIo::readMachineSetup(quint8 *dst, int length)
{
    QByteArray a;
    // The request carries no length: refuse a length the answer can never match.
    if (length >= 0 && length <= PacketFrame::MaxData
        && exchange(PacketFrame::readMachineSetup(), &a)
        && PacketFrame::checkReadMachineSetup(a, length, dst))
        return track(true);
    qCDebug(lcUsb, "Error readMachineSetup");
    return track(false);
}

bool UsbIo::writeMachineSetup(const quint8 *src, int length)
{
    QByteArray a;
    if (exchange(PacketFrame::writeMachineSetup(src, length), &a)
        && PacketFrame::checkWriteMachineSetup(a))
        return track(true);
    qCDebug(lcUsb, "Error writeMachineSetup");
    return track(false);
}

bool UsbIo::readDynCfg(quint8 *dst, quint32 selector, quint8 *outLength, quint8 *outFlags,
                       quint8 *outComplete)
{
    PacketFrame::DynChunk chunk;
    auto attempt = [&] {
        QByteArray a;
        return exchange(PacketFrame::readDynCfg(selector), &a) && PacketFrame::checkReadDynCfg(a, &chunk);
    };
    // A selector starts its list afresh and may be asked again; 0 asks for the next packet,
    // which the board hands out only once.
    if (!(selector != 0 ? retried("readDynCfg", attempt) : attempt())) {
        qCDebug(lcUsb, "Error readDynCfg");
        return track(false);
    }
    if (dst && !chunk.data.isEmpty())
        memcpy(dst, chunk.data.constData(), size_t(chunk.data.size()));
    if (outLength)
        *outLength = quint8(chunk.data.size());
    if (outFlags)
        *outFlags = chunk.flags;
    if (outComplete)
        *outComplete = chunk.complete;
    return track(true);
}

bool UsbIo::writeDynCfg(const quint8 *src, quint8 length, quint8 marker, quint8 complete)
{
    QByteArray a;
    if (exchange(PacketFrame::writeDynCfg(src, length, marker, complete), &a)
        && PacketFrame::checkWriteDynCfg(a))
        return track(true);
    qCDebug(lcUsb, "Error writeDynCfg");
    return track(false);
}

void UsbIo::closeLink()
{
    // The UDP bridge path has no connection of its own to lose: its peer is forgotten and
    // found again by the next scans.
    const bool udpConnected = !m_handle && !m_udpPeer.isNull() && isLive();
    closeBoard(true);
    if (udpConnected)
        Q_EMIT disconnected();
}
