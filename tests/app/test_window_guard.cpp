// The real window against the simulator: nothing moves under the pointer, whole overwrites ask
// first, service commands do only what the board can and mark it unstored, a failed read holds
// the page, offline edits are not dropped unasked.
#include "app/compareview.h"
#include "app/findbar.h"
#include "app/qtprompt.h"
#include "app/sysdialog.h"
#include "app/systemflags.h"
#include "simwindow.h"
#include "testlanguage.h"
#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>

namespace {

// The tool row's buttons and the jitter's '+' button, where the window shows them.
QList<QPoint> positions(const SimWindow &w)
{
    QList<QPoint> at;
    for (const char *name : {"butLoad", "butSave", "butSetup", "butCompare", "butReread", "butDevSave"})
        at << w.button(name)->mapTo(w.dialog.get(), QPoint());
    return at << w.stepButton(ButtonJitter, "+")->mapTo(w.dialog.get(), QPoint());
}

// Lets the layouts and the queued scrolling settle.
void settle()
{
    for (int i = 0; i < 8; ++i)
        QCoreApplication::processEvents();
}

// The window on the started simulator, connected over the UDP bridge path, its button section open.
bool connectedTo(SimProcess &sim, std::unique_ptr<SimWindow> &w, bool everyModel = false)
{
    if (!sim.start() || !(w = std::make_unique<SimWindow>(sim, everyModel))->connectUdp())
        return false;
    if (QPushButton *section = w->pageButton(QStringLiteral("Buttons and Relays")))
        section->click();
    settle();
    return true;
}

int jitter(const SimWindow &w) { return w.editor(ButtonJitter)->findChild<QSpinBox *>()->value(); }

} // namespace

