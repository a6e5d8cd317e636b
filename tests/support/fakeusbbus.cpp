#include "fakeusbbus.h"
#include <cstring>

namespace {
FakeUsbDevice *fd(UsbBus::Device *d) { return reinterpret_cast<FakeUsbDevice *>(d); }
FakeUsbDevice *fh(UsbBus::Handle *h) { return reinterpret_cast<FakeUsbDevice *>(h); }

quint16 u16(const QByteArray &p, int at) { return quint16(quint8(p[at]) | (quint8(p[at + 1]) << 8)); }

void put16(QByteArray &p, quint16 v)
{
    p.append(char(v & 0xFF));
    p.append(char(v >> 8));
}

// The board's side of the packet framing, written from the board's point of view.
QByteArray answerOf(FakeUsbDevice &d, const QByteArray &rq)
{
    QByteArray a;
    a.append(rq[0]);
    a.append(char(0x02));
    const int cmd = quint8(rq[0]);
    if (cmd == 0x01) {
        for (quint16 w : d.id)
            put16(a, w);
    } else if ((cmd == 0x03 || cmd == 0x06) && rq.size() == 6) {
        QByteArray &mem = cmd == 0x03 ? d.cfg : d.nv;
        const int addr = u16(rq, 2), len = u16(rq, 4);
        put16(a, quint16(addr));
        a.append(mem.mid(addr, len));
    } else if ((cmd == 0x04 || cmd == 0x07) && rq.size() >= 4) {
        QByteArray &mem = cmd == 0x04 ? d.cfg : d.nv;
        const int addr = u16(rq, 2);
        const QByteArray data = rq.mid(4);
        if (addr + data.size() <= mem.size())
            mem.replace(addr, data.size(), data);
    }
    return a;
}
} // namespace

FakeUsbDevice *FakeUsbBus::plug(int bus, int address)
{
    devices.push_back(std::make_unique<FakeUsbDevice>());
    FakeUsbDevice *d = devices.back().get();
    d->bus = bus;
    d->address = address;
    return d;
}

int FakeUsbBus::totalRefs() const
{
    int n = 0;
    for (const auto &d : devices)
        n += d->refs;
    return n;
}

int FakeUsbBus::totalOpenHandles() const
{
    int n = 0;
    for (const auto &d : devices)
        n += d->openHandles;
    return n;
}

int FakeUsbBus::getDeviceList(QVector<Device *> *list)
{
    if (listError)
        return listError;
    list->clear();
    for (const auto &d : devices) {
        if (d->present) {
            ++d->refs;
            list->append(reinterpret_cast<Device *>(d.get()));
        }
    }
    return list->size();
}

void FakeUsbBus::freeDeviceList(QVector<Device *> *list)
{
    for (Device *d : qAsConst(*list))
        --fd(d)->refs;
    list->clear();
}

int FakeUsbBus::busNumber(Device *dev) { return fd(dev)->bus; }
int FakeUsbBus::deviceAddress(Device *dev) { return fd(dev)->address; }

int FakeUsbBus::deviceDescriptor(Device *dev, DeviceDescriptor *out)
{
    out->vendorId = fd(dev)->vendorId;
    out->productId = fd(dev)->productId;
    out->productIndex = 2;
    return 0;
}

UsbBus::Device *FakeUsbBus::refDevice(Device *dev)
{
    ++fd(dev)->refs;
    return dev;
}

void FakeUsbBus::unrefDevice(Device *dev) { --fd(dev)->refs; }

int FakeUsbBus::open(Device *dev, Handle **out)
{
    FakeUsbDevice *d = fd(dev);
    *out = nullptr;
    if (!d->present)
        return ErrorNoDevice;
    if (d->openError)
        return d->openError;
    ++d->opens;
    ++d->openHandles;
    *out = reinterpret_cast<Handle *>(d);
    return 0;
}

void FakeUsbBus::close(Handle *handle) { --fh(handle)->openHandles; }

int FakeUsbBus::setConfiguration(Handle *handle, int) { return fh(handle)->configError; }

int FakeUsbBus::claimInterface(Handle *handle, int)
{
    fh(handle)->claimed = true;
    return 0;
}

int FakeUsbBus::releaseInterface(Handle *handle, int)
{
    fh(handle)->claimed = false;
    return 0;
}

int FakeUsbBus::stringDescriptorAscii(Handle *handle, quint8, unsigned char *data, int length)
{
    FakeUsbDevice *d = fh(handle);
    if (d->stringError)
        return d->stringError;
    const int n = qMin(length, d->productString.size());
    memcpy(data, d->productString.constData(), size_t(n));
    return n;
}

int FakeUsbBus::bulkTransfer(Handle *handle, quint8 endpoint, unsigned char *data, int length,
                             int *transferred, unsigned int)
{
    FakeUsbDevice *d = fh(handle);
    *transferred = 0;
    if (!d->present)
        return ErrorNoDevice;
    if (endpoint == 0x01) {
        const QByteArray rq(reinterpret_cast<const char *>(data), length);
        d->requests.append(rq);
        d->pending = answerOf(*d, rq);
        *transferred = length;
        return 0;
    }
    // Nothing waiting: the faults are kept for a transfer that has an answer to spoil.
    if (d->pending.isEmpty())
        return ErrorTimeout;
    if (d->stallNext > 0) {
        --d->stallNext;
        d->pending.clear();
        return ErrorPipe;
    }
    if (d->silentNext > 0) {
        d->silentNext = qMax(0, d->silentNext - 1);
        d->pending.clear();
        return ErrorTimeout;
    }
    QByteArray a = d->pending;
    d->pending.clear();
    if (d->shortNext > 0) {
        --d->shortNext;
        a.chop(1);
    }
    const int n = qMin(length, a.size());
    memcpy(data, a.constData(), size_t(n));
    *transferred = n;
    return 0;
}

int FakeUsbBus::clearHalt(Handle *handle, quint8)
{
    ++fh(handle)->clearHalts;
    return 0;
}
