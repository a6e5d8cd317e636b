// The kernel side of a USB board, as usbfs shows it to libusb: descriptors in sysfs, a device
// node whose ioctls (claim, URB submit, reap, discard) umockdev hands to UsbBoard, and bulk
// transfers answered by SimBoard's packet framing.
#include <umockdev.h>

#include "usbboard.h"
#include <QMutexLocker>
#include <QString>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <linux/ioctl.h>
#include <linux/usbdevice_fs.h>

namespace {

qint64 nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

UMockdevIoctlClient *cl(void *c) { return static_cast<UMockdevIoctlClient *>(c); }

QByteArray hex(const char *text) { return QByteArray::fromHex(text); }

// Device descriptor: USB 2.0, vendor-specific, 64-byte control endpoint, 04D8:3101,
// manufacturer string 1, product string 2, one configuration.
QByteArray deviceDescriptor() { return hex("1201000200000040d8040131000101020001"); }

// Configuration 1: one interface with the two bulk endpoints 0x81 (IN) and 0x01 (OUT).
QByteArray configDescriptor()
{
    return hex("090220000101008032"
               "0904000002ff000000"
               "07058102400000"
               "07050102400000");
}

QByteArray stringDescriptor(const QByteArray &ascii)
{
    QByteArray d;
    d.append(char(2 + 2 * ascii.size()));
    d.append(char(0x03));
    for (char c : ascii) {
        d.append(c);
        d.append('\0');
    }
    return d;
}

} // namespace

// A URB the program submitted and has not reaped yet.
struct UsbBoard::Urb
{
    UMockdevIoctlData *data = nullptr;  // the struct usbdevfs_urb, resolved; one reference
    ~Urb()
    {
        if (data)
            g_object_unref(data);
    }
    usbdevfs_urb *urb() const { return reinterpret_cast<usbdevfs_urb *>(data->data); }
};

namespace {

gboolean onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer board)
{
    return static_cast<UsbBoard *>(board)->handleIoctl(client) ? TRUE : FALSE;
}

} // namespace

UsbBoard::UsbBoard(int address, const QByteArray &product) : m_address(address), m_product(product)
{
    m_devNode = QStringLiteral("/dev/bus/usb/%1/%2").arg(BusNumber, 3, 10, QLatin1Char('0')).arg(address, 3, 10, QLatin1Char('0'));
    m_sysPath = QStringLiteral("/sys/devices/usb%1/%1-%2").arg(BusNumber).arg(address);
}

UsbBoard::~UsbBoard()
{
    if (m_handler)
        g_object_unref(m_handler);
}

void UsbBoard::withBoard(const std::function<void(SimBoard &)> &f)
{
    QMutexLocker lock(&m_mutex);
    f(m_board);
}

QVector<QByteArray> UsbBoard::requests() const
{
    QMutexLocker lock(&m_mutex);
    return m_requests;
}

int UsbBoard::requestCount(quint8 command) const
{
    QMutexLocker lock(&m_mutex);
    int n = 0;
    for (const QByteArray &r : m_requests)
        if (!r.isEmpty() && quint8(r.at(0)) == command)
            ++n;
    return n;
}

void UsbBoard::clearRequests()
{
    QMutexLocker lock(&m_mutex);
    m_requests.clear();
}

void UsbBoard::setSilentVersion(bool silent)
{
    QMutexLocker lock(&m_mutex);
    m_silentVersion = silent;
}

void UsbBoard::holdNextAnswer(int ms)
{
    QMutexLocker lock(&m_mutex);
    m_holdNext = ms;
}

void UsbBoard::setAnswerDelay(int ms)
{
    QMutexLocker lock(&m_mutex);
    m_delay = ms;
}

void UsbBoard::setFaults(const FaultOptions &options)
{
    QMutexLocker lock(&m_mutex);
    m_faults = std::make_unique<FaultPlan>(options);
}

void UsbBoard::setObserver(std::function<void(const QByteArray &, const QByteArray &)> observer)
{
    QMutexLocker lock(&m_mutex);
    m_observer = std::move(observer);
}

