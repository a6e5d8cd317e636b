// The Robo controller and the Tokmat machine: identity in the model list, labels and help keys
// by row kind (the limited-function lines labelled by rule alone), their own layout blocks and
// dump refusals, byte-wide editors, the parts of the Tokmat page that follow the hardware, and
// their help files.
#include "app/maindialog.h"
#include "base/resources.h"
#include "devices/devmarvek2_0.h"
#include "devices/devmarvekrobo1_0.h"
#include "devices/devtokmat1_0.h"
#include "devices/imagefit.h"
#include "devices/marvekrobo1_0_table.h"
#include "devices/tokmat1_0_table.h"
#include "editors/parbitmask.h"
#include "editors/parslider2.h"
#include "fixedprobe.h"
#include "scriptedprompt.h"
#include "testlanguage.h"
#include <QAbstractButton>
#include <QBuffer>
#include <QDir>
#include <QSlider>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

QByteArray saved(FixedLayoutModel &m)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    return m.save(&buf) ? buf.data() : QByteArray();
}

bool loadBytes(FixedLayoutModel &m, const QByteArray &bytes)
{
    QBuffer buf;
    buf.setData(bytes);
    buf.open(QIODevice::ReadOnly);
    return m.load(&buf);
}

quint32 word32(const QByteArray &b, int at)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | quint8(b.at(at + i));
    return v;
}

quint32 xorAll(const QByteArray &b)
{
    quint32 x = 0;
    for (int a = 0; a < b.size(); a += 4)
        x ^= word32(b, a);
    return x;
}

// Puts a value into the file and makes its check word right again.
void reseal(QByteArray &b, int layoutAt)
{
    for (int i = 4; i < 12; ++i)
        b[layoutAt + i] = 0;
    const quint32 x = xorAll(b);
    for (int i = 0; i < 4; ++i)
        b[layoutAt + 4 + i] = char(x >> (8 * i));
}

} // namespace

