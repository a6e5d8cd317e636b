// vandor-cli as a nightly backup script meets it, against the simulator with its faults: exit
// codes, error lines and what the simulator holds and stored afterwards.
#include "clirun.h"
#include "simprocess.h"
#include "devices/fixedimage.h"
#include "devices/fixedlayout.h"
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

const FixedLayout layout20 = {"Marvek ccTalk", 0, 0, 0, 8180, 0x7FFF, false, 0, 6540, false, -1, "", "", nullptr, nullptr};

QProcessEnvironment env()
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("VANDOR_NET_ANSWER_PORT"), QStringLiteral("0"));
    e.insert(QStringLiteral("VANDOR_UDP_LOCAL_PORT"), QStringLiteral("0"));
    e.remove(QStringLiteral("VANDOR_PASSWORD"));
    return e;
}

QStringList tcp(const SimProcess &sim) { return {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(sim.netPort())}; }
QStringList udp(const SimProcess &sim) { return {QStringLiteral("--udp"), QStringLiteral("127.0.0.1:%1").arg(sim.udpPort())}; }

// A 2.0 image whose values lie in their ranges: erased parameters, a pool of texts and a
// few set values.
QByteArray fittingImage()
{
    QByteArray img(FixedImage::Size, char(0xFF));
    auto *p = reinterpret_cast<quint8 *>(img.data());
    for (int a = 0; a < 6540; ++a)
        p[a] = a % 64 == 63 ? 0 : quint8('a' + a * 7 % 26);
    FixedImage::seal(p, layout20);
    return img;
}

// Words that no 2.0 table range holds: what a dump of another generation looks like here.
QByteArray foreignImage()
{
    QByteArray img(FixedImage::Size, char(0xFF));
    auto *p = reinterpret_cast<quint8 *>(img.data());
    for (int a = 6540; a < 8180; a += 2)
        FixedImage::setWord16(p, a, quint16(0x7000 + a));
    FixedImage::seal(p, layout20);
    return img;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString errText(const CliResult &r) { return QString::fromUtf8(r.err); }

} // namespace

class TestCliFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void storeOnAClosedConnectionFails();
    void writeThatLosesTheConnectionFails_data();
    void writeThatLosesTheConnectionFails();
    void boardThatStopsAnsweringEndsTheCommand_data();
    void boardThatStopsAnsweringEndsTheCommand();
    void helpNeverActs();
    void outputIsCheckedFirst();
    void dumpsMustHaveTheExactSize();
    void dumpOfAnotherGenerationIsRefused();
    void jsonOutput();
    void usageErrorsAreTwo_data();
    void usageErrorsAreTwo();
    void standardOutputErrorsFail();
    void boardThatAnswersButDoesNotOpen();
    void passwordFromFileOrEnvironment();
    void readmeBackupScript();

private:
    QTemporaryDir dir;
};

void TestCliFaults::storeOnAClosedConnectionFails()
{
    // The bridge hangs up right after the open's version query.
    SimProcess sim({QStringLiteral("--default-image"), QStringLiteral("--close-after"), QStringLiteral("1")});
    QVERIFY(sim.start());
    const CliResult r = runCli(QStringList{QStringLiteral("store")} + tcp(sim), env());
    QCOMPARE(r.code, 1);
    QVERIFY2(errText(r).contains(QLatin1String("did not confirm the store")) && errText(r).contains(QLatin1String("dropped")),
             r.err.constData());
    QVERIFY(sim.save());
    QVERIFY(sim.file(QStringLiteral("stored.bin")).isEmpty());
}

void TestCliFaults::writeThatLosesTheConnectionFails_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<bool>("overUdp");
    QTest::addColumn<QString>("said");
    // 1 version query and 140 reads before the first write: 59 of 137 writes arrive.
    QTest::newRow("TCP closed mid-write") << QStringList{QStringLiteral("--close-after"), QStringLiteral("200")} << false
                                          << QStringLiteral("dropped");
    // Every acknowledgement after the read is lost: the write stops at the first unconfirmed piece.
    QTest::newRow("UDP acknowledgements lost")
        << QStringList{QStringLiteral("--drop-every"), QStringLiteral("1"), QStringLiteral("--fault-skip"), QStringLiteral("141")}
        << true << QStringLiteral("failed");
}

