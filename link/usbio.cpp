// The USB side of UsbIo: bus watch, probe, announce, open and close.
#include "link/usbio.h"
#include "base/logging.h"
#include "base/nethosts.h"
#include "base/prompt.h"
#include "link/packetframe.h"
#include <QPointer>
#include <QUdpSocket>
#include <algorithm>

namespace {

const char *const ProductString = "QB14T37";
const char *const NoDriver = "$NoDriver";

quint16 envPort(const char *name, quint16 fallback)
{
    bool ok = false;
    const int v = qEnvironmentVariable(name).toInt(&ok);
    return ok && v >= 0 && v <= 0xFFFF ? quint16(v) : fallback;
}

QHostAddress envAddress(const char *name, const QHostAddress &fallback)
{
    const QHostAddress a(qEnvironmentVariable(name));
    return a.isNull() ? fallback : a;
}

} // namespace

UsbIo::UsbIo(QObject *parent) : DevIo(parent), m_ownBus(makeLibUsbBus())
{
    m_bus = m_ownBus.get();
    start();
}

UsbIo::UsbIo(UsbBus *bus, QObject *parent) : DevIo(parent), m_bus(bus) { start(); }

QHostAddress UsbIo::configuredTarget() { return envAddress("VANDOR_UDP_TARGET", QHostAddress(QHostAddress::Broadcast)); }

quint16 UsbIo::configuredBoardPort() { return envPort("VANDOR_UDP_BOARD_PORT", DefaultBoardPort); }

quint16 UsbIo::configuredLocalPort() { return envPort("VANDOR_UDP_LOCAL_PORT", DefaultLocalPort); }

QStringList UsbIo::rememberedHosts()
{
    QStringList texts;
    const QList<QHostAddress> hosts = NetHosts::remembered(QString::fromLatin1(NetHosts::UdpKey));
    for (const QHostAddress &h : hosts)
        texts << h.toString();
    return texts;
}

void UsbIo::start()
{
    const int r = m_bus->init();
    m_busReady = r >= 0;
    if (!m_busReady)
        qCDebug(lcUsb, "Error libusb_init %d", r);
    m_target = configuredTarget();
    m_boardPort = configuredBoardPort();
    m_udp = new QUdpSocket(this);
    connect(m_udp, &QUdpSocket::readyRead, this, &UsbIo::pendingUdpData);
    setLocalPort(configuredLocalPort());
    m_scanTimer.setParent(this);
    m_scanTimer.setObjectName(QStringLiteral("scanTimer"));
    m_scanTimer.setInterval(ScanIntervalMs);
    connect(&m_scanTimer, &QTimer::timeout, this, &UsbIo::scan);
    m_scanTimer.start();
    QTimer::singleShot(20, this, &UsbIo::scan);
}

UsbIo::~UsbIo()
{
    closeBoard(false);
    for (UsbBus::Device *dev : qAsConst(m_usbDevices))
        m_bus->unrefDevice(dev);
    m_usbDevices.clear();
    if (m_busReady)
        m_bus->exit();
}

bool UsbIo::setLocalPort(quint16 port)
{
    m_udp->close();
    if (m_udp->bind(QHostAddress::AnyIPv4, port))
        return true;
    qCDebug(lcUdp, "Error bind %d: %s", int(port), qUtf8Printable(m_udp->errorString()));
    return false;
}

quint16 UsbIo::localPort() const { return m_udp->localPort(); }

