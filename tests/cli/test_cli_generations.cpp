// vandor-cli with the 1.1, 3.0, Robo and Tokmat boards the simulator plays: recognised, read,
// written and stored, hex-dumped and diffed by model, a dump of another layout refused; a dump
// of another generation refused with exit 2 naming it, and written with --force; a board no
// model accepts is named with its words.
#include "clirun.h"
#include "simprocess.h"
#include "devices/devmarvek1_1.h"
#include "devices/devmarvek3_0.h"
#include "devices/devmarvekrobo1_0.h"
#include "devices/devtokmat1_0.h"
#include "devices/factoryimage.h"
#include "devices/fixedgenerations.h"
#include <QBuffer>
#include "devices/fixedimage.h"
#include <QFile>
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

QStringList linkTo(const SimProcess &sim, bool udp)
{
    return udp ? QStringList{QStringLiteral("--udp"), QStringLiteral("127.0.0.1:%1").arg(sim.udpPort())}
               : QStringList{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(sim.netPort())};
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestCliGenerations : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
private Q_SLOTS:
    void everyCommand_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<QString>("model");
        QTest::addColumn<uint>("address");
        QTest::addColumn<QString>("label");
        // A slider whose factory value is its default.
        QTest::newRow("1.1") << "1.1" << "Marvek" << 0u << "0 [Coin validator] Coin pulse jitter [ms]: 10 -> 55";
        QTest::newRow("3.0") << "3.0" << "Marvek Totalizer" << 7176u
                             << "7176 [Buttons and Programs] Button jitter [ms]: 30 -> 55";
        QTest::newRow("robo") << "robo" << "Marvek - Robo" << 7046u
                              << "7046 [Programs, Buttons and Relays] Button jitter [ms]: 30 -> 55";
        QTest::newRow("tokmat") << "tokmat" << "Tokmat" << 80u << "80 [Buttons] Button jitter [ms]: 30 -> 55";
    }
    void everyCommand()
    {
        QFETCH(QString, board);
        QFETCH(QString, model);
        QFETCH(uint, address);
        QFETCH(QString, label);
        SimProcess sim({QStringLiteral("--board"), board});
        QVERIFY(sim.start());
        QVERIFY(sim.save());
        const QByteArray factory = sim.image();

        const CliResult info = runCli(QStringList{QStringLiteral("info")} + linkTo(sim, false), env());
        QCOMPARE(info.code, 0);
        QVERIFY2(info.out.contains(QStringLiteral("model \"%1\"").arg(model).toUtf8()), info.out.constData());

        const QString a = dir.filePath(board + QStringLiteral("a.bin"));
        const CliResult read = runCli(QStringList{QStringLiteral("read")} + linkTo(sim, true) + QStringList{QStringLiteral("-o"), a}, env());
        QCOMPARE(read.code, 0);
        QCOMPARE(readFile(a), factory);

        // One value changed, sealed with the model's own layout, written and stored.
        QByteArray changed = factory;
        auto *img = reinterpret_cast<quint8 *>(changed.data());
        FixedImage::setWord16(img, int(address), 55);
        DevMarvek1_1 m11;
        DevMarvek3_0 m30;
        DevMarvekRobo1_0 robo;
        DevTokmat1_0 tokmat;
        FixedLayoutModel &own = board == QLatin1String("1.1")    ? static_cast<FixedLayoutModel &>(m11)
                                : board == QLatin1String("robo")   ? static_cast<FixedLayoutModel &>(robo)
                                : board == QLatin1String("tokmat") ? static_cast<FixedLayoutModel &>(tokmat)
                                                                   : m30;
        FixedImage::seal(img, own.layout());
        const QString b = dir.filePath(board + QStringLiteral("b.bin"));
        QVERIFY(writeFile(b, changed));
        const CliResult write = runCli(QStringList{QStringLiteral("write")} + linkTo(sim, false)
                                           + QStringList{b, QStringLiteral("--store")}, env());
        QCOMPARE(write.code, 0);
        QVERIFY(sim.save());
        QCOMPARE(sim.image().left(8184), changed.left(8184));

        const CliResult hex = runCli({QStringLiteral("hexdump"), b, QStringLiteral("--model"), model});
        QCOMPARE(hex.code, 0);
        QCOMPARE(hex.outLines().size() >= 256, true);
        const CliResult diff = runCli({QStringLiteral("diff"), a, b, QStringLiteral("--model"), model});
        QCOMPARE(diff.code, 1);
        QCOMPARE(diff.outLines(), QStringList{label});

        // A dump of another layout is refused and the board keeps its configuration.
        FixedLayoutModel &other = &own == &tokmat ? static_cast<FixedLayoutModel &>(robo) : tokmat;
        QBuffer foreign;
        QVERIFY(foreign.open(QIODevice::WriteOnly) && other.save(&foreign));
        const QString c = dir.filePath(board + QStringLiteral("c.bin"));
        QVERIFY(writeFile(c, foreign.data()));
        const CliResult refused = runCli(QStringList{QStringLiteral("write")} + linkTo(sim, true)
                                             + QStringList{c, QStringLiteral("--store")}, env());
        QVERIFY(refused.code != 0);
        QVERIFY(sim.save());
        QCOMPARE(sim.image().left(8184), changed.left(8184));
    }

    void foreignDumpNeedsForce_data()
    {
        QTest::addColumn<int>("board");
        QTest::addColumn<int>("file");
        QTest::addColumn<QString>("words");
        QTest::newRow("3.0 onto 2.0") << 1 << 2 << "Marvek Totalizer, not of Marvek ccTalk";
        QTest::newRow("1.1 onto 3.0") << 2 << 0 << "Marvek, not of Marvek Totalizer";
        QTest::newRow("robo onto 1.1") << 0 << 4 << "Marvek - Robo, not of Marvek";
    }
    void foreignDumpNeedsForce()
    {
        QFETCH(int, board);
        QFETCH(int, file);
        QFETCH(QString, words);
        const FixedGeneration &g = FixedGenerations::all().at(file);
        SimProcess sim({QStringLiteral("--board"), QString::fromLatin1(FixedGenerations::all().at(board).board)});
        QVERIFY(sim.start());
        QVERIFY(sim.save());
        const QByteArray before = sim.image();
        const QByteArray foreign = FactoryImage::make(*g.layout, g.word0, g.word1, g.word2).image;
        const QString path = dir.filePath(QStringLiteral("foreign.bin"));
        QVERIFY(writeFile(path, foreign));
        const QStringList write = QStringList{QStringLiteral("write")} + linkTo(sim, false) + QStringList{path};
        const CliResult refused = runCli(write + QStringList{QStringLiteral("--store")}, env());
        QCOMPARE(refused.code, 2);
        QVERIFY2(refused.err.contains(QStringLiteral("This file looks like a configuration of %1: ").arg(words).toUtf8()),
                 refused.err.constData());
        QVERIFY(sim.save());
        QCOMPARE(sim.image(), before);
        const CliResult forced = runCli(write + QStringList{QStringLiteral("--force")}, env());
        QCOMPARE(forced.code, 0);
        QVERIFY(sim.save());
        // The layout word keeps the board's own FM flag.
        QCOMPARE(sim.image().left(8180), foreign.left(8180));
    }

    void boardNoModelAccepts_data()
    {
        QTest::addColumn<bool>("udp");
        QTest::newRow("tcp") << false;
        QTest::newRow("udp bridge path") << true;
    }
    void boardNoModelAccepts()
    {
        QFETCH(bool, udp);
        SimProcess sim({QStringLiteral("--id"), QStringLiteral("0104,0100,0201")});
        QVERIFY(sim.start());
        const CliResult r = runCli(QStringList{QStringLiteral("info")} + linkTo(sim, udp), env());
        QVERIFY(r.code != 0);
        QVERIFY2(r.err.contains("answered with the identity words 0104 0100 0201, but this version of the program has no model"),
                 r.err.constData());
    }
};

QTEST_MAIN(TestCliGenerations)
#include "test_cli_generations.moc"
