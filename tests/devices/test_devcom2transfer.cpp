// Board transfers over a scripted link: reading the description of the three lists, writing
// the configuration and one parameter, and the ways a board's answers can go wrong.
#include "cfgfixture.h"
#include "fakelink.h"
#include "devices/devcom2transfer.h"
#include <QtTest>

// What a board holding the current registry answers, list after list, in 60-byte packets.
static QList<FakeLink::DynAnswer> boardAnswers()
{
    QList<FakeLink::DynAnswer> out;
    for (int list = 1; list <= 3; ++list) {
        CfgStream s(CfgStream::Describe);
        s.startList(quint32(list) << 30);
        const auto chunks = chunksOf(s, 60);
        for (int i = 0; i < chunks.size(); ++i)
            out.append({chunks[i].first, quint8(i + 1 == chunks.size() ? 1 : 0), quint8(chunks[i].second), true});
    }
    return out;
}

static void makeThreeLists()
{
    makeEveryKind();
    static_cast<CfgParString *>(CfgPar::create(0x47100009u))->value().setText(QByteArray(150, 's'));
    static_cast<CfgParM32 *>(CfgPar::create(0x86100001u))->setValue(77);
    auto *va = static_cast<CfgParValArr16 *>(CfgPar::create(0xC8100002u));
    va->setLimits(0, 1000);
    va->setAt(3, 200);
}

static QList<quint32> selectors(const FakeLink &link)
{
    QList<quint32> out;
    for (const FakeLink::Call &c : link.callsOf("readDynCfg"))
        out.append(quint32(c.address));
    return out;
}

