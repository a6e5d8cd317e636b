// The main window's start page and its connect/disconnect cycle, driven by a fake link.
#include "app/maindialog.h"
#include "editors/parslider2.h"
#include "fakelink.h"
#include "app/sysdialog.h"
#include "scriptedprompt.h"
#include "testlanguage.h"
#include "testmodel.h"
#include <QBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

class TestMainDialog : public QObject
{
    Q_OBJECT

    struct Window
    {
        ScriptedPrompt prompt;
        QList<TestModel *> models;
        FakeLink *usb = nullptr;
        FakeLink *net = nullptr;
        std::unique_ptr<MainDialog> dialog;

        Window()
        {
            MainDialog::Parts parts;
            parts.prompt = &prompt;
            parts.makeModels = [this](QObject *parent) {
                models = {new TestModel("Model A", 0x200, 0x100, 0x201, parent),
                          new TestModel("Model B", 0x300, 0x100, 0x301, parent)};
                return QList<DeviceCfg *>{models[0], models[1]};
            };
            parts.makeUsbLink = [this](QObject *parent) { return usb = new FakeLink(parent); };
            parts.makeNetLink = [this](QObject *parent) { return net = new FakeLink(parent); };
            dialog = std::make_unique<MainDialog>(parts);
        }
        QLabel *status() const { return dialog->findChild<QLabel *>("conStatus"); }
        QPushButton *button(const char *name) const { return dialog->findChild<QPushButton *>(name); }
        QList<QPushButton *> pageButtons() const
        {
            return dialog->pageContainer()->findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
        }
    };

private Q_SLOTS:
    void initTestCase() { setTestLanguage(QStringLiteral("en")); } // the texts below are the built-in ones
    void init() { DeviceCfg::setCurrent(nullptr); }

    void startPageDisconnected()
    {
        Window w;
        QCOMPARE(w.dialog->windowTitle(), QStringLiteral("Vandor"));
        QCOMPARE(w.status()->text(), QStringLiteral("Disconnected"));
        QVERIFY(scanEnabled);
        QVERIFY(w.dialog->onStartPage());
        QVERIFY(!w.button("butLoad")->isEnabled());
        QVERIFY(!w.button("butSave")->isEnabled());
        QVERIFY(w.button("butDevSave")->isHidden());
        const auto buttons = w.pageButtons();
        QCOMPARE(buttons.size(), 4);
        QCOMPARE(buttons[0]->text(), QStringLiteral("Model A"));
        QCOMPARE(buttons[1]->text(), QStringLiteral("Model B"));
        QCOMPARE(buttons[2]->objectName(), QStringLiteral("butFindHost"));
        // No board found: nothing to back up.
        QCOMPARE(buttons[3]->objectName(), QStringLiteral("butBackupAll"));
        QVERIFY(buttons[3]->isHidden());
        QCOMPARE(currentLink(), w.usb);
    }

    void choosingModelBuildsPage()
    {
        Window w;
        w.pageButtons()[1]->click();
        QCOMPARE(DeviceCfg::current(), w.models[1]);
        QCOMPARE(w.models[1]->pagesBuilt, 1);
        QVERIFY(!w.dialog->onStartPage());
        QVERIFY(w.dialog->pageContainer()->findChild<QLabel *>("testPage"));
        QVERIFY(w.pageButtons().isEmpty());
        QVERIFY(w.dialog->findChild<QLabel *>("aboutLabel")->isHidden()); // it would cover the page
        QVERIFY(w.button("butLoad")->isEnabled());
        QVERIFY(w.button("butSave")->isEnabled());
    }

