// vandor-cli and the machines of one site: two simulated boards of one identity on 127.0.0.2
// and 127.0.0.3, told apart by their configuration or by --machine and never asked about;
// snapshots named BOARD/ID (or ID with --machine) for every model, the described board's
// included; folders of the earlier layout kept, and closed to other users.
#include "clirun.h"
#include "app/boardhistory.h"
#include "simprocess.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

QProcessEnvironment env()
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("VANDOR_NET_ANSWER_PORT"), QStringLiteral("0"));
    e.insert(QStringLiteral("VANDOR_UDP_LOCAL_PORT"), QStringLiteral("0"));
    return e;
}

QStringList udp(const SimProcess &sim, const char *address)
{
    return {QStringLiteral("--udp"), QStringLiteral("%1:%2").arg(QLatin1String(address)).arg(sim.udpPort())};
}

// A 2.0 board image whose button jitter (7170) is jitter.
QString imageWith(const QTemporaryDir &dir, int jitter)
{
    QByteArray image(8192, char(0xFF));
    image[7170] = char(jitter);
    image[7171] = 0;
    const QString path = dir.filePath(QStringLiteral("image%1.bin").arg(jitter));
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(image) == image.size() ? path : QString();
}

QString firstReference(const CliResult &history) { return history.outLines().value(0).section(QLatin1Char(' '), 0, 0); }

int mode(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

} // namespace

