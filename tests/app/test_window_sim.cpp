// The real main window with its real links against the board simulator, driven with mouse and
// key events: a slow read takes no edits, failed writes and stores are shown, one board at a
// time, Esc and closing, dump names.
#include "simwindow.h"
#include "testlanguage.h"
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>

class TestWindowSim : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setTestLanguage(QStringLiteral("en")); }
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }

    // A slow board: clicks and keys on the page while the read runs reach nothing, and the
    // page takes input again only once it shows the board's values.
    void slowReadTakesNoEdits()
    {
        QTemporaryDir dir;
        SimProcess sim({"--image", writeImage(dir), "--delay-ms", "10"});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.openPageOffline();
        QSpinBox *spin = w.editor(ButtonJitter)->findChild<QSpinBox *>();
        QCOMPARE(spin->value(), 30); // the table's default until the board is read
        QPushButton *plus = w.stepButton(ButtonJitter, "+");
        QVERIFY(plus && plus->isVisible());

        int clicksTried = 0;
        bool heldWhileReading = true;
        QObject::connect(w.dialog->progressBar(), &QProgressBar::valueChanged, spin, [&](int value) {
            heldWhileReading &= w.dialog->pageHeld() && !w.dialog->pageContainer()->isEnabled()
                                && !w.button("butLoad")->isEnabled() && !w.button("butDevSave")->isEnabled();
            if (clicksTried == 0 && value > 2000) {
                QTest::mouseClick(plus, Qt::LeftButton);
                QTest::mouseClick(plus, Qt::LeftButton);
                QTest::keyClicks(spin, QStringLiteral("5"));
                QTest::mouseClick(w.pageButton(QStringLiteral("Programs")), Qt::LeftButton);
                clicksTried = 2;
            }
        });
        QVERIFY(w.connectUdp());
        QCOMPARE(clicksTried, 2);
        QVERIFY(heldWhileReading);
        QVERIFY(writesOf(sim).isEmpty());
        QCOMPARE(spin->value(), 99);
        QCOMPARE(boardWord(sim, ButtonJitter), 99);
        QVERIFY(w.prompt.messages.isEmpty());
        QVERIFY(w.status().startsWith(QStringLiteral("Connected: Marvek ccTalk\nUDP bridge path, 127.0.0.1")));

        // Now the page takes edits, and they reach the board.
        QVERIFY(w.dialog->pageContainer()->isEnabled());
        QTest::mouseClick(w.stepButton(ButtonJitter, "-"), Qt::LeftButton);
        QCOMPARE(spin->value(), 98);
        QCOMPARE(writesOf(sim).size(), 1);
        QCOMPARE(boardWord(sim, ButtonJitter), 98);

        // Read again: held for the read, the same values after it, nothing written.
        QTest::mouseClick(w.button("butReread"), Qt::LeftButton);
        QVERIFY(!w.dialog->pageHeld());
        QCOMPARE(spin->value(), 98);
        QCOMPARE(writesOf(sim).size(), 1);
    }

    // The board goes away: a live change shows at once in the editor and the status with one
    // message however often it is tried, and a store that fails is reported.
    void boardGoneShowsFailures()
    {
        QTemporaryDir dir;
        SimProcess sim({"--image", writeImage(dir)});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.openPageOffline();
        QVERIFY(w.connectUdp());
        Par *jitter = w.editor(ButtonJitter);
        QVERIFY(!jitter->unsent());
        sim.stop();

        QTest::mouseClick(w.stepButton(ButtonJitter, "-"), Qt::LeftButton);
        QVERIFY(jitter->unsent());
        QVERIFY(!jitter->toolTip().isEmpty());
        QVERIFY2(w.status() == QStringLiteral("Connected, but the board did not take the last change")
                     || w.status() == QStringLiteral("Disconnected"),
                 qPrintable(w.status()));
        QCOMPARE(w.prompt.messages.size(), 1);
        QCOMPARE(w.prompt.messages[0].title, QStringLiteral("Write"));
        QTest::mouseClick(w.stepButton(ButtonJitter, "-"), Qt::LeftButton);
        QCOMPARE(w.prompt.messages.size(), 1);

        if (w.dialog->isConnected()) {
            w.prompt.answers.enqueue(true);
            QTest::mouseClick(w.button("butDevSave"), Qt::LeftButton);
            QCOMPARE(w.prompt.messages.size(), 2);
            QCOMPARE(w.prompt.messages[1].title, QStringLiteral("Save"));
            QCOMPARE(w.prompt.messages[1].text,
                     QStringLiteral("The configuration was not stored in the board's memory: the board did not answer."));
        }
    }

    // Over the network bridge the dropped connection shows as disconnected at once, and the
    // page stays as an offline page.
    void droppedNetworkBoard()
    {
        QTemporaryDir dir;
        SimProcess sim({"--image", writeImage(dir)});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.net->setDiscoveryTarget(QHostAddress(QHostAddress::LocalHost));
        w.net->scan();
        QTRY_VERIFY_WITH_TIMEOUT(w.dialog->pageContainer()->findChildren<QPushButton *>("netBoard").size() == 2, 10000);
        QPushButton *controller = nullptr;
        for (QPushButton *b : w.dialog->pageContainer()->findChildren<QPushButton *>("netBoard"))
            if (b->text().contains(QStringLiteral("controller on the network at 127.0.0.1")))
                controller = b;
        QVERIFY(controller);
        QTest::mouseClick(controller, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w.dialog->isConnected() && !w.dialog->pageHeld(), 20000);
        QVERIFY(w.status().contains(QStringLiteral("network bridge, 127.0.0.1")));
        QCOMPARE(w.editor(ButtonJitter)->findChild<QSpinBox *>()->value(), 99);
        sim.stop();
        QTRY_COMPARE_WITH_TIMEOUT(w.status(), QStringLiteral("Disconnected"), 10000);
        QVERIFY(w.button("butDevSave")->isHidden());
        QVERIFY(w.dialog->pageContainer()->isEnabled());
    }

    // Boards found while one is connected do not sit on its page, and nothing reaches them.
    void boardsFoundStayOffTheConnectedPage()
    {
        QTemporaryDir dir;
        SimProcess sim({"--image", writeImage(dir)});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.openPageOffline();
        QVERIFY(w.connectUdp());
        w.net->setDiscoveryTarget(QHostAddress(QHostAddress::LocalHost));
        scanEnabled = true; // a late answer to a scan sent just before the connection
        w.net->scan();
        scanEnabled = false;
        QTRY_VERIFY_WITH_TIMEOUT(w.net->foundBoards().size() == 2, 10000);
        QVERIFY(w.dialog->pageContainer()->findChildren<QPushButton *>("netBoard").isEmpty());
        QVERIFY(w.button("butFoundBoards")->isHidden());
        QVERIFY(!w.net->isOpen());
        QVERIFY(sim.transcript().filter(QRegularExpression(QStringLiteral("^tcp "))).isEmpty());
        QCOMPARE(currentLink(), w.usb);
        QVERIFY(w.dialog->isConnected());
    }

    // The bridge board has no configuration: no dump, store or read commands on its page.
    void bridgePageOffersOnlyWhatApplies()
    {
        SimProcess sim;
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.net->setDiscoveryTarget(QHostAddress(QHostAddress::LocalHost));
        w.net->scan();
        QTRY_VERIFY_WITH_TIMEOUT(w.dialog->pageContainer()->findChildren<QPushButton *>("netBoard").size() == 2, 10000);
        QPushButton *bridge = nullptr;
        for (QPushButton *b : w.dialog->pageContainer()->findChildren<QPushButton *>("netBoard"))
            if (b->text().contains(QStringLiteral("network bridge at 127.0.0.1")))
                bridge = b;
        QVERIFY(bridge);
        w.prompt.texts.enqueue(QStringLiteral("1234"));
        QTest::mouseClick(bridge, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w.dialog->isConnected(), 10000);
        QVERIFY(w.prompt.messages.isEmpty());
        QVERIFY(w.dialog->findChild<QPushButton *>("butUpdateFirmware"));
        QVERIFY(!w.button("butLoad")->isEnabled());
        QVERIFY(!w.button("butSave")->isEnabled());
        QVERIFY(!w.button("butDevSave")->isEnabled());
        QVERIFY(w.button("butReread")->isHidden());
        QVERIFY(w.status().contains(QStringLiteral("network bridge, 127.0.0.1")));
    }

    // Esc leaves the main window open; closing it closes every window it opened.
    void escAndClose()
    {
        QTemporaryDir dir;
        SimProcess sim({"--image", writeImage(dir)});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.openPageOffline();
        QTest::keyClick(w.dialog.get(), Qt::Key_Escape);
        QVERIFY(w.dialog->isVisible());
        QTest::keyClick(w.dialog->pageContainer(), Qt::Key_Escape);
        QVERIFY(w.dialog->isVisible());

        w.dialog->hexDump();
        QCOMPARE(w.dialog->ownWindows().size(), 1);
        QPointer<QWidget> dump = w.dialog->ownWindows().first();
        QVERIFY(dump->isVisible());
        QCOMPARE(qobject_cast<QPlainTextEdit *>(dump.data())->lineWrapMode(), QPlainTextEdit::NoWrap);
        QSignalSpy finished(w.dialog.get(), &QDialog::finished);
        QVERIFY(w.dialog->close());
        QCOMPARE(finished.size(), 1);
        QVERIFY(!dump);
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
    }

    // A dump saved under a name without extension gets ".bin", so that the load dialog shows
    // it; with no documents folder the dialogs start in the home folder.
    void dumpNames()
    {
        QTemporaryDir dir;
        SimProcess sim({"--image", writeImage(dir)});
        QVERIFY(sim.start());
        SimWindow w(sim);
        QVERIFY(!QFileInfo::exists(QDir::home().filePath(QStringLiteral("Documents"))));
        QCOMPARE(w.dialog->dumpDir(), QDir::homePath());
        w.openPageOffline();
        w.prompt.files.enqueue(dir.filePath(QStringLiteral("backup")));
        QTest::mouseClick(w.button("butSave"), Qt::LeftButton);
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("backup.bin"))));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("backup"))));
        QVERIFY(w.prompt.messages.isEmpty());
    }
};

QTEST_MAIN(TestWindowSim)
#include "test_window_sim.moc"
