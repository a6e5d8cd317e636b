// The window with its real USB link over a scripted bus: the "Install USB driver" button (libusb
// on Linux never reports a missing driver on opening, so those boards are scripted), and a
// board on the UDP bridge path found by the address the user types.
#include "app/maindialog.h"
#include "base/nethosts.h"
#include "devices/devicecfg.h"
#include "fakeusbbus.h"
#include "link/usbio.h"
#include "scriptedprompt.h"
#include "simprocess.h"
#include "testlanguage.h"
#include <QLabel>
#include <QSettings>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QUdpSocket>
#include <QtTest>

class TestWindowLinks : public QObject
{
    Q_OBJECT
    QUdpSocket udpSink;

private Q_SLOTS:
    void initTestCase()
    {
        setTestLanguage(QStringLiteral("en"));
        QVERIFY(udpSink.bind(QHostAddress(QHostAddress::LocalHost), 0));
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_BOARD_PORT", QByteArray::number(udpSink.localPort()));
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
    }

    void oneButtonWhileDriverlessBoardsArePlugged()
    {
        FakeUsbBus bus;
        ScriptedPrompt prompt;
        MainDialog::Parts parts = MainDialog::defaultParts();
        parts.prompt = &prompt;
        parts.makeNetLink = nullptr;
        UsbIo *link = nullptr;
        parts.makeUsbLink = [&](QObject *parent) {
            link = new UsbIo(&bus, parent);
            link->setScanInterval(100);
            return link;
        };
        auto dialog = std::make_unique<MainDialog>(parts);
        auto buttons = [&] {
            return dialog->pageContainer()->findChildren<QPushButton *>(QStringLiteral("butUsbDriver"));
        };
        QTimer *scanTimer = link->findChild<QTimer *>(QStringLiteral("scanTimer"));
        QVERIFY(scanTimer);
        auto waitScans = [&](int n) {
            QSignalSpy ticks(scanTimer, &QTimer::timeout);
            for (int i = 0; i < 50 && ticks.count() < n; ++i)
                ticks.wait(400);
            return ticks.count() >= n;
        };

        FakeUsbDevice *first = bus.plug(1, 4);
        first->openError = UsbBus::ErrorNotSupported;
        QTRY_COMPARE(buttons().size(), 1);
        QCOMPARE(buttons()[0]->text(), QStringLiteral("Install USB driver"));
        FakeUsbDevice *second = bus.plug(1, 5);
        second->openError = UsbBus::ErrorNotSupported;
        QVERIFY(waitScans(3));
        QCOMPARE(buttons().size(), 1);

        bus.unplug(first);
        QVERIFY(waitScans(2));
        QCOMPARE(buttons().size(), 1);  // the second board still has no driver
        // The driver is bound: the button goes and the board is opened and read.
        second->openError = 0;
        QTRY_VERIFY(buttons().isEmpty());
        QTRY_COMPARE(link->currentUid(), (1 << 16) | 5);
        QVERIFY(prompt.messages.isEmpty());

        dialog.reset();
        DeviceCfg::setCurrent(nullptr);
        scanEnabled = true;
    }

    // A board that broadcast discovery does not reach is asked for at the next scan once its
    // address is typed, without a restart.
    void typedAddressReachesTheBridgePath()
    {
        {
            // Nothing remembered from an earlier run.
            QSettings settings(NetHosts::settingsPath(), QSettings::IniFormat);
            settings.remove(QString::fromLatin1(NetHosts::UdpKey));
            settings.remove(QString::fromLatin1(NetHosts::NetKey));
        }
        SimProcess sim({QStringLiteral("--default-image")});
        QVERIFY(sim.start());
        qputenv("VANDOR_UDP_BOARD_PORT", QByteArray::number(sim.udpPort()));
        FakeUsbBus bus;
        ScriptedPrompt prompt;
        MainDialog::Parts parts = MainDialog::defaultParts();
        parts.prompt = &prompt;
        parts.makeNetLink = nullptr;
        UsbIo *link = nullptr;
        parts.makeUsbLink = [&](QObject *parent) {
            link = new UsbIo(&bus, parent);
            link->setScanInterval(100);
            link->setDiscoveryTarget(QHostAddress());  // broadcasts do not reach this board
            return link;
        };
        auto dialog = std::make_unique<MainDialog>(parts);
        auto status = [&] { return dialog->findChild<QLabel *>(QStringLiteral("conStatus"))->text(); };
        QSignalSpy ticks(link->findChild<QTimer *>(QStringLiteral("scanTimer")), &QTimer::timeout);
        for (int i = 0; i < 20 && ticks.count() < 2; ++i)
            ticks.wait(400);
        QCOMPARE(status(), QStringLiteral("Disconnected"));

        prompt.texts.enqueue(QStringLiteral("127.0.0.1"));
        dialog->findChild<QPushButton *>(QStringLiteral("butFindHost"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(status().startsWith(QLatin1String("Connected")), 10000);
        QCOMPARE(link->udpPeer(), QHostAddress(QHostAddress::LocalHost));
        QTRY_VERIFY(dialog->progressBar()->isHidden());
        QVERIFY(prompt.messages.isEmpty());

        dialog.reset();
        DeviceCfg::setCurrent(nullptr);
        scanEnabled = true;
        sim.stop();
    }
};

QTEST_MAIN(TestWindowLinks)
#include "test_windowlinks.moc"