    void connectAndDisconnect()
    {
        Window w;
        w.usb->id0 = 0x300; w.usb->id1 = 0x100; w.usb->id2 = 0x301;
        bool heldWhileReading = false;
        w.models[1]->whileReading = [&] {
            heldWhileReading = w.dialog->pageHeld() && !w.dialog->pageContainer()->isEnabled()
                               && DeviceCfg::pageBuilding() > 0 && !w.button("butSave")->isEnabled()
                               && w.dialog->pageContainer()->findChild<QLabel *>("testPage");
        };
        w.usb->announce(QStringLiteral("board"), 7);  // a USB board found alone opens at once
        QTRY_VERIFY(heldWhileReading); // from the page build to the end of the refresh
        QVERIFY(!w.dialog->pageHeld());
        QVERIFY(w.dialog->pageContainer()->isEnabled());
        QCOMPARE(w.usb->callsOf("open").size(), 1);
        QCOMPARE(DeviceCfg::current(), w.models[1]);
        QCOMPARE(w.models[1]->pagesBuilt, 1);
        QCOMPARE(w.models[1]->reads, 1);
        QVERIFY(!scanEnabled);
        QCOMPARE(w.status()->text(), QStringLiteral("Connected: Model B")); // a fake link: no path
        QVERIFY(!w.button("butDevSave")->isHidden());
        QVERIFY(w.dialog->progressBar()->isHidden());
        QVERIFY(w.prompt.messages.isEmpty());

        w.usb->unplug();
        QVERIFY(scanEnabled);
        QCOMPARE(w.status()->text(), QStringLiteral("Disconnected"));
        QVERIFY(w.button("butDevSave")->isHidden());
        QCOMPARE(DeviceCfg::current(), w.models[1]);
        QVERIFY(w.dialog->pageContainer()->findChild<QLabel *>("testPage"));
    }

    // A board the chosen model accepts keeps its page; a board only another model accepts
    // gets that model and its page.
    void connectAfterChoosingKeepsPage()
    {
        Window w;
        w.pageButtons()[0]->click();
        w.net->id0 = 0x200; w.net->id1 = 0x100; w.net->id2 = 0x201;
        QVERIFY(w.net->open(1));
        QCOMPARE(w.models[0]->pagesBuilt, 1);
        QCOMPARE(w.models[0]->reads, 1);
        QCOMPARE(currentLink(), w.net);
        w.net->unplug();
        QCOMPARE(currentLink(), w.usb);

        w.net->id0 = 0x300; w.net->id2 = 0x301;  // only model B accepts
        QVERIFY(w.net->open(1));
        QCOMPARE(DeviceCfg::current(), w.models[1]);
        QCOMPARE(w.models[1]->pagesBuilt, 1);
        QCOMPARE(w.models[1]->reads, 1);
        QVERIFY(w.prompt.messages.isEmpty());
        w.net->unplug();
    }

    void failedReadReportsOnce()
    {
        Window w;
        w.models[0]->failRead = true;
        w.usb->id0 = 0x200; w.usb->id1 = 0x100; w.usb->id2 = 0x201;
        QVERIFY(w.usb->open(1));
        QCOMPARE(w.prompt.messages.size(), 1);
        QCOMPARE(w.prompt.messages[0].title, QStringLiteral("Load"));
        QCOMPARE(w.prompt.messages[0].text,
                 QStringLiteral("Device error! The program's copy of the configuration is incomplete; the "
                                "board itself was not changed. Use \"Read again\" to read it once more."));
        // The page shows no board values: it stays held, and reading again is offered.
        QVERIFY(w.dialog->pageHeld());
        QVERIFY(!w.dialog->pageContainer()->isEnabled());
        QVERIFY(!w.button("butSave")->isEnabled());
        QPushButton *again = w.button("butReread");
        QVERIFY(!again->isHidden());
        QVERIFY(again->isEnabled());
        w.models[0]->failRead = false;
        QTest::mouseClick(again, Qt::LeftButton);
        QCOMPARE(w.models[0]->reads, 2);
        QVERIFY(!w.dialog->pageHeld());
        QVERIFY(w.dialog->pageContainer()->isEnabled());
        QVERIFY(w.button("butSave")->isEnabled());
        QCOMPARE(w.prompt.messages.size(), 1);
    }

