// Transfers of the fixed-layout models against a recording link: whole reads and writes,
// the text pool, write ranges in the image and the NV region, counters and relay test.
#include "base/progress.h"
#include "fakelink.h"
#include "fixedtestmodel.h"
#include <QtTest>

using Calls = QVector<FakeLink::Call>;
Q_DECLARE_METATYPE(FakeLink::Call)

static FakeLink::Call call(const char *op, int address, int length, const QByteArray &data = {})
{
    return {QByteArray(op), address, length, data};
}

static QByteArray bytesAt(const quint8 *p, int n)
{
    return QByteArray(reinterpret_cast<const char *>(p), n);
}

class TestFixedTransfers : public QObject
{
    Q_OBJECT
    FakeLink *link = nullptr;

private Q_SLOTS:
    void init()
    {
        link = new FakeLink;
        setCurrentLink(link);
    }

    void cleanup()
    {
        setCurrentLink(nullptr);
        delete link;
        link = nullptr;
    }

    void readIssuesTheWholeSequence()
    {
        for (int i = 0; i < link->cfg.size(); ++i)
            link->cfg[i] = char(i * 7 + 3);
        for (int i = 0; i < link->nv.size(); ++i)
            link->nv[i] = char(i + 1);
        FixedTestModel m(controllerLayout);
        CountingProgress progress;
        QVERIFY(!m.readDevice(&progress));

        Calls expected;
        for (int a = 0; a < 8160; a += 60)
            expected.append(call("readCfg", a, 60));
        expected.append(call("readCfg", 8160, 32));
        expected.append(call("readNvMem", 0, 60));
        expected.append(call("readNvMem", 60, 60));
        expected.append(call("readNvMem", 120, 8));
        QCOMPARE(expected.size(), 140);
        QCOMPARE(link->calls, expected);
        QCOMPARE(m.imageBytes(), link->cfg);
        QCOMPARE(m.nvBytes(), link->nv);
        QCOMPARE(progress.maximum(), 8192);
        QCOMPARE(progress.value(), 8192);
    }

    void failedPieceIsReportedAfterTheWholeSequence_data()
    {
        QTest::addColumn<QByteArray>("op");
        QTest::addColumn<int>("address");
        QTest::newRow("first image piece") << QByteArray("readCfg") << 0;
        QTest::newRow("middle image piece") << QByteArray("readCfg") << 4200;
        QTest::newRow("last image piece") << QByteArray("readCfg") << 8160;
        QTest::newRow("every image piece") << QByteArray("readCfg") << -1;
        QTest::newRow("last NV piece") << QByteArray("readNvMem") << 120;
    }

    void failedPieceIsReportedAfterTheWholeSequence()
    {
        QFETCH(QByteArray, op);
        QFETCH(int, address);
        link->failOp = op;
        link->failAddress = address;
        FixedTestModel m(controllerLayout);
        QVERIFY(m.readDevice(nullptr));
        QCOMPARE(link->callsOf("readCfg").size(), 137);
        QCOMPARE(link->callsOf("readNvMem").size(), 3);
        QCOMPARE(link->calls.last(), call("readNvMem", 120, 8));
    }

    void eventsRunBetweenPieces()
    {
        FixedTestModel m(controllerLayout);
        QObject context;
        int callsWhenRun = -1;
        QMetaObject::invokeMethod(
            &context, [&] { callsWhenRun = link->calls.size(); }, Qt::QueuedConnection);
        m.readDevice(nullptr);
        QCOMPARE(callsWhenRun, 1);
    }

    void withoutLinkReadsFailAndWritesDoNothing()
    {
        setCurrentLink(nullptr);
        FixedTestModel m(controllerLayout);
        QVERIFY(m.readDevice(nullptr));
        m.writeDevice(nullptr);
        m.writeTexts(nullptr, 100);
        m.changed(7166, 2);
        m.clearNvm();
        m.relayTest(3);
        QVERIFY(link->calls.isEmpty());
    }

    void writeAllNeverSendsTheCheckWords()
    {
        FixedTestModel m(controllerLayout);
        for (int i = 0; i < 8192; ++i)
            m.image()[i] = quint8(i ^ (i >> 8));
        CountingProgress progress;
        m.writeDevice(&progress);

        Calls expected;
        for (int a = 0; a <= 8100; a += 60)
            expected.append(call("writeCfg", a, 60, bytesAt(m.image() + a, 60)));
        expected.append(call("writeCfg", 8160, 24, bytesAt(m.image() + 8160, 24)));
        QCOMPARE(link->calls, expected);
        QCOMPARE(progress.maximum(), 8192);
        QCOMPARE(link->cfg.mid(8184), QByteArray(8, char(0xFF)));
    }

