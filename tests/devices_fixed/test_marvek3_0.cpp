// The Controller 3.0 model: identity, labels and help keys by row kind, and the parts of its
// page that depend on the board (costs tab, prices in the program groups, credit flags).
#include "devices/devmarvek3_0.h"
#include "fixedprobe.h"
#include <QAbstractButton>
#include <QtTest>

class TestMarvek3_0 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void identity_data()
    {
        QTest::addColumn<uint>("w0");
        QTest::addColumn<uint>("w2");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("oldest firmware") << 0x303u << 0x00C9u << true;
        QTest::newRow("newest firmware") << 0x300u << 0x0202u << true;
        QTest::newRow("newest hardware") << 0x304u << 0x0150u << true;
        QTest::newRow("firmware too old") << 0x303u << 0x00C8u << false;
        QTest::newRow("hardware too new") << 0x305u << 0x0201u << false;
        QTest::newRow("firmware too new") << 0x301u << 0x0203u << false;
        QTest::newRow("a 2.0 board") << 0x201u << 0x0201u << false;
    }
    void identity()
    {
        QFETCH(uint, w0);
        QFETCH(uint, w2);
        QFETCH(bool, accepted);
        DevMarvek3_0 m;
        QCOMPARE(m.title(), QStringLiteral("Marvek Totalizer"));
        QVERIFY(!m.accepts(quint16(w0), 0x0101, quint16(w2)));
        QCOMPARE(m.accepts(quint16(w0), 0x0100, quint16(w2)), accepted);
        QCOMPARE(m.word0, accepted ? quint16(w0) : quint16(0x0304));
        QCOMPARE(m.word2, quint16(0x0201));
    }

    void labelsAndHelpKeys_data()
    {
        QTest::addColumn<uint>("w0");
        QTest::addColumn<uint>("address");
        QTest::addColumn<QString>("label");
        QTest::addColumn<uint>("key");
        QTest::newRow("last washing cost") << 0x302u << 7058u << "Cost for wahing time over 130 minutes [cents]" << 7032u;
        QTest::newRow("first washing cost") << 0x304u << 7032u << "Cost for wahing time under 10 minutes [cents]" << 7032u;
        QTest::newRow("13th drying cost") << 0x304u << 7088u << "Cost for drying time under 130 minutes [cents]" << 7064u;
        QTest::newRow("price of program 15") << 0x304u << 7060u << "Price" << 7032u;
        QTest::newRow("time of program 16") << 0x304u << 7094u << "Time [sec]" << 7064u;
        QTest::newRow("price on an older board") << 0x301u << 7058u << "Price" << 7032u;
        QTest::newRow("time on an older board") << 0x300u << 7064u << "Time [sec]" << 7064u;
        QTest::newRow("program name") << 0x304u << 7030u << "Name" << 7000u;
        QTest::newRow("relays of program 3") << 0x304u << 7100u << "Relays to turn on" << 7096u;
        QTest::newRow("coin 12") << 0x304u << 7200u << "Coin 12 value [cents]" << 7178u;
        QTest::newRow("operator line 2") << 0x304u << 7228u << "Operator view line 2" << 7220u;
        QTest::newRow("out of order line 3") << 0x304u << 7370u << "Out of order view line 3" << 7354u;
        QTest::newRow("view timeout 3") << 0x304u << 7486u << "View timeout [sec]" << 7482u;
        QTest::newRow("idle background 3") << 0x304u << 7502u << "Idle view background" << 7490u;
        QTest::newRow("idle view 2 line 2") << 0x304u << 7650u << "Idle view line 2" << 7514u;
        QTest::newRow("timer line 16") << 0x304u << 8168u << "Timer view line 16" << 8048u;
        QTest::newRow("second colour") << 0x304u << 8040u << "Remaining time" << 8040u;
        QTest::newRow("NV price") << 0x304u << 0x8074u << "Default price [cents]" << 0x8074u;
        QTest::newRow("odd byte of a name") << 0x304u << 7001u << "Name" << 7000u;
        QTest::newRow("odd byte of a coin") << 0x304u << 7209u << "Coin 16 value [cents]" << 7178u;
        QTest::newRow("text pool") << 0x304u << 100u << "Parameter 100" << 100u;
    }
    void labelsAndHelpKeys()
    {
        QFETCH(uint, w0);
        QFETCH(uint, address);
        QFETCH(QString, label);
        QFETCH(uint, key);
        DevMarvek3_0 m;
        QVERIFY(m.accepts(quint16(w0), 0x0100, 0x0201));
        QCOMPARE(m.parName(address), label);
        QCOMPARE(m.helpKey(address), quint32(key));
    }

    void costsFollowTheHardware()
    {
        FixedProbe<DevMarvek3_0> older(0x301);
        QVERIFY(!older.tabTitles().contains(QStringLiteral("Costs")));
        for (quint32 k = 0; k < 16; ++k) {
            QCOMPARE(older.count(7032 + 2 * k), 1);
            QCOMPARE(older.count(7064 + 2 * k), 1);
        }
        QCOMPARE(older.word(7032), quint16(100));

        FixedProbe<DevMarvek3_0> costs(0x302);
        QCOMPARE(costs.tabTitles(),
                 (QStringList{"Coin validator", "Buttons and Programs", "Costs", "Fiscal signals", "Operator view",
                              "Out of order view", "Idle view 1", "Idle view 2", "Idle view 3", "Idle view 4",
                              "Credit view", "Timer view", "WiFi connection"}));
        // Every price and time has exactly one editor: the first 14 on the Costs tab.
        for (quint32 k = 0; k < 16; ++k) {
            QCOMPARE(costs.count(7032 + 2 * k), 1);
            QCOMPARE(costs.count(7064 + 2 * k), 1);
        }
        QCOMPARE(costs.word(7032), quint16(600));
        QCOMPARE(costs.word(7060), quint16(100));
        QCOMPARE(costs.word(7096 + 2 * 5), quint16(32));
        QCOMPARE(costs.word(7128 + 2 * 6), quint16(0));
    }

    void creditFlagsGrowWithTheHardware_data()
    {
        QTest::addColumn<uint>("w0");
        QTest::addColumn<int>("options");
        QTest::newRow("0x300") << 0x300u << 5;
        QTest::newRow("0x301") << 0x301u << 7;
        QTest::newRow("0x302") << 0x302u << 7;
        QTest::newRow("0x303") << 0x303u << 6;
        QTest::newRow("0x304") << 0x304u << 6;
    }
    void creditFlagsGrowWithTheHardware()
    {
        QFETCH(uint, w0);
        QFETCH(int, options);
        FixedProbe<DevMarvek3_0> page{quint16(w0)};
        Par *flags = page.editorAt(7162);
        QVERIFY(flags);
        QCOMPARE(flags->findChildren<QAbstractButton *>().size(), options);
    }
};

QTEST_MAIN(TestMarvek3_0)
#include "test_marvek3_0.moc"
