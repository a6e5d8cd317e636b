// Colour words: the named examples, the cleared low bits and a round trip of every word.
#include "editors/rgb565.h"
#include <QtTest>

class TestRgb565 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void colorToWord_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("word");
        QTest::newRow("white") << QColor(255, 255, 255) << 0xFFFF;
        QTest::newRow("black") << QColor(0, 0, 0) << 0x0000;
        QTest::newRow("red") << QColor(255, 0, 0) << 0x00F8;
        QTest::newRow("green") << QColor(0, 255, 0) << 0xE007;
        QTest::newRow("blue") << QColor(0, 0, 255) << 0x1F00;
        // The RGB565 value 0x8410 (half grey) with its bytes swapped.
        QTest::newRow("grey") << QColor(128, 128, 128) << 0x1084;
        QTest::newRow("alpha ignored") << QColor(255, 0, 0, 0) << 0x00F8;
    }
    void colorToWord()
    {
        QFETCH(QColor, color);
        QFETCH(int, word);
        QCOMPARE(int(Rgb565::fromColor(color)), word);
        QCOMPARE(int(Rgb565::fromQRgb(color.rgba())), word);
    }

    void wordToColor_data()
    {
        QTest::addColumn<int>("word");
        QTest::addColumn<QColor>("color");
        QTest::newRow("erased") << 0xFFFF << QColor(248, 252, 248);
        QTest::newRow("red") << 0x00F8 << QColor(248, 0, 0);
        QTest::newRow("green") << 0xE007 << QColor(0, 252, 0);
        QTest::newRow("blue") << 0x1F00 << QColor(0, 0, 248);
        QTest::newRow("zero") << 0x0000 << QColor(0, 0, 0);
    }
    void wordToColor()
    {
        QFETCH(int, word);
        QFETCH(QColor, color);
        const QColor c = Rgb565::toColor(quint16(word));
        QCOMPARE(c, color);
        QCOMPARE(c.alpha(), 255);
    }

    void lowBitsAreDropped()
    {
        const quint16 w = Rgb565::fromColor(QColor(100, 150, 200));
        QCOMPARE(Rgb565::toColor(w), QColor(96, 148, 200));
        QCOMPARE(Rgb565::fromColor(QColor(96, 148, 200)), w);
    }

    void everyWordRoundTrips()
    {
        int bad = 0;
        for (int w = 0; w <= 0xFFFF; ++w)
            if (Rgb565::fromColor(Rgb565::toColor(quint16(w))) != w)
                ++bad;
        QCOMPARE(bad, 0);
    }

    // Each word bit belongs to exactly one component bit, with no two words the same colour.
    void singleBitsLandInOneComponent()
    {
        for (int bit = 0; bit < 16; ++bit) {
            const QColor c = Rgb565::toColor(quint16(1u << bit));
            const int set = (c.red() != 0) + (c.green() != 0) + (c.blue() != 0);
            QVERIFY2(set == 1, qPrintable(QString::number(bit)));
            QCOMPARE(qPopulationCount(quint32(c.red() | c.green() | c.blue())), 1);
        }
    }
};

QTEST_APPLESS_MAIN(TestRgb565)
#include "test_rgb565.moc"