bool UsbBoard::handleIoctl(void *client)
{
    UMockdevIoctlClient *c = cl(client);
    const gulong request = umockdev_ioctl_client_get_request(c);
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(c);
    QMutexLocker lock(&m_mutex);
    if (m_gone) {
        umockdev_ioctl_client_complete(c, -1, ENODEV);
        return true;
    }
    switch (request) {
    case USBDEVFS_GET_CAPABILITIES: {
        UMockdevIoctlData *d = umockdev_ioctl_data_resolve(arg, 0, sizeof(guint32), nullptr);
        if (!d) {
            umockdev_ioctl_client_complete(c, -1, EFAULT);
            return true;
        }
        const guint32 caps = USBDEVFS_CAP_BULK_CONTINUATION | USBDEVFS_CAP_NO_PACKET_SIZE_LIM
                             | USBDEVFS_CAP_REAP_AFTER_DISCONNECT | USBDEVFS_CAP_ZERO_PACKET;
        memcpy(d->data, &caps, sizeof caps);
        g_object_unref(d);
        umockdev_ioctl_client_complete(c, 0, 0);
        return true;
    }
    case USBDEVFS_SETCONFIGURATION:
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE:
    case USBDEVFS_SETINTERFACE:
    case USBDEVFS_CLEAR_HALT:
    case USBDEVFS_RESET:
    case USBDEVFS_RESETEP:
        umockdev_ioctl_client_complete(c, 0, 0);
        return true;
    case USBDEVFS_GETDRIVER:
        // No kernel driver holds the interface: usbfs is the only one.
        umockdev_ioctl_client_complete(c, -1, ENODATA);
        return true;
    case USBDEVFS_SUBMITURB:
        submit(c, arg);
        return true;
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY:
        reap(c, arg);
        return true;
    case USBDEVFS_DISCARDURB:
        discard(c, arg);
        return true;
    default:
        std::fprintf(stderr, "emulated USB board: ioctl %lx not emulated\n", request);
        umockdev_ioctl_client_complete(c, -1, ENOTTY);
        return true;
    }
}

void UsbBoard::submit(void *client, void *argument)
{
    UMockdevIoctlClient *c = cl(client);
    auto *arg = static_cast<UMockdevIoctlData *>(argument);
    auto u = std::make_unique<Urb>();
    u->data = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
    if (!u->data) {
        umockdev_ioctl_client_complete(c, -1, EFAULT);
        return;
    }
    usbdevfs_urb *urb = u->urb();
    UMockdevIoctlData *buffer = nullptr;
    if (urb->buffer_length > 0) {
        buffer = umockdev_ioctl_data_resolve(u->data, G_STRUCT_OFFSET(usbdevfs_urb, buffer),
                                             gsize(urb->buffer_length), nullptr);
        if (!buffer) {
            umockdev_ioctl_client_complete(c, -1, EFAULT);
            return;
        }
        g_object_unref(buffer);  // the URB's data keeps it
    }
    urb->status = 0;
    urb->actual_length = 0;
    const auto *bytes = static_cast<const char *>(urb->buffer);
    if (urb->type == USBDEVFS_URB_TYPE_CONTROL) {
        if (urb->buffer_length < 8) {
            umockdev_ioctl_client_complete(c, -1, EINVAL);
            return;
        }
        answerControl(*u, QByteArray(bytes, 8));
        m_done.push_back(std::move(u));
    } else if (urb->type == USBDEVFS_URB_TYPE_BULK && urb->endpoint == 0x01) {
        const QByteArray rq(bytes, urb->buffer_length);
        m_requests.append(rq);
        urb->actual_length = urb->buffer_length;
        QByteArray answer = m_board.packetAnswer(rq);
        if (m_silentVersion && !rq.isEmpty() && quint8(rq.at(0)) == 0x01)
            answer.clear();
        if (m_faults && !answer.isEmpty() && !m_faults->pass(answer, FaultPlan::Framing::Packet))
            answer.clear();
        if (m_observer)
            m_observer(rq, answer);
        if (!answer.isEmpty()) {
            const int hold = m_holdNext > 0 ? m_holdNext : m_delay + (m_faults ? m_faults->nextDelay() : 0);
            m_holdNext = 0;
            m_answers.push_back({answer, nowMs() + hold});
        }
        m_done.push_back(std::move(u));
    } else if (urb->type == USBDEVFS_URB_TYPE_BULK && urb->endpoint == 0x81) {
        m_waitingIn.push_back(std::move(u));
    } else {
        umockdev_ioctl_client_complete(c, -1, EINVAL);
        return;
    }
    umockdev_ioctl_client_complete(c, 0, 0);
}

