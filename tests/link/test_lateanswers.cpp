// An answer that arrives just after its time-out, on the UDP bridge path and over TCP against
// the simulator: the request it belonged to is asked again and takes the late answer or the
// second one, and no later request takes the other for its own.
#include "devices/devmarvek2_0.h"
#include "fakeusbbus.h"
#include "link/tcpio.h"
#include "link/usbio.h"
#include "scriptedprompt.h"
#include "sim/boardimage.h"
#include "simprocess.h"
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr int Timeout = 500;
// The first read's answer (the simulator's second, after the version query's) comes 700 ms
// late, after its time-out; the next one 300 ms late, so that the late one arrives while the
// next request waits for its own.
const QStringList lateSecondAnswer{QStringLiteral("--default-image"), QStringLiteral("--delays"),
                                   QStringLiteral("0,700,300")};

void checkWrite(DevIo &link)
{
    quint8 buf[2];
    const quint8 word[2] = {0x21, 0x43};
    QVERIFY(link.writeCfg(word, 7170, 2));
    QVERIFY(link.readCfg(buf, 7170, 2));
    QCOMPARE(buf[0], quint8(0x21));
    QCOMPARE(buf[1], quint8(0x43));
}

// Reads piece after piece for a while after the late one, so that it arrives while a later
// request waits for its answer; every piece must be the board's.
void readOnAndCheck(DevIo &link)
{
    const QByteArray image = simstorage::defaultImage();
    quint8 buf[60];
    QVERIFY(link.readCfg(buf, 0, 60));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(buf), 60), image.left(60));
    QElapsedTimer clock;
    clock.start();
    int reads = 0;
    for (int address = 60; reads < 100000 && clock.elapsed() < 2 * Timeout; address = (address + 60) % 8160, ++reads) {
        QVERIFY2(link.readCfg(buf, quint16(address), 60), qPrintable(QStringLiteral("read at %1").arg(address)));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(buf), 60), image.mid(address, 60));
    }
    checkWrite(link);
}

} // namespace

class TestLateAnswers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }

    void udpBridgePath()
    {
        SimProcess sim(lateSecondAnswer);
        QVERIFY(sim.start());
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
        ScriptedPrompt shown;
        DevMarvek2_0 model;
        FakeUsbBus bus;
        UsbIo link(&bus);
        link.setBoardPort(sim.udpPort());
        QSignalSpy up(&link, &UsbIo::connected);
        link.scan();
        QVERIFY(up.wait(5000));
        scanEnabled = false;
        readOnAndCheck(link);
        QVERIFY(shown.messages.isEmpty());
        sim.stop();
    }

    void tcp()
    {
        SimProcess sim(lateSecondAnswer);
        QVERIFY(sim.start());
        qputenv("VANDOR_NET_TARGET", "127.0.0.1");
        qputenv("VANDOR_NET_PORT", QByteArray::number(sim.netPort()));
        qputenv("VANDOR_NET_ANSWER_PORT", "0");
        ScriptedPrompt shown;
        DevMarvek2_0 model;
        TcpIo link;
        link.setTimeout(Timeout);
        link.scan();
        for (int i = 0; i < 100 && link.foundBoards().isEmpty(); ++i)
            QTest::qWait(50);
        QVERIFY(!link.foundBoards().isEmpty());
        QVERIFY(link.open(0));
        scanEnabled = false;
        // The late frame arrives while the next request waits for its own answer.
        readOnAndCheck(link);
        QVERIFY(shown.messages.isEmpty());
        sim.stop();
    }
};

QTEST_MAIN(TestLateAnswers)
#include "test_lateanswers.moc"
