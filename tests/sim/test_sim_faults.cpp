// Fault injection of the simulator: which answers are dropped, corrupted, delayed, split or cut
// off, on both framings. Discovery answers are never faulted.
#include "simclient.h"
#include "simprocess.h"
#include <QtTest>

namespace {

const QByteArray udpVersion = hex("01 02 42 02 00 01 02 92");
const QByteArray tcpVersion = hex("02 06 42 02 00 01 02 92");

QStringList args(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

class TestSimFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dropUdp_data();
    void dropUdp();
    void dropTcp();
    void corruptUdp_data();
    void corruptUdp();
    void corruptTcp_data();
    void corruptTcp();
    void delayKeepsOrder();
    void splitTcp();
    void closeAfter();
    void discoveryIsNeverFaulted();
    void badOptionsAreRefused_data();
    void badOptionsAreRefused();
};

void TestSimFaults::dropUdp_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<bool>>("answered");  // for four requests in a row
    QTest::newRow("every 2nd") << args("--drop-every 2") << QList<bool>{true, false, true, false};
    QTest::newRow("every 3rd") << args("--drop-every 3") << QList<bool>{true, true, false, true};
    QTest::newRow("every 2nd after the first") << args("--drop-every 2 --fault-skip 1")
                                               << QList<bool>{true, true, false, true};
    QTest::newRow("all after two") << args("--drop-every 1 --fault-skip 2") << QList<bool>{true, true, false, false};
}

void TestSimFaults::dropUdp()
{
    QFETCH(QStringList, options);
    QFETCH(QList<bool>, answered);
    SimProcess sim(options);
    QVERIFY(sim.start());
    UdpClient c;
    // Four requests with different answers, then one that tells where the stream ends.
    const QList<QByteArray> requests{hex("01 00"), hex("05 00"), hex("06 00 00 00 01 00"), hex("0a 00 01")};
    const QList<QByteArray> answers{udpVersion, hex("05 02"), hex("06 02 00 00 ff"), hex("0a 02")};
    for (const QByteArray &r : requests)
        QVERIFY(c.send(sim.udpPort(), r));
    QList<QByteArray> expected;
    QStringList dropLines;
    for (int i = 0; i < 4; ++i) {
        if (answered.at(i))
            expected << answers.at(i);
        else
            dropLines << QStringLiteral("udp drop ") + QString::fromLatin1(answers.at(i).toHex(' '));
    }
    QList<QByteArray> got;
    for (int i = 0; i < expected.size(); ++i)
        got << c.next();
    QCOMPARE(got, expected);
    // Dropped answers leave no trace but the transcript: wait until every request is in it.
    QTRY_COMPARE(sim.transcript().size(), 8);
    const QStringList drops = sim.transcript().filter(QStringLiteral(" drop "));
    QCOMPARE(drops, dropLines);
}

void TestSimFaults::dropTcp()
{
    SimProcess sim(args("--drop-every 2"));
    QVERIFY(sim.start());
    TcpClient c;
    QVERIFY(c.connectTo(sim.netPort()));
    c.send(hex("02 00 04 03 00 00 01 07 03 00 00 01"));
    QCOMPARE(c.frame(), tcpVersion);
    QCOMPARE(c.frame(), hex("07 03 00 00 ff"));
    QCOMPARE(sim.transcript().filter(QStringLiteral(" drop ")), QStringList{QStringLiteral("tcp drop 04 03 00 00 ff")});
}

void TestSimFaults::corruptUdp_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("direction: version") << args("--corrupt direction") << hex("01 00")
                                        << hex("01 00 42 02 00 01 02 92");
    QTest::newRow("direction: write") << args("--corrupt direction") << hex("04 00 00 00 01") << hex("04 00");
    QTest::newRow("address: readCfg") << args("--corrupt address") << hex("03 00 ff 00 02 00")
                                      << hex("03 02 00 01 ff ff");
    QTest::newRow("address: readNvMem") << args("--corrupt address") << hex("06 00 10 00 01 00")
                                        << hex("06 02 11 00 ff");
    QTest::newRow("address: version untouched") << args("--corrupt address") << hex("01 00") << udpVersion;
    QTest::newRow("both") << args("--corrupt direction --corrupt address") << hex("03 00 10 00 01 00")
                          << hex("03 00 11 00 ff");
    QTest::newRow("first answer spared") << args("--corrupt direction --fault-skip 1") << hex("01 00") << udpVersion;
}

void TestSimFaults::corruptUdp()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, answer);
    SimProcess sim(options);
    QVERIFY(sim.start());
    UdpClient c;
    QCOMPARE(c.exchange(sim.udpPort(), request).toHex(' '), answer.toHex(' '));
    QCOMPARE(sim.transcript().last(), QStringLiteral("udp ans ") + QString::fromLatin1(answer.toHex(' ')));
}

