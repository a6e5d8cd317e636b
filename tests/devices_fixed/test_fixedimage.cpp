// Dump files, the check word and the hex dump of the fixed-layout models.
#include "fixedtestmodel.h"
#include <QBuffer>
#include <QtTest>

static QByteArray saved(FixedLayoutModel &m)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    if (!m.save(&buf))
        return QByteArray();
    return buf.data();
}

static bool loadBytes(FixedLayoutModel &m, const QByteArray &bytes)
{
    QBuffer buf;
    buf.setData(bytes);
    buf.open(QIODevice::ReadOnly);
    return m.load(&buf);
}

// Stores a 32-bit little-endian word into a byte array.
static void put32(QByteArray &b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char(v >> (8 * i));
}

// Recomputes the check word of a file so that only its other faults remain.
static void reseal(QByteArray &b, int layoutAt)
{
    put32(b, layoutAt + 4, 0);
    put32(b, layoutAt + 8, 0);
    quint32 x = 0;
    for (int a = 0; a < b.size(); a += 4)
        x ^= quint32(quint8(b[a])) | quint32(quint8(b[a + 1])) << 8 | quint32(quint8(b[a + 2])) << 16
             | quint32(quint8(b[a + 3])) << 24;
    put32(b, layoutAt + 4, x);
}

// A model whose image is no longer the erased one, so that a faulty load would show.
static void scribble(FixedTestModel &m)
{
    for (int i = 0; i < 4000; i += 7)
        m.image()[i] = quint8(i * 13);
}