class TestRoboTokmat : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { DeviceCfg::setCurrent(nullptr); }

    void identity_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<uint>("w0");
        QTest::addColumn<uint>("w1");
        QTest::addColumn<uint>("w2");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("robo") << "robo" << 0x100u << 0x100u << 0x400u << true;
        QTest::newRow("robo, other hardware") << "robo" << 0x101u << 0x100u << 0x400u << false;
        QTest::newRow("robo, other family") << "robo" << 0x100u << 0x101u << 0x400u << false;
        QTest::newRow("robo, other firmware") << "robo" << 0x100u << 0x100u << 0x401u << false;
        QTest::newRow("tokmat 0x201") << "tokmat" << 0x201u << 0x100u << 0x300u << true;
        QTest::newRow("tokmat 0x100") << "tokmat" << 0x100u << 0x100u << 0x300u << true;
        QTest::newRow("tokmat 0x102") << "tokmat" << 0x102u << 0x100u << 0x300u << true;
        QTest::newRow("tokmat 0x300") << "tokmat" << 0x300u << 0x100u << 0x300u << true;
        QTest::newRow("tokmat 0x202") << "tokmat" << 0x202u << 0x100u << 0x300u << false;
        QTest::newRow("tokmat 0x103") << "tokmat" << 0x103u << 0x100u << 0x300u << false;
        QTest::newRow("tokmat, other family") << "tokmat" << 0x200u << 0x101u << 0x300u << false;
        QTest::newRow("tokmat, the robo triple") << "tokmat" << 0x100u << 0x100u << 0x400u << false;
    }
    void identity()
    {
        QFETCH(QString, model);
        QFETCH(uint, w0);
        QFETCH(uint, w1);
        QFETCH(uint, w2);
        QFETCH(bool, accepted);
        DevMarvekRobo1_0 robo;
        DevTokmat1_0 tokmat;
        FixedLayoutModel &m = model == QLatin1String("robo") ? static_cast<FixedLayoutModel &>(robo) : tokmat;
        QCOMPARE(robo.title(), QStringLiteral("Marvek - Robo"));
        QCOMPARE(tokmat.title(), QStringLiteral("Tokmat"));
        QCOMPARE(m.accepts(quint16(w0), quint16(w1), quint16(w2)), accepted);
        QCOMPARE(m.word0, accepted ? quint16(w0) : m.layout().word0);
        QCOMPARE(m.word2, m.layout().word2);
    }

    // In the program's model list Tokmat comes before Robo, and the Robo triple still reaches
    // Robo; Tokmat gets the start page's fourth offline button, Robo none.
    void modelListSendsEachBoardToItsModel()
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
        QCOMPARE(list, (QStringList{"DevMarvek1_1", "DevMarvek2_0", "DevMarvek3_0", "DevTokmat1_0", "DevMarvekRobo1_0",
                                    "DevCom2", "DevEspRelay"}));
        QStringList offline;
        for (auto *b : window.findChildren<QPushButton *>()) {
            if (b->property("dev").isValid())
                offline << b->text();
        }
        QCOMPARE(offline, (QStringList{"Marvek", "Marvek ccTalk", "Marvek Totalizer", "Tokmat"}));

        // Offline, the Tokmat button opens the page of the model's own hardware word, floats and all.
        for (auto *b : window.findChildren<QPushButton *>()) {
            if (b->property("dev").isValid() && b->text() == QLatin1String("Tokmat")) {
                QTest::mouseClick(b, Qt::LeftButton);
                break;
            }
        }
        auto *tokmat = qobject_cast<DevTokmat1_0 *>(DeviceCfg::current());
        QVERIFY(tokmat);
        int floats = 0;
        tokmat->buildAllTabs();
        for (const auto &p : tokmat->placements())
            floats += p.address >= 8090 && p.address < 8122;
        QCOMPARE(floats, 32);
        DeviceCfg::setCurrent(nullptr);

        QVERIFY(DeviceCfg::selectModel(0x100, 0x100, 0x400));
        QCOMPARE(DeviceCfg::current()->metaObject()->className(), "DevMarvekRobo1_0");
        DeviceCfg::setCurrent(nullptr);
        QVERIFY(DeviceCfg::selectModel(0x101, 0x100, 0x300));
        QCOMPARE(DeviceCfg::current()->metaObject()->className(), "DevTokmat1_0");
        QCOMPARE(DeviceCfg::current()->word0, quint16(0x101));
        DeviceCfg::setCurrent(nullptr);
    }

    void roboLabelsAndHelpKeys_data()
    {
        QTest::addColumn<uint>("address");
        QTest::addColumn<QString>("label");
        QTest::addColumn<uint>("key");
        QTest::newRow("limited line, no change 2") << 7530u << "No change line 2" << 7490u;
        QTest::newRow("limited line, valid coin 2") << 7610u << "Valid coin line 2" << 7490u;
        QTest::newRow("limited line 1") << 7488u << "Limited view line 1" << 7488u;
        QTest::newRow("limited line 4, last byte") << 7519u << "Limited view line 4" << 7495u;
        QTest::newRow("limited line, no change 1") << 7520u << "No change line 1" << 7488u;
        QTest::newRow("limited line, valid change 1") << 7536u << "Valid change line 1" << 7488u;
        QTest::newRow("limited line, no banknote 2") << 7560u << "No banknote line 2" << 7488u;
        QTest::newRow("limited line, valid banknote 1") << 7568u << "Valid banknote line 1" << 7488u;
        QTest::newRow("limited line, no coin 1") << 7584u << "No coin line 1" << 7488u;
        QTest::newRow("SSID without an editor") << 6900u << "SSID" << 6900u;
        QTest::newRow("server URL") << 6906u << "Server URL" << 6906u;
        QTest::newRow("relays while active 3") << 6868u << "Relays while active" << 6864u;
        QTest::newRow("duration 16, odd byte") << 6939u << "Duration [sec]" << 6908u;
        QTest::newRow("name 2") << 6942u << "Name" << 6940u;
        QTest::newRow("cost 5") << 6980u << "Cost [cents]" << 6972u;
        QTest::newRow("relays to pulse 16") << 7034u << "Relays to pulse" << 7004u;
        QTest::newRow("banknote 2") << 7054u << "Banknote 2 value [cents]" << 7052u;
        QTest::newRow("coin 16") << 7118u << "Coin 16 value [cents]" << 7088u;
        QTest::newRow("wash line 2") << 7145u << "Wash view line 2" << 7137u;
        QTest::newRow("prepare line 16") << 7328u << "Prepare view line 16" << 7208u;
        QTest::newRow("out of order line 2, byte 3") << 7365u << "Out of order view line 2" << 7357u;
        QTest::newRow("idle view 2 line 1") << 7750u << "Idle view line 1" << 7622u;
        QTest::newRow("idle view 4 line 16") << 8126u << "Idle view line 16" << 7622u;
        QTest::newRow("idle background 3, byte 2") << 8148u << "Idle view background" << 8136u;
        QTest::newRow("view timeout 4") << 8164u << "View timeout [sec]" << 8158u;
        QTest::newRow("second colour") << 8166u << "Startup fail" << 8166u;
        QTest::newRow("credit pair") << 7342u << "Required text" << 7342u;
        QTest::newRow("relay invert") << 7042u << "Relay signal invert" << 7042u;
        QTest::newRow("text pool") << 100u << "Parameter 100" << 100u;
        QTest::newRow("layout word") << 8180u << "Parameter 8180" << 8180u;
    }
    void roboLabelsAndHelpKeys()
    {
        QFETCH(uint, address);
        QFETCH(QString, label);
        QFETCH(uint, key);
        DevMarvekRobo1_0 m;
        QCOMPARE(m.parName(address), label);
        QCOMPARE(m.helpKey(address), quint32(key));
    }

    // The rule-only labels, titles and tabs come in Bulgarian with the compiled-in translation.
    void bulgarianLabels()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/Vandor_bg.qm")));
        QVERIFY(QCoreApplication::installTranslator(&translator));
        DevMarvekRobo1_0 robo;
        DevTokmat1_0 tokmat;
        const QString robo7530 = robo.parName(7530), tokmat358 = tokmat.parName(358), tokmat8090 = tokmat.parName(8090);
        QStringList tabs;
        {
            FixedProbe<DevTokmat1_0> page(0x300);
            tabs = page.tabTitles();
        }
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(robo7530, QStringLiteral("Ред 2 при липса на ресто"));
        QCOMPARE(tokmat358, QStringLiteral("Ред 2 при работещ монетоприемник"));
        QCOMPARE(tokmat8090, QStringLiteral("Най-малък запас [банкноти]"));
        QCOMPARE(tabs.value(1), QStringLiteral("Банкнотоприемник"));
        QCOMPARE(tabs.value(7), QStringLiteral("Екран „Ограничена работа“"));
    }

    void tokmatLabelsAndHelpKeys_data()
    {
        QTest::addColumn<uint>("address");
        QTest::addColumn<QString>("label");
        QTest::addColumn<uint>("key");
        QTest::newRow("limited line, no change 2, byte 2") << 280u << "No change line 2" << 240u;
        QTest::newRow("limited line, valid coin 2") << 358u << "Valid coin line 2" << 238u;
        QTest::newRow("limited line 3, byte 5") << 259u << "Limited view line 3" << 243u;
        QTest::newRow("coin options") << 0u << "Options" << 0u;
        QTest::newRow("coin 16") << 34u << "Coin 16 value [cents]" << 4u;
        QTest::newRow("banknote options byte") << 36u << "Options" << 36u;
        QTest::newRow("max selected tokens byte") << 37u << "Max selected tokens" << 37u;
        QTest::newRow("banknote 1") << 40u << "Banknote 1 value [cents]" << 40u;
        QTest::newRow("banknote 16, odd byte") << 71u << "Banknote 16 value [cents]" << 40u;
        QTest::newRow("change coin") << 74u << "Change coin value [cents]" << 74u;
        QTest::newRow("second colour") << 96u << "Startup fail" << 96u;
        QTest::newRow("out of order line 16") << 224u << "Out of order view line 16" << 104u;
        QTest::newRow("view timeout 2") << 368u << "View timeout [sec]" << 366u;
        QTest::newRow("idle background 4") << 392u << "Idle view background" << 374u;
        QTest::newRow("idle view 1 line 2") << 406u << "Idle view line 2" << 398u;
        QTest::newRow("idle view 4 line 16, byte 7") << 909u << "Idle view line 16" << 405u;
        QTest::newRow("change text") << 920u << "Change text" << 920u;
        QTest::newRow("text pool") << 922u << "Parameter 922" << 922u;
        QTest::newRow("load balancing") << 8088u << "Token/Return load balancing [%]" << 8088u;
        QTest::newRow("minimum float 1") << 8090u << "Minimum float [banknotes]" << 8090u;
        QTest::newRow("minimum float 16") << 8105u << "Minimum float [banknotes]" << 8090u;
        QTest::newRow("maximum float 7") << 8112u << "Maximum float [banknotes]" << 8106u;
        QTest::newRow("maximum banknote value") << 8122u << "Maximum banknote value [cents]" << 8122u;
        QTest::newRow("fiscal channel") << 8126u << "Channel for fiscal pulses" << 8126u;
        QTest::newRow("payout delay") << 8130u << "Delay to start payout [sec]" << 8130u;
        QTest::newRow("layout word") << 8132u << "Parameter 8132" << 8132u;
    }
    void tokmatLabelsAndHelpKeys()
    {
        QFETCH(uint, address);
        QFETCH(QString, label);
        QFETCH(uint, key);
        DevTokmat1_0 m;
        QCOMPARE(m.parName(address), label);
        QCOMPARE(m.helpKey(address), quint32(key));
    }

    // Every byte belongs to one row (rows for different boards may share one), none overlaps the
    // text pool or the layout block, and every value is labelled, the rule-only lines included.
    void tablesDescribeEachByteOnce_data()
    {
        QTest::addColumn<QString>("model");
        QTest::newRow("robo") << "robo";
        QTest::newRow("tokmat") << "tokmat";
    }
    void tablesDescribeEachByteOnce()
    {
        QFETCH(QString, model);
        DevMarvekRobo1_0 robo;
        DevTokmat1_0 tokmat;
        const FixedLayoutModel &m = model == QLatin1String("robo") ? static_cast<FixedLayoutModel &>(robo) : tokmat;
        const FixedTable::Table &t = *m.table();
        const FixedLayout &layout = m.layout();
        QHash<quint32, const FixedTable::Row *> owner;
        int ruleOnly = 0;
        for (const FixedTable::Row &row : t) {
            if (row.kind != FixedTable::Kind::Param)
                continue;
            ruleOnly += !row.label && row.labelRule;
            for (int k = 0; k < row.count; ++k) {
                const quint32 a = row.valueAddress(k);
                const QString label = FixedTable::label(t, a, m.board());
                QVERIFY2(!label.isEmpty() && !label.startsWith(QLatin1String("Parameter")), qPrintable(QString::number(a)));
                QVERIFY(a + quint32(row.size()) <= quint32(layout.layoutAddress));
                QVERIFY2(int(a) >= layout.textBase + layout.textSize || int(a) + row.size() <= layout.textBase,
                         qPrintable(QString::number(a)));
                for (int b = 0; b < row.size(); ++b) {
                    const FixedTable::Row *other = owner.value(a + quint32(b));
                    QVERIFY2(!other || (other->first == row.first && other->when && row.when),
                             qPrintable(QStringLiteral("byte %1 claimed twice").arg(a + quint32(b))));
                    owner.insert(a + quint32(b), &row);
                }
            }
        }
        QCOMPARE(ruleOnly, 1);
    }

    // Each model seals its own layout block, loads what it sealed, and refuses a dump of the
    // other layout with its configuration unchanged.
    void layoutBlocksAndDumpRefusals()
    {
        FixedProbe<DevMarvekRobo1_0> robo(0x100);
        // Every value of a page's defaults fits its range (judged before a second page shares
        // the text pool).
        QCOMPARE(fitLayout(robo.model.layout(), robo.model.board(), robo.model.image()).wrong, 0);
        FixedProbe<DevTokmat1_0> tokmat(0x300);
        const QByteArray roboFile = saved(robo.model);
        const QByteArray tokmatFile = saved(tokmat.model);
        QCOMPARE(roboFile.size(), 8192);
        QCOMPARE(word32(roboFile, 8180), 1u);
        QCOMPARE(xorAll(roboFile), 0u);
        QCOMPARE(word32(tokmatFile, 8132), 1u);
        QCOMPARE(word32(tokmatFile, 8140), 0u);
        QCOMPARE(xorAll(tokmatFile), 0u);
        QVERIFY(loadBytes(robo.model, roboFile));
        QVERIFY(loadBytes(tokmat.model, tokmatFile));
        // Byte-wide options included.
        tokmat.model.image()[37] = 16;
        QCOMPARE(fitLayout(tokmat.model.layout(), tokmat.model.board(), tokmat.model.image()).wrong, 0);
        tokmat.model.image()[36] = 0x04;
        QCOMPARE(fitLayout(tokmat.model.layout(), tokmat.model.board(), tokmat.model.image()).wrong, 1);
        QVERIFY(loadBytes(tokmat.model, tokmatFile));

        // A Robo file with 1, 0, 0, 0 at 8180 loads; with 0x80 at 8181 it does not.
        QByteArray plain(8192, char(0xFF));
        for (int i = 0; i < 4; ++i)
            plain[8180 + i] = char(i == 0 ? 1 : 0);
        reseal(plain, 8180);
        QVERIFY(loadBytes(robo.model, plain));
        QByteArray flagged = plain;
        flagged[8181] = char(0x80);
        reseal(flagged, 8180);
        robo.model.image()[7046] = 42;
        const QByteArray before(reinterpret_cast<const char *>(robo.model.image()), 8192);
        QVERIFY(!loadBytes(robo.model, flagged));
        QVERIFY(!loadBytes(robo.model, tokmatFile));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(robo.model.image()), 8192), before);

        const QByteArray tokmatBefore(reinterpret_cast<const char *>(tokmat.model.image()), 8192);
        QVERIFY(!loadBytes(tokmat.model, roboFile));
        QVERIFY(!loadBytes(tokmat.model, plain));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(tokmat.model.image()), 8192), tokmatBefore);
        // A controller file whose word at 8132 happens to be 1 passes the Tokmat test.
        QByteArray lucky = plain;
        for (int i = 0; i < 4; ++i)
            lucky[8132 + i] = char(i == 0 ? 1 : 0);
        reseal(lucky, 8180);
        QVERIFY(loadBytes(tokmat.model, lucky));

        // Neither has an FM flag; the hex dump seals as saving does.
        QVERIFY(!robo.model.hasFmFlag());
        QVERIFY(!tokmat.model.hasFmFlag());
        QVERIFY(tokmat.model.hexDump().startsWith(QStringLiteral("0x")));
        QCOMPARE(word32(QByteArray(reinterpret_cast<const char *>(tokmat.model.image()), 8192), 8132), 1u);
    }

    void roboPage()
    {
        FixedProbe<DevMarvekRobo1_0> page(0x100);
        QCOMPARE(page.tabTitles(),
                 (QStringList{"Coin validator", "Banknote validator", "Hoppers", "Programs, Buttons and Relays",
                              "Timeout delays", "Fiscal signals", "Statup view", "Out of order view",
                              "Limited function view", "Idle view 1", "Idle view 2", "Idle view 3", "Idle view 4",
                              "Credit view", "Prepare view", "Wash view", "Card view"}));
        for (quint32 a : {6900u, 6902u, 6904u, 6906u})
            QCOMPARE(page.count(a), 0);
        for (quint32 line = 0; line < 16; ++line)
            QCOMPARE(page.count(7488 + 8 * line), 1);
        QCOMPARE(page.count(7136 + 8 * 7), 1);
        QCOMPARE(page.word(7004 + 2 * 5), quint16(32));
        QCOMPARE(page.word(7004 + 2 * 6), quint16(0));
        QCOMPARE(page.word(6972), quint16(1000));
        QCOMPARE(page.word(7044), quint16(0x0800));
        QCOMPARE(page.word(6898), quint16(0x20));
    }

    void tokmatPageFollowsTheHardware_data()
    {
        QTest::addColumn<uint>("w0");
        QTest::addColumn<bool>("newer");
        QTest::addColumn<bool>("floats");
        QTest::newRow("0x100") << 0x100u << false << false;
        QTest::newRow("0x101") << 0x101u << false << false;
        QTest::newRow("0x102") << 0x102u << true << false;
        QTest::newRow("0x200") << 0x200u << false << false;
        QTest::newRow("0x201") << 0x201u << true << false;
        QTest::newRow("0x300") << 0x300u << true << true;
    }
    void tokmatPageFollowsTheHardware()
    {
        QFETCH(uint, w0);
        QFETCH(bool, newer);
        QFETCH(bool, floats);
        FixedProbe<DevTokmat1_0> page{quint16(w0)};
        QCOMPARE(page.tabTitles(),
                 (QStringList{"Coin validator", "Banknote validator", "Hoppers", "Fiscal signals", "Buttons",
                              "Statup view", "Out of order view", "Limited function view", "Idle view 1",
                              "Idle view 2", "Idle view 3", "Idle view 4", "Credit view"}));
        QCOMPARE(page.count(37), newer ? 1 : 0);
        Par *options = page.editorAt(36);
        QVERIFY(qobject_cast<ParBitmask *>(options));
        QCOMPARE(options->findChildren<QAbstractButton *>().size(), newer ? 2 : 1);
        for (quint32 n = 0; n < 16; ++n) {
            QCOMPARE(page.count(8090 + n), floats ? 1 : 0);
            QCOMPARE(page.count(8106 + n), floats ? 1 : 0);
        }
        QCOMPARE(page.count(8122), floats ? 1 : 0);
        QCOMPARE(page.count(74), 1);
        // The change coin may be 0 on every board but the first.
        auto *change = qobject_cast<ParSlider2 *>(page.editorAt(74));
        QVERIFY(change);
        QCOMPARE(change->findChild<QSlider *>()->minimum(), w0 == 0x100 ? 1 : 0);
        // Erased values take their defaults; the bytes beside a byte value keep theirs.
        QCOMPARE(int(page.model.image()[36]), 255);
        QCOMPARE(int(page.model.image()[37]), newer ? 10 : 0xFF);
        QCOMPARE(int(page.model.image()[8090]), floats ? 10 : 0xFF);
        QCOMPARE(page.word(8126), quint16(0x20));
        QCOMPARE(page.word(8088), quint16(50));
    }

    // A byte-wide editor changes its own byte and reports one byte.
    void tokmatByteEditorsTouchOneByte()
    {
        FixedProbe<DevTokmat1_0> page(0x300);
        auto *tokens = qobject_cast<ParSlider2 *>(page.editorAt(37));
        auto *minFloat = qobject_cast<ParSlider2 *>(page.editorAt(8095));
        QVERIFY(tokens && minFloat);
        const QByteArray before(reinterpret_cast<const char *>(page.model.image()), 8192);
        tokens->setValue(7);
        minFloat->setValue(55);
        QByteArray after(reinterpret_cast<const char *>(page.model.image()), 8192);
        QCOMPARE(int(quint8(after[37])), 7);
        QCOMPARE(int(quint8(after[8095])), 55);
        after[37] = before[37];
        after[8095] = before[8095];
        QCOMPARE(after, before);
    }

    void embeddedHelpCoversThePages_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::newRow("bg") << "bg";
        QTest::newRow("en") << "en";
    }
    void embeddedHelpCoversThePages()
    {
        QFETCH(QString, lang);
        FixedProbe<DevMarvekRobo1_0> robo(0x100);
        DeviceCfg::clearHelpTexts();
        QVERIFY(DeviceCfg::readHelpFile(QStringLiteral(":/help_robo_") + lang));
        QCOMPARE(robo.keysWithoutHelp(), QList<quint32>());
        FixedProbe<DevTokmat1_0> tokmat(0x300);
        DeviceCfg::clearHelpTexts();
        QVERIFY(DeviceCfg::readHelpFile(QStringLiteral(":/help_tkm_") + lang));
        QCOMPARE(tokmat.keysWithoutHelp(), QList<quint32>());
        FixedProbe<DevTokmat1_0> older(0x100);
        QCOMPARE(older.keysWithoutHelp(), QList<quint32>());
    }

    // Robo's help edits go to a file of its own (not the 2.0 model's) and come back at the
    // next start; Tokmat's go to its own file too.
    void helpEditsComeBackFromTheModelsOwnFile()
    {
        setTextLanguage(QStringLiteral("bg")); // the Bulgarian files, whatever a window chose before
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("run")));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.filePath(QStringLiteral("run"))));
        DevMarvekRobo1_0 robo;
        DevTokmat1_0 tokmat;
        DevMarvek2_0 m20;
        QCOMPARE(robo.helpReadPath(), QStringLiteral(":/help_robo_bg"));
        QCOMPARE(tokmat.helpReadPath(), QStringLiteral(":/help_tkm_bg"));
        DeviceCfg::clearHelpTexts();
        DeviceCfg::setHelpText(7042, QStringLiteral("Edited on a Robo board"));
        robo.saveHelp();
        QCOMPARE(robo.helpReadPath(), QStringLiteral("../Vandor/help_robo_bg"));
        QCOMPARE(m20.helpReadPath(), QStringLiteral(":/help_bg"));
        QVERIFY(!QFileInfo::exists(QStringLiteral("../Vandor/help_cnt20_bg")));
        DeviceCfg::setHelpText(8088, QStringLiteral("Edited on a Tokmat"));
        tokmat.saveHelp();
        QCOMPARE(tokmat.helpReadPath(), QStringLiteral("../Vandor/help_tkm_bg"));
        DeviceCfg::clearHelpTexts();
        {
            QWidget container;
            robo.buildPage(&container);
            QCOMPARE(robo.helpText(7042), QStringLiteral("Edited on a Robo board"));
        }
        {
            QWidget container;
            tokmat.buildPage(&container);
            QCOMPARE(tokmat.helpText(8088), QStringLiteral("Edited on a Tokmat"));
        }
        QVERIFY(QDir::setCurrent(before));
    }

    // Tokmat writes its text pool from byte 922; Robo's relay test drives 7042, Tokmat's nothing.
    void noRelayMaskOnTokmat()
    {
        DevTokmat1_0 tokmat;
        const QByteArray before(reinterpret_cast<const char *>(tokmat.image()), 8192);
        tokmat.relayTest(0x3F);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(tokmat.image()), 8192), before);
        DevMarvekRobo1_0 robo;
        robo.relayTest(0x15);
        QCOMPARE(int(robo.image()[7042]), 0x15);
        QCOMPARE(int(robo.image()[7043]), 0);
    }
};

QTEST_MAIN(TestRoboTokmat)
#include "test_robo_tokmat.moc"