void UsbIo::scan()
{
    // A scan from inside a waiting operation would probe or close under its feet.
    if (m_busy)
        return;
    QPointer<UsbIo> self(this);
    if (scanEnabled) {
        // Refused UDP boards are reported again once they have stopped answering.
        m_refusedPeers.intersect(m_answeredPeers);
        m_answeredPeers.clear();
        ++m_round;
        const QByteArray discovery = PacketFrame::discoveryRequest();
        if (!m_target.isNull())
            m_udp->writeDatagram(discovery, m_target, m_boardPort);
        const QList<QHostAddress> hosts = discoveryHosts();
        for (const QHostAddress &h : hosts)
            m_udp->writeDatagram(discovery, h, m_boardPort);
        ageOutPeers();
        if (!self)
            return;
    }
    if (!m_busReady)
        return;
    QVector<UsbBus::Device *> list;
    const int r = m_bus->getDeviceList(&list);
    if (r < 0) {
        qCDebug(lcUsb, "Error libusb_get_device_list %d", r);
        return;
    }
    // The whole bus is looked at before anything is announced: the main window opens and
    // reads an announced board at once, so what the walk decides must not depend on it.
    QSet<int> seen;
    QSet<int> noDriver;
    UsbBus::Device *noDriverDev = nullptr;
    QList<QPair<QString, int>> found;
    for (UsbBus::Device *dev : qAsConst(list)) {
        const int uid = (m_bus->busNumber(dev) << 16) | m_bus->deviceAddress(dev);
        seen.insert(uid);
        // A board already announced or reported is not opened again while it stays plugged in.
        if (!scanEnabled || uid == m_currentUid || m_announced.contains(uid))
            continue;
        const QString name = probe(dev, uid);
        if (name.isEmpty() || m_announced.contains(uid))
            continue;
        if (name == QLatin1String(NoDriver)) {
            // Probed at every scan, so that a driver bound later is noticed.
            noDriver.insert(uid);
            if (!m_noDriver.contains(uid) || !noDriverDev)
                noDriverDev = dev;
            continue;
        }
        if (UsbBus::Device *old = m_usbDevices.value(uid))
            m_bus->unrefDevice(old);
        m_usbDevices.insert(uid, m_bus->refDevice(dev));
        m_announced.insert(uid);
        m_names.insert(uid, name);
        m_listed.insert(uid);
        found.append({name, uid});
    }
    // While discovery is off nothing is probed: a driverless board stays one while plugged in.
    if (!scanEnabled)
        noDriver = m_noDriver & seen;
    const bool noDriverNew = !(noDriver - m_noDriver).isEmpty();
    const bool noDriverGoneNow = !m_noDriver.isEmpty() && noDriver.isEmpty();
    m_noDriver = noDriver;
    if (noDriverNew && noDriverDev) {
        if (UsbBus::Device *old = m_usbDevices.take(-1))
            m_bus->unrefDevice(old);
        m_usbDevices.insert(-1, m_bus->refDevice(noDriverDev));
    }
    m_bus->freeDeviceList(&list);
    pruneUnplugged(seen);
    const bool openGone = m_currentUid >= 0 && !seen.contains(m_currentUid);
    QList<int> unplugged;
    for (const int uid : qAsConst(m_listed))
        if (!seen.contains(uid))
            unplugged << uid;
    for (const int uid : qAsConst(unplugged)) {
        m_listed.remove(uid);
        m_names.remove(uid);
        m_usbWords.remove(uid);
    }
    // Several boards to choose from: each is told apart by its identity before it is listed.
    // A board found alone opens at once and is not asked twice.
    if (m_peersChosen && m_identify && !found.isEmpty() && m_listed.size() + activePeers() > 1) {
        const QList<int> listed = m_listed.values();
        for (const int uid : listed) {
            if (!self || !scanEnabled)
                break;
            if (m_usbWords.contains(uid))
                continue;
            identifyUsb(uid);
            // Listed before without its model: announced again with it.
            const bool listedBefore = std::none_of(found.cbegin(), found.cend(), [uid](const QPair<QString, int> &f) { return f.second == uid; });
            if (self && listedBefore)
                found.append({m_names.value(uid), uid});
        }
        if (!self)
            return;
    }

    if (openGone)
        closeBoard(true);
    for (const int uid : qAsConst(unplugged)) {
        if (!self)
            return;
        Q_EMIT deviceRemoved(uid);
    }
    if (self && noDriverGoneNow)
        Q_EMIT noDriverGone();
    if (self && noDriverNew)
        Q_EMIT newDevice(QString::fromLatin1(NoDriver), -1);
    for (const auto &f : qAsConst(found)) {
        if (!self)
            return;
        Q_EMIT newDevice(f.first, f.second);
    }
}

void UsbIo::pruneUnplugged(const QSet<int> &seen)
{
    for (QSet<int> *set : {&m_announced, &m_unanswered}) {
        for (auto it = set->begin(); it != set->end();) {
            if (*it >= 0 && !seen.contains(*it))
                it = set->erase(it);
            else
                ++it;
        }
    }
    for (auto it = m_usbDevices.begin(); it != m_usbDevices.end();) {
        const bool gone = it.key() >= 0 ? it.key() != m_currentUid && !seen.contains(it.key())
                                        : m_noDriver.isEmpty();
        if (gone) {
            m_bus->unrefDevice(it.value());
            it = m_usbDevices.erase(it);
        } else {
            ++it;
        }
    }
}

void UsbIo::reportOpenError(int error, const QString &text)
{
    QString message = text;
#ifdef Q_OS_LINUX
    if (error == UsbBus::ErrorAccess)
        message += QLatin1Char('\n')
            + tr("This user may not open the board. Install the udev rule "
                 "packaging/linux/60-vandor.rules: copy it to /etc/udev/rules.d/, run "
                 "\"sudo udevadm control --reload-rules\" and plug the board in again.");
#else
    Q_UNUSED(error);
#endif
    prompt()->message(Prompt::Icon::Information, tr("USB error"), message);
}