void TestCliFaults::writeThatLosesTheConnectionFails()
{
    QFETCH(QStringList, simArgs);
    QFETCH(bool, overUdp);
    QFETCH(QString, said);
    SimProcess sim(QStringList{QStringLiteral("--default-image")} + simArgs);
    QVERIFY(sim.start());
    const QString in = dir.filePath(QStringLiteral("push.bin"));
    QVERIFY(writeFile(in, fittingImage()));
    const CliResult r = runCli(QStringList{QStringLiteral("write")} + (overUdp ? udp(sim) : tcp(sim))
                                   + QStringList{in, QStringLiteral("--store"), QStringLiteral("--no-verify")},
                               env(), 60000);
    QCOMPARE(r.code, 1);
    QVERIFY2(errText(r).contains(QLatin1String("writing ")) && errText(r).contains(said)
                 && errText(r).contains(QLatin1String("not stored")),
             r.err.constData());
    QVERIFY(sim.save());
    QVERIFY(sim.file(QStringLiteral("stored.bin")).isEmpty());
    QVERIFY(sim.image() != fittingImage());
}

void TestCliFaults::boardThatStopsAnsweringEndsTheCommand_data()
{
    QTest::addColumn<bool>("overUdp");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("said");
    QTest::newRow("UDP, three failures") << true << QStringList() << QStringLiteral("stopped answering");
    QTest::newRow("TCP, the command's time limit")
        << false << QStringList{QStringLiteral("--timeout"), QStringLiteral("1500")} << QStringLiteral("time limit of 1500 ms");
}

void TestCliFaults::boardThatStopsAnsweringEndsTheCommand()
{
    QFETCH(bool, overUdp);
    QFETCH(QStringList, extra);
    QFETCH(QString, said);
    // Only the version query of the open is answered.
    SimProcess sim({QStringLiteral("--default-image"), QStringLiteral("--drop-every"), QStringLiteral("1"),
                    QStringLiteral("--fault-skip"), QStringLiteral("1")});
    QVERIFY(sim.start());
    const QString out = dir.filePath(QStringLiteral("never.bin"));
    const CliResult r = runCli(QStringList{QStringLiteral("read")} + (overUdp ? udp(sim) : tcp(sim))
                                   + QStringList{QStringLiteral("-o"), out} + extra,
                               env(), 20000);
    QCOMPARE(r.code, 1);
    QVERIFY2(errText(r).contains(said) && errText(r).contains(QLatin1String("was not written")), r.err.constData());
    QVERIFY(!QFile::exists(out));
    // The transfer gave up: no piece after the failures went on the wire.
    const QString reads = overUdp ? QStringLiteral("udp req 03 00") : QStringLiteral("tcp req 04 03");
    QVERIFY(sim.transcript().filter(reads).size() < 20);
}

void TestCliFaults::helpNeverActs()
{
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    const QString in = dir.filePath(QStringLiteral("help.bin"));
    QVERIFY(writeFile(in, fittingImage()));
    for (const QString &help : {QStringLiteral("--help-all"), QStringLiteral("--help"), QStringLiteral("-h")}) {
        const CliResult r = runCli(QStringList{QStringLiteral("write")} + tcp(sim) + QStringList{in, QStringLiteral("--store"), help}, env());
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith("Usage: vandor-cli write"));
        QVERIFY(r.out.contains("Exit status: 0 done, 1 the board or link failed, 2 usage or file errors."));
    }
    QVERIFY(sim.save());
    QCOMPARE(sim.transcript(), QStringList());
}

void TestCliFaults::outputIsCheckedFirst()
{
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const CliResult r = runCli(QStringList{QStringLiteral("read")} + tcp(sim) + QStringList{QStringLiteral("-o"), fifo}, env());
    QCOMPARE(r.code, 2);
    QVERIFY2(errText(r).contains(QLatin1String("not a regular file")), r.err.constData());
    QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    QVERIFY(sim.save());
    QCOMPARE(sim.transcript(), QStringList());
    // "-" is standard output, and no file of that name is made.
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const CliResult s = runCli(QStringList{QStringLiteral("read")} + tcp(sim) + QStringList{QStringLiteral("-o"), QStringLiteral("-")}, env());
    QDir::setCurrent(cwd);
    QCOMPARE(s.code, 0);
    QVERIFY(sim.save());
    QCOMPARE(s.out, sim.image());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("-"))));
}

