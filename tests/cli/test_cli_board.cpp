// vandor-cli against the board simulator on loopback: backups byte for byte, write and read
// back, store, refusal of damaged dumps before anything is sent, unreachable hosts.
#include "clirun.h"
#include "app/boardhistory.h"
#include "simprocess.h"
#include "devices/fixedimage.h"
#include "devices/fixedlayout.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

namespace {

const FixedLayout layout20 = {"Marvek ccTalk", 0, 0, 0, 8180, 0x7FFF, false, 0, 6540, false, -1, "", "", nullptr, nullptr};

QProcessEnvironment env()
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("VANDOR_NET_ANSWER_PORT"), QStringLiteral("0"));
    e.insert(QStringLiteral("VANDOR_UDP_LOCAL_PORT"), QStringLiteral("0"));
    return e;
}

QString tcpTarget(const SimProcess &sim) { return QStringLiteral("127.0.0.1:%1").arg(sim.netPort()); }

QStringList linkTo(const SimProcess &sim, bool udp)
{
    return udp ? QStringList{QStringLiteral("--udp"), QStringLiteral("127.0.0.1:%1").arg(sim.udpPort())}
               : QStringList{QStringLiteral("--tcp"), tcpTarget(sim)};
}

// discover asks on loopback only, at the simulator's ports (or at ports nothing listens on).
QProcessEnvironment discoverEnv(quint16 udpPort, quint16 netPort)
{
    QProcessEnvironment e = env();
    e.insert(QStringLiteral("VANDOR_UDP_TARGET"), QStringLiteral("127.0.0.1"));
    e.insert(QStringLiteral("VANDOR_UDP_BOARD_PORT"), QString::number(udpPort));
    e.insert(QStringLiteral("VANDOR_NET_TARGET"), QStringLiteral("127.0.0.1"));
    e.insert(QStringLiteral("VANDOR_NET_PORT"), QString::number(netPort));
    return e;
}

QByteArray patternImage()
{
    QByteArray img(FixedImage::Size, char(0xFF));
    auto *p = reinterpret_cast<quint8 *>(img.data());
    for (int a = 0; a < 6540; ++a)
        p[a] = quint8(a * 7 + 3);
    for (int a = 6540; a < 8180; a += 2)
        FixedImage::setWord16(p, a, quint16(a ^ 0x5A5A));
    FixedImage::seal(p, layout20);
    return img;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestCliBoard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Each test's boards are machines of their own.
    void init() { QDir(BoardHistory::rootDir()).removeRecursively(); }
    void readGivesTheBoardsImage_data();
    void readGivesTheBoardsImage();
    void readOfDescribedBoardGivesItsDump();
    void writeThenReadRoundTrips_data();
    void writeThenReadRoundTrips();
    void damagedDumpIsRefusedBeforeAnythingIsSent();
    void unreachableHostFailsWithinTheTimeout_data();
    void unreachableHostFailsWithinTheTimeout();
    void info();
    void bridgeHoldsNoConfiguration();
    void discoverListsEveryBoard_data();
    void discoverListsEveryBoard();
    void discoverWithNothingAnswering();
    void busyAnswerPortIsNamed();
    void historyKeepsReadsAndWrites();

private:
    QTemporaryDir dir;
};

void TestCliBoard::readGivesTheBoardsImage_data()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("network bridge") << false;
    QTest::newRow("UDP bridge path") << true;
}

void TestCliBoard::readGivesTheBoardsImage()
{
    QFETCH(bool, udp);
    const QString start = dir.filePath(QStringLiteral("start.bin"));
    QVERIFY(writeFile(start, patternImage()));
    SimProcess sim({QStringLiteral("--image"), start});
    QVERIFY(sim.start());
    const QString out = dir.filePath(QStringLiteral("backup.bin"));
    const QStringList link = linkTo(sim, udp);
    const CliResult r = runCli(QStringList{QStringLiteral("read")} + link + QStringList{QStringLiteral("-o"), out}, env());
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(sim.save());
    QCOMPARE(f.readAll(), sim.image());
    QCOMPARE(sim.image(), patternImage());
}

