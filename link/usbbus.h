// The few libusb calls the USB link needs, behind one interface so that tests can replace the
// bus with a scripted one. Results and error codes are libusb's (0 = success, negative = error).
#pragma once
#include <QVector>
#include <QtGlobal>
#include <memory>

class UsbBus
{
public:
    // Opaque device and open-handle types; only the bus that made them looks inside.
    struct Device;
    struct Handle;

    // The error codes the link tells apart, with libusb's values.
    static constexpr int ErrorAccess = -3;
    static constexpr int ErrorNoDevice = -4;
    static constexpr int ErrorBusy = -6;
    static constexpr int ErrorTimeout = -7;
    static constexpr int ErrorPipe = -9;
    static constexpr int ErrorNotSupported = -12;

    struct DeviceDescriptor
    {
        quint16 vendorId = 0;
        quint16 productId = 0;
        quint8 productIndex = 0; // iProduct
    };

    virtual ~UsbBus() = default;

    virtual int init() = 0;
    virtual void exit() = 0;
    // Fills list with a referenced entry per device; returns the count or an error.
    virtual int getDeviceList(QVector<Device *> *list) = 0;
    // Drops the references the list holds.
    virtual void freeDeviceList(QVector<Device *> *list) = 0;
    virtual int busNumber(Device *dev) = 0;
    virtual int deviceAddress(Device *dev) = 0;
    virtual int deviceDescriptor(Device *dev, DeviceDescriptor *out) = 0;
    virtual Device *refDevice(Device *dev) = 0;
    virtual void unrefDevice(Device *dev) = 0;
    virtual int open(Device *dev, Handle **out) = 0;
    virtual void close(Handle *handle) = 0;
    virtual int setConfiguration(Handle *handle, int configuration) = 0;
    virtual int claimInterface(Handle *handle, int number) = 0;
    virtual int releaseInterface(Handle *handle, int number) = 0;
    // Returns the string's length or an error.
    virtual int stringDescriptorAscii(Handle *handle, quint8 index, unsigned char *data, int length) = 0;
    virtual int bulkTransfer(Handle *handle, quint8 endpoint, unsigned char *data, int length,
                             int *transferred, unsigned int timeoutMs) = 0;
    virtual int clearHalt(Handle *handle, quint8 endpoint) = 0;
};

// The bus of the machine, through libusb's default context.
std::unique_ptr<UsbBus> makeLibUsbBus();

// A bus with no devices that never initialises: for a link used on the UDP bridge path only.
std::unique_ptr<UsbBus> makeAbsentUsbBus();