class TestWindowGuard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setTestLanguage(QStringLiteral("en")); }
    void init() { scanEnabled = true; DeviceCfg::setCurrent(nullptr); }

    void nothingMovesUnderThePointer_data()
    {
        QTest::addColumn<int>("event");
        QTest::newRow("first change") << 0;
        QTest::newRow("store") << 1;
        QTest::newRow("write failure") << 2;
    }
    void nothingMovesUnderThePointer()
    {
        QFETCH(int, event);
        SimProcess sim({QStringLiteral("--board"), QStringLiteral("2.0")});
        std::unique_ptr<SimWindow> w;
        QVERIFY(connectedTo(sim, w));
        QPushButton *plus = w->stepButton(ButtonJitter, "+");
        if (event == 1) {
            plus->click();
            w->prompt.answers.enqueue(true);
            settle();
        }
        const QList<QPoint> before = positions(*w);
        if (event == 2)
            sim.stop();
        event == 1 ? QTest::mouseClick(w->button("butDevSave"), Qt::LeftButton) : plus->click();
        QCOMPARE(w->dialog->hasUnstoredChanges(), event == 0);
        QCOMPARE(w->prompt.messages.isEmpty(), event != 2);
        settle();
        QCOMPARE(positions(*w), before);
    }

    void wholeOverwritesAskWithTheirCount_data()
    {
        QTest::addColumn<bool>("applyAll");
        QTest::newRow("Load onto the board") << false;
        QTest::newRow("Apply all") << true;
    }
    void wholeOverwritesAskWithTheirCount()
    {
        QFETCH(bool, applyAll);
        SimProcess sim({QStringLiteral("--board"), QStringLiteral("2.0")});
        std::unique_ptr<SimWindow> w;
        QVERIFY(connectedTo(sim, w));
        const QTemporaryDir dir;
        const QString dump = dir.filePath(QStringLiteral("before.bin"));
        w->prompt.files.enqueue(dump);
        QTest::mouseClick(w->button("butSave"), Qt::LeftButton);
        const int saved = jitter(*w); // two values of the board differ from the file
        w->stepButton(ButtonJitter, "+")->click();
        w->editor(7166)->findChildren<QAbstractButton *>().at(2)->click();
        QTRY_COMPARE(boardWord(sim, ButtonJitter), saved + 1);
        QPushButton *go = w->button("butLoad");
        if (applyAll) {
            w->dialog->compare();
            auto *view = w->dialog->findChild<CompareView *>();
            QVERIFY(view && view->compareWith(dump));
            go = view->findChild<QPushButton *>(QStringLiteral("butApplyAll"));
        }
        const int writes = writesOf(sim).size();
        for (int answer : {-1, 0}) { // unanswered (cancelled), then the action
            w->prompt.files.enqueue(dump);
            w->prompt.choices.enqueue(answer);
            QTest::mouseClick(go, Qt::LeftButton);
            const QString asked = w->prompt.asked.last();
            QVERIFY2(asked.contains(QStringLiteral("that change: 2.")) && asked.endsWith(QStringLiteral("|Cancel")), qPrintable(asked));
            if (answer < 0)
                QCOMPARE(writesOf(sim).size(), writes);
        }
        QTRY_COMPARE(boardWord(sim, ButtonJitter), saved);
        QCOMPARE(jitter(*w), saved);
    }

    void overwriteQuestionDefaultsToCancel()
    {
        QTimer poll; // the program's own box: Enter takes its default
        connect(&poll, &QTimer::timeout, this, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                QTest::keyClick(box, Qt::Key_Return);
        });
        poll.start(20);
        QVERIFY(!QtPrompt(nullptr).confirm(QStringLiteral("Load"), QStringLiteral("Overwrite?"), QStringLiteral("Load")));
    }

    void serviceCommandsOnlyWhatTheBoardCanDo_data()
    {
        QTest::addColumn<QString>("board"); // empty: no board, an offline page
        QTest::addColumn<QStringList>("disabled");
        QTest::addColumn<int>("flag"); // 0: not opened, 1: closed unchanged, 2: changed
        QTest::newRow("offline") << QString() << QStringList{"clearNvmButton", "serialButton", "relayButton", "flagsButton"} << 0;
        QTest::newRow("Tokmat") << "tokmat" << QStringList{"relayButton", "flagsButton"} << 0;
        QTest::newRow("3.0 flags closed unchanged") << "3.0" << QStringList() << 1;
        QTest::newRow("3.0 flag changed") << "3.0" << QStringList() << 2;
    }
    void serviceCommandsOnlyWhatTheBoardCanDo()
    {
        QFETCH(QString, board);
        QFETCH(QStringList, disabled);
        QFETCH(int, flag);
        SimProcess sim({QStringLiteral("--board"), board.isEmpty() ? QStringLiteral("2.0") : board});
        std::unique_ptr<SimWindow> w;
        if (board.isEmpty())
            (w = std::make_unique<SimWindow>(sim, true))->openPageOffline();
        else
            QVERIFY(connectedTo(sim, w, true));
        w->prompt.texts.enqueue(QStringLiteral("586"));
        w->dialog->sysMenu();
        auto *menu = w->dialog->findChild<SysDialog *>();
        QVERIFY(menu);
        for (const char *name : {"clearNvmButton", "serialButton", "relayButton", "flagsButton"}) {
            QPushButton *b = menu->findChild<QPushButton *>(name);
            QCOMPARE(b->isEnabled(), !disabled.contains(QLatin1String(name)));
            QVERIFY(!b->toolTip().isEmpty());
        }
        if (board == QLatin1String("tokmat"))
            QCOMPARE(menu->findChild<QPushButton *>("relayButton")->toolTip(), QStringLiteral("This board has no relay test."));
        if (!flag)
            return;
        const int writes = writesOf(sim).size();
        QTest::mouseClick(menu->findChild<QPushButton *>("flagsButton"), Qt::LeftButton);
        auto *flags = menu->findChild<SystemFlags *>();
        QVERIFY(flags);
        if (flag == 2)
            QTest::mouseClick(flags->findChild<QCheckBox *>(), Qt::LeftButton);
        QTest::mouseClick(flags->findChild<QPushButton *>("closeButton"), Qt::LeftButton);
        QCOMPARE(writesOf(sim).size(), writes + (flag == 2 ? 1 : 0));
        QCOMPARE(w->dialog->hasUnstoredChanges(), flag == 2);
        QCOMPARE(w->button("butDevSave")->property("unstored").toBool(), flag == 2);
    }

    void failedReadHoldsThePage_data()
    {
        QTest::addColumn<bool>("gone");
        QTest::newRow("board still connected") << false;
        QTest::newRow("board gone during the read") << true;
    }
    void failedReadHoldsThePage()
    {
        QFETCH(bool, gone); // else one read fails, the board answers again
        SimProcess sim(QStringList{"--board", "2.0", "--drop-every", "1", "--fault-skip", "30", "--fault-count",
                                   QString::number(gone ? 1000 : DevIo::MaxAttempts)});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.usb->setDiscoveryTarget(QHostAddress(QHostAddress::LocalHost));
        w.usb->scan();
        QTRY_VERIFY_WITH_TIMEOUT(!w.prompt.messages.isEmpty(), 30000);
        QCOMPARE(w.prompt.messages.size(), 1);
        QCOMPARE(w.prompt.messages.last().text.contains(QStringLiteral("Read again")), !gone);
        QCOMPARE(w.status().contains(QStringLiteral("no complete configuration")), gone);
        QCOMPARE(w.dialog->isConnected(), !gone);
        QVERIFY(w.dialog->pageHeld() && !w.dialog->pageContainer()->isEnabled() && !w.button("butSave")->isEnabled());
        QCOMPARE(w.button("butReread")->isVisible(), !gone);
        if (gone)
            return;
        QTest::mouseClick(w.button("butReread"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!w.dialog->pageHeld() && w.button("butSave")->isEnabled(), 20000);
        QCOMPARE(w.prompt.messages.size(), 1);
    }

    void offlineCloseAsks_data()
    {
        QTest::addColumn<int>("answer"); // Save, Discard, Cancel
        QTest::newRow("Save") << 0;
        QTest::newRow("Discard") << 1;
        QTest::newRow("Cancel") << 2;
    }
    void offlineCloseAsks()
    {
        QFETCH(int, answer);
        SimProcess sim;
        SimWindow w(sim);
        w.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        w.openPageOffline();
        QCOMPARE(w.status(), QStringLiteral("Marvek ccTalk, offline\nNo file: the built-in defaults"));
        const int was = jitter(w);
        w.stepButton(ButtonJitter, "+")->click();
        // The keys of the window's undo and redo reach it from the find field too.
        QTest::keyClick(w.dialog.get(), Qt::Key_F, Qt::ControlModifier);
        QTest::keyClick(w.dialog->findBar()->field(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(jitter(w), was);
        QTest::keyClick(w.dialog->findBar()->field(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(jitter(w), was + 1);
        QVERIFY(w.status().startsWith(QStringLiteral("Marvek ccTalk, offline, changes not saved to a file")));
        QCOMPARE(w.dialog->windowTitle(), QStringLiteral("*Marvek ccTalk, offline \u2014 Vandor"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("edited.bin"));
        w.prompt.files.enqueue(path);
        w.prompt.choices.enqueue(answer);
        w.dialog->close();
        QCOMPARE(w.dialog->isVisible(), answer == 2);
        QCOMPARE(QFile::exists(path), answer == 0);
    }
};

QTEST_MAIN(TestWindowGuard)
#include "test_window_guard.moc"