    // Each board found goes to the end of the list, below the offline models: nothing the
    // technician may be reaching for moves.
    void networkBoardsListedInTurn()
    {
        Window w;
        w.dialog->show();
        QPushButton *model = w.pageButtons()[0];
        const QPoint at = model->mapTo(w.dialog.get(), QPoint());
        w.net->announce(QStringLiteral("WASH1"), 1);
        w.net->announce(QStringLiteral("WASH2"), 2);
        const auto buttons = w.dialog->pageContainer()->findChildren<QPushButton *>("netBoard");
        QCOMPARE(buttons.size(), 2);
        QCOMPARE(buttons[0]->text(), QStringLiteral("WASH1"));
        QCOMPARE(buttons[1]->text(), QStringLiteral("WASH2"));
        QCOMPARE(buttons[1]->property("uid").toInt(), 2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCOMPARE(model->mapTo(w.dialog.get(), QPoint()), at);
        QVERIFY(w.net->callsOf("open").isEmpty()); // network boards wait for a click
        w.net->id0 = 0x200; w.net->id1 = 0x100; w.net->id2 = 0x201;
        buttons[0]->click();
        const auto opens = w.net->callsOf("open");
        QCOMPARE(opens.size(), 1);
        QCOMPARE(opens[0].address, 1);
    }

    // Over an offline page a board found shows as a bar below it that leads to the start page.
    void networkBoardBelowPage()
    {
        Window w;
        w.pageButtons()[0]->click();
        w.net->announce(QStringLiteral("WASH1"), 1);
        QVERIFY(w.dialog->pageContainer()->findChildren<QPushButton *>("netBoard").isEmpty());
        QPushButton *bar = w.button("butFoundBoards");
        QVERIFY(!bar->isHidden());
        QCOMPARE(bar->text(), QStringLiteral("Boards found: 1. Back to the start page to choose one"));
        bar->click();
        QVERIFY(w.dialog->onStartPage());
        QCOMPARE(w.dialog->pageContainer()->findChildren<QPushButton *>("netBoard").size(), 1);
        QVERIFY(bar->isHidden());
    }

    // A network board announced again keeps its one button; after a disconnection the boards
    // found lead back to the start page; a link that is not the connected one cannot take the
    // connection down.
    void networkBoardsAnnouncedAgain()
    {
        Window w;
        w.net->announce(QStringLiteral("WASH1"), 1);
        w.net->announce(QStringLiteral("WASH1 new name"), 1);
        auto netButtons = [&w] { return w.dialog->pageContainer()->findChildren<QPushButton *>("netBoard"); };
        QCOMPARE(netButtons().size(), 1);
        QCOMPARE(netButtons()[0]->text(), QStringLiteral("WASH1 new name"));

        w.usb->id0 = 0x200; w.usb->id1 = 0x100; w.usb->id2 = 0x201;
        w.usb->announce(QStringLiteral("board"), 7);
        QVERIFY(w.usb->callsOf("open").isEmpty()); // not found alone: the technician picks
        auto *usbRow = w.dialog->pageContainer()->findChild<QPushButton *>("usbBoard");
        QCOMPARE(usbRow->text(), QStringLiteral("board"));
        usbRow->click();
        QVERIFY(w.dialog->isConnected());
        QVERIFY(netButtons().isEmpty()); // the page replaced the start page
        w.net->unplug();                 // not the connected link
        QVERIFY(w.dialog->isConnected());
        QCOMPARE(currentLink(), w.usb);
        QVERIFY(!scanEnabled);

        w.usb->unplug();
        QVERIFY(!w.dialog->isConnected());
        w.net->announce(QStringLiteral("WASH1"), 1);
        QVERIFY(!w.button("butFoundBoards")->isHidden());
        w.button("butFoundBoards")->click();
        QCOMPARE(netButtons().size(), 1);
        QCOMPARE(netButtons()[0]->property("uid").toInt(), 1);
    }

    // A typed address is remembered, listed with a way to forget it, and the user is told
    // when nothing answers there.
    void rememberedAddresses()
    {
        Window w;
        QVERIFY(w.dialog->findChildren<QPushButton *>("forgetHost").isEmpty());
        w.prompt.texts.enqueue(QStringLiteral("127.0.0.1"));
        QTest::mouseClick(w.button("butFindHost"), Qt::LeftButton);
        QCOMPARE(w.dialog->findChildren<QPushButton *>("forgetHost").size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(w.prompt.messages.size(), 1, MainDialog::AddressAnswerMs + 3000);
        QVERIFY(w.prompt.messages[0].text.startsWith(QStringLiteral("No board answered at 127.0.0.1.")));

        QPushButton *forget = w.dialog->findChildren<QPushButton *>("forgetHost").value(0);
        QTest::mouseClick(forget, Qt::LeftButton); // asked first: No keeps it
        QCOMPARE(w.dialog->settings().value("netHosts").toStringList(), QStringList{"127.0.0.1"});
        w.prompt.answers.enqueue(true);
        QTest::mouseClick(forget, Qt::LeftButton);
        QCOMPARE(w.dialog->settings().value("netHosts").toStringList(), QStringList());
        QCOMPARE(w.dialog->settings().value("udpHosts").toStringList(), QStringList());
        QTRY_VERIFY(w.dialog->findChildren<QPushButton *>("forgetHost").isEmpty());
    }

    // A change that fails while a board is connected is marked on its editor and told once,
    // also when the link gives the board up on that very failure.
    void failedChangeShownOnce()
    {
        Window w;
        w.usb->id0 = 0x200; w.usb->id1 = 0x100; w.usb->id2 = 0x201;
        QVERIFY(w.usb->open(1));
        TestModel *m = w.models[0];
        m->bytes = QByteArray(16, '\0');
        auto *slider = new ParSlider2(w.dialog->pageContainer(), m, 2, 1, 0, 100);
        auto *spin = slider->findChild<QSpinBox *>();
        spin->setValue(7);
        QVERIFY(!slider->unsent());
        QVERIFY(w.prompt.messages.isEmpty());

        m->changeFails = true;
        spin->setValue(8);
        QVERIFY(slider->unsent());
        QCOMPARE(w.status()->text(), QStringLiteral("Connected, but the board did not take the last change"));
        // Even this status fits the smallest window.
        QVERIFY(w.dialog->layout()->minimumSize().width() <= w.dialog->minimumWidth());
        spin->setValue(9);
        QCOMPARE(w.prompt.messages.size(), 1);
        QCOMPARE(w.prompt.messages[0].title, QStringLiteral("Write"));

        m->changeFails = false;
        spin->setValue(10);
        QVERIFY(!slider->unsent());
        QCOMPARE(w.status()->text(), QStringLiteral("Connected: Model A\nNot stored in the board's memory"));

        // The link takes the board as gone on the failure itself.
        m->changeFails = true;
        m->whileChanging = [&w] { w.usb->unplug(); };
        spin->setValue(11);
        QVERIFY(slider->unsent());
        // The board went with the earlier change unstored: said with the status.
        QCOMPARE(w.status()->text(), QStringLiteral("Disconnected. The board had changes not stored in its "
                                                    "memory: they are lost at its next power cycle."));
        QCOMPARE(w.prompt.messages.size(), 2);
        // Offline, changes are not meant for a board: nothing more is marked or told.
        m->whileChanging = nullptr;
        spin->setValue(12);
        QCOMPARE(w.prompt.messages.size(), 2);
    }

    void usbWithoutDriverOffersInstaller()
    {
        Window w;
        w.usb->announce(QStringLiteral("$NoDriver"), 0);
        QVERIFY(w.usb->callsOf("open").isEmpty());
        auto *button = w.dialog->pageContainer()->findChild<QPushButton *>("butUsbDriver");
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("Install USB driver"));
    }

    void loadAndSaveDumps()
    {
        Window w;
        QTemporaryDir dir;
        w.pageButtons()[0]->click();
        TestModel *m = w.models[0];

        // Cancelled dialogs change nothing.
        const QString before = w.dialog->dumpDir();
        w.button("butSave")->click();
        w.button("butLoad")->click();
        QCOMPARE(w.dialog->dumpDir(), before);

        const QString path = dir.filePath("a.bin");
        m->bytes = QByteArray(16, 'x');
        w.prompt.files.enqueue(path);
        w.button("butSave")->click();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray(16, 'x'));
        f.close();
        QCOMPARE(w.dialog->dumpDir(), dir.path());

        m->bytes = QByteArray(16, 'y');
        w.prompt.files.enqueue(path);
        w.button("butLoad")->click();
        QCOMPARE(m->bytes, QByteArray(16, 'x'));
        QCOMPARE(m->writes, 1);

        m->failLoad = true;
        w.prompt.files.enqueue(path);
        w.button("butLoad")->click();
        QCOMPARE(w.prompt.messages.size(), 1);
        QCOMPARE(w.prompt.messages[0].text,
                 QStringLiteral("Invalid file format. The current configuration was not changed."));
        QCOMPARE(m->writes, 1);
    }

