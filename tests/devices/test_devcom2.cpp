// The dynamic device on a scripted link: identity, its tables, the machine setup keyword, a
// failed list 1 failing the read, failed writes as results, and the differences of two dumps.
#include "cfgfixture.h"
#include "devices/devcom2.h"
#include "devices/devcom2records.h"
#include "devices/devcom2tables.h"
#include "devices/modeldiff.h"
#include <QBuffer>
#include "fakelink.h"
#include "scriptedprompt.h"
#include <QWidget>
#include <QtTest>

using namespace DevCom2Tables;

class TestDevCom2 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { CfgPar::destroyAll(); }
    void cleanup()
    {
        setCurrentLink(nullptr);
        setPrompt(nullptr);
        CfgPar::destroyAll();
    }

    void identityAndTables()
    {
        DevCom2 model;
        QVERIFY(model.accepts(0x1234, 0x0200, 0xBEEF));
        QCOMPARE(model.word0, quint16(0x1234));
        QCOMPARE(model.word2, quint16(0xBEEF));
        QVERIFY(!model.accepts(0x0242, 0x0100, 0x9202));
        QCOMPARE(model.parName(0x45102003u), QStringLiteral("Disabled coins [channel]"));
        QCOMPARE(model.parName(0x45302800u), QStringLiteral("Protection"));
        QCOMPARE(model.parName(0x42F0100Cu), QStringLiteral("Custom currency (uu)<br>Format: symbol/subsymbol/decimals/scale (EUR/c/2/0)"));
        QCOMPARE(model.parName(0x42777001u), QStringLiteral("Parameter 42777001"));
        const QList<std::pair<quint32, QStringList>> tabs = {
            {0x102000, {"Coin validator", "C"}},        {0x107000, {"Coin validator 7", "C7"}},
            {0x228000, {"Banknote validator", "B"}},    {0x303000, {"Hopper Token / Primary", "H1"}},
            {0x305000, {"Hopper 5", "H5"}},             {0x405000, {"View Idle 4", "VI4"}},
            {0x40A000, {"View Card", "VCd"}},            {0x40B000, {"View ID 11", "V11"}},
            {0x577000, {"WiFi module", "WF"}},          {0xF04000, {"POS terminal", "Pos"}},
            {0xF05000, {"Device ID 5", "D5"}},           {0x70A000, {"Unknown ID 10", "U10"}}};
        for (const auto &t : tabs) {
            QCOMPARE(tabTitle(t.first), t.second[0]);
            QCOMPARE(tabShortTitle(t.first), t.second[1]);
        }
        // Mask names of the disabled coins: the denominations of the same instance, if any.
        QVERIFY(!model.parProperty(0x45102003u, "MaskNames").isValid());
        auto *denoms = static_cast<CfgParValArr16 *>(CfgPar::create(0xC8102002u));
        denoms->setLimits(0, 1000);
        denoms->setAt(0, 5);
        denoms->setAt(1, 10);
        const QStringList names = model.parProperty(0x45102003u, "MaskNames").toStringList();
        QCOMPARE(names.size(), 16);
        QCOMPARE(names.mid(0, 3), QStringList({"5", "10", "0"}));
        QVERIFY(!model.parProperty(0x45105003u, "MaskNames").isValid());
        QCOMPARE(model.parProperty(0x45F0100Au, "MaskBits").toByteArray(), QByteArray("BGEN"));
        QCOMPARE(model.parProperty(0x45F0100Au, "MaskOrder").toInt(), 2);
        QCOMPARE(model.parProperty(0x49401001u, "BgrModes").toInt(), 3);
        QCOMPARE(model.parProperty(0x49402001u, "BgrModes").toInt(), 3);
        QVERIFY(!model.parProperty(0x42F01002u, "MaskOrder").isValid());
    }

    void machineSetupKeyword_data()
    {
        QTest::addColumn<QByteArray>("board");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("sent"); // empty: nothing sent
        const QByteArray erased(32, char(0xFF));
        const QByteArray first = QByteArray::fromHex("3412") + QByteArray(30, char(0xFF));
        QTest::newRow("first word only") << first << "01 02 03 04" << "34 12"
                                         << QByteArray::fromHex("01020304") + QByteArray(28, char(0xFF));
        QByteArray fifth = QByteArray(32, '\0');
        fifth[8] = 0x07;
        QTest::newRow("up to word 5") << fifth << "" << "00 00 00 00 00 00 00 00 07 00" << QByteArray();
        QTest::newRow("odd digits") << erased << "a-bc" << "ff ff"
                                    << QByteArray::fromHex("0abc") + QByteArray(30, char(0xFF));
        QTest::newRow("33 bytes") << erased << QString(QByteArray(33, 0x11).toHex()) << "ff ff" << QByteArray(32, 0x11);
        QTest::newRow("40 bytes") << erased << QString(QByteArray(40, 0x22).toHex()) << "ff ff" << QByteArray(32, 0x22);
        QTest::newRow("31 bytes") << first << QString(QByteArray(31, 0x33).toHex()) << "34 12"
                                  << QByteArray(30, 0x33) + QByteArray(2, char(0xFF));
    }
    void machineSetupKeyword()
    {
        QFETCH(QByteArray, board);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, sent);
        ScriptedPrompt prompt;
        setPrompt(&prompt);
        prompt.texts.enqueue(typed);
        FakeLink link;
        link.setup = board;
        setCurrentLink(&link);
        DevCom2 model;
        model.readDevice(nullptr);
        QCOMPARE(model.hexDump(), QStringLiteral("not applied"));
        QCOMPARE(prompt.asked, QStringList{"Machine setup|Setup keyword"});
        QCOMPARE(prompt.prefilled, QStringList{shown});
        const auto writes = link.callsOf("writeMachineSetup");
        QCOMPARE(writes.size(), sent.isEmpty() ? 0 : 1);
        if (!sent.isEmpty())
            QCOMPARE(writes[0].data.toHex(), sent.toHex());
    }

    // A failed list 1 fails the read; a whole description builds one tab per group and instance.
    void firstListFailureFailsTheRead()
    {
        for (bool fail : {true, false}) {
            CfgPar::destroyAll();
            FakeLink link;
            setCurrentLink(&link);
            const QByteArray rec = u32le(0x42102002u) + hex("0100 1000 0500");
            link.dynAnswers = {{rec, quint8(fail ? 3 : 1), quint8(rec.size()), true}};
            DevCom2 model;
            QWidget page;
            model.buildPage(&page);
            QCOMPARE(model.readDevice(nullptr), fail);
            QCOMPARE(page.findChildren<QWidget *>("tab2Button").size(), 1);
        }
    }

    // A failed write comes back as the operation's result, however many chunks it took.
    void failedWritesComeBack()
    {
        static_cast<CfgParString *>(CfgPar::create(0x47000001u))->value().setText(QByteArray(130, 'w'));
        makeEveryKind();
        FakeLink link;
        link.failOp = "writeDynCfg";
        setCurrentLink(&link);
        DevCom2 model;
        QVERIFY(!model.changed(0x47000001u, 0));
        QVERIFY(!model.writeDevice(nullptr));
        link.failOp.clear();
        QVERIFY(model.writeDevice(nullptr));
        QVERIFY(model.changed(0x42100001u, 0));
    }

    // Two dumps' records compared: a value changed, one only each side has, equal ones left
    // out; the first dump's order first. The window's compare view, the companion's diff and
    // its verify all read this.
    void recordDifferences()
    {
        using R = DevCom2Records::Record;
        const QList<R> a{{1, "\x01"}, {2, "\x02"}, {3, "\x03"}};
        const QList<R> b{{4, "\x04"}, {3, "\x03"}, {2, "\x22"}};
        const QList<DevCom2Records::Difference> d = DevCom2Records::differences(a, b);
        QCOMPARE(d.size(), 3);
        QCOMPARE(d[0].uid, 1u);
        QVERIFY(d[0].a && !d[0].b);
        QCOMPARE(d[1].uid, 2u);
        QCOMPARE(*d[1].a, QByteArray("\x02"));
        QCOMPARE(*d[1].b, QByteArray("\x22"));
        QCOMPARE(d[2].uid, 4u);
        QVERIFY(!d[2].a && d[2].b);
        QVERIFY(DevCom2Records::differences(a, a).isEmpty());
    }

    // What a read-back does not hold of what was written, as the companion's verify names it:
    // a value changed on the way and a hardware setting are named; a parameter only the board
    // holds is its own.
    void unheldValuesOfAWrite()
    {
        makeEveryKind();
        DevCom2 model;
        model.setPageless(true);
        const auto dump = [&] {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            return model.save(&buffer) ? buffer.data() : QByteArray();
        };
        const QByteArray written = dump();
        static_cast<CfgParN16 *>(CfgPar::find(1, 0x42100001u))->setValue(43);
        static_cast<CfgParM16 *>(CfgPar::find(1, 0x45100802u))->setValue(0x0001);
        static_cast<CfgParColour *>(CfgPar::create(0x4A100009u))->setValue(0x07E0);
        const QByteArray back = dump();
        const QList<ParamDifference> d = ModelDiff::unheld(&model, written, back, BoardFeatures{});
        QCOMPARE(d.size(), 2);
        QCOMPARE(d[0].site.address, 0x42100001u);
        QCOMPARE(d[0].a, QStringLiteral("42"));
        QCOMPARE(d[0].b, QStringLiteral("43"));
        QVERIFY(d[0].dynamic && !d[0].label.isEmpty() && !d[0].site.group.isEmpty());
        QCOMPARE(d[1].site.address, 0x45100802u);
        QVERIFY(ModelDiff::unheld(&model, written, written, BoardFeatures{}).isEmpty());
    }
};

QTEST_MAIN(TestDevCom2)
#include "test_devcom2.moc"