class TestCliMachines : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QDir(BoardHistory::rootDir()).removeRecursively(); }

    // Each step in turn: its exit status, a part of its error output, and the machine every
    // listed snapshot belongs to.
    void twoBoardsOfOneIdentity()
    {
        QTemporaryDir dir;
        SimProcess a({"--bind", "127.0.0.2", "--image", imageWith(dir, 99)});
        SimProcess b({"--bind", "127.0.0.3", "--image", imageWith(dir, 77)});
        QVERIFY(a.start() && b.start());
        const QStringList A = udp(a, "127.0.0.2"), B = udp(b, "127.0.0.3");
        const QStringList out{QStringLiteral("-o"), dir.filePath(QStringLiteral("out.bin"))};
        const QStringList none{QStringLiteral("-o"), dir.filePath(QStringLiteral("none.bin"))};
        const QStringList read{QStringLiteral("read")}, history{QStringLiteral("history")};
        const QString m = QStringLiteral("--machine");
        const struct Step
        {
            QStringList args;
            int code;
            const char *err;
            int lines;
            const char *machine;
        } steps[] = {
            {read + A + out, 0, "", 0, ""},
            {read + B + none, 2, "may be any of the machines \"Marvek ccTalk 1\" (its configuration", 0, ""},
            {history + B, 2, "name it with --machine NAME", 0, ""},
            {read + B + out + QStringList{m, "Bay B"}, 0, "", 0, ""},
            {history + A, 0, "", 1, "Marvek ccTalk 1"},
            {history + B, 0, "", 1, "Bay B"},
            {history + QStringList{m, "bay b"}, 0, "", 1, "Bay B"},
            {history + QStringList{m, "Bay B", "--rename", "Bay 2"}, 0, "", 1, "Bay 2"},
            {history + B + QStringList{m, "Nobody"}, 0, "no snapshots of", 0, ""},
            {history, 2, "name the board with a link", 0, ""},
        };
        for (const Step &s : steps) {
            const CliResult r = runCli(s.args, env());
            const QString what = s.args.join(QLatin1Char(' ')) + QStringLiteral(": ") + QString::fromUtf8(r.err);
            QVERIFY2(r.code == s.code && QString::fromUtf8(r.err).contains(QLatin1String(s.err)), qPrintable(what));
            QCOMPARE(r.outLines().size(), s.lines);
            for (const QString &line : r.outLines())
                QVERIFY2(line.endsWith(QStringLiteral(" machine \"%1\"").arg(QLatin1String(s.machine))), qPrintable(line));
        }
        QVERIFY(!QFileInfo::exists(none.last()));

        // The two machines' snapshots differ in the jitter alone; an ID alone names one of Bay 2's.
        const QString refA = firstReference(runCli(history + A, env()));
        const QString refB = firstReference(runCli(history + B, env()));
        const CliResult d = runCli({QStringLiteral("diff"), refA, refB}, env());
        QCOMPARE(d.code, 1);
        QCOMPARE(d.outLines().size(), 1);
        QCOMPARE(runCli({QStringLiteral("diff"), refB.section(QLatin1Char('/'), 1), refB, m, QStringLiteral("Bay 2")}, env()).code, 0);
    }

    void describedBoardByReference_data()
    {
        QTest::addColumn<QStringList>("model");
        QTest::newRow("--model given") << QStringList{QStringLiteral("--model"), QStringLiteral("Dynamic Device")};
        QTest::newRow("the model the snapshot names") << QStringList();
    }
    void describedBoardByReference()
    {
        QFETCH(QStringList, model);
        QTemporaryDir dir;
        SimProcess sim({"--dyn"});
        QVERIFY(sim.start());
        const QString dump = dir.filePath(QStringLiteral("dyn.bin"));
        QCOMPARE(runCli(QStringList{QStringLiteral("read")} + udp(sim, "127.0.0.1") + QStringList{QStringLiteral("-o"), dump}, env()).code, 0);
        const QString ref = firstReference(runCli(QStringList{QStringLiteral("history")} + udp(sim, "127.0.0.1"), env()));
        QVERIFY2(ref.startsWith(QStringLiteral("0101-0200-0003_")), qPrintable(ref));
        const CliResult r = runCli(QStringList{QStringLiteral("diff"), ref, dump} + model, env());
        QVERIFY2(r.code == 0, r.err.constData());
    }

    // The earlier layout's folders: a network board's is its machine's, taken up and closed to
    // others; the one USB and UDP boards shared is listed by its own name.
    void earlierFoldersKept()
    {
        const QString root = BoardHistory::rootDir();
        for (const QString &folder : {QStringLiteral("0242-0100-9202_Sim_2.0"), QStringLiteral("0242-0100-9202")}) {
            QVERIFY(QDir().mkpath(root + QLatin1Char('/') + folder));
            const QString stem = root + QLatin1Char('/') + folder + QStringLiteral("/20200101-000000-000");
            QFile bin(stem + QStringLiteral(".bin")), side(stem + QStringLiteral(".json"));
            QVERIFY(bin.open(QIODevice::WriteOnly) && side.open(QIODevice::WriteOnly));
            bin.write(QByteArray(8192, char(0xFF)));
            side.write(R"({"model":"Marvek ccTalk","time":"2020-01-01T00:00:00.000Z"})");
            // As an earlier version left them: open to others.
            ::chmod(QFile::encodeName(bin.fileName()).constData(), 0644);
            ::chmod(QFile::encodeName(side.fileName()).constData(), 0644);
            ::chmod(QFile::encodeName(root + QLatin1Char('/') + folder).constData(), 0755);
        }
        QTemporaryDir dir;
        SimProcess sim;
        QVERIFY(sim.start());
        const QStringList tcp{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(sim.netPort())};
        QCOMPARE(runCli(QStringList{QStringLiteral("read")} + tcp + QStringList{QStringLiteral("-o"), dir.filePath(QStringLiteral("b.bin"))}, env()).code, 0);
        const CliResult h = runCli(QStringList{QStringLiteral("history")} + tcp, env());
        QCOMPARE(h.outLines().size(), 2);
        QVERIFY2(h.outLines().at(0).startsWith(QStringLiteral("0242-0100-9202_Sim_2.0/20200101-000000-000 ")), h.out.constData());
        QVERIFY(h.outLines().at(1).endsWith(QStringLiteral(" machine \"Sim 2.0\"")));
        QVERIFY2(h.err.contains("vandor-cli history --machine 0242-0100-9202\n"), h.err.constData());
        const QDir taken(root + QStringLiteral("/0242-0100-9202_Sim_2.0"));
        QCOMPARE(mode(taken.path()), 0700);
        for (const QString &file : taken.entryList(QDir::Files))
            QCOMPARE(mode(taken.filePath(file)), 0600);
        const CliResult earlier = runCli({QStringLiteral("history"), QStringLiteral("--machine"), QStringLiteral("0242-0100-9202")}, env());
        QCOMPARE(earlier.outLines().size(), 1);
        QVERIFY(earlier.outLines().at(0).endsWith(QStringLiteral(" machine \"Earlier boards 0242-0100-9202\"")));
    }
};

QTEST_GUILESS_MAIN(TestCliMachines)
#include "test_cli_machines.moc"
