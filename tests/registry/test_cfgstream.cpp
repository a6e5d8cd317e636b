// The chunked record stream: chunk boundaries and complete counts, carried records, limit 0,
// records split at every byte position, single and hardware-filter writing, corrupt input.
#include "cfgfixture.h"
#include <QtTest>

static const quint8 *bytesOf(const QByteArray &b) { return reinterpret_cast<const quint8 *>(b.constData()); }

// Largest record boundary at or before k.
static int boundaryBefore(const Image &img, int k)
{
    int b = 0;
    for (int e : img.ends)
        if (e <= k)
            b = e;
    return b;
}

class TestCfgStream : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { CfgPar::destroyAll(); }
    void cleanup() { CfgPar::destroyAll(); }

    // 36 + 10 + 6 + (4 + 2 + text) bytes of records in one list.
    void chunkBoundary_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<QList<int>>("completes");
        QTest::newRow("exactly 60") << QByteArray("ab") << QList<int>{60} << QList<int>{60};
        QTest::newRow("61") << QByteArray("abc") << QList<int>{60, 1} << QList<int>{52, 1};
    }
    void chunkBoundary()
    {
        QFETCH(QByteArray, text);
        QFETCH(QList<int>, sizes);
        QFETCH(QList<int>, completes);
        CfgPar::create(0x48000001u);
        CfgPar::create(0x49000002u);
        CfgPar::create(0x42000003u);
        static_cast<CfgParString *>(CfgPar::create(0x47000004u))->value().setText(text);
        CfgStream s;
        s.startList(Uid::List1);
        const auto chunks = chunksOf(s, 60);
        QList<int> gotSizes, gotCompletes;
        QByteArray all;
        for (const auto &c : chunks) {
            gotSizes.append(c.first.size());
            gotCompletes.append(c.second);
            all += c.first;
        }
        QCOMPARE(gotSizes, sizes);
        QCOMPARE(gotCompletes, completes);
        QCOMPARE(s.carried(), 0);
        QCOMPARE(all, imageOf(1, false).bytes);
    }

    void stringLongerThanAChunk()
    {
        static_cast<CfgParString *>(CfgPar::create(0x47000001u))->value().setText(QByteArray(200, 'q'));
        CfgPar::create(0x45000002u);
        CfgStream s;
        s.startList(Uid::List1);
        const auto chunks = chunksOf(s, 60);
        // 206 + 6 bytes: three full chunks inside the string, then its end and the mask.
        QCOMPARE(chunks.size(), 4);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(chunks[i].first.size(), 60);
            QCOMPARE(chunks[i].second, 0);
        }
        QCOMPARE(chunks[3].first.size(), 32);
        QCOMPARE(chunks[3].second, 32);

        // The reader, given each chunk with its complete count, rebuilds the values.
        const QByteArray before = imageOf(1, false).bytes;
        scramble(1);
        CfgStream r;
        for (const auto &c : chunks)
            QVERIFY(r.readChunk(bytesOf(c.first), c.first.size(), c.second));
        QCOMPARE(r.carried(), 0);
        QCOMPARE(imageOf(1, false).bytes, before);
    }

    void limitZeroCarriesTheWholeChunk()
    {
        auto *m = static_cast<CfgParM16 *>(CfgPar::create(0x45000001u));
        const QByteArray rec = u32le(0x45000001u) + hex("3412");
        CfgStream r;
        QVERIFY(r.readChunk(bytesOf(rec), rec.size(), 0));
        QCOMPARE(m->value(), quint16(0));
        QCOMPARE(r.carried(), rec.size());
        // The next chunk's complete count covers the carried record as well.
        const QByteArray rec2 = u32le(0x45000001u) + hex("7856");
        QVERIFY(r.readChunk(bytesOf(rec2), rec2.size(), rec2.size()));
        QCOMPARE(m->value(), quint16(0x5678));
        QCOMPARE(r.carried(), 0);
    }

    // Every kind, both modes: the image cut in two at every byte position, each part handed
    // over with the complete count its sender would give, reads back to the same values.
    void everySplitPoint_data()
    {
        QTest::addColumn<bool>("describe");
        QTest::newRow("value") << false;
        QTest::newRow("describe") << true;
    }
    void everySplitPoint()
    {
        QFETCH(bool, describe);
        makeEveryKind();
        const Image img = imageOf(1, describe);
        const QByteArray expected = imageOf(1, describe).bytes;
        const quint32 mode = describe ? quint32(CfgStream::Describe) : 0u;
        for (int k = 0; k <= img.bytes.size(); ++k) {
            if (describe)
                CfgPar::destroyAll();
            else
                scramble(1);
            CfgStream r(mode);
            const QByteArray first = img.bytes.left(k), rest = img.bytes.mid(k);
            QVERIFY(r.readChunk(bytesOf(first), first.size(), boundaryBefore(img, k)));
            QVERIFY(r.readChunk(bytesOf(rest), rest.size(), rest.size()));
            QCOMPARE(r.carried(), 0);
            if (imageOf(1, describe).bytes != expected)
                QFAIL(qPrintable(QStringLiteral("split at %1 of %2").arg(k).arg(img.bytes.size())));
        }
    }

    // Writer and reader together at every chunk size from 1 byte up to the whole image.
    void everyChunkSize()
    {
        makeEveryKind();
        const QByteArray expected = imageOf(1, false).bytes;
        for (int cap = 1; cap <= expected.size() + 1; ++cap) {
            CfgStream w;
            w.startList(Uid::List1);
            const auto chunks = chunksOf(w, cap);
            scramble(1);
            CfgStream r;
            for (const auto &c : chunks) {
                QVERIFY(c.first.size() <= cap);
                QVERIFY(c.second <= c.first.size());
                QVERIFY(r.readChunk(bytesOf(c.first), c.first.size(), c.second));
            }
            QCOMPARE(r.carried(), 0);
            if (imageOf(1, false).bytes != expected)
                QFAIL(qPrintable(QStringLiteral("chunk size %1").arg(cap)));
        }
    }

    void singleParameter_data()
    {
        QTest::addColumn<quint32>("uid");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("present") << 0x46100003u << u32le(0x46100003u) + hex("efbeadde");
        QTest::newRow("absent") << 0x46100099u << QByteArray();
        QTest::newRow("other list") << 0x86100003u << QByteArray();
    }
    void singleParameter()
    {
        QFETCH(quint32, uid);
        QFETCH(QByteArray, bytes);
        makeEveryKind();
        CfgStream s;
        s.startOne(uid);
        const auto chunks = chunksOf(s, 60);
        QCOMPARE(chunks.size(), 1);
        QCOMPARE(chunks[0].first.toHex(), bytes.toHex());
        QCOMPARE(chunks[0].second, bytes.size());
    }

    // With the hardware filter on, one parameter is written only when it is a hardware setting;
    // an ordinary one writes nothing rather than the next hardware setting of the list.
    void singleParameterUnderHardwareFilter()
    {
        makeEveryKind();
        CfgStream plain(CfgStream::HwFilter);
        plain.startOne(0x42100001u);
        const auto none = chunksOf(plain, 60);
        QCOMPARE(none.size(), 1);
        QCOMPARE(none[0].first.size(), 0);
        CfgStream hw(CfgStream::HwFilter);
        hw.startOne(0x45100802u);
        const auto one = chunksOf(hw, 60);
        QCOMPARE(one.size(), 1);
        QCOMPARE(one[0].first.toHex(), QByteArray(u32le(0x45100802u) + hex("c3a5")).toHex());
    }

    void describeWritingCarriesLimits()
    {
        auto *n = static_cast<CfgParN16 *>(CfgPar::create(0x82000001u));
        n->setLimits(10, 100);
        n->setValue(55);
        CfgStream s(CfgStream::Describe);
        s.startList(Uid::List2);
        const auto chunks = chunksOf(s, 60);
        QCOMPARE(chunks[0].first.toHex(), QByteArray(u32le(0x82000001u) + hex("0a00 6400 3700")).toHex());
    }

    void hardwareFilterWritesOnlyHardwareSettings()
    {
        makeEveryKind();
        CfgStream s(CfgStream::HwFilter);
        s.startList(Uid::List1);
        QByteArray all;
        for (const auto &c : chunksOf(s, 60))
            all += c.first;
        QByteArray expected = u32le(0x45100802u) + hex("c3a5") + u32le(0x49100806u) + hex("0200 00f8 e007");
        QCOMPARE(all.toHex(), expected.toHex());
    }

    void hardwareFilterReadsButKeepsNothing()
    {
        auto *hw = static_cast<CfgParM16 *>(CfgPar::create(0x45000801u));
        auto *plain = static_cast<CfgParM16 *>(CfgPar::create(0x45000001u));
        const QByteArray img = u32le(0x45000801u) + hex("1111") + u32le(0x45000001u) + hex("2222");
        CfgStream r(CfgStream::HwFilter);
        QVERIFY(r.readChunk(bytesOf(img), img.size(), img.size()));
        QCOMPARE(hw->value(), quint16(0));
        QCOMPARE(plain->value(), quint16(0x2222));
    }

    void describeReadingCreatesInOrder()
    {
        const QByteArray img = u32le(0x47000009u) + hex("0100 41") + u32le(0x42000001u) + hex("0a00 6400 0500");
        CfgStream r(CfgStream::Describe);
        QVERIFY(r.readChunk(bytesOf(img), img.size(), img.size()));
        QCOMPARE(CfgPar::count(1), 2);
        QCOMPARE(CfgPar::head(1)->uid(), 0x47000009u);
        auto *n = dynamic_cast<CfgParN16 *>(CfgPar::find(1, 0x42000001u));
        QVERIFY(n);
        QCOMPARE(n->value(), quint16(5)); // the board's numbers, not clamped
        QCOMPARE(n->min(), quint16(10));
    }

    void corruptInput_data()
    {
        QTest::addColumn<quint32>("flags");
        QTest::addColumn<QByteArray>("img");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("applied"); // value of the mask 0x45000001 afterwards
        const QByteArray good = u32le(0x45000001u) + hex("3412");
        QTest::newRow("unknown uid of a known type is skipped")
            << 0u << u32le(0x46000077u) + hex("01020304") + good << true << 0x1234;
        QTest::newRow("unknown type code stops")
            << 0u << good + u32le(0x4C000001u) + hex("0000") + u32le(0x45000001u) + hex("7856") << false << 0x1234;
        QTest::newRow("truncated record")
            << 0u << good + u32le(0x45000001u) + hex("78") << false << 0x1234;
        QTest::newRow("truncated uid") << 0u << good + hex("014500") << false << 0x1234;
        QTest::newRow("string of 65535 announced")
            << 0u << good + u32le(0x47000002u) + hex("ffff") + QByteArray(70000, 'x') << false << 0x1234;
        QTest::newRow("describe, unknown type code")
            << quint32(CfgStream::Describe) << u32le(0x4D000001u) + hex("0000") << false << 0;
    }
    void corruptInput()
    {
        QFETCH(quint32, flags);
        QFETCH(QByteArray, img);
        QFETCH(bool, ok);
        QFETCH(int, applied);
        auto *m = static_cast<CfgParM16 *>(CfgPar::create(0x45000001u));
        CfgPar::create(0x47000002u);
        if (flags & CfgStream::Describe)
            QTest::ignoreMessage(QtDebugMsg, "Cannot create UID 4d000001. Loading corrupted.");
        CfgStream r(flags);
        QCOMPARE(r.readChunk(bytesOf(img), img.size(), img.size()), ok);
        QCOMPARE(r.failed(), !ok);
        QCOMPARE(int(m->value()), applied);
        QCOMPARE(CfgPar::count(1), 2);
    }
};

QTEST_GUILESS_MAIN(TestCfgStream)
#include "test_cfgstream.moc"
