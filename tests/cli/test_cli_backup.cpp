// vandor-cli on a whole site: several simulated boards on 127.0.0.2, 127.0.0.3 ... backed up in
// one run (a dead one failing alone), chosen values applied to several machines, the history
// exported to a git repository, and a firmware file sent to a bridge.
#include "clirun.h"
#include "app/boardhistory.h"
#include "base/nethosts.h"
#include "simprocess.h"
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

QProcessEnvironment env()
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("VANDOR_NET_ANSWER_PORT"), QStringLiteral("0"));
    e.insert(QStringLiteral("VANDOR_UDP_LOCAL_PORT"), QStringLiteral("0"));
    return e;
}

QString at(const char *address, quint16 port) { return QStringLiteral("%1:%2").arg(QLatin1String(address)).arg(port); }

// A simulated board behind a bridge called name on address; extra: more simulator options.
std::unique_ptr<SimProcess> board(const char *address, const char *name, QStringList extra = {})
{
    auto sim = std::make_unique<SimProcess>(QStringList{QStringLiteral("--bind"), QLatin1String(address),
                                                        QStringLiteral("--controller-name"), QLatin1String(name)}
                                            + extra);
    return sim->start() ? std::move(sim) : nullptr;
}

int commits(const QString &repo)
{
    QProcess git;
    git.start(QStringLiteral("git"), {QStringLiteral("-C"), repo, QStringLiteral("rev-list"), QStringLiteral("--count"), QStringLiteral("HEAD")});
    return git.waitForFinished(30000) && git.exitCode() == 0 ? git.readAllStandardOutput().trimmed().toInt() : -1;
}

} // namespace