    void failedSaveKeepsOldFile()
    {
        Window w;
        QTemporaryDir dir;
        w.pageButtons()[0]->click();
        w.prompt.files.enqueue(dir.filePath("missing/folder/a.bin"));
        w.button("butSave")->click();
        QCOMPARE(w.prompt.messages.size(), 1);
        QCOMPARE(w.prompt.messages[0].title, QStringLiteral("Save"));
        QCOMPARE(w.prompt.messages[0].text, QStringLiteral("Save failed"));
    }

    void progressBarShownOnlyDuringTransfers()
    {
        Window w;
        QVERIFY(w.dialog->progressBar()->isHidden());
        host()->showProgress(QStringLiteral("Update firmware %p%"));
        QVERIFY(!w.dialog->progressBar()->isHidden());
        QCOMPARE(w.dialog->progressBar()->format(), QStringLiteral("Update firmware %p%"));
        host()->progress()->setMaximum(70000);
        host()->progress()->setValue(240);
        QCOMPARE(w.dialog->progressBar()->value(), 240);
        host()->hideProgress();
        QVERIFY(w.dialog->progressBar()->isHidden());
    }

    void storeOnBoardAsksFirst()
    {
        Window w;
        w.usb->id0 = 0x200; w.usb->id1 = 0x100; w.usb->id2 = 0x201;
        QVERIFY(w.usb->open(1));
        w.prompt.answers.enqueue(false);
        w.button("butDevSave")->click();
        QVERIFY(w.usb->callsOf("saveCfg").isEmpty());
        w.prompt.answers.enqueue(true);
        w.button("butDevSave")->click();
        QCOMPARE(w.usb->callsOf("saveCfg").size(), 1);
    }

