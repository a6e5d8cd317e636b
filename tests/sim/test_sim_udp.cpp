// The simulator on the UDP bridge path: every packet answer byte for byte, and what it keeps.
#include "simclient.h"
#include "simprocess.h"
#include <QtTest>

namespace {

QByteArray ff(int n)
{
    return QByteArray(n, char(0xFF));
}

} // namespace

class TestSimUdp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answers_data();
    void answers();
    void writesAreKeptAndSaved();
    void initialFilesAreServed();
    void silentOnRequestsItDoesNotKnow();
    void savesWhenStopped_data();
    void savesWhenStopped();
    void busyPortIsReported_data();
    void busyPortIsReported();
};

void TestSimUdp::answers_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("discovery") << hex("00 00") << hex("00 0a");
    QTest::newRow("version") << hex("01 00") << hex("01 02 01 02 00 01 02 02");
    QTest::newRow("readCfg 60 at 0") << hex("03 00 00 00 3c 00") << hex("03 02 00 00") + ff(60);
    QTest::newRow("readCfg layout and check words")
        << hex("03 00 f4 1f 0c 00") << hex("03 02 f4 1f 01 80 ff ff fe 7f 00 00 00 00 00 00");
    QTest::newRow("readCfg last 32") << hex("03 00 e0 1f 20 00") << hex("03 02 e0 1f") + ff(20)
                                                                     + hex("01 80 ff ff fe 7f 00 00 00 00 00 00");
    QTest::newRow("readCfg 61 refused") << hex("03 00 00 00 3d 00") << hex("03 00");
    QTest::newRow("readCfg past the end refused") << hex("03 00 fe 1f 04 00") << hex("03 00");
    QTest::newRow("readCfg of nothing refused") << hex("03 00 00 00 00 00") << hex("03 00");
    QTest::newRow("readDynCfg selector refused") << hex("03 00 00 00 00 40") << hex("03 00");
    QTest::newRow("readCfg short request refused") << hex("03 00 00 00 04") << hex("03 00");
    QTest::newRow("writeCfg") << hex("04 00 10 00 11 22") << hex("04 02");
    QTest::newRow("writeCfg past the end refused") << hex("04 00 ff 1f 11 22") << hex("04 00");
    QTest::newRow("saveCfg") << hex("05 00") << hex("05 02");
    QTest::newRow("readNvMem last 8") << hex("06 00 78 00 08 00") << hex("06 02 78 00") + ff(8);
    QTest::newRow("readNvMem past the end refused") << hex("06 00 7d 00 04 00") << hex("06 00");
    QTest::newRow("writeNvMem") << hex("07 00 74 00 34 12") << hex("07 02");
    QTest::newRow("writeNvMem past the end refused") << hex("07 00 7f 00 34 12") << hex("07 00");
    QTest::newRow("writeSn") << hex("08 00 41 42 43 00 00 00 00 00 00 00 00 00 00 00 00 00") << hex("08 02 01 00");
    QTest::newRow("writeSn without terminator")
        << hex("08 00 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41") << hex("08 02 00 00");
    QTest::newRow("writeSn short field") << hex("08 00 41 00") << hex("08 02 00 00");
    QTest::newRow("readMachineSetup") << hex("09 00") << hex("09 02") + ff(32);
    QTest::newRow("writeMachineSetup") << hex("0a 00 01 02 03") << hex("0a 02");
    QTest::newRow("writeMachineSetup too long") << hex("0a 00") + QByteArray(33, 'x') << hex("0a 00");
}

void TestSimUdp::answers()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, answer);
    SimProcess sim({QStringLiteral("--default-image"), QStringLiteral("--id"), QStringLiteral("0201,0100,0202")});
    QVERIFY(sim.start());
    UdpClient client;
    quint16 from = 0;
    QVERIFY(client.send(sim.udpPort(), request));
    QCOMPARE(client.next(&from).toHex(' '), answer.toHex(' '));
    QCOMPARE(from, sim.udpPort());
    const QStringList lines = sim.transcript();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0), QStringLiteral("udp req ") + QString::fromLatin1(request.toHex(' ')));
    QCOMPARE(lines.at(1), QStringLiteral("udp ans ") + QString::fromLatin1(answer.toHex(' ')));
}

