// The machines of one site in the real window, against two simulated boards of one identity on
// 127.0.0.2 and 127.0.0.3: asked about only when the board cannot tell its machine, snapshots
// that never mix, folders of the earlier layout listed, another machine's snapshot put back
// only after asking, a history readable by the user alone, and the cap on new identities.
#include "app/compareview.h"
#include "app/machines.h"
#include "devices/fixedimage.h"
#include "simwindow.h"
#include "testlanguage.h"
#include <QComboBox>
#include <QDirIterator>
#include <QSpinBox>
#include <QTreeWidget>
#include <sys/stat.h>

namespace {

// A 2.0 board image whose button jitter is jitter, in dir.
QString imageWith(const QTemporaryDir &dir, int jitter)
{
    QByteArray image(8192, char(0xFF));
    image[ButtonJitter] = char(jitter);
    image[ButtonJitter + 1] = 0;
    const QString path = dir.filePath(QStringLiteral("image%1.bin").arg(jitter));
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(image) == image.size() ? path : QString();
}

// Board A (jitter 99) and board B (jitter 77): one identity, two machines.
struct Site
{
    QTemporaryDir dir;
    SimProcess a{{"--bind", "127.0.0.2", "--image", imageWith(dir, 99)}};
    SimProcess b{{"--bind", "127.0.0.3", "--image", imageWith(dir, 77)}};
    bool start() { return a.start() && b.start(); }
};

// The window connected to the board at address over the UDP bridge path, its read ended.
bool connectAt(SimWindow &w, const char *address)
{
    w.openPageOffline();
    w.usb->setDiscoveryTarget(QHostAddress(QString::fromLatin1(address)));
    w.usb->scan();
    return QTest::qWaitFor([&w] { return w.dialog->isConnected() && !w.dialog->pageHeld(); }, 20000);
}

// Per machine, in folder order, the boards its snapshots are of: "A", "AB".
QStringList kept()
{
    QStringList out;
    for (const Machine &m : Machines().all()) {
        QString boards;
        for (const Snapshot &s : Machines().snapshots(m)) {
            QFile f(s.dumpPath);
            boards += f.open(QIODevice::ReadOnly) && quint8(f.readAll().at(ButtonJitter)) == 99 ? 'A' : 'B';
        }
        out << boards;
    }
    return out;
}

// A snapshot as the earlier layout kept it, of a board whose jitter is jitter.
void plantEarlier(const QString &folder, int jitter, const FixedLayout &layout)
{
    QByteArray image(8192, char(0xFF));
    image[ButtonJitter] = char(jitter);
    image[ButtonJitter + 1] = 0;
    FixedImage::seal(reinterpret_cast<quint8 *>(image.data()), layout);
    const QString at = BoardHistory::rootDir() + QLatin1Char('/') + folder + QStringLiteral("/20200101-000000-000");
    QDir().mkpath(QFileInfo(at).path());
    QFile bin(at + QStringLiteral(".bin")), side(at + QStringLiteral(".json"));
    if (bin.open(QIODevice::WriteOnly) && side.open(QIODevice::WriteOnly)) {
        bin.write(image);
        side.write(R"({"model":"Marvek ccTalk","time":"2020-01-01T00:00:00.000Z"})");
    }
}

int mode(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

} // namespace

class TestMachinesSim : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setTestLanguage(QStringLiteral("en")); }
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
        QDir(BoardHistory::rootDir()).removeRecursively();
    }

    void machineAskedOnlyWhenUnsure_data()
    {
        QTest::addColumn<QString>("boards");  // connected in turn, each in a window of its own
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QStringList>("machines");
        QTest::newRow("one board") << "A" << QList<int>() << 0 << QStringList{"A"};
        QTest::newRow("the same board again") << "AA" << QList<int>() << 0 << QStringList{"A"};
        QTest::newRow("a second board, closed: a new machine") << "AB" << QList<int>() << 1 << QStringList{"A", "B"};
        QTest::newRow("each board again") << "ABAB" << QList<int>() << 1 << QStringList{"A", "B"};
        QTest::newRow("a second board said to be the first") << "AB" << QList<int>{0} << 1 << QStringList{"AB"};
    }
    // The question comes once, at connection, only for a board that matches no single machine.
    void machineAskedOnlyWhenUnsure()
    {
        QFETCH(QString, boards);
        QFETCH(QList<int>, choices);
        Site site;
        QVERIFY(site.start());
        QStringList asked;
        for (const QChar board : boards) {
            SimWindow w(board == 'A' ? site.a : site.b);
            for (int c : choices)
                w.prompt.choices.enqueue(c);
            QVERIFY(connectAt(w, board == 'A' ? "127.0.0.2" : "127.0.0.3"));
            choices = w.prompt.choices;
            asked += w.prompt.asked;
        }
        QTEST(int(asked.size()), "questions");
        if (!asked.isEmpty()) {
            QVERIFY2(asked.first().startsWith(QStringLiteral("Machine|Which machine is this board (Marvek ccTalk, "
                                                             "UDP bridge path, 127.0.0.3)?")),
                     qPrintable(asked.first()));
            QVERIFY2(asked.first().contains(QStringLiteral("|Marvek ccTalk 1: last snapshot ")), qPrintable(asked.first()));
            QVERIFY2(asked.first().endsWith(QStringLiteral(", values differing: 1|A new machine")), qPrintable(asked.first()));
        }
        QTEST(kept(), "machines");
    }

    void anotherMachinesSnapshotAsksFirst_data()
    {
        QTest::addColumn<QString>("machine"); // whose snapshot is put back
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("jitter");      // on the board afterwards
        QTest::newRow("its own") << "Marvek ccTalk 1" << false << 0 << 99;
        QTest::newRow("a network machine's, declined") << "Old_bridge" << false << 1 << 50;
        QTest::newRow("earlier boards', accepted") << "Earlier boards 0242-0100-9202" << true << 1 << 55;
    }
    // Folders of the earlier layout are listed with the board's own machine; a snapshot of
    // another machine is sent only after a Yes.
    void anotherMachinesSnapshotAsksFirst()
    {
        QFETCH(QString, machine);
        QFETCH(bool, yes);
        Site site;
        QVERIFY(site.start());
        SimWindow w(site.a);
        QVERIFY(connectAt(w, "127.0.0.2"));
        plantEarlier(QStringLiteral("0242-0100-9202"), 55, w.model->layout());
        plantEarlier(QStringLiteral("0242-0100-9202_Old_bridge"), 44, w.model->layout());
        w.editor(ButtonJitter)->findChild<QSpinBox *>()->setValue(50);
        QTest::mouseClick(w.button("butCompare"), Qt::LeftButton);
        auto *view = w.dialog->findChild<CompareView *>();
        QVERIFY(view);
        auto *source = view->findChild<QComboBox *>(QStringLiteral("compareSource"));
        QCOMPARE(source->itemText(1).section(QLatin1Char('('), 1), QStringLiteral("Marvek ccTalk 1)"));
        const int at = source->findText(QStringLiteral("(%1)").arg(machine), Qt::MatchEndsWith);
        QVERIFY(at > 0);
        source->setCurrentIndex(at);
        Q_EMIT source->activated(at);
        QTreeWidgetItem *row = view->rows()->findItems(QStringLiteral("Button jitter [ms]"), Qt::MatchEndsWith).value(0);
        QVERIFY(row);
        row->setCheckState(0, Qt::Checked);
        w.prompt.asked.clear();
        w.prompt.answers.enqueue(yes);
        QTest::mouseClick(view->findChild<QPushButton *>(QStringLiteral("butApplyChecked")), Qt::LeftButton);
        QTEST(int(w.prompt.asked.filter(QRegularExpression(QStringLiteral("^Apply\\|This snapshot is of the machine "))).size()),
              "questions");
        QTEST(boardWord(site.a, ButtonJitter), "jitter");
    }

    void historyIsPrivate_data()
    {
        QTest::addColumn<bool>("reused");
        QTest::newRow("new folders") << false;
        QTest::newRow("folders an earlier version left open") << true;
    }
    void historyIsPrivate()
    {
        QFETCH(bool, reused);
        Site site;
        QVERIFY(site.start());
        for (int round = 0; round < (reused ? 2 : 1); ++round) {
            if (round) {
                // As an earlier version left them.
                QDirIterator it(BoardHistory::rootDir(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
                while (it.hasNext())
                    ::chmod(QFile::encodeName(it.next()).constData(), it.fileInfo().isDir() ? 0755 : 0644);
                ::chmod(QFile::encodeName(BoardHistory::rootDir()).constData(), 0755);
            }
            SimWindow w(site.a);
            QVERIFY(connectAt(w, "127.0.0.2"));
        }
        QCOMPARE(mode(BoardHistory::rootDir()), 0700);
        int files = 0;
        QDirIterator it(BoardHistory::rootDir(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files += it.fileInfo().isFile();
            QCOMPARE(mode(path), it.fileInfo().isDir() ? 0700 : 0600);
        }
        QCOMPARE(files, 3); // the machine, the dump and its side file
    }

    // A run makes folders for a bounded number of identities never seen before; a known
    // identity still gets its new machines.
    void newIdentitiesAreCapped()
    {
        Site site;
        QVERIFY(site.start());
        SimWindow w(site.a);
        QVERIFY(connectAt(w, "127.0.0.2"));
        BoardOrigin origin;
        QString error;
        int made = 0;
        for (int i = 0; i <= Machines::NewIdentitiesPerRun && error.isEmpty(); ++i) {
            origin.words[0] = quint16(0x7000 + i);
            made += BoardHistory(origin, Machines().make(origin), BoardHistory::rootDir()).take(w.model, &error)
                    == BoardHistory::Status::Stored;
        }
        QVERIFY2(error.contains(QStringLiteral("as many as it may")), qPrintable(error));
        QVERIFY(made < Machines::NewIdentitiesPerRun);
        origin.words[0] = 0x7000;
        QCOMPARE(BoardHistory(origin, Machines().make(origin, QStringLiteral("Second")), BoardHistory::rootDir())
                     .take(w.model, &error),
                 BoardHistory::Status::Stored);
    }
};

QTEST_MAIN(TestMachinesSim)
#include "test_machines_sim.moc"
