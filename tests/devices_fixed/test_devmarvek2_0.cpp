// The Controller 2.0 model: identity test, title, place in the model list, page and help files.
#include "app/maindialog.h"
#include "devices/devmarvek2_0.h"
#include "fakelink.h"
#include "privateenv.h"
#include "scriptedprompt.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

class TestDevMarvek2_0 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        DeviceCfg::setCurrent(nullptr);
        // "../Vandor" lies in the test's own temporary folder; removeFolder refuses anything else.
        if (QFileInfo::exists(QStringLiteral("../Vandor")))
            QVERIFY(PrivateEnv::removeFolder(QStringLiteral("../Vandor")));
    }

    void startsWithItsIdentityAndErasedMemory()
    {
        DevMarvek2_0 m;
        QCOMPARE(m.word0, quint16(0xFFFF));
        QCOMPARE(m.word1, quint16(0x0100));
        QCOMPARE(m.word2, quint16(0x9F0F));
        QCOMPARE(m.title(), QStringLiteral("Marvek ccTalk"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(m.image()), 8192), QByteArray(8192, char(0xFF)));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(m.nvRegion()), 128), QByteArray(128, char(0xFF)));
        QCOMPARE(m.parName(9000), QStringLiteral("Parameter 9000"));
    }

    void identity_data()
    {
        QTest::addColumn<uint>("w0");
        QTest::addColumn<uint>("w1");
        QTest::addColumn<uint>("w2");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("extended board, feature bits") << 0x242u << 0x100u << 0x9201u << true;
        QTest::newRow("0x200 firmware 0x202") << 0x200u << 0x100u << 0x0202u << true;
        QTest::newRow("0x201 firmware 0x201") << 0x201u << 0x100u << 0x0201u << true;
        QTest::newRow("hardware 0x202") << 0x202u << 0x100u << 0x0201u << false;
        QTest::newRow("family 0x101") << 0x201u << 0x101u << 0x0201u << false;
        QTest::newRow("firmware 0x203") << 0x201u << 0x100u << 0x0203u << false;
        QTest::newRow("firmware 0x200") << 0x201u << 0x100u << 0xF200u << false;
        QTest::newRow("cleared triple") << 0u << 0u << 0u << false;
        QTest::newRow("bridge board") << 0x207u << 0xE000u << 0u << false;
    }

    void identity()
    {
        QFETCH(uint, w0);
        QFETCH(uint, w1);
        QFETCH(uint, w2);
        QFETCH(bool, accepted);
        DevMarvek2_0 m;
        QCOMPARE(m.accepts(quint16(w0), quint16(w1), quint16(w2)), accepted);
        // An accepted board's words are the model's from then on; a refused one changes nothing.
        QCOMPARE(m.word0, quint16(accepted ? w0 : 0xFFFF));
        QCOMPARE(m.word1, quint16(0x0100));
        QCOMPARE(m.word2, quint16(accepted ? w2 : 0x9F0F));
    }

    void openingSelectsTheModel()
    {
        ScriptedPrompt prompt;
        DevMarvek2_0 m;
        FakeLink link;
        link.id0 = 0x242;
        link.id1 = 0x100;
        link.id2 = 0x8202;
        QVERIFY(link.open(1));
        QCOMPARE(DeviceCfg::current(), &m);
        QCOMPARE(m.word2, quint16(0x8202));
    }

    void isMadeAndOfferedByTheDefaultParts()
    {
        QObject owner;
        const QList<DeviceCfg *> offered = MainDialog::defaultParts().makeModels(&owner);
        QVERIFY(!offered.isEmpty());
        bool found = false;
        for (DeviceCfg *m = DeviceCfg::first(); m; m = m->next)
            found |= qobject_cast<DevMarvek2_0 *>(m) != nullptr;
        QVERIFY(found);
        int offeredIndex = -1;
        for (int i = 0; i < offered.size(); ++i)
            if (qobject_cast<DevMarvek2_0 *>(offered[i]))
                offeredIndex = i;
        QVERIFY(offeredIndex >= 0);
        QCOMPARE(offered[offeredIndex]->title(), QStringLiteral("Marvek ccTalk"));
        QCOMPARE(offered[offeredIndex]->parent(), &owner);
    }

    void buildPageLoadsHelpAndClearsTheCheck()
    {
        // The page reads back the file its help edits are saved to; the 1.1 board's file,
        // where the same address means something else, is never read.
        QVERIFY(QDir().mkpath(QStringLiteral("../Vandor")));
        QFile other(QStringLiteral("../Vandor/help_bg"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("7166\nSomething on another board.\n---\n");
        other.close();
        QFile help(QStringLiteral("../Vandor/help_cnt20_bg"));
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.write("7166\nRelays that work inverted.\n---\n");
        help.close();

        DevMarvek2_0 m;
        m.image()[8180] = 0x07;
        QWidget container;
        m.buildPage(&container);
        QVERIFY(qobject_cast<QVBoxLayout *>(container.layout()));
        QCOMPARE(m.helpText(7166), QStringLiteral("Relays that work inverted."));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(m.image()) + 8180, 12),
                 QByteArray("\x01\x80\xff\xff\0\0\0\0\0\0\0\0", 12));
        QCOMPARE(DeviceCfg::pageBuilding(), 0);
    }

    void saveHelpCreatesTheDevelopmentFolder()
    {
        DeviceCfg::clearHelpTexts();
        DeviceCfg::setHelpText(6774, QStringLiteral("Pause"));
        DevMarvek2_0 m;
        m.saveHelp();
        QFile saved(QStringLiteral("../Vandor/help_cnt20_bg"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("6774\nPause\n---\n"));
    }
};

QTEST_MAIN(TestDevMarvek2_0)
#include "test_devmarvek2_0.moc"