void TestSimUdp::writesAreKeptAndSaved()
{
    SimProcess sim({QStringLiteral("--serial"), QStringLiteral("OLD")});
    QVERIFY(sim.start());
    UdpClient c;
    const quint16 port = sim.udpPort();
    QCOMPARE(c.exchange(port, hex("04 00 c4 1f 01 02 03 04")), hex("04 02"));
    QCOMPARE(c.exchange(port, hex("03 00 c2 1f 06 00")), hex("03 02 c2 1f ff ff 01 02 03 04"));
    QCOMPARE(c.exchange(port, hex("07 00 00 00 aa bb")), hex("07 02"));
    QCOMPARE(c.exchange(port, hex("06 00 00 00 03 00")), hex("06 02 00 00 aa bb ff"));
    QCOMPARE(c.exchange(port, hex("0a 00 05 06")), hex("0a 02"));
    QCOMPARE(c.exchange(port, hex("09 00")), hex("09 02 05 06") + ff(30));
    QCOMPARE(c.exchange(port, hex("08 00 4e 45 57 00 00 00 00 00 00 00 00 00 00 00 00 00")), hex("08 02 01 00"));
    QVERIFY(sim.save());

    QByteArray image = ff(8192);
    image.replace(8132, 4, hex("01 02 03 04"));
    QCOMPARE(sim.image(), image);
    QByteArray nv = ff(128);
    nv.replace(0, 2, hex("aa bb"));
    QCOMPARE(sim.nvmem(), nv);
    QCOMPARE(sim.file(QStringLiteral("setup.bin")), hex("05 06") + ff(30));
    QCOMPARE(sim.file(QStringLiteral("serial.txt")), QByteArray("NEW\n"));
    QVERIFY(sim.firmware().isEmpty());

    // Quitting saves as well.
    QCOMPARE(c.exchange(port, hex("04 00 00 00 7e")), hex("04 02"));
    sim.stop();
    QCOMPARE(sim.process().exitCode(), 0);
    QCOMPARE(sim.image().left(2), hex("7e ff"));
}

void TestSimUdp::initialFilesAreServed()
{
    QTemporaryDir dir;
    QFile image(dir.filePath(QStringLiteral("in.bin")));
    QVERIFY(image.open(QIODevice::WriteOnly));
    QByteArray bytes(8192, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7);
    image.write(bytes);
    image.close();
    QFile nv(dir.filePath(QStringLiteral("nv.bin")));
    QVERIFY(nv.open(QIODevice::WriteOnly));
    nv.write(hex("01 02 03"));  // shorter than the memory: the rest stays erased
    nv.close();

    SimProcess sim({QStringLiteral("--image"), image.fileName(), QStringLiteral("--nv"), nv.fileName()});
    QVERIFY(sim.start());
    UdpClient c;
    QCOMPARE(c.exchange(sim.udpPort(), hex("03 00 3c 00 04 00")), hex("03 02 3c 00") + bytes.mid(60, 4));
    QCOMPARE(c.exchange(sim.udpPort(), hex("06 00 01 00 04 00")), hex("06 02 01 00 02 03 ff ff"));
    QVERIFY(sim.save());
    QCOMPARE(sim.image(), bytes);
}

void TestSimUdp::silentOnRequestsItDoesNotKnow()
{
    SimProcess sim;
    QVERIFY(sim.start());
    UdpClient c;
    // Answers, unknown commands and oversized packets get nothing; the next request is answered.
    QVERIFY(c.send(sim.udpPort(), hex("01 02")));
    QVERIFY(c.send(sim.udpPort(), hex("0b 00")));
    QVERIFY(c.send(sim.udpPort(), hex("04 00 00 00") + QByteArray(61, 'x')));
    QCOMPARE(c.exchange(sim.udpPort(), hex("05 00")), hex("05 02"));
    const QStringList lines = sim.transcript();
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.last(), QStringLiteral("udp ans 05 02"));
}

void TestSimUdp::savesWhenStopped_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("quit") << QStringLiteral("quit");
    QTest::newRow("SIGTERM") << QStringLiteral("term");
    QTest::newRow("end of input") << QStringLiteral("eof");
}

void TestSimUdp::savesWhenStopped()
{
    QFETCH(QString, how);
    SimProcess sim;
    QVERIFY(sim.start());
    UdpClient c;
    QCOMPARE(c.exchange(sim.udpPort(), hex("04 00 00 01 5a a5")), hex("04 02"));
    QCOMPARE(c.exchange(sim.udpPort(), hex("07 00 7e 00 c3")), hex("07 02"));
    QProcess &p = sim.process();
    if (how == QLatin1String("quit"))
        p.write("quit\n");
    else if (how == QLatin1String("term"))
        p.terminate();
    else
        p.closeWriteChannel();
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QCOMPARE(sim.image().mid(256, 2), hex("5a a5"));
    QCOMPARE(sim.nvmem().mid(126, 2), hex("c3 ff"));
}

void TestSimUdp::busyPortIsReported_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("UDP bridge path") << QStringLiteral("--udp-port");
    QTest::newRow("network bridge discovery") << QStringLiteral("--net-port");
}

void TestSimUdp::busyPortIsReported()
{
    QFETCH(QString, option);
    QUdpSocket taken;
    QVERIFY(taken.bind(QHostAddress(QHostAddress::LocalHost), 0));
    // A later option wins over the free port SimProcess asks for.
    SimProcess sim({option, QString::number(taken.localPort())});
    QVERIFY(!sim.start());
    QCOMPARE(sim.process().state(), QProcess::NotRunning);
    QCOMPARE(sim.process().exitCode(), 1);
}

QTEST_GUILESS_MAIN(TestSimUdp)
#include "test_sim_udp.moc"
