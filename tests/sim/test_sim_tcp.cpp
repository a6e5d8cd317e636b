// The simulated network bridge: discovery answers, the controller behind it over stream framing,
// and the bridge's own access exchange.
#include "simclient.h"
#include "simprocess.h"
#include <QtTest>

class TestSimTcp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void discovery_data();
    void discovery();
    void controllerFrames_data();
    void controllerFrames();
    void writesAreKept();
    void framesInOneSegmentAndAcrossSegments();
    void accessExchange_data();
    void accessExchange();
};

void TestSimTcp::discovery_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("defaults") << QStringList()
                              << QByteArray("DSCRSim 2.0\0Sim bridge\0\0", 24);
    QTest::newRow("8-character controller name is taken whole")
        << QStringList{QStringLiteral("--controller-name"), QStringLiteral("Wash0001"), QStringLiteral("--bridge-name"),
                       QStringLiteral("Bay 1")}
        << QByteArray("DSCRWash0001Bay 1\0\0\0\0\0\0\0", 24);
    QTest::newRow("long names are cut, UTF-8 whole")
        << QStringList{QStringLiteral("--controller-name"), QStringLiteral("Controller9"), QStringLiteral("--bridge-name"),
                       QStringLiteral("Мост-мойка")}
        << QByteArray("DSCRControll") + QByteArray("\xd0\x9c\xd0\xbe\xd1\x81\xd1\x82-\xd0\xbc\0", 12);
    QTest::newRow("controller only")
        << QStringList{QStringLiteral("--no-bridge-name")} << QByteArray("DSCRSim 2.0\0", 12);
}

void TestSimTcp::discovery()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, answer);
    SimProcess sim(args);
    QVERIFY(sim.start());
    UdpClient c;
    quint16 from = 0;
    QVERIFY(c.send(sim.netPort(), "DSCR"));
    QCOMPARE(c.next(&from), answer);
    QCOMPARE(from, sim.netPort());
    // Anything else on the discovery port is ignored; the next request is answered.
    QVERIFY(c.send(sim.netPort(), "HELO"));
    QVERIFY(c.send(sim.netPort(), "DSCR"));
    QCOMPARE(c.next(), answer);
}

void TestSimTcp::controllerFrames_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("version") << hex("02 00") << hex("02 06 42 02 00 01 02 92");
    QTest::newRow("readCfg") << hex("04 03 f4 1f 08") << hex("04 0a f4 1f 01 80 ff ff fe 7f 00 00");
    QTest::newRow("readCfg 60") << hex("04 03 00 00 3c") << hex("04 3e 00 00") + QByteArray(60, char(0xFF));
    QTest::newRow("readCfg 61 refused") << hex("04 03 00 00 3d") << hex("04 00");
    QTest::newRow("readCfg of nothing refused") << hex("04 03 00 00 00") << hex("04 00");
    QTest::newRow("readCfg past the end refused") << hex("04 03 ff 1f 02") << hex("04 00");
    QTest::newRow("readDynCfg: none here") << hex("04 04 00 00 00 40") << hex("04 02 03 00");
    QTest::newRow("readNvMem") << hex("07 03 78 00 08") << hex("07 0a 78 00") + QByteArray(8, char(0xFF));
    QTest::newRow("readNvMem past the end refused") << hex("07 03 7f 00 02") << hex("07 00");
}

void TestSimTcp::controllerFrames()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, answer);
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    TcpClient c;
    QVERIFY(c.connectTo(sim.netPort()));
    QCOMPARE(c.exchange(request).toHex(' '), answer.toHex(' '));
    QCOMPARE(sim.transcript(), (QStringList{QStringLiteral("tcp req ") + QString::fromLatin1(request.toHex(' ')),
                                            QStringLiteral("tcp ans ") + QString::fromLatin1(answer.toHex(' '))}));
}

void TestSimTcp::writesAreKept()
{
    SimProcess sim;
    QVERIFY(sim.start());
    TcpClient c;
    QVERIFY(c.connectTo(sim.netPort()));
    // Writes and saveCfg are not answered; the reads after them see the data.
    c.send(hex("05 05 10 00 aa bb cc"));
    c.send(hex("08 04 74 00 11 22"));
    c.send(hex("06 00"));
    QCOMPARE(c.exchange(hex("04 03 0f 00 05")), hex("04 07 0f 00 ff aa bb cc ff"));
    QCOMPARE(c.exchange(hex("07 03 74 00 02")), hex("07 04 74 00 11 22"));
    QVERIFY(sim.save());
    QCOMPARE(sim.image().mid(16, 3), hex("aa bb cc"));
    QCOMPARE(sim.nvmem().mid(116, 2), hex("11 22"));
}

void TestSimTcp::framesInOneSegmentAndAcrossSegments()
{
    SimProcess sim;
    QVERIFY(sim.start());
    TcpClient c;
    QVERIFY(c.connectTo(sim.netPort()));
    c.send(hex("02 00 04 03 00 00 01 07"));
    c.send(hex("03 00 00 01"));
    QCOMPARE(c.frame(), hex("02 06 42 02 00 01 02 92"));
    QCOMPARE(c.frame(), hex("04 03 00 00 ff"));
    QCOMPARE(c.frame(), hex("07 03 00 00 ff"));
}

void TestSimTcp::accessExchange_data()
{
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("right") << QByteArray("1234") << QByteArray("\xe0\x07" "2.7 sim");
    QTest::newRow("wrong") << QByteArray("4321") << hex("e0 00");
    QTest::newRow("empty") << QByteArray() << hex("e0 00");
}

void TestSimTcp::accessExchange()
{
    QFETCH(QByteArray, password);
    QFETCH(QByteArray, answer);
    SimProcess sim;
    QVERIFY(sim.start());
    TcpClient c;
    QVERIFY(c.connectTo(sim.netPort()));
    QCOMPARE(c.exchange(QByteArray(1, char(0xE0)) + char(password.size()) + password), answer);
    QCOMPARE(c.exchange(hex("e2 00")), hex("e2 06 07 02 00 e0 00 00"));
}

QTEST_GUILESS_MAIN(TestSimTcp)
#include "test_sim_tcp.moc"