class TestDynTransfer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { CfgPar::destroyAll(); }
    void cleanup() { CfgPar::destroyAll(); }

    void readsAllThreeLists()
    {
        makeThreeLists();
        const QByteArray l1 = imageOf(1, true).bytes, l2 = imageOf(2, true).bytes, l3 = imageOf(3, true).bytes;
        FakeLink link;
        link.dynAnswers = boardAnswers();
        const int packets = link.dynAnswers.size();
        CfgPar::destroyAll();
        const DynReadResult r = DynTransfer::readDescription(&link);
        QVERIFY(!r.failed());
        QCOMPARE(imageOf(1, true).bytes, l1);
        QCOMPARE(imageOf(2, true).bytes, l2);
        QCOMPARE(imageOf(3, true).bytes, l3);
        const QList<quint32> sel = selectors(link);
        QCOMPARE(sel.size(), packets);
        QCOMPARE(sel.first(), 0x40000000u);
        QCOMPARE(sel.count(0x80000000u), 1);
        QCOMPARE(sel.count(0xC0000000u), 1);
        QCOMPARE(sel.count(0u), packets - 3);
    }

    void readingAgainReusesTheParameters()
    {
        makeThreeLists();
        FakeLink link;
        link.dynAnswers = boardAnswers();
        CfgPar *first = CfgPar::head(1);
        static_cast<CfgParM16 *>(CfgPar::find(1, 0x45100802u))->setValue(1);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("already exsist"));
        QVERIFY(!DynTransfer::readDescription(&link).failed());
        QCOMPARE(CfgPar::head(1), first);
        QCOMPARE(static_cast<CfgParM16 *>(CfgPar::find(1, 0x45100802u))->value(), quint16(0xA5C3));
    }

    void answerProblems_data()
    {
        QTest::addColumn<int>("list");        // which list's first packet goes wrong
        QTest::addColumn<QString>("problem"); // "fail", "errorflag", "corrupt", "halfrecord"
        QTest::addColumn<bool>("stream");
        QTest::addColumn<bool>("list1");
        QTest::addColumn<bool>("later");
        QTest::newRow("failed packet, list 1") << 1 << "fail" << false << true << false;
        QTest::newRow("failed packet, list 3") << 3 << "fail" << false << false << true;
        QTest::newRow("error answer, list 2") << 2 << "errorflag" << false << false << true;
        QTest::newRow("corrupt record, list 1") << 1 << "corrupt" << true << false << false;
        QTest::newRow("list ends inside a record") << 2 << "halfrecord" << false << false << true;
    }
    void answerProblems()
    {
        QFETCH(int, list);
        QFETCH(QString, problem);
        QFETCH(bool, stream);
        QFETCH(bool, list1);
        QFETCH(bool, later);
        QList<FakeLink::DynAnswer> script;
        for (int l = 1; l <= 3; ++l) {
            const QByteArray rec = u32le((quint32(l) << 30) | 0x05000001u) + hex("0100");
            if (l != list) {
                script.append({rec, 1, quint8(rec.size()), true});
            } else if (problem == "fail") {
                script.append({QByteArray(), 0, 0, false});
            } else if (problem == "errorflag") {
                script.append({rec, 3, quint8(rec.size()), true});
            } else if (problem == "corrupt") {
                const QByteArray bad = u32le(0x4F000001u) + hex("0100");
                script.append({bad, 1, quint8(bad.size()), true});
                QTest::ignoreMessage(QtDebugMsg, "Cannot create UID 4f000001. Loading corrupted.");
            } else {
                script.append({rec.left(5), 1, 0, true});
            }
        }
        FakeLink link;
        link.dynAnswers = script;
        const DynReadResult r = DynTransfer::readDescription(&link);
        QCOMPARE(r.streamError, stream);
        QCOMPARE(r.list1TransferError, list1);
        QCOMPARE(r.transferError, later);
        QVERIFY(r.failed());
        // A corrupt description ends the transfer; anything else goes on to the last list.
        QCOMPARE(selectors(link).size(), stream ? list : 3);
        if (!stream)
            QCOMPARE(CfgPar::count(3), list == 3 ? 0 : 1);
    }

    void boardThatNeverEndsItsList()
    {
        FakeLink link;
        for (int i = 0; i < DynTransfer::MaxPacketsPerList + 5; ++i)
            link.dynAnswers.append({QByteArray(), 0, 0, true});
        const DynReadResult r = DynTransfer::readDescription(&link);
        QVERIFY(r.list1TransferError);
        QVERIFY(!r.transferError);
        // List 1 is given up at the bound; list 2 takes the five left and the closing answer.
        QCOMPARE(selectors(link).size(), DynTransfer::MaxPacketsPerList + 6 + 1);
    }

    void writesTheConfiguration()
    {
        makeThreeLists();
        const Image img = imageOf(1, false);
        const QByteArray image = img.bytes;
        FakeLink link;
        QVERIFY(DynTransfer::writeConfig(&link));
        const auto calls = link.callsOf("writeDynCfg");
        QByteArray sent;
        for (int i = 0; i < calls.size(); ++i) {
            QCOMPARE(calls[i].address, i == 0 ? 1 : 2); // marker
            QVERIFY(calls[i].data.size() <= 60);
            // Every chunk's complete count reaches exactly the last record that ends in it.
            const int start = sent.size(), end = start + calls[i].data.size();
            int complete = 0;
            for (int e : img.ends)
                if (e > start && e <= end)
                    complete = e - start;
            QCOMPARE(calls[i].length, complete);
            sent += calls[i].data;
        }
        QVERIFY(calls.size() > 3);
        QCOMPARE(sent, image);
        // Handing the chunks to a reader with their complete counts gives the values back.
        scramble(1);
        CfgStream r;
        for (const auto &c : calls)
            QVERIFY(r.readChunk(reinterpret_cast<const quint8 *>(c.data.constData()), c.data.size(), c.length));
        QCOMPARE(imageOf(1, false).bytes, image);
    }

    void writesOneParameter_data()
    {
        QTest::addColumn<quint32>("uid");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("present") << 0x86100001u << u32le(0x86100001u) + hex("4d000000");
        QTest::newRow("absent") << 0x86100002u << QByteArray();
    }
    void writesOneParameter()
    {
        QFETCH(quint32, uid);
        QFETCH(QByteArray, bytes);
        makeThreeLists();
        FakeLink link;
        QVERIFY(DynTransfer::writeParameter(&link, uid));
        const auto calls = link.callsOf("writeDynCfg");
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].data.toHex(), bytes.toHex());
        QCOMPARE(calls[0].address, 1);
        QCOMPARE(calls[0].length, bytes.size());
    }

    void longParameterGoesInSeveralChunks()
    {
        static_cast<CfgParString *>(CfgPar::create(0x47000001u))->value().setText(QByteArray(130, 'w'));
        FakeLink link;
        QVERIFY(DynTransfer::writeParameter(&link, 0x47000001u));
        const auto calls = link.callsOf("writeDynCfg");
        QCOMPARE(calls.size(), 3);
        QCOMPARE(calls[0].address, 1);
        QCOMPARE(calls[1].address, 2);
        QCOMPARE(calls[0].length, 0);
        QCOMPARE(calls[1].length, 0);
        QCOMPARE(calls[2].length, 136 - 120);
    }

    void refusedChunkIsReported()
    {
        makeThreeLists();
        FakeLink link;
        link.failOp = "writeDynCfg";
        QVERIFY(!DynTransfer::writeConfig(&link, false));
        QVERIFY(link.callsOf("writeDynCfg").size() > 1); // the rest is still sent
    }
};

QTEST_GUILESS_MAIN(TestDynTransfer)
#include "test_devcom2transfer.moc"
