// UsbBus over libusb-1.0 with the default context.
#include "link/usbbus.h"
#include <libusb.h>

static_assert(UsbBus::ErrorAccess == LIBUSB_ERROR_ACCESS, "libusb error code");
static_assert(UsbBus::ErrorNoDevice == LIBUSB_ERROR_NO_DEVICE, "libusb error code");
static_assert(UsbBus::ErrorBusy == LIBUSB_ERROR_BUSY, "libusb error code");
static_assert(UsbBus::ErrorTimeout == LIBUSB_ERROR_TIMEOUT, "libusb error code");
static_assert(UsbBus::ErrorPipe == LIBUSB_ERROR_PIPE, "libusb error code");
static_assert(UsbBus::ErrorNotSupported == LIBUSB_ERROR_NOT_SUPPORTED, "libusb error code");

namespace {

libusb_device *dv(UsbBus::Device *d) { return reinterpret_cast<libusb_device *>(d); }
libusb_device_handle *hd(UsbBus::Handle *h) { return reinterpret_cast<libusb_device_handle *>(h); }

class LibUsbBus : public UsbBus
{
public:
    int init() override { return libusb_init(nullptr); }
    void exit() override { libusb_exit(nullptr); }

    int getDeviceList(QVector<Device *> *list) override
    {
        libusb_device **devs = nullptr;
        const ssize_t n = libusb_get_device_list(nullptr, &devs);
        if (n < 0)
            return int(n);
        list->clear();
        for (ssize_t i = 0; i < n; ++i)
            list->append(reinterpret_cast<Device *>(devs[i]));
        // The references move to list; freeDeviceList drops them one by one.
        libusb_free_device_list(devs, 0);
        return int(n);
    }

    void freeDeviceList(QVector<Device *> *list) override
    {
        for (Device *d : qAsConst(*list))
            libusb_unref_device(dv(d));
        list->clear();
    }

    int busNumber(Device *dev) override { return libusb_get_bus_number(dv(dev)); }
    int deviceAddress(Device *dev) override { return libusb_get_device_address(dv(dev)); }

    int deviceDescriptor(Device *dev, DeviceDescriptor *out) override
    {
        libusb_device_descriptor d{};
        const int r = libusb_get_device_descriptor(dv(dev), &d);
        if (r == 0) {
            out->vendorId = d.idVendor;
            out->productId = d.idProduct;
            out->productIndex = d.iProduct;
        }
        return r;
    }

    Device *refDevice(Device *dev) override
    {
        return reinterpret_cast<Device *>(libusb_ref_device(dv(dev)));
    }
    void unrefDevice(Device *dev) override { libusb_unref_device(dv(dev)); }

    int open(Device *dev, Handle **out) override
    {
        libusb_device_handle *h = nullptr;
        const int r = libusb_open(dv(dev), &h);
        *out = r == 0 ? reinterpret_cast<Handle *>(h) : nullptr;
        return r;
    }
    void close(Handle *handle) override { libusb_close(hd(handle)); }
    int setConfiguration(Handle *handle, int c) override { return libusb_set_configuration(hd(handle), c); }
    int claimInterface(Handle *handle, int n) override { return libusb_claim_interface(hd(handle), n); }
    int releaseInterface(Handle *handle, int n) override { return libusb_release_interface(hd(handle), n); }

    int stringDescriptorAscii(Handle *handle, quint8 index, unsigned char *data, int length) override
    {
        return libusb_get_string_descriptor_ascii(hd(handle), index, data, length);
    }

    int bulkTransfer(Handle *handle, quint8 endpoint, unsigned char *data, int length,
                     int *transferred, unsigned int timeoutMs) override
    {
        return libusb_bulk_transfer(hd(handle), endpoint, data, length, transferred, timeoutMs);
    }

    int clearHalt(Handle *handle, quint8 endpoint) override { return libusb_clear_halt(hd(handle), endpoint); }
};

} // namespace

std::unique_ptr<UsbBus> makeLibUsbBus() { return std::make_unique<LibUsbBus>(); }
