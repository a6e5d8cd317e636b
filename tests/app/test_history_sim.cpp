// The board's history as the real window keeps it against the simulator: one snapshot per
// distinct configuration read, one before a dump overwrites the board, a history that cannot
// be written told once while the work goes on, the compare view putting a snapshot back
// whole or value by value, and changes not stored in the board's memory.
#include "app/boardhistory.h"
#include "app/compareview.h"
#include "app/machines.h"
#include "devices/factoryimage.h"
#include "devices/modeldiff.h"
#include "devices/fixedimage.h"
#include <QComboBox>
#include <QMenu>
#include <QTreeWidget>
#include <csignal>
#include "simwindow.h"
#include "testlanguage.h"
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
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

// Every snapshot of the board's identity: there is one board, and so one machine, in these tests.
QList<Snapshot> snapshots(const SimWindow &w)
{
    const quint16 words[3] = {w.usb->word0, w.usb->word1, w.usb->word2};
    QList<Snapshot> out;
    for (const Machine &m : Machines().ofIdentity(words))
        out += Machines().snapshots(m);
    return out;
}

// The compare view opened with the mouse, compared with the board's newest snapshot.
CompareView *compareWithNewest(SimWindow &w)
{
    QPushButton *compare = w.button("butCompare");
    if (!compare || !compare->isEnabled())
        return nullptr;
    QTest::mouseClick(compare, Qt::LeftButton);
    auto *view = w.dialog->findChild<CompareView *>();
    if (!view)
        return nullptr;
    auto *source = view->findChild<QComboBox *>(QStringLiteral("compareSource"));
    if (!source || source->count() < 3)
        return nullptr;
    source->setCurrentIndex(1);
    Q_EMIT source->activated(1);
    return view;
}

QTreeWidgetItem *rowNamed(CompareView *view, const QString &label)
{
    for (int i = 0; i < view->rows()->topLevelItemCount(); ++i)
        if (view->rows()->topLevelItem(i)->text(0).endsWith(label))
            return view->rows()->topLevelItem(i);
    return nullptr;
}

constexpr int RelayDelay = 7158; // "Relay transaction delay [ms]"

int stores(const SimProcess &sim) { return sim.transcript().filter(QRegularExpression(QStringLiteral("^udp req 05 "))).size(); }

bool marked(const SimWindow &w) { return w.button("butDevSave")->property("unstored").toBool(); }

// The editors that carry the mark of a value changed from factory.
QSet<Par *> factoryMarked(const SimWindow &w)
{
    QSet<Par *> out;
    for (QLabel *mark : w.dialog->pageContainer()->findChildren<QLabel *>(QStringLiteral("factoryMark")))
        out.insert(qobject_cast<Par *>(mark->parentWidget()));
    return out;
}

// The editor's context menu, opened by a right click on its title, as the window shows it.
QMenu *contextMenu(Par *editor)
{
    auto *title = editor->findChild<QLabel *>(QStringLiteral("label"));
    const QPoint at = title->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, title->mapToGlobal(at));
    QApplication::sendEvent(title, &event);
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

