// USB boards as the link finds them: any vendor and product numbers, product strings, errors of
// opening, configuring and string reading, a string length beyond the buffer, silent or short
// answers to the version query. Per device: bus, address, a flags byte, the two numbers (used
// when flags bit 0 is set), an error pick for open, configuration and string, the string, and
// the answer faults. The bus is walked, every board announced is opened and read, then half
// of them are unplugged and the bus walked again.
#include "devices/devmarvek2_0.h"
#include "fakeusbbus.h"
#include "fuzz_support.h"
#include "link/usbio.h"
#include <QSet>

using Fuzz::check;

namespace {

const int s_errors[] = {0, 0, UsbBus::ErrorAccess, UsbBus::ErrorNoDevice, UsbBus::ErrorBusy,
                        UsbBus::ErrorTimeout, UsbBus::ErrorPipe, UsbBus::ErrorNotSupported};

int error(quint8 pick) { return s_errors[pick % (sizeof s_errors / sizeof *s_errors)]; }

// Reports string lengths beyond what it copied, as a broken driver might.
class LyingBus : public FakeUsbBus
{
public:
    int extra = 0;
    int stringDescriptorAscii(Handle *handle, quint8 index, unsigned char *data, int length) override
    {
        const int n = FakeUsbBus::stringDescriptorAscii(handle, index, data, length);
        return n < 0 ? n : n + extra;
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::initApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 12)
        return 0;
    Fuzz::Input in(data, size);
    scanEnabled = true;
    DevMarvek2_0 model;
    LyingBus bus;
    bus.extra = in.byte() % 4 == 0 ? 300 : 0;
    QVector<FakeUsbDevice *> devices;
    for (int i = 0; i < 6 && !in.atEnd(); ++i) {
        FakeUsbDevice *d = bus.plug(1 + in.byte() % 3, in.byte());
        const quint8 flags = in.byte();
        const quint16 vendor = in.word(), product = in.word();
        if (flags & 1) {
            d->vendorId = vendor;
            d->productId = product;
        }
        d->openError = error(in.byte());
        d->configError = error(in.byte());
        d->stringError = flags & 2 ? error(in.byte()) : 0;
        d->productString = flags & 4 ? in.bytes(in.byte() % 300) : QByteArray("QB14T37");
        d->silentNext = flags & 8 ? 1 : 0;
        d->shortNext = flags & 16 ? 1 : 0;
        d->stallNext = flags & 32 ? 1 : 0;
        devices.append(d);
    }
    {
        UsbIo io(&bus);
        io.setDiscoveryTarget(QHostAddress());
        io.setUdpHosts(QStringList());
        io.setTimeout(20);
        QSet<int> announced;
        QObject::connect(&io, &DevIo::newDevice, &io, [&announced](QString, int uid) { announced.insert(uid); });
        io.scan();
        for (int uid : qAsConst(announced)) {
            if (io.open(uid)) {
                quint8 buf[8] = {};
                io.readCfg(buf, 0, 8);
            }
            io.closeLink();
        }
        for (int i = 0; i < devices.size(); i += 2)
            bus.unplug(devices[i]);
        io.scan();
    }
    // Whatever the link opened, it closed and let go.
    check(bus.totalOpenHandles() == 0 && bus.totalRefs() == 0);
    return 0;
}
