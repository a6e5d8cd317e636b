// The Controller 2.0 parameter table: labels and help keys of addresses, and the table's own
// consistency (no address claimed twice, every value inside the image or the NV region).
#include "devices/devmarvek2_0.h"
#include "devices/marvek2_0_table.h"
#include <QSet>
#include <QtTest>

using namespace FixedTable;

class TestMarvek2_0Table : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void labels_data()
    {
        QTest::addColumn<uint>("address");
        QTest::addColumn<QString>("label");
        QTest::newRow("inverter 2 time A") << 6549u << "Inverter 2 (time A)";
        QTest::newRow("inverter 1 time A") << 6548u << "Inverter 1 (time A)";
        QTest::newRow("inverter 1 time B, program 3") << 6584u << "Inverter 1 (time B)";
        QTest::newRow("inverter 2, program 16") << 6643u << "Inverter 2";
        QTest::newRow("coin 2 channel") << 7180u << "Coin validator channel";
        QTest::newRow("coin 1 min") << 7174u << "Min pulse period [ms]";
        QTest::newRow("coin 16 max") << 7296u << "Max pulse period [ms]";
        QTest::newRow("coin 16 value") << 7298u << "Coin value [cents]";
        QTest::newRow("odd byte of a coin record") << 7181u << "Parameter 7181";
        QTest::newRow("outside the table") << 9000u << "Parameter 9000";
        QTest::newRow("text pool") << 100u << "Parameter 100";
        QTest::newRow("inverter relays 1") << 6540u << "Relays to switch on together with the Inverter 1";
        QTest::newRow("inverter relays 2, odd byte") << 6543u << "Relays to switch on together with the Inverter 2";
        QTest::newRow("inverter delay 2") << 6546u
            << "Delay the relays turn off after the Inverter 2 switch off [ms]";
        QTest::newRow("ccTalk coin 1") << 7300u << "Coin 1 value [cents]";
        QTest::newRow("ccTalk coin 16") << 7330u << "Coin 16 value [cents]";
        QTest::newRow("operator line 1") << 7342u << "Operator view line 1";
        QTest::newRow("operator line 2 colour") << 7352u << "Operator view line 2";
        QTest::newRow("out of order line 16") << 7600u << "Out of order view line 16";
        QTest::newRow("idle view 1 line 1") << 7636u << "Idle view line 1";
        QTest::newRow("idle view 1 line 16") << 7756u << "Idle view line 16";
        QTest::newRow("idle view 2 line 1") << 7764u << "Idle view line 1";
        QTest::newRow("idle view 4 line 16") << 8140u << "Idle view line 16";
        QTest::newRow("idle background 2") << 7618u << "Idle view background";
        QTest::newRow("view timeout 4") << 7610u << "View timeout [sec]";
        QTest::newRow("second relay word") << 7060u << "Relays to keep unchanged";
        QTest::newRow("extra second word") << 6710u << "Relays to keep unchanged - extra boards";
        QTest::newRow("second colour") << 6830u << "Active view color 4";
        QTest::newRow("program name") << 6890u << "Name";
        QTest::newRow("fiscal channel") << 6786u << "Channel for fiscal pulses";
        QTest::newRow("popup") << 6772u << "Popup messages timout [sec]";
        QTest::newRow("NV coin time") << 0x8074u << "Coin default time [sec]";
        QTest::newRow("other NV offset") << 0x8000u << "Parameter 32768";
        QTest::newRow("layout word") << 8180u << "Parameter 8180";
        QTest::newRow("last colour") << 8178u << "Active view pause timeout";
        QTest::newRow("odd byte of a single word") << 6775u << "Parameter 6775";
    }

    void labels()
    {
        QFETCH(uint, address);
        QFETCH(QString, label);
        DevMarvek2_0 model;
        QCOMPARE(model.parName(address), label);
    }

    void helpKeys_data()
    {
        QTest::addColumn<uint>("address");
        QTest::addColumn<uint>("key");
        QTest::newRow("operator line 2") << 7350u << 7342u;
        QTest::newRow("idle background 1 word 1") << 7613u << 7613u;
        QTest::newRow("idle background 2") << 7618u << 7612u;
        QTest::newRow("idle background 4 word 2") << 7634u << 7616u;
        QTest::newRow("operator line 16 offset 7") << 7469u << 7349u;
        QTest::newRow("out of order line 3 offset 2") << 7494u << 7478u;
        QTest::newRow("idle view 3 line 5 offset 4") << 7636u + 256 + 32 + 4 << 7640u;
        QTest::newRow("inverter relays 2") << 6542u << 6540u;
        QTest::newRow("inverter relays 2, odd") << 6543u << 6540u;
        QTest::newRow("inverter delay 2") << 6547u << 6544u;
        QTest::newRow("inverter 2 time A") << 6549u << 6548u;
        QTest::newRow("inverter 2 time B, program 16") << 6611u << 6580u;
        QTest::newRow("inverter 2, program 16") << 6643u << 6612u;
        QTest::newRow("extra toggle A") << 6650u << 6644u;
        QTest::newRow("extra second word") << 6739u << 6708u;
        QTest::newRow("second colour") << 6858u << 6828u;
        QTest::newRow("program name 16") << 6890u << 6860u;
        QTest::newRow("button input 16") << 7146u << 7116u;
        QTest::newRow("ccTalk coin 16") << 7331u << 7300u;
        QTest::newRow("view timeout 4") << 7610u << 7604u;
        QTest::newRow("coin record: own key") << 7180u << 7180u;
        QTest::newRow("single word") << 7170u << 7170u;
        QTest::newRow("outside") << 9000u << 9000u;
        QTest::newRow("NV") << 0x8074u << 0x8074u;
    }

    void helpKeys()
    {
        QFETCH(uint, address);
        QFETCH(uint, key);
        DevMarvek2_0 model;
        QCOMPARE(model.helpKey(address), quint32(key));
    }

    void helpTextFollowsTheKey()
    {
        DevMarvek2_0 model;
        DeviceCfg::clearHelpTexts();
        DeviceCfg::setHelpText(7342, QStringLiteral("line help"));
        QCOMPARE(model.helpText(7350), QStringLiteral("line help"));
        QCOMPARE(model.helpText(7170), QStringLiteral("No help for parameter 7170"));
        DeviceCfg::clearHelpTexts();
    }

    // Every value of the table lies in the parameter area (or the NV region) and no byte is
    // claimed by two rows, except the alternatives of one parameter for different boards.
    void valuesAreDisjointAndInside()
    {
        QHash<quint32, const Row *> owner;
        for (const Row &row : marvek2_0Table()) {
            if (row.kind != Kind::Param)
                continue;
            for (int k = 0; k < row.count; ++k) {
                const quint32 a = row.valueAddress(k);
                if (a & 0x8000)
                    QVERIFY2(a + quint32(row.size()) <= 0x8080, qPrintable(QString::number(a)));
                else
                    QVERIFY2(a >= 6540 && a + quint32(row.size()) <= 8180, qPrintable(QString::number(a)));
                for (int b = 0; b < row.size(); ++b) {
                    const Row *other = owner.value(a + quint32(b));
                    QVERIFY2(!other || (other->first == row.first && row.count == 1),
                             qPrintable(QStringLiteral("byte %1 claimed twice").arg(a + quint32(b))));
                    owner.insert(a + quint32(b), &row);
                }
            }
        }
        // The whole parameter area 6540..8179 is described, but for the spare word at 6794.
        for (quint32 a = 6540; a < 8180; ++a)
            QVERIFY2(owner.contains(a) != (a == 6794 || a == 6795), qPrintable(QStringLiteral("byte %1 undescribed").arg(a)));
    }

    // Every value start is labelled by its own row.
    void everyValueHasItsRowsLabel()
    {
        const Table &t = marvek2_0Table();
        for (const Row &row : t) {
            if (row.kind != Kind::Param)
                continue;
            for (int k = 0; k < row.count; ++k) {
                const Row *found = rowFor(t, row.valueAddress(k));
                QVERIFY(found);
                QCOMPARE(QString::fromLatin1(found->label), QString::fromLatin1(row.label));
            }
        }
    }

    void indexedDefaults_data()
    {
        QTest::addColumn<uint>("word2");
        QTest::addColumn<int>("k");
        QTest::addColumn<uint>("coin");
        QTest::newRow("newer, input 1") << 0x202u << 0 << 0x40u;
        QTest::newRow("newer, input 3") << 0x202u << 2 << 0x01u;
        QTest::newRow("newer, input 6") << 0x202u << 5 << 0x10u;
        QTest::newRow("newer, past the list") << 0x202u << 6 << 0u;
        QTest::newRow("older, input 2 is 4") << 0x201u << 1 << 0x02u;
        QTest::newRow("older, input 4 is 6") << 0x201u << 3 << 0x10u;
        QTest::newRow("older, past the list") << 0x201u << 4 << 0u;
    }

    void indexedDefaults()
    {
        QFETCH(uint, word2);
        QFETCH(int, k);
        QFETCH(uint, coin);
        BoardFeatures board{0x201, quint16(word2)};
        const BitLists bits = BitLists::controller2_0(board);
        const Table &t = marvek2_0Table();
        QCOMPARE(defaultFor(*rowFor(t, 7172 + 8 * quint32(k)), k, bits), quint16(coin));
        QCOMPARE(defaultFor(*rowFor(t, 7084 + 2 * quint32(k)), k, bits), quint16(k < 6 ? 1 << k : 0));
        QCOMPARE(defaultFor(*rowFor(t, 7116 + 2 * quint32(k)), k, bits), quint16(k < 6 ? 0x100 << k : 0));
    }

    void relayLists_data()
    {
        QTest::addColumn<uint>("word0");
        QTest::addColumn<uint>("word2");
        QTest::addColumn<int>("relays");
        QTest::addColumn<int>("extra");
        QTest::newRow("plain board") << 0x201u << 0xF202u << 6 << 0;
        QTest::newRow("extended, no bits") << 0x242u << 0x0202u << 8 << 8;
        QTest::newRow("extended, bit 12") << 0x242u << 0x1202u << 16 << 8;
        QTest::newRow("extended, bit 13") << 0x242u << 0x2202u << 16 << 8;
        QTest::newRow("extended, bits 12 and 13") << 0x242u << 0x3202u << 16 << 16;
    }

    void relayLists()
    {
        QFETCH(uint, word0);
        QFETCH(uint, word2);
        QFETCH(int, relays);
        QFETCH(int, extra);
        const BitLists bits = BitLists::controller2_0({quint16(word0), quint16(word2)});
        QCOMPARE(bits.relays.masks.size(), relays);
        QCOMPARE(bits.relays.masks.last(), quint16(1u << (relays - 1)));
        QVERIFY(bits.relays.names.isEmpty());
        QCOMPARE(bits.extraRelays.masks.size(), extra);
        if (extra) {
            QCOMPARE(bits.extraRelays.names.first(), QStringLiteral("17"));
            QCOMPARE(bits.extraRelays.names.last(), QString::number(16 + extra));
        }
        QCOMPARE(bits.buttons.masks, (QVector<quint16>{0x100, 0x200, 0x400, 0x800, 0x1000, 0x2000}));
        QVERIFY(bits.buttons.names.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMarvek2_0Table)
#include "test_marvek2_0_table.moc"
