// The service menu, the relay test and the system flags dialog.
#include "fakelink.h"
#include "app/relaytest.h"
#include "app/sysdialog.h"
#include "app/systemflags.h"
#include "recordinghost.h"
#include "scriptedprompt.h"
#include "testmodel.h"
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestServiceDialogs : public QObject
{
    Q_OBJECT
    TestModel *model = nullptr;
    FakeLink *link = nullptr;
    RecordingHost host; // the service commands act on a connected board only

    static QPushButton *button(QWidget *w, const char *name) { return w->findChild<QPushButton *>(name); }

private Q_SLOTS:
    void init()
    {
        model = new TestModel("m", 1, 2, 3);
        DeviceCfg::setCurrent(model);
        link = new FakeLink;
        setCurrentLink(link);
        host.connected = true;
    }
    void cleanup()
    {
        delete model;
        delete link;
    }

    void formTexts()
    {
        SysDialog menu;
        QCOMPARE(menu.windowTitle(), QStringLiteral("Dialog"));
        QCOMPARE(button(&menu, "clearNvmButton")->text(), QStringLiteral("cl nvm"));
        QCOMPARE(button(&menu, "serialButton")->text(), QStringLiteral("sn"));
        QCOMPARE(button(&menu, "relayButton")->text(), QStringLiteral("rel tst"));
        QCOMPARE(button(&menu, "flagsButton")->text(), QStringLiteral("fl"));
        RelayTest relays;
        QCOMPARE(relays.windowTitle(), QStringLiteral("Relay Test"));
        QCOMPARE(button(&relays, "closeButton")->text(), QStringLiteral("Finish"));
    }

    void clearCountersClosesMenu()
    {
        ScriptedPrompt p;
        SysDialog menu;
        QVERIFY(!button(&menu, "clearNvmButton")->toolTip().isEmpty());
        menu.show();
        button(&menu, "clearNvmButton")->click(); // asked first: No clears nothing
        QCOMPARE(model->clears, 0);
        QVERIFY(menu.isVisible());
        p.answers.enqueue(true);
        button(&menu, "clearNvmButton")->click();
        QCOMPARE(model->clears, 1);
        QCOMPARE(p.messages.size(), 1);
        QCOMPARE(p.messages[0].text, QStringLiteral("The board's counters were cleared."));
        QCOMPARE(menu.result(), int(QDialog::Accepted));
    }

    void clearCountersFailureSaid()
    {
        ScriptedPrompt p;
        model->clearFails = true;
        SysDialog menu;
        menu.show();
        p.answers.enqueue(true);
        button(&menu, "clearNvmButton")->click();
        QCOMPARE(p.messages.size(), 1);
        QCOMPARE(p.messages[0].icon, Prompt::Icon::Warning);
    }

    void serialNumber_data()
    {
        QTest::addColumn<QString>("typed"); // a null string stands for a cancelled input
        QTest::addColumn<bool>("linkFails");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<bool>("network"); // a path that cannot set a serial
        QTest::newRow("14 characters") << QString("12345678901234") << false << "len" << false << false;
        QTest::newRow("16 characters") << QString("1234567890123456") << false << "len" << false << false;
        QTest::newRow("cancelled") << QString() << false << "len" << false << false;
        QTest::newRow("15 characters") << QString("123456789012345") << false << "The board took the serial number 123456789012345." << true << false;
        // 15 characters, 16 bytes of UTF-8: the board's field would cut the last one in two.
        QTest::newRow("15 characters, 16 bytes") << QString::fromUtf8("12345678901234\xc3\xbc") << false << "len" << false << false;
        QTest::newRow("board refuses") << QString("123456789012345") << true << "fail" << true << false;
        QTest::newRow("network bridge") << QString("123456789012345") << false
                                        << "The serial number cannot be set over the network bridge: connect the board by USB."
                                        << false << true;
    }

    void serialNumber()
    {
        QFETCH(QString, typed);
        QFETCH(bool, linkFails);
        QFETCH(QString, shown);
        QFETCH(bool, sent);
        QFETCH(bool, network);
        ScriptedPrompt p;
        p.texts.enqueue(typed.isNull() ? std::nullopt : std::optional<QString>(typed));
        if (linkFails)
            link->failOp = "writeSn";
        link->serialPath = !network;
        SysDialog menu;
        menu.show();
        button(&menu, "serialButton")->click();
        QCOMPARE(p.asked, network ? QStringList() : QStringList{QStringLiteral("Dialog|sn:")});
        QCOMPARE(link->callsOf("writeSn").size(), sent ? 1 : 0);
        if (sent)
            QCOMPARE(link->callsOf("writeSn")[0].data, typed.toUtf8());
        // One message whatever happened; the menu closes once the board took the serial.
        QCOMPARE(p.messages.size(), 1);
        QCOMPARE(p.messages[0].text, shown);
        QCOMPARE(menu.isVisible(), !(sent && !linkFails));
    }

    void relayMasksOfFirstCycle()
    {
        RelayTest relays;
        QVERIFY(relays.timer()->isActive());
        QCOMPARE(relays.timer()->interval(), 500);
        for (int i = 0; i < 12; ++i)
            relays.timeout();
        const QVector<int> expected{0x1, 0, 0x2, 0, 0x4, 0, 0x8, 0, 0x10, 0, 0x20, 0};
        QCOMPARE(model->relayMasks, expected);
        QCOMPARE(relays.findChild<QLabel *>("label")->text(), QStringLiteral("Cycle: 1"));
        QCOMPARE(relays.findChild<QLabel *>("relayLabel")->text(), QStringLiteral("All relays are off"));
        QCOMPARE(relays.step(), 0);
        relays.timeout();
        QCOMPARE(relays.findChild<QLabel *>("relayLabel")->text(), QStringLiteral("Relay 1 is on"));
    }

    void relaysOffHoweverClosed_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("finish") << 0;
        QTest::newRow("escape") << 1;
        QTest::newRow("window closed") << 2;
    }

    void relaysOffHoweverClosed()
    {
        QFETCH(int, how);
        RelayTest relays;
        relays.show();
        relays.timeout(); // relay 1 on
        if (how == 0)
            button(&relays, "closeButton")->click();
        else if (how == 1)
            QTest::keyClick(&relays, Qt::Key_Escape);
        else
            relays.close();
        QVERIFY(!relays.isVisible());
        QVERIFY(!relays.timer()->isActive());
        QCOMPARE(model->relayMasks, (QVector<int>{1, 0}));
    }

    void relayTestFromMenuClosesMenu()
    {
        SysDialog menu;
        menu.show();
        button(&menu, "relayButton")->click();
        auto *relays = menu.findChild<RelayTest *>();
        QVERIFY(relays);
        button(relays, "closeButton")->click();
        QCOMPARE(model->relayMasks, QVector<int>{0});
        QCOMPARE(menu.result(), int(QDialog::Accepted));
    }

    void systemFlags()
    {
        model->fm = 0;
        {
            SystemFlags flags;
            QVERIFY(!flags.findChild<QCheckBox *>("fm2bBox")->isChecked());
        }
        model->fm = 3;
        SystemFlags flags;
        auto *box = flags.findChild<QCheckBox *>("fm2bBox");
        QCOMPARE(box->text(), QStringLiteral("2 bytes address FM memory"));
        QVERIFY(box->isChecked());
        box->setChecked(false);
        button(&flags, "closeButton")->click();
        QCOMPARE(model->fm, 0);
        QCOMPARE(flags.result(), int(QDialog::Accepted));

        // A model without the flag: shown, disabled, never set.
        model->fmSupported = false;
        model->fm = 1;
        SystemFlags none;
        QVERIFY(!none.findChild<QCheckBox *>("fm2bBox")->isEnabled());
        button(&none, "closeButton")->click();
        QCOMPARE(model->fm, 1);
    }
};

QTEST_MAIN(TestServiceDialogs)
#include "test_servicedialogs.moc"
