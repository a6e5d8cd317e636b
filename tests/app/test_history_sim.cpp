// The board's history as the real window keeps it against the simulator: one snapshot per
// distinct configuration read, one before a dump overwrites the board, and a history that
// cannot be written is told once while the work goes on.
#include "app/boardhistory.h"
#include "simwindow.h"
#include "testlanguage.h"
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSpinBox>

namespace {

// The values of a 2.0 dump or board image: the layout word and check word after them are the
// dump's own.
QByteArray values(const QByteArray &image) { return image.left(8180); }

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? values(f.readAll()) : QByteArray();
}

// Every board's snapshots: there is one board in these tests.
QList<Snapshot> snapshots(const SimWindow &w)
{
    BoardOrigin origin;
    origin.words[0] = w.usb->word0;
    origin.words[1] = w.usb->word1;
    origin.words[2] = w.usb->word2;
    return BoardHistory(origin).list();
}

} // namespace

class TestHistorySim : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setTestLanguage(QStringLiteral("en")); }
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
        const QString root = BoardHistory::rootDir();
        QFile::remove(root);
        QDir(root).removeRecursively();
    }

    // A connect keeps one snapshot with its side file, a second connect to the unchanged board
    // none, and a read after a change a second one equal to the board's image.
    void readsMakeSnapshots()
    {
        QTemporaryDir dir;
        SimProcess sim({"--image", writeImage(dir)});
        QVERIFY(sim.start());
        {
            SimWindow w(sim);
            w.openPageOffline();
            QVERIFY(w.connectUdp());
            const QList<Snapshot> first = snapshots(w);
            QCOMPARE(first.size(), 1);
            const Snapshot &s = first.first();
            QCOMPARE(s.title, w.model->title());
            QCOMPARE(s.link, QStringLiteral("udp"));
            QVERIFY(s.path.startsWith(QStringLiteral("UDP bridge path, 127.0.0.1")));
            QCOMPARE(s.version, BoardHistory::programVersion());
            QVERIFY(qAbs(s.time.secsTo(QDateTime::currentDateTimeUtc())) < 600);
            QVERIFY(sim.save());
            QCOMPARE(fileBytes(s.dumpPath), values(sim.image()));
            QVERIFY(w.prompt.messages.isEmpty());
        }
        SimWindow w(sim);
        w.openPageOffline();
        QVERIFY(w.connectUdp());
        QCOMPARE(snapshots(w).size(), 1);

        QTest::mouseClick(w.stepButton(ButtonJitter, "-"), Qt::LeftButton);
        QCOMPARE(boardWord(sim, ButtonJitter), 98);
        QTest::mouseClick(w.button("butReread"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!w.dialog->pageHeld(), 20000);
        const QList<Snapshot> now = snapshots(w);
        QCOMPARE(now.size(), 2);
        QVERIFY(sim.save());
        QCOMPARE(fileBytes(now.last().dumpPath), values(sim.image()));
        QVERIFY(fileBytes(now.first().dumpPath) != values(sim.image()));
        QVERIFY(w.prompt.messages.isEmpty());
    }

    // Loading a dump onto the connected board keeps what the board held before.
    void loadKeepsTheBoardFirst()
    {
        QTemporaryDir dir;
        SimProcess sim({"--image", writeImage(dir)});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.openPageOffline();
        QVERIFY(w.connectUdp());
        QCOMPARE(snapshots(w).size(), 1);

        // A dump with the jitter at 40, loaded with the mouse.
        w.prompt.files.enqueue(dir.filePath(QStringLiteral("other.bin")));
        w.editor(ButtonJitter)->findChild<QSpinBox *>()->setValue(40);
        QTest::mouseClick(w.button("butSave"), Qt::LeftButton);
        w.editor(ButtonJitter)->findChild<QSpinBox *>()->setValue(97);
        QVERIFY(sim.save());
        const QByteArray board = values(sim.image());
        QCOMPARE(boardWord(sim, ButtonJitter), 97);

        w.prompt.files.enqueue(dir.filePath(QStringLiteral("other.bin")));
        QTest::mouseClick(w.button("butLoad"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(boardWord(sim, ButtonJitter), 40, 20000);
        const QList<Snapshot> kept = snapshots(w);
        QCOMPARE(kept.size(), 2);
        QCOMPARE(fileBytes(kept.last().dumpPath), board);
        QVERIFY(w.prompt.messages.isEmpty());
    }

    // A history folder that cannot be made is told once; the read completes all the same,
    // and reading again says nothing more.
    void unwritableHistoryIsToldOnce()
    {
        QVERIFY(QDir().mkpath(QFileInfo(BoardHistory::rootDir()).absolutePath()));
        QFile blocker(BoardHistory::rootDir());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        QTemporaryDir dir;
        SimProcess sim({"--image", writeImage(dir)});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.openPageOffline();
        QVERIFY(w.connectUdp());
        QCOMPARE(w.editor(ButtonJitter)->findChild<QSpinBox *>()->value(), 99);
        QVERIFY(w.dialog->pageContainer()->isEnabled());
        QCOMPARE(w.prompt.messages.size(), 1);
        QCOMPARE(w.prompt.messages[0].title, QStringLiteral("History"));
        QVERIFY(w.prompt.messages[0].text.startsWith(
            QStringLiteral("The board's configuration could not be kept in its history")));

        QTest::mouseClick(w.stepButton(ButtonJitter, "-"), Qt::LeftButton);
        QTest::mouseClick(w.button("butReread"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!w.dialog->pageHeld(), 20000);
        QCOMPARE(w.editor(ButtonJitter)->findChild<QSpinBox *>()->value(), 98);
        QCOMPARE(w.prompt.messages.size(), 1);
        QFile::remove(BoardHistory::rootDir());
    }
};

QTEST_MAIN(TestHistorySim)
#include "test_history_sim.moc"
