// vandor-cli on a site with several machines: --udp HOST takes answers from HOST only, discover
// sends the bridge password to no host it was not told to open, and --timeout bounds discover
// with the opening of what it found.
#include "clirun.h"
#include "simprocess.h"
#include "../net/udprelay.h"
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QProcessEnvironment env()
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("VANDOR_NET_ANSWER_PORT"), QStringLiteral("0"));
    e.insert(QStringLiteral("VANDOR_UDP_LOCAL_PORT"), QStringLiteral("0"));
    return e;
}

// The tool runs while this process keeps its relay going.
CliResult runLive(const QStringList &args, const QProcessEnvironment &e)
{
    CliResult r;
    QProcess p;
    p.setProcessEnvironment(e);
    QSignalSpy done(&p, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    p.start(QStringLiteral(VANDOR_CLI_PATH), args);
    if (!done.wait(30000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
}

} // namespace

class TestCliSite : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void udpTakesOnlyTheHostAsked_data()
    {
        QTest::addColumn<bool>("boardAnswers");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("said");
        QTest::newRow("only another host answers") << false << 1 << "answers from 127.0.0.3";
        QTest::newRow("both answer") << true << 0 << "ignored answers from 127.0.0.3";
    }
    void udpTakesOnlyTheHostAsked()
    {
        QFETCH(bool, boardAnswers);
        QFETCH(int, code);
        QFETCH(QString, said);
        QTemporaryDir dir;
        // The board answers a little late, so that the other host's answers come first.
        SimProcess board({QStringLiteral("--default-image"), QStringLiteral("--delay-ms"), QStringLiteral("3")});
        SimProcess other({QStringLiteral("--board"), QStringLiteral("3.0")});
        QVERIFY(board.start() && other.start());
        UdpRelay relay;
        QVERIFY(relay.listen(QHostAddress(QStringLiteral("127.0.0.2"))));
        if (boardAnswers)
            QVERIFY(relay.route(board.udpPort(), QHostAddress(QStringLiteral("127.0.0.2"))));
        QVERIFY(relay.route(other.udpPort(), QHostAddress(QStringLiteral("127.0.0.3"))));
        const QString out = dir.filePath(QStringLiteral("out.bin"));
        const CliResult r = runLive({QStringLiteral("read"), QStringLiteral("--udp"), QStringLiteral("127.0.0.2:%1").arg(relay.port()),
                                     QStringLiteral("-o"), out},
                                    env());
        QCOMPARE(r.code, code);
        QVERIFY2(QString::fromUtf8(r.err).contains(said), r.err.constData());
        QFile dump(out);
        QCOMPARE(dump.exists(), boardAnswers);
        if (boardAnswers) {
            QVERIFY(dump.open(QIODevice::ReadOnly) && board.save());
            QCOMPARE(dump.readAll(), board.image());
        }
    }

    // The password goes to a bridge named with --bridge, and with VANDOR_PASSWORD set to no other.
    void discoverOpensOnlyNamedBridges_data()
    {
        QTest::addColumn<QStringList>("named");
        QTest::addColumn<int>("accessFrames");
        QTest::newRow("none named") << QStringList() << 0;
        QTest::newRow("the bridge named") << QStringList{QStringLiteral("--bridge"), QStringLiteral("127.0.0.1")} << 1;
    }
    void discoverOpensOnlyNamedBridges()
    {
        QFETCH(QStringList, named);
        QFETCH(int, accessFrames);
        SimProcess sim({QStringLiteral("--default-image")});
        QVERIFY(sim.start());
        QProcessEnvironment e = env();
        e.insert(QStringLiteral("VANDOR_PASSWORD"), QStringLiteral("1234"));
        e.insert(QStringLiteral("VANDOR_UDP_TARGET"), QStringLiteral("127.0.0.1"));
        e.insert(QStringLiteral("VANDOR_UDP_BOARD_PORT"), QString::number(sim.udpPort()));
        e.insert(QStringLiteral("VANDOR_NET_TARGET"), QStringLiteral("127.0.0.1"));
        e.insert(QStringLiteral("VANDOR_NET_PORT"), QString::number(sim.netPort()));
        const CliResult r = runCli(QStringList{QStringLiteral("discover"), QStringLiteral("--no-usb")} + named, e);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.outLines().size(), 3);
        QCOMPARE(r.outLines().last().contains(QStringLiteral("not opened")), accessFrames == 0);
        QCOMPARE(sim.transcript().filter(QStringLiteral("tcp req e0")).size(), accessFrames);
    }

    // A bridge answers discovery but its controller nothing: the whole command still ends in time.
    void discoverEndsWithinItsTimeout()
    {
        SimProcess sim({QStringLiteral("--drop-every"), QStringLiteral("1")});
        QVERIFY(sim.start());
        QProcessEnvironment e = env();
        e.insert(QStringLiteral("VANDOR_UDP_TARGET"), QStringLiteral("127.0.0.1"));
        e.insert(QStringLiteral("VANDOR_UDP_BOARD_PORT"), QString::number(sim.udpPort()));
        e.insert(QStringLiteral("VANDOR_NET_TARGET"), QStringLiteral("127.0.0.1"));
        e.insert(QStringLiteral("VANDOR_NET_PORT"), QString::number(sim.netPort()));
        // Killed (code -1) if it ran far past its limit, as it did for 16 s.
        const CliResult r = runCli({QStringLiteral("discover"), QStringLiteral("--no-usb"), QStringLiteral("--timeout"),
                                    QStringLiteral("1000")},
                                   e, 5000);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("time limit"), r.err.constData());
    }
};

QTEST_MAIN(TestCliSite)
#include "test_cli_site.moc"
