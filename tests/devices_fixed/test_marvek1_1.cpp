// The Controller 1.1 model: identity, labels and help keys by row kind, the parts of its page
// that depend on the board, its embedded help texts, and which help file each model reads.
#include "app/maindialog.h"
#include "base/resources.h"
#include "devices/devmarvek1_1.h"
#include "devices/devmarvek2_0.h"
#include "devices/devmarvek3_0.h"
#include "editors/parslider2.h"
#include "editors/parslider2s.h"
#include "fixedprobe.h"
#include "scriptedprompt.h"
#include "testlanguage.h"
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestMarvek1_1 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void identity_data()
    {
        QTest::addColumn<uint>("w0");
        QTest::addColumn<uint>("w1");
        QTest::addColumn<uint>("w2");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("newest") << 0x103u << 0x100u << 0x202u << true;
        QTest::newRow("oldest") << 0x101u << 0x100u << 0x200u << true;
        QTest::newRow("hardware too new") << 0x104u << 0x100u << 0x201u << false;
        QTest::newRow("firmware too new") << 0x101u << 0x100u << 0x203u << false;
        QTest::newRow("firmware too old") << 0x102u << 0x100u << 0x1FFu << false;
        QTest::newRow("hardware too old") << 0x100u << 0x100u << 0x201u << false;
        QTest::newRow("other family") << 0x102u << 0x101u << 0x201u << false;
        QTest::newRow("a 2.0 board") << 0x200u << 0x100u << 0x201u << false;
    }
    void identity()
    {
        QFETCH(uint, w0);
        QFETCH(uint, w1);
        QFETCH(uint, w2);
        QFETCH(bool, accepted);
        DevMarvek1_1 m;
        QCOMPARE(m.title(), QStringLiteral("Marvek"));
        QCOMPARE(m.accepts(quint16(w0), quint16(w1), quint16(w2)), accepted);
        // Only the hardware word is taken over.
        QCOMPARE(m.word0, accepted ? quint16(w0) : quint16(0xFFFF));
        QCOMPARE(m.word2, quint16(0xFFFF));
    }

    // The program's models in list order; the controllers get the start page's offline buttons.
    void modelListAndStartPage()
    {
        setTestLanguage(QStringLiteral("en"));
        ScriptedPrompt prompt;
        MainDialog::Parts parts = MainDialog::defaultParts();
        parts.makeUsbLink = nullptr;
        parts.makeNetLink = nullptr;
        parts.prompt = &prompt;
        MainDialog window(parts);
        QStringList list;
        for (DeviceCfg *m = DeviceCfg::first(); m; m = m->next)
            list << QString::fromLatin1(m->metaObject()->className());
        QCOMPARE(list.mid(0, 3), (QStringList{"DevMarvek1_1", "DevMarvek2_0", "DevMarvek3_0"}));
        QStringList offline;
        for (auto *b : window.findChildren<QPushButton *>()) {
            if (b->property("dev").isValid())
                offline << b->text();
        }
        QCOMPARE(offline, (QStringList{"Marvek", "Marvek ccTalk", "Marvek Totalizer", "Tokmat"}));
    }

    void labelsAndHelpKeys_data()
    {
        QTest::addColumn<uint>("address");
        QTest::addColumn<QString>("label");
        QTest::addColumn<uint>("key");
        QTest::newRow("single word") << 0u << "Coin pulse jitter [ms]" << 0u;
        QTest::newRow("coin 2 channel") << 16u << "Coin validator channel" << 6u;
        QTest::newRow("coin 3 min") << 28u << "Min pulse period [ms]" << 8u;
        QTest::newRow("coin 16 value") << 162u << "Coin value [cents]" << 12u;
        QTest::newRow("mode 1 time, inside coin record") << 14u << "Mode individual time [sec]" << 14u;
        QTest::newRow("button 5 input") << 200u << "Button input" << 176u;
        QTest::newRow("button 16 relays on") << 270u << "Relays to turn on" << 180u;
        QTest::newRow("operator line 2") << 292u << "Operator view line 2" << 284u;
        QTest::newRow("out of order line 16") << 538u << "Out of order view line 16" << 418u;
        QTest::newRow("idle line 3") << 568u << "Idle view line 3" << 552u;
        QTest::newRow("mode 6 relays") << 746u << "Relays state" << 706u;
        QTest::newRow("mode 6 name") << 748u << "Name" << 708u;
        QTest::newRow("mode 16 second colour") << 832u << "Active view color 4" << 712u;
        QTest::newRow("pair with a far second") << 8044u << "Active view pause timeout" << 8044u;
        QTest::newRow("button 16 delay B") << 8172u << "After timeout B [sec]" << 8052u;
        QTest::newRow("button 3 toggle A") << 8066u << "Toggle relays (time A)" << 8050u;
        QTest::newRow("start credit") << 8030u << "Minimum start credit [cents]" << 8030u;
        QTest::newRow("NV coin time") << 0x8074u << "Coin default time [sec]" << 0x8074u;
        QTest::newRow("odd byte of coin 2's record") << 17u << "Parameter 17" << 7u;
        QTest::newRow("odd byte of button 3's record") << 189u << "Parameter 189" << 177u;
        QTest::newRow("odd byte of mode 16") << 833u << "Parameter 833" << 713u;
        QTest::newRow("odd byte of button 16's delays") << 8175u << "Parameter 8175" << 8055u;
        QTest::newRow("text pool") << 900u << "Parameter 900" << 900u;
        QTest::newRow("layout word") << 8180u << "Parameter 8180" << 8180u;
    }
    void labelsAndHelpKeys()
    {
        QFETCH(uint, address);
        QFETCH(QString, label);
        QFETCH(uint, key);
        DevMarvek1_1 m;
        QCOMPARE(m.parName(address), label);
        QCOMPARE(m.helpKey(address), quint32(key));
    }

    void pageFollowsTheHardware()
    {
        FixedProbe<DevMarvek1_1> old(0x101);
        QCOMPARE(old.tabTitles(), (QStringList{"Coin validator", "Buttons and Relays", "Operator view",
                                               "Out of order view", "Idle view", "Coins view", "Active view"}));
        QCOMPARE(old.count(8030), 0);
        QCOMPARE(old.count(8034), 0);
        QVERIFY(qobject_cast<ParSlider2 *>(old.editorAt(8048 + 8 * 15)));
        QVERIFY(qobject_cast<ParSlider2 *>(old.editorAt(8052)));
        QVERIFY(!qobject_cast<ParSlider2s *>(old.editorAt(8052)));
        // Erased values take their defaults: relays state 0, then 1 << (k - 1) up to mode 7.
        QCOMPARE(old.word(706), quint16(0));
        QCOMPARE(old.word(714), quint16(1));
        QCOMPARE(old.word(754), quint16(32));
        QCOMPARE(old.word(762), quint16(0));
        QCOMPARE(old.word(16), quint16(0x04));
        QCOMPARE(old.word(176 + 6 * 5), quint16(0x2000));

        FixedProbe<DevMarvek1_1> newest(0x103);
        QCOMPARE(newest.count(8030), 1);
        QCOMPARE(newest.count(8032), 1);
        QCOMPARE(newest.count(8034), 1);
        QVERIFY(qobject_cast<ParSlider2s *>(newest.editorAt(8048)));
        QVERIFY(qobject_cast<ParSlider2s *>(newest.editorAt(8052 + 8 * 15)));
        QCOMPARE(newest.count(14 + 10 * 15), 1);
    }

    void embeddedHelpCoversThePage_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::newRow("bg") << "bg";
        QTest::newRow("en") << "en";
    }
    void embeddedHelpCoversThePage()
    {
        QFETCH(QString, lang);
        FixedProbe<DevMarvek1_1> page(0x103);
        QVERIFY(DeviceCfg::readHelpFile(QStringLiteral(":/help_cnt11_") + lang));
        QCOMPARE(page.keysWithoutHelp(), QList<quint32>());
        FixedProbe<DevMarvek3_0> totalizer(0x304);
        QVERIFY(DeviceCfg::readHelpFile(QStringLiteral(":/help_cnt30_") + lang));
        QCOMPARE(totalizer.keysWithoutHelp(), QList<quint32>());
        FixedProbe<DevMarvek3_0> older(0x301);
        QCOMPARE(older.keysWithoutHelp(), QList<quint32>());
    }

    // Each model reads back the file its help edits are saved to, else its own embedded file.
    void eachModelReadsItsOwnHelpFile()
    {
        setTextLanguage(QStringLiteral("bg")); // the Bulgarian files, whatever a window chose before
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("run")));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.filePath(QStringLiteral("run"))));
        DevMarvek1_1 m11;
        DevMarvek2_0 m20;
        DevMarvek3_0 m30;
        QCOMPARE(m11.helpReadPath(), QStringLiteral(":/help_cnt11_bg"));
        QCOMPARE(m20.helpReadPath(), QStringLiteral(":/help_bg"));
        QCOMPARE(m30.helpReadPath(), QStringLiteral(":/help_cnt30_bg"));
        DeviceCfg::clearHelpTexts();
        DeviceCfg::setHelpText(170, QStringLiteral("Edited on a 1.1 board"));
        m11.saveHelp();
        DeviceCfg::setHelpText(7172, QStringLiteral("Edited on a 3.0 board"));
        m30.saveHelp();
        QCOMPARE(m11.helpReadPath(), QStringLiteral("../Vandor/help_bg"));
        QCOMPARE(m30.helpReadPath(), QStringLiteral("../Vandor/help_cnt30_bg"));
        QCOMPARE(m20.helpReadPath(), QStringLiteral(":/help_bg"));
        {
            QWidget container;
            m30.buildPage(&container);
            QCOMPARE(m30.helpText(7172), QStringLiteral("Edited on a 3.0 board"));
        }
        QVERIFY(QDir::setCurrent(before));
    }
};

QTEST_MAIN(TestMarvek1_1)
#include "test_marvek1_1.moc"