    void writeTextsSendsThePoolPrefix_data()
    {
        QTest::addColumn<int>("layoutKind");
        QTest::addColumn<int>("count");
        QTest::addColumn<Calls>("expected");
        QTest::newRow("pool at image start")
            << 0 << 130
            << Calls{call("writeCfg", 0, 60), call("writeCfg", 60, 60), call("writeCfg", 120, 10)};
        QTest::newRow("upward pool") << 1 << 70
                                     << Calls{call("writeCfg", 834, 60), call("writeCfg", 894, 10)};
        QTest::newRow("exactly one piece") << 0 << 60 << Calls{call("writeCfg", 0, 60)};
        QTest::newRow("nothing") << 0 << 0 << Calls{};
        QTest::newRow("past the pool") << 0 << 7000 << Calls{};
    }

    void writeTextsSendsThePoolPrefix()
    {
        QFETCH(int, layoutKind);
        QFETCH(int, count);
        QFETCH(Calls, expected);
        FixedTestModel m(layoutKind == 0 ? controllerLayout : fmLayout);
        m.writeTexts(nullptr, count);
        const Calls sent = link->calls;
        if (count > m.layout().textSize) {
            // Cut at the end of the pool.
            QCOMPARE(sent.last().address + sent.last().length,
                     m.layout().textBase + m.layout().textSize);
            return;
        }
        QCOMPARE(sent.size(), expected.size());
        for (int i = 0; i < sent.size(); ++i) {
            QCOMPARE(sent[i].op, expected[i].op);
            QCOMPARE(sent[i].address, expected[i].address);
            QCOMPARE(sent[i].length, expected[i].length);
            QCOMPARE(sent[i].data, bytesAt(m.image() + sent[i].address, sent[i].length));
        }
    }

    void changedSendsTheRange_data()
    {
        QTest::addColumn<uint>("key");
        QTest::addColumn<int>("size");
        QTest::addColumn<Calls>("expected");  // data filled in from the model's memory
        QTest::newRow("image word") << 7166u << 2 << Calls{call("writeCfg", 7166, 2)};
        QTest::newRow("NV word") << 0x8074u << 2 << Calls{call("writeNvMem", 116, 2)};
        QTest::newRow("layout word") << 8180u << 4 << Calls{call("writeCfg", 8180, 4)};
        QTest::newRow("long range in pieces")
            << 100u << 130
            << Calls{call("writeCfg", 100, 60), call("writeCfg", 160, 60), call("writeCfg", 220, 10)};
        QTest::newRow("cut before the check words") << 8182u << 4 << Calls{call("writeCfg", 8182, 2)};
        QTest::newRow("check word") << 8184u << 4 << Calls{};
        QTest::newRow("cut at the NV end") << 0x807Eu << 4 << Calls{call("writeNvMem", 126, 2)};
        QTest::newRow("past the NV region") << 0x80C8u << 2 << Calls{};
        QTest::newRow("not an address") << 0x40000002u << 2 << Calls{};
        QTest::newRow("nothing") << 10u << 0 << Calls{};
    }

    void changedSendsTheRange()
    {
        QFETCH(uint, key);
        QFETCH(int, size);
        QFETCH(Calls, expected);
        FixedTestModel m(controllerLayout);
        for (int i = 0; i < 8192; ++i)
            m.image()[i] = quint8(i * 3);
        for (int i = 0; i < 128; ++i)
            m.nvRegion()[i] = quint8(200 - i);
        m.changed(key, size);
        for (FakeLink::Call &c : expected) {
            const quint8 *src = c.op == "writeNvMem" ? m.nvRegion() : m.image();
            c.data = bytesAt(src + c.address, c.length);
        }
        QCOMPARE(link->calls, expected);
    }

    void clearNvmZeroesAndSendsEveryCounter()
    {
        FixedTestModel m(controllerLayout);
        m.clearNvm();
        Calls expected;
        for (int i = 0; i < 32; ++i)
            expected.append(call("writeNvMem", 4 * i, 4, QByteArray(4, '\0')));
        QCOMPARE(link->calls, expected);
        QCOMPARE(m.nvBytes(), QByteArray(128, '\0'));
    }

    void relayTestDrivesTheRelayMask()
    {
        FixedTestModel m(controllerLayout);
        m.relayTest(0x1234);
        QCOMPARE(link->calls, Calls{call("writeCfg", 7166, 2, QByteArray("\x34\x12"))});

        link->calls.clear();
        FixedTestModel noRelays(lowLayout);
        noRelays.relayTest(0x1234);
        QVERIFY(link->calls.isEmpty());
    }

    void fmFlagIsBit15OfTheLayoutWord()
    {
        FixedTestModel m(fmLayout);
        m.image()[8181] = 0x00;
        QCOMPARE(m.fmFlag(), 0);
        m.setFmFlag(1);
        QCOMPARE(m.fmFlag(), 1);
        QCOMPARE(link->calls, Calls{call("writeCfg", 8180, 4, bytesAt(m.image() + 8180, 4))});
        QCOMPARE(m.image()[8181], quint8(0x80));

        link->calls.clear();
        FixedTestModel plain(controllerLayout);
        plain.setFmFlag(1);
        QCOMPARE(plain.fmFlag(), 0);
        QVERIFY(link->calls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFixedTransfers)
#include "test_fixedtransfers.moc"
