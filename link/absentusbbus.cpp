// A bus with nothing on it, for a link that only talks over the UDP bridge path: it never
// initialises, so the link never looks for USB boards.
#include "link/usbbus.h"

namespace {

class AbsentUsbBus : public UsbBus
{
public:
    int init() override { return ErrorNotSupported; }
    void exit() override {}
    int getDeviceList(QVector<Device *> *list) override
    {
        list->clear();
        return 0;
    }
    void freeDeviceList(QVector<Device *> *list) override { list->clear(); }
    int busNumber(Device *) override { return 0; }
    int deviceAddress(Device *) override { return 0; }
    int deviceDescriptor(Device *, DeviceDescriptor *) override { return ErrorNoDevice; }
    Device *refDevice(Device *dev) override { return dev; }
    void unrefDevice(Device *) override {}
    int open(Device *, Handle **) override { return ErrorNoDevice; }
    void close(Handle *) override {}
    int setConfiguration(Handle *, int) override { return ErrorNoDevice; }
    int claimInterface(Handle *, int) override { return ErrorNoDevice; }
    int releaseInterface(Handle *, int) override { return ErrorNoDevice; }
    int stringDescriptorAscii(Handle *, quint8, unsigned char *, int) override { return ErrorNoDevice; }
    int bulkTransfer(Handle *, quint8, unsigned char *, int, int *transferred, unsigned int) override
    {
        *transferred = 0;
        return ErrorNoDevice;
    }
    int clearHalt(Handle *, quint8) override { return ErrorNoDevice; }
};

} // namespace

std::unique_ptr<UsbBus> makeAbsentUsbBus() { return std::make_unique<AbsentUsbBus>(); }