void UsbBoard::answerControl(Urb &u, const QByteArray &setup)
{
    usbdevfs_urb *urb = u.urb();
    const quint8 requestType = quint8(setup.at(0));
    const quint8 request = quint8(setup.at(1));
    const int value = quint8(setup.at(2)) | (quint8(setup.at(3)) << 8);
    const int length = quint8(setup.at(6)) | (quint8(setup.at(7)) << 8);
    QByteArray reply;
    if (requestType == 0x80 && request == 0x06) {  // GET_DESCRIPTOR
        const int type = value >> 8;
        const int index = value & 0xFF;
        if (type == 1)
            reply = deviceDescriptor();
        else if (type == 2)
            reply = configDescriptor();
        else if (type == 3 && index == 0)
            reply = hex("04030904");  // English (United States)
        else if (type == 3 && index == 1)
            reply = stringDescriptor("Vandor simulator");
        else if (type == 3 && index == 2)
            reply = stringDescriptor(m_product);
    }
    if (reply.isEmpty() && (requestType & 0x80)) {
        urb->status = -EPIPE;  // a request the board does not know stalls
        return;
    }
    const int n = qMin(qMin(reply.size(), length), urb->buffer_length - 8);
    if (n > 0)
        memcpy(static_cast<char *>(urb->buffer) + 8, reply.constData(), size_t(n));
    urb->actual_length = n;
}

void UsbBoard::fillWaitingIn()
{
    while (!m_waitingIn.empty() && !m_answers.empty() && m_answers.front().readyAt <= nowMs()) {
        std::unique_ptr<Urb> u = std::move(m_waitingIn.front());
        m_waitingIn.pop_front();
        const QByteArray a = m_answers.front().bytes;
        m_answers.pop_front();
        usbdevfs_urb *urb = u->urb();
        const int n = qMin(a.size(), urb->buffer_length);
        memcpy(urb->buffer, a.constData(), size_t(n));
        urb->actual_length = n;
        urb->status = 0;
        m_done.push_back(std::move(u));
    }
}

void UsbBoard::reap(void *client, void *argument)
{
    UMockdevIoctlClient *c = cl(client);
    auto *arg = static_cast<UMockdevIoctlData *>(argument);
    fillWaitingIn();
    if (m_done.empty()) {
        umockdev_ioctl_client_complete(c, -1, EAGAIN);
        return;
    }
    UMockdevIoctlData *slot = umockdev_ioctl_data_resolve(arg, 0, sizeof(gpointer), nullptr);
    if (!slot) {
        umockdev_ioctl_client_complete(c, -1, EFAULT);
        return;
    }
    std::unique_ptr<Urb> u = std::move(m_done.front());
    m_done.pop_front();
    umockdev_ioctl_data_set_ptr(slot, 0, u->data);
    g_object_unref(slot);
    umockdev_ioctl_client_complete(c, 0, 0);
}

void UsbBoard::discard(void *client, void *argument)
{
    UMockdevIoctlClient *c = cl(client);
    auto *arg = static_cast<UMockdevIoctlData *>(argument);
    gulong address = 0;
    memcpy(&address, arg->data, sizeof address);
    for (auto it = m_waitingIn.begin(); it != m_waitingIn.end(); ++it) {
        if ((*it)->data->client_addr != address)
            continue;
        (*it)->urb()->status = -ENOENT;
        (*it)->urb()->actual_length = 0;
        m_done.push_back(std::move(*it));
        m_waitingIn.erase(it);
        umockdev_ioctl_client_complete(c, 0, 0);
        return;
    }
    umockdev_ioctl_client_complete(c, -1, EINVAL);
}

void UsbBoard::unplugged()
{
    QMutexLocker lock(&m_mutex);
    m_gone = true;
    m_waitingIn.clear();
    m_done.clear();
    m_answers.clear();
}