// A board that describes itself: read saves its "DevCom2" dump, the values as the board holds them.
void TestCliBoard::readOfDescribedBoardGivesItsDump()
{
    SimProcess sim({QStringLiteral("--dyn")});
    QVERIFY(sim.start());
    const QString out = dir.filePath(QStringLiteral("dyn.bin"));
    const CliResult r = runCli(QStringList{QStringLiteral("read")} + linkTo(sim, true) + QStringList{QStringLiteral("-o"), out}, env());
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(sim.save());
    const QByteArray dump = f.readAll();
    QVERIFY(dump.startsWith(QByteArray("DevCom2", 8)));
    QCOMPARE(dump.toHex(), sim.file(QStringLiteral("dyn.bin")).toHex());

    // The dump with the coin value changed goes back, and is read back to be checked.
    QByteArray changed = dump;
    const QByteArray coinValue = QByteArray::fromHex("02201042");
    const int at = changed.indexOf(coinValue);
    QVERIFY(at > 0);
    changed[at + 4] = char(0x2C);
    changed[at + 5] = char(0x01);
    const QString in = dir.filePath(QStringLiteral("dyn_changed.bin"));
    QVERIFY(writeFile(in, changed));
    const CliResult w = runCli(QStringList{QStringLiteral("write")} + linkTo(sim, true) + QStringList{in}, env());
    QCOMPARE(w.code, 0);
    QVERIFY2(w.err.isEmpty(), w.err.constData());
    QVERIFY(sim.save());
    QCOMPARE(sim.file(QStringLiteral("dyn.bin")).toHex(), changed.toHex());
}

void TestCliBoard::writeThenReadRoundTrips_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<bool>("store");
    QTest::newRow("network bridge, working image only") << false << false;
    QTest::newRow("network bridge, stored") << false << true;
    QTest::newRow("UDP bridge path, working image only") << true << false;
    QTest::newRow("UDP bridge path, stored") << true << true;
}

void TestCliBoard::writeThenReadRoundTrips()
{
    QFETCH(bool, udp);
    QFETCH(bool, store);
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    const QString in = dir.filePath(QStringLiteral("push.bin"));
    QVERIFY(writeFile(in, patternImage()));
    // The pattern's values are no 2.0 board's: written all the same.
    QStringList args = QStringList{QStringLiteral("write")} + linkTo(sim, udp) + QStringList{in, QStringLiteral("--force")};
    if (store)
        args << QStringLiteral("--store");
    const CliResult w = runCli(args, env());
    QCOMPARE(w.code, 0);
    QVERIFY2(w.err.isEmpty(), w.err.constData());

    const QString back = dir.filePath(QStringLiteral("back.bin"));
    const CliResult r = runCli(QStringList{QStringLiteral("read")} + linkTo(sim, udp) + QStringList{QStringLiteral("-o"), back}, env());
    QCOMPARE(r.code, 0);
    QFile f(back);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), patternImage());

    // saveCfg goes on the wire exactly when --store was given (packet 05 00, stream command 06).
    const QString save = udp ? QStringLiteral("udp req 05 00") : QStringLiteral("tcp req 06 00");
    int saves = 0;
    for (const QString &line : sim.transcript()) {
        if (line == save)
            ++saves;
    }
    QCOMPARE(saves, store ? 1 : 0);
}

void TestCliBoard::damagedDumpIsRefusedBeforeAnythingIsSent()
{
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    QByteArray img = patternImage();
    img[100] = char(img[100] ^ 1);
    const QString in = dir.filePath(QStringLiteral("damaged.bin"));
    QVERIFY(writeFile(in, img));
    const CliResult r = runCli({QStringLiteral("write"), QStringLiteral("--tcp"), tcpTarget(sim), in, QStringLiteral("--store")}, env());
    QCOMPARE(r.code, 2);
    const QStringList lines = QString::fromUtf8(r.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.at(0).contains(QLatin1String("check word")) && lines.at(0).contains(QLatin1String("nothing was sent")),
             qPrintable(lines.at(0)));
    QVERIFY(sim.save());
    QCOMPARE(sim.transcript(), QStringList());
}

void TestCliBoard::unreachableHostFailsWithinTheTimeout_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("message");
    QTest::newRow("network bridge") << QStringLiteral("--tcp")
                                    << QStringLiteral("vandor-cli: no network bridge answered at 127.0.0.1:9 within 1000 ms");
    QTest::newRow("UDP bridge path")
        << QStringLiteral("--udp") << QStringLiteral("vandor-cli: no board answered on the UDP bridge path at 127.0.0.1:9 within 1000 ms");
}

void TestCliBoard::unreachableHostFailsWithinTheTimeout()
{
    QFETCH(QString, link);
    QFETCH(QString, message);
    // A port nothing listens on: no discovery answer comes.
    const CliResult r = runCli({QStringLiteral("info"), link, QStringLiteral("127.0.0.1:9"), QStringLiteral("--timeout"),
                                QStringLiteral("1000")},
                               env(), 15000);
    QCOMPARE(r.code, 1);
    const QStringList lines = QString::fromUtf8(r.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines, QStringList{message});
}

void TestCliBoard::info()
{
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    const CliResult r = runCli({QStringLiteral("info"), QStringLiteral("--tcp"), tcpTarget(sim)}, env());
    QCOMPARE(r.code, 0);
    QCOMPARE(r.outLines(), QStringList{QStringLiteral("tcp 127.0.0.1:%1 Sim 2.0 identity 0242 0100 9202 model \"Marvek ccTalk\"")
                                           .arg(sim.netPort())});
}

