// vandor-cli against the board simulator on loopback: backups byte for byte, write and read
// back, store, refusal of damaged dumps before anything is sent, unreachable hosts.
#include "clirun.h"
#include "simprocess.h"
#include "devices/fixedimage.h"
#include "devices/fixedlayout.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const FixedLayout layout20 = {"Marvek ccTalk", 0, 0, 0, 8180, 0x7FFF, false, 0, 6540, false, -1, "", ""};

QProcessEnvironment env()
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("VANDOR_NET_ANSWER_PORT"), QStringLiteral("0"));
    e.insert(QStringLiteral("VANDOR_UDP_LOCAL_PORT"), QStringLiteral("0"));
    return e;
}

QString tcpTarget(const SimProcess &sim) { return QStringLiteral("127.0.0.1:%1").arg(sim.netPort()); }

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
    void readGivesTheBoardsImage_data();
    void readGivesTheBoardsImage();
    void writeThenReadRoundTrips_data();
    void writeThenReadRoundTrips();
    void damagedDumpIsRefusedBeforeAnythingIsSent();
    void unreachableHostFailsWithinTheTimeout();
    void info();

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
    const QStringList link = udp ? QStringList{QStringLiteral("--udp"), QStringLiteral("127.0.0.1:%1").arg(sim.udpPort())}
                                 : QStringList{QStringLiteral("--tcp"), tcpTarget(sim)};
    const CliResult r = runCli(QStringList{QStringLiteral("read")} + link + QStringList{QStringLiteral("-o"), out}, env());
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(sim.save());
    QCOMPARE(f.readAll(), sim.image());
    QCOMPARE(sim.image(), patternImage());
}

void TestCliBoard::writeThenReadRoundTrips_data()
{
    QTest::addColumn<bool>("store");
    QTest::newRow("working image only") << false;
    QTest::newRow("stored") << true;
}

void TestCliBoard::writeThenReadRoundTrips()
{
    QFETCH(bool, store);
    SimProcess sim({QStringLiteral("--default-image")});
    QVERIFY(sim.start());
    const QString in = dir.filePath(QStringLiteral("push.bin"));
    QVERIFY(writeFile(in, patternImage()));
    QStringList args{QStringLiteral("write"), QStringLiteral("--tcp"), tcpTarget(sim), in};
    if (store)
        args << QStringLiteral("--store");
    const CliResult w = runCli(args, env());
    QCOMPARE(w.code, 0);
    QVERIFY2(w.err.isEmpty(), w.err.constData());

    const QString back = dir.filePath(QStringLiteral("back.bin"));
    const CliResult r = runCli({QStringLiteral("read"), QStringLiteral("--tcp"), tcpTarget(sim), QStringLiteral("-o"), back}, env());
    QCOMPARE(r.code, 0);
    QFile f(back);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), patternImage());

    // saveCfg goes on the wire exactly when --store was given (stream command 06).
    int saves = 0;
    for (const QString &line : sim.transcript()) {
        if (line == QLatin1String("tcp req 06 00"))
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

void TestCliBoard::unreachableHostFailsWithinTheTimeout()
{
    // A port nothing listens on: no discovery answer comes.
    const CliResult r = runCli({QStringLiteral("info"), QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:9"),
                                QStringLiteral("--timeout"), QStringLiteral("1000")},
                               env(), 15000);
    QCOMPARE(r.code, 1);
    const QStringList lines = QString::fromUtf8(r.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines, QStringList{QStringLiteral("vandor-cli: no network bridge answered at 127.0.0.1:9 within 1000 ms")});
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

QTEST_GUILESS_MAIN(TestCliBoard)
#include "test_cli_board.moc"