QString UsbIo::probe(UsbBus::Device *dev, int uid)
{
    UsbBus::DeviceDescriptor desc;
    if (m_bus->deviceDescriptor(dev, &desc) != 0) {
        qCDebug(lcUsb, "Error libusb_get_device_descriptor");
        return QString();
    }
    if (desc.vendorId != VendorId || desc.productId != ProductId)
        return QString();
    UsbBus::Handle *h = nullptr;
    int r = m_bus->open(dev, &h);
    if (r == UsbBus::ErrorNotSupported)
        return QString::fromLatin1(NoDriver);
    if (r != 0) {
        m_announced.insert(uid);
        reportOpenError(r, tr("Failed to connect. Error: %1").arg(r));
        return QString();
    }
    r = m_bus->setConfiguration(h, 1);
    if (r != 0 && r != UsbBus::ErrorBusy) {
        m_bus->close(h);
        qCDebug(lcUsb, "Error libusb_set_configuration %d", r);
        return QString();
    }
    if (m_bus->claimInterface(h, 0) != 0) {
        m_bus->close(h);
        qCDebug(lcUsb, "Error libusb_claim_interface");
        return QString();
    }
    unsigned char text[256] = {};
    int n = -1;
    if (m_bus->deviceDescriptor(dev, &desc) == 0 && desc.productIndex != 0)
        n = m_bus->stringDescriptorAscii(h, desc.productIndex, text, int(sizeof text));
    m_bus->releaseInterface(h, 0);
    m_bus->close(h);
    if (n < 0) {
        qCDebug(lcUsb, "Error libusb_get_string_descriptor_ascii");
        return QString();
    }
    const QString name = QString::fromLatin1(reinterpret_cast<const char *>(text),
                                             qMin(n, int(sizeof text)));
    if (name != QLatin1String(ProductString)) {
        m_announced.insert(uid);
        prompt()->message(Prompt::Icon::Information, tr("USB error"),
                          tr("Incompatible device: %1.").arg(name));
        return QString();
    }
    return name;
}

bool UsbIo::open(int uid)
{
    if (!scanEnabled || m_busy)
        return false;
    if (m_handle) {
        qCDebug(lcUsb, "already open");
        return false;
    }
    if (isUdpUid(uid)) {
        const Peer *peer = peerOf(uid);
        if (!peer || peer->removed || !m_udpPeer.isNull())
            return false;
        m_udpPeer = peer->address;
        return openPeer(true);
    }
    UsbBus::Device *dev = m_usbDevices.value(uid);
    if (!dev)
        return false;
    UsbBus::Handle *h = nullptr;
    int r = m_bus->open(dev, &h);
    if (r == UsbBus::ErrorNotSupported)
        return false;
    if (r != 0) {
        m_announced.insert(uid);
        reportOpenError(r, tr("Failed to connect. Error: %1\nMaybe USB driver is not installed!").arg(r));
        return false;
    }
    r = m_bus->setConfiguration(h, 1);
    if (r != 0 && r != UsbBus::ErrorBusy) {
        m_bus->close(h);
        qCDebug(lcUsb, "Error libusb_set_configuration %d", r);
        return false;
    }
    if (m_bus->claimInterface(h, 0) != 0) {
        m_bus->close(h);
        qCDebug(lcUsb, "Error libusb_claim_interface");
        return false;
    }
    m_handle = h;
    m_unplugged = false;
    m_lastFailed = true;  // whatever an earlier user of the board left on the endpoint
    // A board that does not answer the version query is not opened: its identity is unknown.
    // It is tried again at the next scans; the user hears of it once while it stays plugged in.
    if (!queryVersion()) {
        releaseAndClose();
        m_announced.remove(uid);
        if (!m_unanswered.contains(uid)) {
            m_unanswered.insert(uid);
            prompt()->message(Prompt::Icon::Information, tr("USB error"), tr("The board did not answer."));
        }
        return false;
    }
    if (!acceptIdentity(tr("USB error"))) {
        m_announced.insert(uid);
        releaseAndClose();
        return false;
    }
    m_currentUid = uid;
    m_announced.clear();
    Q_EMIT connected();
    return true;
}

void UsbIo::releaseAndClose()
{
    if (!m_handle)
        return;
    m_bus->releaseInterface(m_handle, 0);
    m_bus->close(m_handle);
    m_handle = nullptr;
}

void UsbIo::closeBoard(bool notify)
{
    m_udpPeer.clear();
    // Boards of the UDP bridge path found during the connection are told apart now.
    if (notify && m_peersChosen)
        QTimer::singleShot(0, this, &UsbIo::identifyPeers);
    if (!m_handle)
        return;
    releaseAndClose();
    m_currentUid = -1;
    // Driverless boards are announced again, for a start page shown afresh after a disconnection.
    m_noDriver.clear();
    if (notify)
        Q_EMIT disconnected();
}