void TestCliBoard::bridgeHoldsNoConfiguration()
{
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    const QString out = dir.filePath(QStringLiteral("bridge.bin"));
    const QStringList bridge{QStringLiteral("--tcp"), tcpTarget(sim), QStringLiteral("--bridge"), QStringLiteral("--password"),
                             QStringLiteral("1234")};
    const CliResult r = runCli(QStringList{QStringLiteral("read")} + bridge + QStringList{QStringLiteral("-o"), out}, env());
    QCOMPARE(r.code, 1);
    QCOMPARE(QString::fromUtf8(r.err),
             QStringLiteral("vandor-cli: tcp %1 Sim bridge holds no configuration to read, write or store\n").arg(tcpTarget(sim)));
    QVERIFY(!QFile::exists(out));

    const QString in = dir.filePath(QStringLiteral("push-bridge.bin"));
    QVERIFY(writeFile(in, patternImage()));
    const CliResult w = runCli(QStringList{QStringLiteral("write")} + bridge + QStringList{in, QStringLiteral("--store")}, env());
    QCOMPARE(w.code, 1);
    const CliResult st = runCli(QStringList{QStringLiteral("store")} + bridge, env());
    QCOMPARE(st.code, 1);
    // Nothing but the access exchanges went to the bridge.
    QVERIFY(sim.save());
    for (const QString &line : sim.transcript()) {
        if (line.startsWith(QLatin1String("tcp req")))
            QVERIFY2(line.startsWith(QLatin1String("tcp req e0 04 31 32 33 34")), qPrintable(line));
    }
}

void TestCliBoard::discoverListsEveryBoard_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("bridgeLine");
    QTest::addColumn<QString>("error");
    QTest::newRow("bridge left closed") << QString() << 0
                                        << QStringLiteral("tcp %1 Sim bridge bridge, not opened (name it with --bridge HOST, with the password)")
                                        << QString();
    QTest::newRow("bridge opened")
        << QStringLiteral("1234") << 0
        << QStringLiteral("tcp %1 Sim bridge identity 0207 e000 0000 model \"ESP Bridge board\" version \"2.7 sim\"") << QString();
    // One board that does not open makes the exit status 1; the others are still listed.
    QTest::newRow("wrong bridge password") << QStringLiteral("nope") << 1 << QString() << QStringLiteral("Access denied");
}

void TestCliBoard::discoverListsEveryBoard()
{
    QFETCH(QString, password);
    QFETCH(int, code);
    QFETCH(QString, bridgeLine);
    QFETCH(QString, error);
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    QVERIFY(sim.save());
    const QByteArray before = sim.image() + sim.nvmem();
    // The whole command, opening included, within the time limit.
    QStringList args{QStringLiteral("discover"), QStringLiteral("--timeout"), QStringLiteral("6000"), QStringLiteral("--no-usb")};
    if (!password.isEmpty())
        args << QStringLiteral("--password") << password << QStringLiteral("--bridge") << QStringLiteral("127.0.0.1");
    const CliResult r = runCli(args, discoverEnv(sim.udpPort(), sim.netPort()));
    QCOMPARE(r.code, code);
    const QString net = tcpTarget(sim);
    QStringList expected{
        QStringLiteral("udp 127.0.0.1:%1 identity 0242 0100 9202 model \"Marvek ccTalk\"").arg(sim.udpPort()),
        QStringLiteral("tcp %1 Sim 2.0 identity 0242 0100 9202 model \"Marvek ccTalk\"").arg(net),
    };
    if (!bridgeLine.isEmpty())
        expected << bridgeLine.arg(net);
    QCOMPARE(r.outLines(), expected);
    if (error.isEmpty())
        QVERIFY2(r.err.isEmpty(), r.err.constData());
    else
        QVERIFY2(r.err.contains(error.toUtf8()), r.err.constData());

    // Every board was opened for its identity and nothing was written to any of them.
    QVERIFY(sim.save());
    QCOMPARE(sim.image() + sim.nvmem(), before);
}

void TestCliBoard::discoverWithNothingAnswering()
{
    const CliResult r = runCli({QStringLiteral("discover"), QStringLiteral("--timeout"), QStringLiteral("300"), QStringLiteral("--no-usb")},
                               discoverEnv(9, 9), 15000);
    QCOMPARE(r.code, 1);
    QCOMPARE(r.outLines(), QStringList());
    QCOMPARE(QString::fromUtf8(r.err), QStringLiteral("vandor-cli: no board found within 300 ms\n"));
}