void TestCliFaults::dumpsMustHaveTheExactSize()
{
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    const QString good = dir.filePath(QStringLiteral("good.bin"));
    const QString longer = dir.filePath(QStringLiteral("longer.bin"));
    QVERIFY(writeFile(good, fittingImage()));
    QVERIFY(writeFile(longer, fittingImage() + QByteArray(1, 'x')));
    const CliResult w = runCli(QStringList{QStringLiteral("write")} + tcp(sim) + QStringList{longer}, env());
    QCOMPARE(w.code, 2);
    QVERIFY2(errText(w).contains(QLatin1String("8193 bytes, it must have exactly 8192")), w.err.constData());
    const CliResult d = runCli({QStringLiteral("diff"), good, longer, QStringLiteral("--model"), QStringLiteral("Marvek ccTalk")}, env());
    QCOMPARE(d.code, 2);
    QVERIFY(sim.save());
    QCOMPARE(sim.transcript(), QStringList());
}

void TestCliFaults::dumpOfAnotherGenerationIsRefused()
{
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    QVERIFY(sim.save());
    const QByteArray before = sim.image();
    const QString in = dir.filePath(QStringLiteral("foreign.bin"));
    QVERIFY(writeFile(in, foreignImage()));
    const CliResult r = runCli(QStringList{QStringLiteral("write")} + tcp(sim) + QStringList{in, QStringLiteral("--store")}, env());
    QCOMPARE(r.code, 2);
    QVERIFY2(errText(r).contains(QLatin1String("does not look like a configuration of Marvek ccTalk or of another"))
                 && errText(r).contains(QLatin1String("values do not fit")) && errText(r).contains(QLatin1String("e.g. ")),
             r.err.constData());
    QVERIFY(sim.save());
    QCOMPARE(sim.image(), before);
    QVERIFY(sim.transcript().filter(QStringLiteral("tcp req 05")).isEmpty());
    const CliResult f = runCli(QStringList{QStringLiteral("write")} + tcp(sim) + QStringList{in, QStringLiteral("--force")}, env());
    QCOMPARE(f.code, 0);
    QVERIFY(sim.save());
    QCOMPARE(sim.image().left(FixedImage::WriteEnd), foreignImage().left(FixedImage::WriteEnd));
}

void TestCliFaults::jsonOutput()
{
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    const CliResult info = runCli(QStringList{QStringLiteral("info")} + tcp(sim) + QStringList{QStringLiteral("--json")}, env());
    QCOMPARE(info.code, 0);
    const QJsonObject o = QJsonDocument::fromJson(info.out).object();
    QCOMPARE(o.value(QStringLiteral("link")).toString(), QStringLiteral("tcp"));
    QCOMPARE(o.value(QStringLiteral("name")).toString(), QStringLiteral("Sim 2.0"));
    QCOMPARE(o.value(QStringLiteral("model")).toString(), QStringLiteral("Marvek ccTalk"));
    QCOMPARE(o.value(QStringLiteral("opened")).toBool(), true);

    QProcessEnvironment e = env();
    e.insert(QStringLiteral("VANDOR_UDP_TARGET"), QStringLiteral("127.0.0.1"));
    e.insert(QStringLiteral("VANDOR_UDP_BOARD_PORT"), QString::number(sim.udpPort()));
    e.insert(QStringLiteral("VANDOR_NET_TARGET"), QStringLiteral("127.0.0.1"));
    e.insert(QStringLiteral("VANDOR_NET_PORT"), QString::number(sim.netPort()));
    const CliResult d = runCli({QStringLiteral("discover"), QStringLiteral("--timeout"), QStringLiteral("4000"),
                                QStringLiteral("--no-usb"), QStringLiteral("--json")},
                               e);
    QCOMPARE(d.code, 0);
    const QStringList lines = d.outLines();
    QCOMPARE(lines.size(), 3);
    QStringList seen;
    for (const QString &line : lines) {
        const QJsonObject b = QJsonDocument::fromJson(line.toUtf8()).object();
        seen << QStringLiteral("%1 %2 %3").arg(b.value(QStringLiteral("link")).toString(), b.value(QStringLiteral("kind")).toString())
                    .arg(b.value(QStringLiteral("opened")).toBool());
        if (!b.value(QStringLiteral("opened")).toBool())
            QVERIFY(b.value(QStringLiteral("error")).toString().contains(QLatin1String("password")));
    }
    QCOMPARE(seen, (QStringList{QStringLiteral("udp controller 1"), QStringLiteral("tcp controller 1"),
                                QStringLiteral("tcp bridge 0")}));
}

