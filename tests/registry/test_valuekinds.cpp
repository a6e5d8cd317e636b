// The eight value kinds: clamping, byte-exact payloads in both modes, strings at their limits,
// and reads that fail leaving the value as it was.
#include "registrytestutil.h"
#include <QtTest>

static std::unique_ptr<CfgPar> make(quint8 code)
{
    std::unique_ptr<CfgPar> p = CfgPar::makeDetached(code);
    Q_ASSERT(p);
    return p;
}

class TestValueKinds : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void clamping_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("in");
        QTest::addColumn<int>("out");
        QTest::newRow("below") << 10 << 100 << 5 << 10;
        QTest::newRow("lower edge") << 10 << 100 << 10 << 10;
        QTest::newRow("inside") << 10 << 100 << 55 << 55;
        QTest::newRow("upper edge") << 10 << 100 << 100 << 100;
        QTest::newRow("above") << 10 << 100 << 101 << 100;
        QTest::newRow("all ones") << 10 << 100 << 0xFFFF << 100;
        QTest::newRow("reversed, above upper") << 50 << 20 << 21 << 20;
        QTest::newRow("reversed, far above") << 50 << 20 << 60 << 20;
        QTest::newRow("reversed, between") << 50 << 20 << 20 << 50;
        QTest::newRow("reversed, below both") << 50 << 20 << 3 << 50;
    }
    void clamping()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, in);
        QFETCH(int, out);
        CfgParN16 viaStream;
        QVERIFY(readDescInto(viaStream, u16le(quint16(min)) + u16le(quint16(max)) + u16le(0)));
        QVERIFY(readValueInto(viaStream, u16le(quint16(in))));
        QCOMPARE(int(viaStream.value()), out);

        CfgParN16 viaSetter;
        viaSetter.setLimits(quint16(min), quint16(max));
        viaSetter.setValue(quint16(in));
        QCOMPARE(int(viaSetter.value()), out);
    }

    void describeKeepsTheBoardsNumbers()
    {
        CfgParN16 p;
        QVERIFY(readDescInto(p, hex("0a00 6400 f401"))); // 10..100, value 500
        QCOMPARE(p.value(), quint16(500));
        QCOMPARE(p.min(), quint16(10));
        QCOMPARE(p.max(), quint16(100));
    }

    // Describe input, the same bytes written back, and the value-mode payload.
    void payloads_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("desc");
        QTest::addColumn<QByteArray>("value");
        QByteArray arr16;
        for (int i = 0; i < 16; ++i)
            arr16 += u16le(quint16(0x0101 * i));
        QByteArray lines;
        for (int i = 0; i < 16; ++i)
            lines += i == 3 ? hex("0300 616263 1f00 0200 1200") : hex("0000 ffff 0000 3200");
        QTest::newRow("N16") << 0x02 << hex("0a00 6400 3700") << hex("3700");
        QTest::newRow("M16") << 0x05 << hex("3412") << hex("3412");
        QTest::newRow("M32") << 0x06 << hex("78563412") << hex("78563412");
        QTest::newRow("Str") << 0x07 << hex("0300 616263") << hex("0300 616263");
        QTest::newRow("Str empty") << 0x07 << hex("0000") << hex("0000");
        QTest::newRow("ValArr16") << 0x08 << hex("0100 0900") + arr16 << arr16;
        QTest::newRow("Arr3") << 0x09 << hex("0100 1f00 e007") << hex("0100 1f00 e007");
        QTest::newRow("Colour") << 0x0A << hex("00f8") << hex("00f8");
        QTest::newRow("ViewText16") << 0x0B << lines << lines;
    }
    void payloads()
    {
        QFETCH(int, code);
        QFETCH(QByteArray, desc);
        QFETCH(QByteArray, value);
        auto p = make(quint8(code));
        QVERIFY(readDescInto(*p, desc));
        QCOMPARE(descOf(*p).toHex(), desc.toHex());
        QCOMPARE(valueOf(*p).toHex(), value.toHex());
        // The value read back into a fresh object of the kind gives the same bytes.
        auto q = make(quint8(code));
        QVERIFY(readDescInto(*q, desc));
        QVERIFY(readValueInto(*q, value));
        QCOMPARE(valueOf(*q).toHex(), value.toHex());
        // Skipping consumes exactly one payload of each mode.
        QVERIFY(consume(desc, [&](CfgStream &s) { p->skipDesc(s); }));
        QVERIFY(consume(value, [&](CfgStream &s) { p->skipValue(s); }));
        QCOMPARE(descOf(*p).toHex(), desc.toHex());
    }

    void valueArrayKeepsValuesOutsideItsLimits()
    {
        CfgParValArr16 p;
        QByteArray desc = hex("0a00 1400") + QByteArray(32, '\0');
        QVERIFY(readDescInto(p, desc));
        QByteArray values;
        for (int i = 0; i < 16; ++i)
            values += u16le(quint16(i * 1000));
        QVERIFY(readValueInto(p, values));
        QCOMPARE(p.at(0), quint16(0));
        QCOMPARE(p.at(15), quint16(15000));
        QCOMPARE(p.min(), quint16(10));
        QCOMPARE(p.max(), quint16(20));
    }

    void freshViewLinesAreTheDefaults()
    {
        CfgParViewText16 p;
        const QByteArray bytes = valueOf(p);
        QCOMPARE(bytes.size(), 128);
        for (int i = 0; i < 16; ++i)
            QCOMPARE(bytes.mid(i * 8, 8).toHex(), QByteArray("0000ffff00003200"));
    }

    void freshStringIsWrittenAsTwoZeros()
    {
        CfgParString p;
        QCOMPARE(valueOf(p).toHex(), QByteArray("0000"));
        QCOMPARE(p.value().cstr(), "");
    }

    void longestStringIsHeld()
    {
        CfgParString p;
        const QByteArray text(CtString::MaxLength, 'x');
        QVERIFY(readValueInto(p, u16le(quint16(text.size())) + text));
        QCOMPARE(p.value().length(), quint16(CtString::MaxLength));
        QCOMPARE(qstrlen(p.value().cstr()), uint(CtString::MaxLength));
        QCOMPARE(valueOf(p), u16le(quint16(text.size())) + text);
    }

    void stringAnnouncingMoreThanAStringHoldsIsCorrupt()
    {
        CfgParString p;
        QVERIFY(p.value().setText(QByteArray("keep")));
        // Announces 65535 bytes and brings them all: still not a string.
        const QByteArray record = hex("ffff") + QByteArray(0xFFFF, 'y');
        CfgStream s;
        s.readChunk(reinterpret_cast<const quint8 *>(record.constData()), record.size(), 0);
        p.readValue(s);
        QVERIFY(s.failed());
        QCOMPARE(p.value().toByteArray(), QByteArray("keep"));
        QVERIFY(p.value().capacity() < 100);
    }

    // Every kind: a payload cut short fails and leaves the old value.
    void shortReadsChangeNothing_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("next");
        QByteArray lines;
        for (int i = 0; i < 16; ++i)
            lines += hex("0100 41 0100 0200 0300");
        QByteArray lines2;
        for (int i = 0; i < 16; ++i)
            lines2 += hex("0200 4243 0400 0500 0600");
        QTest::newRow("N16") << 0x02 << hex("0000 ffff 0500") << hex("0600 0700 0800");
        QTest::newRow("M32") << 0x06 << hex("01020304") << hex("05060708");
        QTest::newRow("Str") << 0x07 << hex("0200 4142") << hex("0300 434445");
        QTest::newRow("ValArr16") << 0x08 << QByteArray(36, '\1') << QByteArray(36, '\2');
        QTest::newRow("Arr3") << 0x09 << hex("010002000300") << hex("040005000600");
        QTest::newRow("ViewText16") << 0x0B << lines << lines2;
    }
    void shortReadsChangeNothing()
    {
        QFETCH(int, code);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, next);
        auto p = make(quint8(code));
        QVERIFY(readDescInto(*p, before));
        for (int cut = 0; cut < next.size(); ++cut) {
            QVERIFY(!readDescInto(*p, next.left(cut)));
            QCOMPARE(descOf(*p).toHex(), before.toHex());
        }
        QVERIFY(readDescInto(*p, next));
        QCOMPARE(descOf(*p).toHex(), next.toHex());
    }

    void maskAccessors()
    {
        CfgParM32 m;
        m.setValue(0x00F0);
        m.setBits(0x0101);
        QCOMPARE(m.value(), 0x01F1u);
        m.clearBits(0x00F1);
        QCOMPARE(m.value(), 0x0100u);
    }

    void stringViewAndReplace()
    {
        CtString s;
        QCOMPARE(s.cstr(), "");
        QVERIFY(s.setText(QStringLiteral("Lev \u043b\u0432")));
        QCOMPARE(s.toString(), QStringLiteral("Lev \u043b\u0432"));
        QCOMPARE(QByteArray(s.cstr()), QStringLiteral("Lev \u043b\u0432").toUtf8());
        QVERIFY(s.capacity() > s.length());
        QVERIFY(s.setText(QByteArray("ab")));
        QCOMPARE(QByteArray(s.cstr()), QByteArray("ab"));
        QVERIFY(!s.setText(QByteArray(CtString::MaxLength + 1, 'z')));
        QCOMPARE(QByteArray(s.cstr()), QByteArray("ab"));
    }
};

QTEST_GUILESS_MAIN(TestValueKinds)
#include "test_valuekinds.moc"