class TestCliBackup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QDir(BoardHistory::rootDir()).removeRecursively();
        QFile::remove(NetHosts::settingsPath());
    }

    // Three bridges on one port of three addresses; the third one's controller never answers.
    void backupGoesOnPastADeadBoard_data()
    {
        QTest::addColumn<bool>("all");
        QTest::newRow("boards named") << false;
        QTest::newRow("every board found") << true;
    }
    void backupGoesOnPastADeadBoard()
    {
        QFETCH(bool, all);
        const auto a = board("127.0.0.2", "A");
        QVERIFY(a);
        const QStringList port{QStringLiteral("--net-port"), QString::number(a->netPort())};
        const auto b = board("127.0.0.3", "B", port);
        const auto dead = board("127.0.0.4", "C", port + QStringList{QStringLiteral("--drop-every"), QStringLiteral("1")});
        QVERIFY(b && dead);
        const quint16 p = a->netPort();
        QProcessEnvironment e = env();
        QStringList args{QStringLiteral("backup"), QStringLiteral("--timeout"), QStringLiteral("2000")};
        if (all) {
            QSettings settings(NetHosts::settingsPath(), QSettings::IniFormat);
            for (const char *h : {"127.0.0.3", "127.0.0.4"})
                NetHosts::remember(settings, QString::fromLatin1(NetHosts::NetKey), QHostAddress(QLatin1String(h)));
            e.insert(QStringLiteral("VANDOR_NET_TARGET"), QStringLiteral("127.0.0.2"));
            e.insert(QStringLiteral("VANDOR_NET_PORT"), QString::number(p));
            // Nothing answers on the UDP bridge path.
            e.insert(QStringLiteral("VANDOR_UDP_TARGET"), QStringLiteral("127.0.0.4"));
            e.insert(QStringLiteral("VANDOR_UDP_BOARD_PORT"), QString::number(p));
            args << QStringLiteral("--all") << QStringLiteral("--no-usb");
        } else {
            for (const char *h : {"127.0.0.2", "127.0.0.4", "127.0.0.3"})
                args << QStringLiteral("--tcp") << at(h, p);
        }
        const CliResult r = runCli(args, e);
        QVERIFY2(r.code == 1, r.err.constData());
        const QString text = QString::fromUtf8(r.out);
        QCOMPARE(r.outLines().size(), 3);
        QVERIFY2(text.contains(QStringLiteral("\"A\" \"Marvek ccTalk\" tcp %1 done\n").arg(at("127.0.0.2", p))), r.out.constData());
        QVERIFY2(text.contains(QStringLiteral("\"B\" \"Marvek ccTalk\" tcp %1 done\n").arg(at("127.0.0.3", p))), r.out.constData());
        QVERIFY2(text.contains(QStringLiteral("tcp %1 failed: ").arg(at("127.0.0.4", p))), r.out.constData());
        QCOMPARE(runCli({QStringLiteral("history"), QStringLiteral("--machine"), QStringLiteral("B")}, env()).outLines().size(), 1);
    }

    // Button jitter and program 1's first inverter, to three machines; the third board has no
    // inverters, and a board of another model is refused in its line.
    void applyWritesOnlyTheChosenValues()
    {
        QTemporaryDir dir;
        QByteArray image(8192, char(0xFF));
        image[7170] = 99;
        image[7171] = 0;
        image[6612] = 5;
        const QString imagePath = dir.filePath(QStringLiteral("source.img")), dump = dir.filePath(QStringLiteral("source.bin"));
        QFile f(imagePath);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(image) == image.size());
        f.close();
        const auto source = board("127.0.0.6", "S", {QStringLiteral("--image"), imagePath});
        QVERIFY(source);
        QCOMPARE(runCli({QStringLiteral("read"), QStringLiteral("--tcp"), at("127.0.0.6", source->netPort()), QStringLiteral("-o"), dump}, env()).code, 0);

        const struct Target
        {
            const char *address;
            const char *name;
            QStringList extra;
            const char *row;
            bool inverter;
        } targets[] = {
            {"127.0.0.2", "X", {QStringLiteral("--default-image")}, "done: 2 values written, stored", true},
            {"127.0.0.3", "Y", {QStringLiteral("--default-image")}, "done: 2 values written, stored", true},
            {"127.0.0.4", "Z", {QStringLiteral("--default-image"), QStringLiteral("--id"), QStringLiteral("0242,0100,1202")},
             "done: 1 value written, stored", false},
            {"127.0.0.5", "W", {QStringLiteral("--board"), QStringLiteral("3.0")}, "failed: a board of another model", false},
        };
        std::vector<std::unique_ptr<SimProcess>> sims;
        QStringList args{QStringLiteral("apply"), QStringLiteral("--from"), dump, QStringLiteral("--model"), QStringLiteral("Marvek ccTalk"),
                         QStringLiteral("--only"), QStringLiteral("7170,[Programs / row 1] Inverter 1"), QStringLiteral("--store")};
        for (const Target &t : targets) {
            sims.push_back(board(t.address, t.name, t.extra));
            QVERIFY(sims.back());
            args << QStringLiteral("--tcp") << at(t.address, sims.back()->netPort());
        }
        const CliResult r = runCli(args, env());
        QVERIFY2(r.code == 1, r.err.constData());
        QVERIFY2(r.out.contains(QByteArray("skip 6612 [Programs / row 1] Inverter 1: this board's variant has no such value")), r.out.constData());
        for (size_t i = 0; i < sims.size(); ++i) {
            const Target &t = targets[i];
            const QStringList row = r.outLines().filter(QRegularExpression(QStringLiteral("^\"%1\" \"Marvek").arg(QLatin1String(t.name))));
            QVERIFY2(row.size() == 1 && row.first().contains(QLatin1String(t.row)), r.out.constData());
            QVERIFY(sims[i]->save());
            const bool written = t.row[0] == 'd';
            QCOMPARE(sims[i]->file(QStringLiteral("stored.bin")).mid(7170, 2) == QByteArray("\x63\x00", 2), written);
            QCOMPARE(sims[i]->image().at(6612) == 5, t.inverter);
        }
    }

    // Every snapshot one commit, the values as text beside the dump; a second export adds the
    // new snapshot alone.
    void exportKeepsEverySnapshotOnce()
    {
        QTemporaryDir dir;
        const QString repo = dir.filePath(QStringLiteral("site"));
        const auto a = board("127.0.0.2", "A"), b = board("127.0.0.3", "B"), c = board("127.0.0.4", "C");
        QVERIFY(a && b && c);
        const QStringList exportGit{QStringLiteral("history"), QStringLiteral("--export-git"), repo};
        const struct Step
        {
            QStringList boards;
            int commits;
            const char *said;
        } steps[] = {
            {{QStringLiteral("--tcp"), at("127.0.0.2", a->netPort()), QStringLiteral("--tcp"), at("127.0.0.3", b->netPort())}, 2,
             "2 snapshots exported"},
            {{QStringLiteral("--tcp"), at("127.0.0.4", c->netPort())}, 3, "1 snapshots exported"},
        };
        for (const Step &s : steps) {
            QCOMPARE(runCli(QStringList{QStringLiteral("backup")} + s.boards, env()).code, 0);
            const CliResult r = runCli(exportGit, env());
            QVERIFY2(r.code == 0 && r.out.contains(s.said), r.err.constData());
            QCOMPARE(commits(repo), s.commits);
        }
        const QString ref = runCli({QStringLiteral("history"), QStringLiteral("--machine"), QStringLiteral("C")}, env())
                                .outLines().value(0).section(QLatin1Char(' '), 0, 0);
        const CliResult values = runCli({QStringLiteral("hexdump"), QStringLiteral("--values"), ref}, env());
        QFile text(repo + QLatin1Char('/') + ref.section(QLatin1Char('/'), 0, 0) + QStringLiteral("/values.txt"));
        QVERIFY(values.code == 0 && text.open(QIODevice::ReadOnly));
        QCOMPARE(text.readAll(), values.out);
    }

    void exportRefusesAForeignFolder_data()
    {
        QTest::addColumn<bool>("repository");
        QTest::newRow("a folder with a file") << false;
        QTest::newRow("a repository of its own") << true;
    }
    void exportRefusesAForeignFolder()
    {
        QFETCH(bool, repository);
        QTemporaryDir dir;
        QFile mine(dir.filePath(QStringLiteral("notes.txt")));
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.close();
        if (repository)
            QCOMPARE(QProcess::execute(QStringLiteral("git"), {QStringLiteral("init"), QStringLiteral("-q"), dir.path()}), 0);
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const CliResult r = runCli({QStringLiteral("history"), QStringLiteral("--export-git"), dir.path()}, env());
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains("is not a repository made by vandor-cli"), r.err.constData());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    }

    void firmwareToTheBridge_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("code");
        QTest::newRow("every block taken") << 5000 << "1234" << 0;
        QTest::newRow("wrong password") << 5000 << "9999" << 1;
        QTest::newRow("empty file") << 0 << "1234" << 2;
    }
    void firmwareToTheBridge()
    {
        QFETCH(int, size);
        QFETCH(QString, password);
        QFETCH(int, code);
        QTemporaryDir dir;
        QByteArray firmware(size, '\0');
        for (int i = 0; i < size; ++i)
            firmware[i] = char(i * 7 + i / 251);
        QFile file(dir.filePath(QStringLiteral("bridge.efrm")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(firmware) == size);
        file.close();
        SimProcess sim;
        QVERIFY(sim.start());
        const CliResult r = runCli({QStringLiteral("firmware"), QStringLiteral("--tcp"), at("127.0.0.1", sim.netPort()),
                                    QStringLiteral("--bridge"), QStringLiteral("--password"), password, file.fileName()},
                                   env());
        QVERIFY2(r.code == code, r.err.constData());
        QVERIFY(sim.save());
        QCOMPARE(sim.firmware(), code == 0 ? firmware : QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestCliBackup)
#include "test_cli_backup.moc"