void TestCliBoard::busyAnswerPortIsNamed()
{
    // Another program (the window, say) holds the answer port: said so, not "nothing answered".
    QUdpSocket holder;
    QVERIFY(holder.bind(QHostAddress(QHostAddress::LocalHost), 0, QAbstractSocket::DontShareAddress));
    QProcessEnvironment e = discoverEnv(9, 9);
    e.insert(QStringLiteral("VANDOR_NET_ANSWER_PORT"), QString::number(holder.localPort()));
    const CliResult r = runCli({QStringLiteral("info"), QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:9")}, e, 15000);
    QCOMPARE(r.code, 1);
    QCOMPARE(QString::fromUtf8(r.err),
             QStringLiteral("vandor-cli: UDP port %1 is in use (is Vandor running? VANDOR_NET_ANSWER_PORT=0 lets this tool run "
                            "beside it); no network bridge can answer\n")
                 .arg(holder.localPort()));
}

// read and write keep the board in its history: an unchanged board once, the board before a
// write and after it, listed by history and compared by diff; a history that cannot be written
// is one warning and the command succeeds.
void TestCliBoard::historyKeepsReadsAndWrites()
{
    QFile::remove(BoardHistory::rootDir());
    QDir(BoardHistory::rootDir()).removeRecursively();
    const QString start = dir.filePath(QStringLiteral("histstart.bin"));
    QVERIFY(writeFile(start, patternImage()));
    SimProcess sim({QStringLiteral("--image"), start});
    QVERIFY(sim.start());
    const QString out = dir.filePath(QStringLiteral("hist.bin"));
    for (int i = 0; i < 2; ++i) {
        const CliResult r = runCli(QStringList{QStringLiteral("read")} + linkTo(sim, false) + QStringList{QStringLiteral("-o"), out}, env());
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.isEmpty(), r.err.constData());
    }
    const QStringList boards = QDir(BoardHistory::rootDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(boards, QStringList{QStringLiteral("0242-0100-9202_Sim_2.0")});
    const QDir board(BoardHistory::rootDir() + QLatin1Char('/') + boards.first());
    QCOMPARE(board.entryList({QStringLiteral("*.bin")}).size(), 1);

    QByteArray other = patternImage();
    other[7170] = char(other[7170] ^ 0x01); // "Button jitter [ms]"
    FixedImage::seal(reinterpret_cast<quint8 *>(other.data()), layout20);
    const QString push = dir.filePath(QStringLiteral("histpush.bin"));
    QVERIFY(writeFile(push, other));
    const CliResult w = runCli(QStringList{QStringLiteral("write")} + linkTo(sim, false) + QStringList{push, QStringLiteral("--force")}, env());
    QCOMPARE(w.code, 0);
    const QStringList dumps = board.entryList({QStringLiteral("*.bin")}, QDir::Files, QDir::Name);
    QCOMPARE(dumps.size(), 2);
    QFile first(board.filePath(dumps.first()));
    QFile last(board.filePath(dumps.last()));
    QVERIFY(first.open(QIODevice::ReadOnly) && last.open(QIODevice::ReadOnly));
    QCOMPARE(first.readAll(), patternImage());
    QCOMPARE(last.readAll(), other);

    // history lists both; diff takes them by the names it prints.
    const CliResult h = runCli(QStringList{QStringLiteral("history")} + linkTo(sim, false), env());
    QCOMPARE(h.code, 0);
    const QStringList listed = h.outLines();
    QCOMPARE(listed.size(), 2);
    QVERIFY2(listed.at(1).contains(QStringLiteral(" \"Marvek ccTalk\" network bridge, 127.0.0.1 version ")),
             qPrintable(listed.at(1)));
    const QString older = listed.at(0).section(QLatin1Char(' '), 0, 0);
    const QString newer = listed.at(1).section(QLatin1Char(' '), 0, 0);
    QCOMPARE(older, boards.first() + QLatin1Char('/') + dumps.first().chopped(4));
    const QStringList model{QStringLiteral("--model"), QStringLiteral("Marvek ccTalk")};
    const CliResult d = runCli(QStringList{QStringLiteral("diff"), older, newer} + model, env());
    QCOMPARE(d.code, 1);
    QCOMPARE(d.outLines().size(), 1);
    QCOMPARE(runCli(QStringList{QStringLiteral("diff"), newer, push} + model, env()).code, 0);

    // Nothing can be kept: said once, and the backup is made all the same.
    QVERIFY(QDir(BoardHistory::rootDir()).removeRecursively());
    QFile blocker(BoardHistory::rootDir());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QFile::remove(out);
    const CliResult r = runCli(QStringList{QStringLiteral("read")} + linkTo(sim, false) + QStringList{QStringLiteral("-o"), out}, env());
    QFile::remove(BoardHistory::rootDir());
    QCOMPARE(r.code, 0);
    QCOMPARE(r.err.count("could not be kept in its history"), 1);
    QVERIFY(QFileInfo::exists(out));
}

QTEST_GUILESS_MAIN(TestCliBoard)
#include "test_cli_board.moc"