EmulatedUsbBus::EmulatedUsbBus() { m_testbed = umockdev_testbed_new(); }

EmulatedUsbBus::~EmulatedUsbBus()
{
    // The whole bus goes with its testbed: no "remove" events for a program that is gone too.
    auto *tb = static_cast<UMockdevTestbed *>(m_testbed);
    for (auto *list : {&m_boards, &m_unplugged}) {
        for (const auto &b : *list) {
            b->unplugged();
            umockdev_testbed_detach_ioctl(tb, qPrintable(b->m_devNode), nullptr);
        }
    }
    m_boards.clear();
    m_unplugged.clear();
    g_object_unref(tb);
}

bool EmulatedUsbBus::preloaded() { return qEnvironmentVariable("LD_PRELOAD").contains(QLatin1String("libumockdev-preload")); }

QString EmulatedUsbBus::rootDir() const
{
    gchar *dir = umockdev_testbed_get_root_dir(static_cast<UMockdevTestbed *>(m_testbed));
    const QString s = QString::fromUtf8(dir);
    g_free(dir);
    return s;
}

UsbBoard *EmulatedUsbBus::plug(const QByteArray &product)
{
    auto *tb = static_cast<UMockdevTestbed *>(m_testbed);
    const int address = m_nextAddress++;
    std::unique_ptr<UsbBoard> board(new UsbBoard(address, product));
    auto *handler = umockdev_ioctl_base_new();
    board->m_handler = handler;
    g_signal_connect_after(handler, "handle-ioctl", G_CALLBACK(onIoctl), board.get());
    // The device node's handler first, so that the program can open the board as soon as
    // the "add" event reaches it.
    GError *error = nullptr;
    if (!umockdev_testbed_attach_ioctl(tb, qPrintable(board->m_devNode), handler, &error)) {
        std::fprintf(stderr, "emulated USB board: %s\n", error ? error->message : "attach failed");
        g_clear_error(&error);
        return nullptr;
    }
    const QByteArray descriptors = QByteArray(deviceDescriptor() + configDescriptor()).toHex();
    const QString devnum = QStringLiteral("%1").arg(address, 3, 10, QLatin1Char('0'));
    const QString text =
        QStringLiteral("P: %1\n"
                       "N: bus/usb/001/%2\n"
                       "E: SUBSYSTEM=usb\n"
                       "E: DEVTYPE=usb_device\n"
                       "E: DRIVER=usb\n"
                       "E: BUSNUM=001\n"
                       "E: DEVNUM=%2\n"
                       "E: DEVNAME=%3\n"
                       "E: PRODUCT=4d8/3101/100\n"
                       "A: busnum=1\\n\n"
                       "A: devnum=%4\\n\n"
                       "A: bConfigurationValue=1\\n\n"
                       "A: bNumConfigurations=1\\n\n"
                       "A: idVendor=04d8\\n\n"
                       "A: idProduct=3101\\n\n"
                       "A: speed=12\\n\n"
                       "H: descriptors=%5\n")
            .arg(board->m_sysPath.mid(4), devnum, board->m_devNode)
            .arg(address)
            .arg(QString::fromLatin1(descriptors));
    if (!umockdev_testbed_add_from_string(tb, qPrintable(text), &error)) {
        std::fprintf(stderr, "emulated USB board: %s\n", error ? error->message : "add failed");
        g_clear_error(&error);
        umockdev_testbed_detach_ioctl(tb, qPrintable(board->m_devNode), nullptr);
        return nullptr;
    }
    m_boards.push_back(std::move(board));
    return m_boards.back().get();
}

void EmulatedUsbBus::unplug(UsbBoard *board)
{
    auto *tb = static_cast<UMockdevTestbed *>(m_testbed);
    for (auto it = m_boards.begin(); it != m_boards.end(); ++it) {
        if (it->get() != board)
            continue;
        board->unplugged();
        // The "remove" event is made from the device's properties, so before they go.
        umockdev_testbed_uevent(tb, qPrintable(board->m_sysPath), "remove");
        umockdev_testbed_remove_device(tb, qPrintable(board->m_sysPath));
        m_unplugged.push_back(std::move(*it));
        m_boards.erase(it);
        return;
    }
}