    void longPressOnSaveShowsHexDumpOnly()
    {
        Window w;
        w.pageButtons()[0]->click();
        QPushButton *save = w.button("butSave");
        QTest::mousePress(save, Qt::LeftButton);
        w.dialog->hexDump(); // what the 3 s timer calls
        QTest::mouseRelease(save, Qt::LeftButton);
        QVERIFY(w.prompt.asked.isEmpty()); // no save dialog
        QPlainTextEdit *view = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("hexDumpView"))
                view = qobject_cast<QPlainTextEdit *>(top);
        QVERIFY(view);
        QCOMPARE(view->toPlainText(), QStringLiteral("0000:  ") + w.models[0]->hexDump()); // one line, at 0
        view->close();
        // A short press saves.
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(w.prompt.asked, QStringList{QStringLiteral("Save configuration")});
    }

    void serviceMenuNeedsExactCode_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("opens");
        QTest::newRow("code") << "586" << true;
        QTest::newRow("trailing blank") << "586 " << false;
        QTest::newRow("wrong") << "587" << false;
        QTest::newRow("cancelled") << QString() << false;
    }

    void serviceMenuNeedsExactCode()
    {
        QFETCH(QString, typed);
        QFETCH(bool, opens);
        Window w;
        w.prompt.texts.enqueue(typed.isNull() ? std::nullopt : std::optional<QString>(typed));
        w.dialog->sysMenu();
        QCOMPARE(w.prompt.asked, QStringList{QStringLiteral("Vandor|pw:")});
        QCOMPARE(w.prompt.secret, QStringList{QStringLiteral("pw:")}); // typed unseen
        QCOMPARE(w.dialog->findChild<SysDialog *>() != nullptr, opens);
        QVERIFY(w.prompt.messages.isEmpty());
    }

    void helpLinks()
    {
        Window w;
        w.pageButtons()[0]->click();
        DeviceCfg::clearHelpTexts();
        DeviceCfg::setHelpText(12, QStringLiteral("twelve"));
        DeviceCfg::setHelpText(13, QStringLiteral("thirteen"));
        for (const char *bad : {"x#ln12", "#ln12x", "#ln", "#ln-1", "ln12"}) {
            w.dialog->showHelp(QString::fromLatin1(bad));
            QVERIFY2(!w.dialog->helpWindow(), bad);
        }
        w.dialog->showHelp(QStringLiteral("#ln12"));
        QPointer<HelpWindow> help = w.dialog->helpWindow();
        QVERIFY(help);
        QCOMPARE(help->text(), QStringLiteral("twelve"));
        const QPoint where = help->pos();
        w.dialog->showHelp(QStringLiteral("#ln13"));
        QCOMPARE(w.dialog->helpWindow(), help.data());
        QCOMPARE(help->text(), QStringLiteral("thirteen"));
        QCOMPARE(help->pos(), where);
        help->close();
        QTRY_VERIFY(!help);
        QVERIFY(!w.dialog->helpWindow());
    }
};

QTEST_MAIN(TestMainDialog)
#include "test_maindialog.moc"
