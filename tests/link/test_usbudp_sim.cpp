// The UDP bridge path against the board simulator on loopback: discovery, opening, the whole
// 2.0 read, one change and the store, checked against the simulator's saved image.
#include "devices/devmarvek2_0.h"
#include "fakeusbbus.h"
#include "link/usbio.h"
#include "scriptedprompt.h"
#include "simprocess.h"
#include <QSignalSpy>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

class TestUsbUdpSim : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
    }

    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }

    void readChangeAndStore()
    {
        SimProcess sim({QStringLiteral("--default-image")});
        QVERIFY(sim.start());
        ScriptedPrompt shown;
        DevMarvek2_0 model;
        FakeUsbBus bus;
        UsbIo link(&bus);
        link.setBoardPort(sim.udpPort());
        setCurrentLink(&link);
        QSignalSpy up(&link, &UsbIo::connected);
        link.scan();
        QVERIFY(up.wait(5000));
        QCOMPARE(link.udpPeer(), QHostAddress(QHostAddress::LocalHost));
        QCOMPARE(DeviceCfg::current(), &model);
        QCOMPARE(link.word0, quint16(0x0242));
        scanEnabled = false;

        QVERIFY(!model.readDevice(nullptr));
        QVERIFY(sim.save());
        QByteArray expected = sim.image();
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(model.image()), 8192), expected);

        const quint16 address = 100;
        model.image()[address] = quint8(model.image()[address] ^ 0x5A);
        model.image()[address + 1] = 0x12;
        model.changed(address, 2);
        QVERIFY(link.saveCfg());
        QVERIFY(sim.save());
        expected[address] = char(model.image()[address]);
        expected[address + 1] = char(0x12);
        QCOMPARE(sim.image(), expected);
        QVERIFY(shown.messages.isEmpty());
        const QStringList lines = sim.transcript().filter(QStringLiteral("udp req"));
        QVERIFY(lines.contains(QStringLiteral("udp req 05 00")));
        setCurrentLink(nullptr);
        sim.stop();
    }

    void discoveryComesFromTheListeningSocket()
    {
        QUdpSocket board;
        QVERIFY(board.bind(QHostAddress(QHostAddress::LocalHost), 0));
        FakeUsbBus bus;
        UsbIo link(&bus);
        link.setBoardPort(board.localPort());
        QSignalSpy readable(&board, &QUdpSocket::readyRead);
        link.scan();
        QVERIFY(readable.wait(5000));
        const QNetworkDatagram d = board.receiveDatagram();
        QCOMPARE(d.data(), QByteArray(2, '\0'));
        QCOMPARE(quint16(d.senderPort()), link.localPort());
    }
};

QTEST_MAIN(TestUsbUdpSim)
#include "test_usbudp_sim.moc"
