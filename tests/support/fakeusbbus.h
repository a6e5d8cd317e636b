// A scripted USB bus: boards plugged in and out by the test, open and descriptor errors, and
// a small board behind the bulk endpoints that answers the packet framing from its memories.
#pragma once
#include "link/usbbus.h"
#include <QByteArray>
#include <QVector>
#include <memory>
#include <vector>

struct FakeUsbDevice
{
    int bus = 1;
    int address = 1;
    quint16 vendorId = 0x04D8;
    quint16 productId = 0x3101;
    QByteArray productString = "QB14T37";
    int openError = 0;
    int configError = 0;
    int stringError = 0;
    bool present = true;
    int refs = 0;
    int opens = 0;
    int openHandles = 0;
    bool claimed = false;
    // Board memories and identity.
    QByteArray cfg = QByteArray(8192, char(0xFF));
    QByteArray nv = QByteArray(128, char(0xFF));
    quint16 id[3] = {0x0242, 0x0100, 0x9202};
    // Faults for the next IN transfers.
    int stallNext = 0;
    int shortNext = 0;
    int silentNext = 0;
    int clearHalts = 0;
    QVector<QByteArray> requests;
    QByteArray pending;  // answer waiting on the IN endpoint
};

class FakeUsbBus : public UsbBus
{
public:
    FakeUsbDevice *plug(int bus, int address);
    void unplug(FakeUsbDevice *dev) { dev->present = false; }
    int totalRefs() const;
    int totalOpenHandles() const;
    int listError = 0;
    int inits = 0;
    int exits = 0;

    int init() override { ++inits; return 0; }
    void exit() override { ++exits; }
    int getDeviceList(QVector<Device *> *list) override;
    void freeDeviceList(QVector<Device *> *list) override;
    int busNumber(Device *dev) override;
    int deviceAddress(Device *dev) override;
    int deviceDescriptor(Device *dev, DeviceDescriptor *out) override;
    Device *refDevice(Device *dev) override;
    void unrefDevice(Device *dev) override;
    int open(Device *dev, Handle **out) override;
    void close(Handle *handle) override;
    int setConfiguration(Handle *handle, int configuration) override;
    int claimInterface(Handle *handle, int number) override;
    int releaseInterface(Handle *handle, int number) override;
    int stringDescriptorAscii(Handle *handle, quint8 index, unsigned char *data, int length) override;
    int bulkTransfer(Handle *handle, quint8 endpoint, unsigned char *data, int length,
                     int *transferred, unsigned int timeoutMs) override;
    int clearHalt(Handle *handle, quint8 endpoint) override;

private:
    std::vector<std::unique_ptr<FakeUsbDevice>> devices;
};
