// The USB link against a scripted bus: scan, announce, open, unplug, refusals and transfers.
#include "devices/devmarvek2_0.h"
#include "fakeusbbus.h"
#include "link/usbio.h"
#include "scriptedprompt.h"
#include <QSignalSpy>
#include <QUdpSocket>
#include <QtTest>

class TestUsbIo : public QObject
{
    Q_OBJECT
    QUdpSocket sink;  // where the discovery datagrams of these tests go
    std::unique_ptr<FakeUsbBus> bus;
    std::unique_ptr<ScriptedPrompt> shown;
    std::unique_ptr<UsbIo> link;
    std::unique_ptr<DevMarvek2_0> model;

    void makeLink()
    {
        link = std::make_unique<UsbIo>(bus.get());
        setCurrentLink(link.get());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(sink.bind(QHostAddress(QHostAddress::LocalHost), 0));
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_BOARD_PORT", QByteArray::number(sink.localPort()));
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
    }

    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
        model = std::make_unique<DevMarvek2_0>();
        bus = std::make_unique<FakeUsbBus>();
        shown = std::make_unique<ScriptedPrompt>();
        makeLink();
    }

    void cleanup()
    {
        link.reset();
        // Every reference and handle the link took is given back.
        QCOMPARE(bus->totalRefs(), 0);
        QCOMPARE(bus->totalOpenHandles(), 0);
        QCOMPARE(bus->exits, 1);
        model.reset();
        shown.reset();
        scanEnabled = true;
    }

    void environmentSetsTheBridgePath()
    {
        QCOMPARE(link->discoveryTarget(), QHostAddress(QHostAddress::LocalHost));
        QCOMPARE(link->boardPort(), sink.localPort());
        QVERIFY(link->localPort() != 0);
        QVERIFY(link->localPort() != UsbIo::DefaultLocalPort);
    }

    void plugOpenUnplugReplug()
    {
        FakeUsbDevice *dev = bus->plug(3, 7);
        QSignalSpy found(link.get(), &UsbIo::newDevice);
        QSignalSpy up(link.get(), &UsbIo::connected);
        QSignalSpy down(link.get(), &UsbIo::disconnected);
        link->scan();
        QCOMPARE(found.count(), 1);
        QCOMPARE(found[0][0].toString(), QStringLiteral("QB14T37"));
        const int uid = (3 << 16) | 7;
        QCOMPARE(found[0][1].toInt(), uid);
        QVERIFY(!dev->claimed);
        QCOMPARE(dev->openHandles, 0);
        link->scan();
        QCOMPARE(found.count(), 1);  // announced once

        QVERIFY(link->open(uid));
        QCOMPARE(up.count(), 1);
        QCOMPARE(DeviceCfg::current(), model.get());
        QCOMPARE(link->currentUid(), uid);
        QVERIFY(dev->claimed);
        QVERIFY(!link->open(uid));  // already open
        scanEnabled = false;

        bus->unplug(dev);
        link->scan();
        QCOMPARE(down.count(), 1);
        QCOMPARE(link->currentUid(), -1);
        scanEnabled = true;

        FakeUsbDevice *again = bus->plug(3, 7);
        link->scan();
        QCOMPARE(found.count(), 2);
        QVERIFY(link->open(uid));
        QVERIFY(again->claimed);
        QVERIFY(shown->messages.isEmpty());
    }

    void driverlessBoardIsAnnouncedOncePerPlug()
    {
        FakeUsbDevice *dev = bus->plug(1, 4);
        dev->openError = UsbBus::ErrorNotSupported;
        FakeUsbDevice *other = bus->plug(1, 5);
        other->openError = UsbBus::ErrorNotSupported;
        QSignalSpy found(link.get(), &UsbIo::newDevice);
        QSignalSpy gone(link.get(), &UsbIo::noDriverGone);
        for (int i = 0; i < 3; ++i)
            link->scan();
        QCOMPARE(found.count(), 1);
        QCOMPARE(found[0][0].toString(), QStringLiteral("$NoDriver"));
        QCOMPARE(found[0][1].toInt(), -1);
        QVERIFY(!link->open(-1));
        QVERIFY(shown->messages.isEmpty());
        bus->unplug(other);  // one driverless board is left
        link->scan();
        QCOMPARE(gone.count(), 0);
        dev->openError = 0;  // a driver was bound
        link->scan();
        QCOMPARE(gone.count(), 1);
        QCOMPARE(found.count(), 2);
        QCOMPARE(found.last()[0].toString(), QStringLiteral("QB14T37"));
        QCOMPARE(found.last()[1].toInt(), (1 << 16) | 4);
    }

    void failuresAreReportedOncePerPlug_data()
    {
        QTest::addColumn<int>("openError");
        QTest::addColumn<QByteArray>("product");
        QTest::addColumn<QString>("text");
        QTest::newRow("wrong product") << 0 << QByteArray("QB14T36") << "Incompatible device: QB14T36.";
        QTest::newRow("open error") << -5 << QByteArray("QB14T37") << "Failed to connect. Error: -5";
        QTest::newRow("no permission") << int(UsbBus::ErrorAccess) << QByteArray("QB14T37")
                                       << "Failed to connect. Error: -3";
    }

    void failuresAreReportedOncePerPlug()
    {
        QFETCH(int, openError);
        QFETCH(QByteArray, product);
        QFETCH(QString, text);
        FakeUsbDevice *dev = bus->plug(2, 9);
        dev->openError = openError;
        dev->productString = product;
        QSignalSpy found(link.get(), &UsbIo::newDevice);
        for (int i = 0; i < 3; ++i)
            link->scan();
        QCOMPARE(shown->messages.size(), 1);
        QCOMPARE(shown->messages[0].title, QStringLiteral("USB error"));
        QVERIFY2(shown->messages[0].text.startsWith(text), qPrintable(shown->messages[0].text));
#ifdef Q_OS_LINUX
        QCOMPARE(shown->messages[0].text.contains(QLatin1String("packaging/linux/60-vandor.rules")),
                 openError == UsbBus::ErrorAccess);
#endif
        bus->unplug(dev);
        link->scan();
        FakeUsbDevice *back = bus->plug(2, 9);
        back->openError = openError;
        back->productString = product;
        link->scan();
        link->scan();
        QCOMPARE(shown->messages.size(), 2);
        QCOMPARE(found.count(), 0);
    }

    void otherDevicesAreLeftAlone()
    {
        FakeUsbDevice *dev = bus->plug(1, 2);
        dev->productId = 0x3102;
        QSignalSpy found(link.get(), &UsbIo::newDevice);
        link->scan();
        QCOMPARE(found.count(), 0);
        QCOMPARE(dev->opens, 0);
    }

    void openRefusals_data()
    {
        QTest::addColumn<int>("configError");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<quint16>("hardware");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<int>("boxes");
        QTest::newRow("busy configuration tolerated") << int(UsbBus::ErrorBusy) << false << quint16(0x0242) << true << 0;
        QTest::newRow("configuration error") << -1 << false << quint16(0x0242) << false << 0;
        QTest::newRow("no version answer") << 0 << true << quint16(0x0242) << false << 1;
        QTest::newRow("incompatible version") << 0 << false << quint16(0x0999) << false << 1;
    }

    void openRefusals()
    {
        QFETCH(int, configError);
        QFETCH(bool, silent);
        QFETCH(quint16, hardware);
        QFETCH(bool, opens);
        QFETCH(int, boxes);
        FakeUsbDevice *dev = bus->plug(1, 1);
        dev->id[0] = hardware;
        QSignalSpy found(link.get(), &UsbIo::newDevice);
        QSignalSpy up(link.get(), &UsbIo::connected);
        link->scan();
        QCOMPARE(found.count(), 1);
        dev->configError = configError;
        // A silent board stays silent to every attempt of the version query.
        dev->silentNext = silent ? DevIo::MaxAttempts : 0;
        QCOMPARE(link->open(found[0][1].toInt()), opens);
        QCOMPARE(up.count(), opens ? 1 : 0);
        QCOMPARE(dev->claimed, opens);
        QCOMPARE(dev->openHandles, opens ? 1 : 0);
        QCOMPARE(shown->messages.size(), boxes);
        if (boxes)
            QCOMPARE(shown->messages[0].text, silent ? QStringLiteral("The board did not answer.")
                                                     : QStringLiteral("Incompatible version: 999 100 9202.\nThe board answered, but this version of the program has no model for it."));
        if (!opens)
            QCOMPARE(DeviceCfg::current(), nullptr);
    }

    void wholeReadThroughTheEndpoints()
    {
        FakeUsbDevice *dev = bus->plug(1, 1);
        for (int i = 0; i < dev->cfg.size(); ++i)
            dev->cfg[i] = char(i * 7 + (i >> 8));
        for (int i = 0; i < dev->nv.size(); ++i)
            dev->nv[i] = char(i + 1);
        QSignalSpy found(link.get(), &UsbIo::newDevice);
        link->scan();
        QVERIFY(link->open(found[0][1].toInt()));
        dev->requests.clear();
        QVERIFY(!model->readDevice(nullptr));
        QCOMPARE(dev->requests.size(), 137 + 3);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(model->image()), 8192), dev->cfg);
    }

    void faultsFailOneOperationOnly()
    {
        FakeUsbDevice *dev = bus->plug(1, 1);
        QSignalSpy found(link.get(), &UsbIo::newDevice);
        link->scan();
        QVERIFY(link->open(found[0][1].toInt()));
        quint8 buf[64] = {};
        // One fault costs one attempt: the request is asked again and succeeds.
        dev->stallNext = 1;
        QVERIFY(link->readCfg(buf, 0, 60));
        QCOMPARE(dev->clearHalts, 1);
        // A fault at every attempt fails that operation only.
        dev->stallNext = DevIo::MaxAttempts;
        QVERIFY(!link->readCfg(buf, 0, 60));
        QCOMPARE(dev->clearHalts, 1 + DevIo::MaxAttempts);
        QVERIFY(link->readCfg(buf, 0, 60));
        dev->shortNext = 1;
        QVERIFY(link->readNvMem(buf, 0, 8));
        dev->shortNext = DevIo::MaxAttempts;
        QVERIFY(!link->readNvMem(buf, 0, 8));
        QVERIFY(link->readNvMem(buf, 0, 8));
        dev->silentNext = 1;
        QVERIFY(link->writeCfg(buf, 0, 2));
        dev->silentNext = DevIo::MaxAttempts;
        QVERIFY(!link->writeCfg(buf, 0, 2));
        QVERIFY(link->writeCfg(buf, 0, 2));
        const int before = dev->requests.size();
        QVERIFY(!link->readCfg(buf, 0, 61));
        QVERIFY(!link->writeCfg(buf, 0, 61));
        QVERIFY(!link->writeNvMem(buf, 0, 61));
        QCOMPARE(dev->requests.size(), before);
        QVERIFY(!link->finishFirmware());
        QVERIFY(!link->writeFirmware(0, QByteArray(4, 'x')));
        QCOMPARE(dev->requests.size(), before);
    }

    void openFailsWhileScanningIsOff()
    {
        bus->plug(1, 1);
        QSignalSpy found(link.get(), &UsbIo::newDevice);
        link->scan();
        scanEnabled = false;
        QVERIFY(!link->open(found[0][1].toInt()));
        QVERIFY(!link->open(12345));
    }
};

QTEST_MAIN(TestUsbIo)
#include "test_usbio.moc"