void TestCliFaults::usageErrorsAreTwo_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("said");
    QTest::newRow("port out of range") << QStringList{QStringLiteral("info"), QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:70000")}
                                       << QString() << QStringLiteral("--tcp: the port in \"127.0.0.1:70000\" is not a port number (1-65535)");
    QTest::newRow("two links") << QStringList{QStringLiteral("info"), QStringLiteral("--tcp"), QStringLiteral("a"), QStringLiteral("--udp"), QStringLiteral("b")}
                               << QString() << QStringLiteral("exactly one of");
    QTest::newRow("bad time-out") << QStringList{QStringLiteral("store"), QStringLiteral("--udp"), QStringLiteral("127.0.0.1"), QStringLiteral("--timeout"), QStringLiteral("soon")}
                                  << QString() << QStringLiteral("--timeout wants a positive number of milliseconds");
    QTest::newRow("no time at all") << QStringList{QStringLiteral("store"), QStringLiteral("--udp"), QStringLiteral("127.0.0.1"), QStringLiteral("--timeout"), QStringLiteral("0")}
                                    << QString() << QStringLiteral("--timeout wants a positive number of milliseconds");
    QTest::newRow("bad variable") << QStringList{QStringLiteral("info"), QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:9")}
                                  << QStringLiteral("VANDOR_NET_ANSWER_PORT=abc") << QStringLiteral("VANDOR_NET_ANSWER_PORT=\"abc\" is not a port number");
    QTest::newRow("bad target") << QStringList{QStringLiteral("discover"), QStringLiteral("--no-usb")}
                                << QStringLiteral("VANDOR_UDP_TARGET=wash.local") << QStringLiteral("VANDOR_UDP_TARGET=\"wash.local\" is not an IPv4 address");
    QTest::newRow("bridge without password") << QStringList{QStringLiteral("info"), QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:9"), QStringLiteral("--bridge")}
                                             << QString() << QStringLiteral("--bridge needs the access password");
    QTest::newRow("missing password file") << QStringList{QStringLiteral("info"), QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:9"), QStringLiteral("--bridge"), QStringLiteral("--password-file"), QStringLiteral("/nonexistent/pw")}
                                           << QString() << QStringLiteral("cannot read the password file");
    QTest::newRow("USB address not one") << QStringList{QStringLiteral("info"), QStringLiteral("--usb"), QStringLiteral("bogus")}
                                         << QString() << QStringLiteral("--usb wants BUS:ADDR, not \"bogus\"");
}

void TestCliFaults::usageErrorsAreTwo()
{
    QFETCH(QStringList, args);
    QFETCH(QString, variable);
    QFETCH(QString, said);
    QProcessEnvironment e = env();
    if (!variable.isEmpty())
        e.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    const CliResult r = runCli(args, e, 15000);
    QCOMPARE(r.code, 2);
    QVERIFY2(errText(r).contains(said), r.err.constData());
}

void TestCliFaults::standardOutputErrorsFail()
{
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    for (const QString &command : {QStringLiteral("read"), QStringLiteral("info")}) {
        QProcess p;
        p.setProcessEnvironment(env());
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
        QStringList args = QStringList{command} + tcp(sim);
        if (command == QLatin1String("read"))
            args << QStringLiteral("-o") << QStringLiteral("-");
        p.start(QStringLiteral(VANDOR_CLI_PATH), args);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardError().contains("standard output"));
    }
    // Help that cannot be printed is no success either.
    QProcess help;
    help.setStandardOutputFile(QStringLiteral("/dev/full"));
    help.start(QStringLiteral(VANDOR_CLI_PATH), {QStringLiteral("--help")});
    QVERIFY(help.waitForFinished(30000));
    QCOMPARE(help.exitCode(), 2);
}

void TestCliFaults::boardThatAnswersButDoesNotOpen()
{
    // A board that no model accepts answers discovery and the version query.
    SimProcess sim({QStringLiteral("--id"), QStringLiteral("1111,0100,9202")});
    QVERIFY(sim.start());
    for (const QStringList &link : {tcp(sim), udp(sim)}) {
        const CliResult r = runCli(QStringList{QStringLiteral("info")} + link, env());
        QCOMPARE(r.code, 1);
        // Named as what it is: the board answered, with words no model of this program accepts.
        QVERIFY2(errText(r).contains(QLatin1String("answered with the identity words 1111 0100 9202, but this version "
                                                   "of the program has no model for that board"))
                     && errText(r).contains(QLatin1String("Incompatible version")),
                 r.err.constData());
        QVERIFY(!errText(r).contains(QLatin1String("no board answered")) && !errText(r).contains(QLatin1String("no network bridge answered")));
    }
}

void TestCliFaults::passwordFromFileOrEnvironment()
{
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    const QString file = dir.filePath(QStringLiteral("pw"));
    QVERIFY(writeFile(file, "1234\n"));
    const QStringList bridge = tcp(sim) + QStringList{QStringLiteral("--bridge")};
    const CliResult f = runCli(QStringList{QStringLiteral("info")} + bridge + QStringList{QStringLiteral("--password-file"), file}, env());
    QCOMPARE(f.code, 0);
    QVERIFY(f.out.contains("ESP Bridge board"));
    QProcessEnvironment e = env();
    e.insert(QStringLiteral("VANDOR_PASSWORD"), QStringLiteral("1234"));
    QCOMPARE(runCli(QStringList{QStringLiteral("info")} + bridge, e).code, 0);
    e.insert(QStringLiteral("VANDOR_PASSWORD"), QStringLiteral("wrong"));
    const CliResult w = runCli(QStringList{QStringLiteral("info")} + bridge, e);
    QCOMPARE(w.code, 1);
    QVERIFY2(errText(w).contains(QLatin1String("Access denied")), w.err.constData());
}

void TestCliFaults::readmeBackupScript()
{
    // The nightly backup of the README, as it stands there, against one answering bridge and
    // one address where nothing answers.
    QFile readme(QStringLiteral(VANDOR_SOURCE_DIR "/README.md"));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const int start = text.indexOf(QLatin1String("```sh\n"));
    QVERIFY(start >= 0);
    const QString script = text.mid(start + 6, text.indexOf(QLatin1String("```"), start + 6) - start - 6);
    const QString path = dir.filePath(QStringLiteral("backup.sh"));
    QVERIFY(writeFile(path, script.toUtf8()));

    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    const QString root = dir.filePath(QStringLiteral("backups"));
    const QString host = QStringLiteral("127.0.0.1:%1").arg(sim.netPort());
    QProcessEnvironment e = env();
    e.insert(QStringLiteral("PATH"), QFileInfo(QStringLiteral(VANDOR_CLI_PATH)).absolutePath() + QLatin1Char(':')
                                         + e.value(QStringLiteral("PATH")));
    e.insert(QStringLiteral("VANDOR_BACKUP_DIR"), root);
    const auto run = [&](const QString &hosts) {
        QProcess sh;
        e.insert(QStringLiteral("VANDOR_BACKUP_HOSTS"), hosts);
        sh.setProcessEnvironment(e);
        sh.start(QStringLiteral("sh"), {path});
        return sh.waitForFinished(60000) && sh.exitStatus() == QProcess::NormalExit ? sh.exitCode() : -1;
    };
    QCOMPARE(run(host), 0);
    QVERIFY(sim.save());
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    QFile backup(root + QLatin1Char('/') + today + QLatin1Char('/') + host + QStringLiteral(".bin"));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), sim.image());
    // A host that does not answer makes the run fail; the others are still backed up.
    QVERIFY(backup.remove());
    QCOMPARE(run(QStringLiteral("127.0.0.1:9 ") + host), 1);
    QVERIFY(backup.exists());
}

QTEST_GUILESS_MAIN(TestCliFaults)
#include "test_cli_faults.moc"