void TestSimFaults::corruptTcp_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<QByteArray>>("answers");  // to version, readCfg at 0x0100, version
    QTest::newRow("direction") << args("--corrupt direction")
                               << QList<QByteArray>{hex("82 06 42 02 00 01 02 92"), hex("84 03 00 01 ff"),
                                                    hex("82 06 42 02 00 01 02 92")};
    QTest::newRow("address") << args("--corrupt address")
                             << QList<QByteArray>{tcpVersion, hex("04 03 01 01 ff"), tcpVersion};
    QTest::newRow("every 2nd") << args("--corrupt address --corrupt-every 2")
                               << QList<QByteArray>{tcpVersion, hex("04 03 01 01 ff"), tcpVersion};
    QTest::newRow("every 3rd") << args("--corrupt direction --corrupt-every 3")
                               << QList<QByteArray>{tcpVersion, hex("04 03 00 01 ff"),
                                                    hex("82 06 42 02 00 01 02 92")};
}

void TestSimFaults::corruptTcp()
{
    QFETCH(QStringList, options);
    QFETCH(QList<QByteArray>, answers);
    SimProcess sim(options);
    QVERIFY(sim.start());
    TcpClient c;
    QVERIFY(c.connectTo(sim.netPort()));
    c.send(hex("02 00 04 03 00 01 01 02 00"));
    for (const QByteArray &a : answers)
        QCOMPARE(c.frame().toHex(' '), a.toHex(' '));
}

void TestSimFaults::delayKeepsOrder()
{
    SimProcess sim(args("--delay-ms 40"));
    QVERIFY(sim.start());
    UdpClient u;
    QVERIFY(u.send(sim.udpPort(), hex("01 00")));
    QVERIFY(u.send(sim.udpPort(), hex("05 00")));
    QVERIFY(u.send(sim.udpPort(), hex("0a 00")));
    QCOMPARE(u.next(), udpVersion);
    QCOMPARE(u.next(), hex("05 02"));
    QCOMPARE(u.next(), hex("0a 02"));
    TcpClient t;
    QVERIFY(t.connectTo(sim.netPort()));
    t.send(hex("02 00 07 03 00 00 01 04 03 00 00 01"));
    QCOMPARE(t.frame(), tcpVersion);
    QCOMPARE(t.frame(), hex("07 03 00 00 ff"));
    QCOMPARE(t.frame(), hex("04 03 00 00 ff"));
}

void TestSimFaults::splitTcp()
{
    SimProcess sim(args("--split-tcp"));
    QVERIFY(sim.start());
    TcpClient c;
    QVERIFY(c.connectTo(sim.netPort()));
    c.send(hex("04 03 00 00 3c 02 00"));
    QCOMPARE(c.frame(), hex("04 3e 00 00") + QByteArray(60, char(0xFF)));
    QCOMPARE(c.frame(), tcpVersion);
    QVERIFY2(c.reads > 4, qPrintable(QString::number(c.reads)));
    // The transcript keeps whole answers.
    QCOMPARE(sim.transcript().filter(QStringLiteral("tcp ans")).size(), 2);
}

void TestSimFaults::closeAfter()
{
    SimProcess sim(args("--close-after 2 --delay-ms 10"));
    QVERIFY(sim.start());
    TcpClient c;
    QVERIFY(c.connectTo(sim.netPort()));
    // The first frame is a write (no answer); the second is answered, then the connection closes.
    c.send(hex("05 03 00 00 11 02 00 02 00"));
    QCOMPARE(c.frame(), tcpVersion);
    QVERIFY(c.waitClosed());
    QCOMPARE(c.read(1), QByteArray());
    QCOMPARE(sim.transcript().filter(QStringLiteral("tcp req")).size(), 2);
    // Every connection gets its own count.
    TcpClient again;
    QVERIFY(again.connectTo(sim.netPort()));
    QCOMPARE(again.exchange(hex("04 03 00 00 01")), hex("04 03 00 00 11"));
}

void TestSimFaults::discoveryIsNeverFaulted()
{
    SimProcess sim(args("--drop-every 1 --corrupt direction --delay-ms 5000"));
    QVERIFY(sim.start());
    UdpClient c;
    QCOMPARE(c.exchange(sim.udpPort(), hex("00 00")), hex("00 0a"));
    QCOMPARE(c.exchange(sim.netPort(), "DSCR").left(4), QByteArray("DSCR"));
}

void TestSimFaults::badOptionsAreRefused_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("corrupt what") << args("--corrupt checksum");
    QTest::newRow("negative drop") << args("--drop-every -1");
    QTest::newRow("bad id") << args("--id 1,2");
    QTest::newRow("bad address") << args("--bind nowhere");
    QTest::newRow("missing image") << args("--image /nonexistent/image.bin");
}

void TestSimFaults::badOptionsAreRefused()
{
    QFETCH(QStringList, options);
    SimProcess sim(options);
    QVERIFY(!sim.start());
    QCOMPARE(sim.process().state(), QProcess::NotRunning);
    QCOMPARE(sim.process().exitCode(), 2);
}

QTEST_GUILESS_MAIN(TestSimFaults)
#include "test_sim_faults.moc"
