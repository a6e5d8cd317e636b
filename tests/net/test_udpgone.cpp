// A board on the UDP bridge path that stops answering after it was opened: the link takes it
// as gone after a short run of failures, fails what follows at once, and finds it again.
#include "devices/devmarvek2_0.h"
#include "fakeusbbus.h"
#include "link/usbio.h"
#include "scriptedprompt.h"
#include "simprocess.h"
#include <QSignalSpy>
#include <QtTest>

class TestUdpGone : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void boardThatStopsAnsweringIsDropped();
};

void TestUdpGone::boardThatStopsAnsweringIsDropped()
{
    // Answers: discovery (not counted), the version query, two reads; then none.
    SimProcess sim({QStringLiteral("--default-image"), QStringLiteral("--drop-every"), QStringLiteral("1"),
                    QStringLiteral("--fault-skip"), QStringLiteral("3")});
    QVERIFY(sim.start());
    ScriptedPrompt prompt;
    DevMarvek2_0 model;
    DeviceCfg::setCurrent(nullptr);
    scanEnabled = true;
    // Discovery to loopback only, from a free local port.
    qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
    qputenv("VANDOR_UDP_LOCAL_PORT", "0");
    FakeUsbBus bus;
    UsbIo link(&bus);
    link.setBoardPort(sim.udpPort());
    setCurrentLink(&link);
    QSignalSpy up(&link, &UsbIo::connected);
    QSignalSpy gone(&link, &UsbIo::disconnected);
    link.scan();
    QVERIFY(up.wait(5000));
    scanEnabled = false;

    QVERIFY(model.readDevice(nullptr));
    QCOMPARE(gone.size(), 1);
    QVERIFY(link.stoppedAnswering());
    QVERIFY(link.udpPeer().isNull());
    // Two answered reads, every attempt of the MaxFailures that failed, and nothing after them.
    QCOMPARE(sim.transcript().filter(QStringLiteral("udp req 03 00")).size(),
             2 + DevIo::MaxAttempts * DevIo::MaxFailures);
    quint8 buf[2] = {0, 0};
    QVERIFY(!link.writeCfg(buf, 7170, 2));
    QCOMPARE(sim.transcript().filter(QStringLiteral("udp req 04 00")).size(), 0);

    // Discovery on again: the board that answers it is tried anew.
    scanEnabled = true;
    link.scan();
    QTRY_VERIFY_WITH_TIMEOUT(sim.transcript().filter(QStringLiteral("udp req 01 00")).size() >= 2, 5000);
    setCurrentLink(nullptr);
}

QTEST_GUILESS_MAIN(TestUdpGone)
#include "test_udpgone.moc"