const QString UnstoredLine = QStringLiteral("Not stored in the board's memory");

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
        w.prompt.choices.enqueue(0); // the overwrite asked first
        QTest::mouseClick(w.button("butLoad"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(boardWord(sim, ButtonJitter), 40, 20000);
        const QList<Snapshot> kept = snapshots(w);
        QCOMPARE(kept.size(), 2);
        QCOMPARE(fileBytes(kept.last().dumpPath), board);
        QVERIFY(w.prompt.messages.isEmpty());
    }

    // "Apply all" puts the snapshot back whole: the board holds it byte for byte, and what it
    // held before is kept first.
    void restoreSnapshotWhole()
    {
        QTemporaryDir dir;
        SimProcess sim({"--image", writeImage(dir)});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.openPageOffline();
        QVERIFY(w.connectUdp());
        const QString kept = snapshots(w).value(0).dumpPath;
        w.editor(ButtonJitter)->findChild<QSpinBox *>()->setValue(50);
        w.editor(RelayDelay)->findChild<QSpinBox *>()->setValue(600);
        CompareView *view = compareWithNewest(w);
        QVERIFY(view);
        QCOMPARE(view->differences(), 2);
        QTreeWidgetItem *jitter = rowNamed(view, QStringLiteral("Button jitter [ms]"));
        QVERIFY(jitter);
        QCOMPARE(jitter->text(1), QStringLiteral("50"));
        QCOMPARE(jitter->text(2), QStringLiteral("99"));

        w.prompt.choices.enqueue(0); // the overwrite asked first
        QTest::mouseClick(view->findChild<QPushButton *>(QStringLiteral("butApplyAll")), Qt::LeftButton);
        QCOMPARE(view->differences(), 0);
        QVERIFY(sim.save());
        QFile file(kept);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(sim.image().left(FixedImage::WriteEnd), file.readAll().left(FixedImage::WriteEnd));
        QCOMPARE(w.editor(ButtonJitter)->findChild<QSpinBox *>()->value(), 99);
        // The changed board was kept before it was overwritten.
        const QList<Snapshot> all = snapshots(w);
        QCOMPARE(all.size(), 2);
        QFile before(all.last().dumpPath);
        QVERIFY(before.open(QIODevice::ReadOnly));
        QCOMPARE(quint8(before.readAll().at(ButtonJitter)), quint8(50));
        QVERIFY(w.prompt.messages.isEmpty());
    }

    // Only the checked rows are sent, each once, and the page shows them.
    void restoreCheckedRows()
    {
        QTemporaryDir dir;
        SimProcess sim({"--image", writeImage(dir)});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.openPageOffline();
        QVERIFY(w.connectUdp());
        w.editor(ButtonJitter)->findChild<QSpinBox *>()->setValue(50);
        w.editor(RelayDelay)->findChild<QSpinBox *>()->setValue(600);
        CompareView *view = compareWithNewest(w);
        QVERIFY(view);
        QCOMPARE(view->differences(), 2);
        rowNamed(view, QStringLiteral("Button jitter [ms]"))->setCheckState(0, Qt::Checked);
        const int writes = writesOf(sim).size();
        QTest::mouseClick(view->findChild<QPushButton *>(QStringLiteral("butApplyChecked")), Qt::LeftButton);
        const QStringList sent = writesOf(sim).mid(writes);
        QCOMPARE(sent.size(), 1);
        QVERIFY2(sent.first().contains(QStringLiteral(" 02 1c ")), qPrintable(sent.first())); // 7170 = 0x1c02
        QCOMPARE(boardWord(sim, ButtonJitter), 99);
        QCOMPARE(boardWord(sim, RelayDelay), 600);
        QCOMPARE(w.editor(ButtonJitter)->findChild<QSpinBox *>()->value(), 99);
        QCOMPARE(view->differences(), 1);
        QVERIFY(w.prompt.messages.isEmpty());
    }

    // A board fresh from its factory image differs from the factory defaults nowhere, on the
    // page or in the compare view. An edit marks exactly its editor and shows as the one row,
    // in a view that is already open; "Reset to default" from the editor's context menu sends
    // the default, and the board holds its factory image again.
    void factoryDefaults()
    {
        SimProcess sim({QStringLiteral("--board"), QStringLiteral("2.0")});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.openPageOffline();
        QVERIFY(w.connectUdp());
        QCoreApplication::processEvents();
        QVERIFY(factoryMarked(w).isEmpty());
        QTest::keyClick(w.dialog.get(), Qt::Key_D, Qt::ControlModifier);
        auto *view = w.dialog->findChild<CompareView *>();
        QVERIFY(view);
        QCOMPARE(view->findChild<QComboBox *>(QStringLiteral("compareSource"))->currentText(),
                 QStringLiteral("Factory defaults"));
        QCOMPARE(view->differences(), 0);

        // Two edits with the keys of the editors' number fields, the view open beside the page.
        QTest::keyClick(w.editor(ButtonJitter)->findChild<QSpinBox *>(), Qt::Key_Down);
        QTest::keyClick(w.editor(RelayDelay)->findChild<QSpinBox *>(), Qt::Key_Up);
        QTRY_COMPARE(view->differences(), 2);
        QTreeWidgetItem *jitter = rowNamed(view, QStringLiteral("Button jitter [ms]"));
        QVERIFY(jitter);
        QCOMPARE(jitter->text(1), QStringLiteral("29"));
        QCOMPARE(jitter->text(2), QStringLiteral("30"));
        QTRY_COMPARE(factoryMarked(w), (QSet<Par *>{w.editor(ButtonJitter), w.editor(RelayDelay)}));
        QVERIFY(w.editor(ButtonJitter)->toolTip().endsWith(QStringLiteral(": 30")));

        QMenu *menu = contextMenu(w.editor(ButtonJitter));
        QVERIFY(menu);
        auto *reset = menu->findChild<QAction *>(QStringLiteral("actResetDefault"));
        QVERIFY(reset && reset->isEnabled());
        const int writes = writesOf(sim).size();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(reset).center());
        QTRY_COMPARE(writesOf(sim).size(), writes + 1);
        QCOMPARE(boardWord(sim, ButtonJitter), 30);
        QCOMPARE(w.editor(ButtonJitter)->findChild<QSpinBox *>()->value(), 30);
        QVERIFY(w.dialog->hasUnstoredChanges());
        QTRY_COMPARE(factoryMarked(w), QSet<Par *>{w.editor(RelayDelay)});
        QCOMPARE(view->differences(), 1);

        // The other one back from the compare view: the board is its factory image again.
        rowNamed(view, QStringLiteral("Relay transaction delay [ms]"))->setCheckState(0, Qt::Checked);
        QTest::mouseClick(view->findChild<QPushButton *>(QStringLiteral("butApplyChecked")), Qt::LeftButton);
        QCOMPARE(view->differences(), 0);
        QTRY_VERIFY(factoryMarked(w).isEmpty());
        QVERIFY(sim.save());
        const FactoryImage::Defaults defaults = FactoryImage::make(w.model->layout(), 0x242, 0x100, 0x9202);
        QCOMPARE(sim.image().left(FixedImage::WriteEnd), defaults.image.left(FixedImage::WriteEnd));
        QVERIFY(w.prompt.messages.isEmpty());
    }

    // A change marks the store button and the status until a store succeeds; a store that
    // fails leaves the mark.
    void unstoredMarker()
    {
        QTemporaryDir dir;
        SimProcess sim({"--image", writeImage(dir)});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.openPageOffline();
        QVERIFY(w.connectUdp());
        QVERIFY(!w.dialog->hasUnstoredChanges() && !marked(w));
        QVERIFY(!w.status().contains(UnstoredLine));

        QTest::mouseClick(w.stepButton(ButtonJitter, "-"), Qt::LeftButton);
        QVERIFY(w.dialog->hasUnstoredChanges() && marked(w));
        QVERIFY(w.status().endsWith(UnstoredLine));

        w.prompt.answers.enqueue(true);
        QTest::mouseClick(w.button("butDevSave"), Qt::LeftButton);
        QCOMPARE(stores(sim), 1);
        QVERIFY(!w.dialog->hasUnstoredChanges() && !marked(w));
        QVERIFY(!w.status().contains(UnstoredLine));

        // The board stops answering for the store.
        QTest::mouseClick(w.stepButton(ButtonJitter, "-"), Qt::LeftButton);
        QVERIFY(w.dialog->hasUnstoredChanges());
        ::kill(pid_t(sim.process().processId()), SIGSTOP);
        w.prompt.answers.enqueue(true);
        QTest::mouseClick(w.button("butDevSave"), Qt::LeftButton);
        ::kill(pid_t(sim.process().processId()), SIGCONT);
        QCOMPARE(w.prompt.messages.size(), 1);
        QCOMPARE(w.prompt.messages[0].title, QStringLiteral("Save"));
        QVERIFY(w.dialog->isConnected());
        QVERIFY(w.dialog->hasUnstoredChanges() && marked(w));
        QVERIFY(w.status().endsWith(UnstoredLine));
    }

    // Closing with unstored changes asks; cancelling keeps the window, closing without storing
    // stores nothing, storing stores and closes.
    void closingAsks()
    {
        QTemporaryDir dir;
        SimProcess sim({"--image", writeImage(dir)});
        QVERIFY(sim.start());
        {
            SimWindow w(sim);
            w.openPageOffline();
            QVERIFY(w.connectUdp());
            QTest::mouseClick(w.stepButton(ButtonJitter, "-"), Qt::LeftButton);
            w.prompt.choices.enqueue(2);
            QVERIFY(!w.dialog->close());
            QVERIFY(w.dialog->isVisible());
            QCOMPARE(w.prompt.asked.size(), 1);
            QVERIFY(w.prompt.asked[0].endsWith(QStringLiteral("|Store|Close without storing|Cancel")));
            QVERIFY(!w.dialog->close()); // closed without an answer: cancelled too
            QVERIFY(w.dialog->isVisible());
            w.prompt.choices.enqueue(1);
            QVERIFY(w.dialog->close());
            QVERIFY(!w.dialog->isVisible());
            QCOMPARE(stores(sim), 0);
        }
        SimWindow w(sim);
        w.openPageOffline();
        QVERIFY(w.connectUdp());
        // The configuration the board was left with is its machine's last snapshot: the
        // machine is known again without a question.
        QVERIFY(w.prompt.asked.isEmpty());
        QVERIFY(w.dialog->close()); // nothing unstored: closed without asking
        QVERIFY(w.prompt.asked.isEmpty());
        w.dialog->show();
        QTest::mouseClick(w.stepButton(ButtonJitter, "-"), Qt::LeftButton);
        w.prompt.choices.enqueue(0);
        QVERIFY(w.dialog->close());
        QCOMPARE(stores(sim), 1);
        QCOMPARE(w.prompt.asked.size(), 1);
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