class TestFixedImage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void freshSaveIsTheErasedImageWithLayoutAndCheck()
    {
        FixedTestModel m(controllerLayout);
        const QByteArray file = saved(m);
        QByteArray expected(8192, char(0xFF));
        expected[8180] = char(0x01);
        expected[8181] = char(0x80);  // bit 15 keeps its erased value
        // 2045 erased words XOR 0xFFFF8001 at 8180.
        put32(expected, 8184, 0x00007FFE);
        put32(expected, 8188, 0);
        QCOMPARE(file.size(), 8192);
        QCOMPARE(file, expected);

        FixedTestModel other(controllerLayout);
        scribble(other);
        QVERIFY(loadBytes(other, file));
        QCOMPARE(other.imageBytes(), expected);
    }

    void savedImageLoadsBack()
    {
        FixedTestModel m(controllerLayout);
        scribble(m);
        const QByteArray file = saved(m);
        FixedTestModel other(controllerLayout);
        QVERIFY(loadBytes(other, file));
        QCOMPARE(other.imageBytes(), m.imageBytes());
    }

    void badFileLeavesImageUnchanged_data()
    {
        QTest::addColumn<QByteArray>("file");
        FixedTestModel m(controllerLayout);
        scribble(m);
        const QByteArray good = saved(m);

        QTest::newRow("empty") << QByteArray();
        QTest::newRow("8191 bytes") << good.left(8191);
        QByteArray changed = good;
        changed[100] = char(changed[100] ^ 0x01);
        QTest::newRow("byte 100 changed") << changed;
        QByteArray check = good;
        check[8186] = char(check[8186] ^ 0x40);
        QTest::newRow("check word changed") << check;
        QByteArray zero = good;
        zero[8190] = char(0x10);
        QTest::newRow("zero word set") << zero;
        QByteArray layout2 = good;
        layout2[8180] = char(0x02);
        reseal(layout2, 8180);
        QTest::newRow("layout version 2") << layout2;
        QByteArray layout0 = good;
        layout0[8180] = char(0x00);
        layout0[8181] = char(0x00);
        reseal(layout0, 8180);
        QTest::newRow("layout version 0") << layout0;
    }

    void badFileLeavesImageUnchanged()
    {
        QFETCH(QByteArray, file);
        FixedTestModel m(controllerLayout);
        for (int i = 0; i < 8192; i += 5)
            m.image()[i] = quint8(i);
        const QByteArray before = m.imageBytes();
        QVERIFY(!loadBytes(m, file));
        QCOMPARE(m.imageBytes(), before);
    }

    void longerFileLoadsItsFirst8192Bytes()
    {
        FixedTestModel m(controllerLayout);
        scribble(m);
        const QByteArray file = saved(m);
        FixedTestModel other(controllerLayout);
        QVERIFY(loadBytes(other, file + QByteArray(16, 'x')));
        QCOMPARE(other.imageBytes(), file);
    }

    void layoutWordVariants_data()
    {
        QTest::addColumn<int>("layoutKind");
        QTest::addColumn<int>("at");
        QTest::addColumn<QByteArray>("layoutBytes");
        QTest::addColumn<bool>("loads");
        QTest::newRow("16-bit, bit 15 set") << 0 << 8180 << QByteArray("\x01\x80\xff\xff", 4) << true;
        QTest::newRow("16-bit, bit 15 clear") << 0 << 8180 << QByteArray("\x01\x00\x00\x00", 4) << true;
        QTest::newRow("16-bit, version 3") << 0 << 8180 << QByteArray("\x03\x00\x00\x00", 4) << false;
        QTest::newRow("32-bit word 1") << 1 << 8180 << QByteArray("\x01\x00\x00\x00", 4) << true;
        QTest::newRow("32-bit with bit 15") << 1 << 8180 << QByteArray("\x01\x80\x00\x00", 4) << false;
        QTest::newRow("32-bit high byte") << 1 << 8180 << QByteArray("\x01\x00\x00\x01", 4) << false;
        QTest::newRow("low block word 1") << 2 << 8132 << QByteArray("\x01\x00\x00\x00", 4) << true;
        QTest::newRow("low block erased") << 2 << 8132 << QByteArray("\xff\xff\xff\xff", 4) << false;
    }

    void layoutWordVariants()
    {
        QFETCH(int, layoutKind);
        QFETCH(int, at);
        QFETCH(QByteArray, layoutBytes);
        QFETCH(bool, loads);
        const FixedLayout *layouts[] = {&controllerLayout, &wordLayout, &lowLayout};
        QByteArray file(8192, char(0x5A));
        file.replace(at, 4, layoutBytes);
        reseal(file, at);
        FixedTestModel m(*layouts[layoutKind]);
        QCOMPARE(loadBytes(m, file), loads);
    }

    void controllerFileFailsOnLowLayoutBlock()
    {
        FixedTestModel controller(controllerLayout);
        const QByteArray file = saved(controller);
        FixedTestModel low(lowLayout);
        QVERIFY(!loadBytes(low, file));
    }

    void saveSetsTheLayoutWordOfEachVariant()
    {
        FixedTestModel word(wordLayout);
        QCOMPARE(saved(word).mid(8180, 4), QByteArray("\x01\x00\x00\x00", 4));
        FixedTestModel low(lowLayout);
        const QByteArray file = saved(low);
        QCOMPARE(file.mid(8132, 4), QByteArray("\x01\x00\x00\x00", 4));
        QCOMPARE(file.mid(8140, 4), QByteArray(4, '\0'));
        QCOMPARE(file.mid(8180, 12), QByteArray(12, char(0xFF)));
        FixedTestModel other(lowLayout);
        QVERIFY(loadBytes(other, file));
    }

    void fmFlagBelongsToTheBoard_data()
    {
        QTest::addColumn<bool>("boardFlag");
        QTest::addColumn<bool>("fileFlag");
        QTest::newRow("board set, file clear") << true << false;
        QTest::newRow("board clear, file set") << false << true;
    }

    void fmFlagBelongsToTheBoard()
    {
        QFETCH(bool, boardFlag);
        QFETCH(bool, fileFlag);
        FixedTestModel source(fmLayout);
        source.image()[8181] = fileFlag ? 0x80 : 0x00;
        source.image()[500] = 0x42;
        const QByteArray file = saved(source);

        FixedTestModel m(fmLayout);
        m.image()[8181] = boardFlag ? 0x80 : 0x00;
        QVERIFY(loadBytes(m, file));
        QCOMPARE(m.fmFlag(), boardFlag ? 1 : 0);
        QCOMPARE(m.image()[500], quint8(0x42));

        // Without the FM flag the file's bit 15 is taken as it is.
        FixedTestModel plain(controllerLayout);
        plain.image()[8181] = boardFlag ? 0x80 : 0x00;
        QVERIFY(loadBytes(plain, file));
        QCOMPARE(plain.image()[8181] >> 7, fileFlag ? 1 : 0);
        QCOMPARE(plain.fmFlag(), 0);
    }

    void hexDumpShowsTheSealedImage()
    {
        FixedTestModel m(controllerLayout);
        m.image()[0] = 0x0A;
        const QString dump = m.hexDump();
        const QStringList lines = dump.split('\n');
        QCOMPARE(lines.size(), 257);  // 256 lines, each ending in a newline
        QVERIFY(lines.last().isEmpty());
        QVERIFY(dump.startsWith("0x0a, 0xff, "));
        QCOMPARE(lines[0].count(' '), 31);
        QCOMPARE(lines[0].count(','), 32);
        // Line 255 holds bytes 8160-8191: layout word at 20, check word at 24, zeros at 28.
        const QStringList last = lines[255].split(' ');
        QCOMPARE(last.size(), 32);
        QCOMPARE(last.mid(20, 12),
                 QStringList({"0x01,", "0x80,", "0xff,", "0xff,", "0x0b,", "0x7f,", "0x00,",
                              "0x00,", "0x00,", "0x00,", "0x00,", "0x00,"}));
    }
};

QTEST_GUILESS_MAIN(TestFixedImage)
#include "test_fixedimage.moc"
