// vandor-cli hexdump and diff against dump files made here with the model's own rules.
#include "clirun.h"
#include "devices/fixedimage.h"
#include "devices/fixedlayout.h"
#include "editors/rgb565.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

const QString Model = QStringLiteral("Marvek ccTalk");

// The layout facts of the 2.0 dump: layout word at 8180, version bits 0-14.
const FixedLayout layout20 = {"Marvek ccTalk", 0, 0, 0, 8180, 0x7FFF, false, 0, 6540, false, -1, "", "", nullptr, nullptr};

using Image = QByteArray;
using Edit = std::function<void(quint8 *)>;

Image erased()
{
    Image img(FixedImage::Size, char(0xFF));
    return img;
}

// A text at pool offset at for the reference word at address (downward distances).
void putText(quint8 *img, int address, int at, const char *text)
{
    const int n = int(qstrlen(text)) + 1;
    memcpy(img + at, text, size_t(n));
    FixedImage::setWord16(img, address, quint16(address - at));
}

// Two programs named, as the program packs them: names back to back from the pool base.
void baseline(quint8 *img)
{
    putText(img, 6860, 0, "WASH");
    putText(img, 6862, 5, "WAX");
    FixedImage::setWord16(img, 6892, 100);
    FixedImage::setWord16(img, 7166, 5);
    FixedImage::setWord16(img, 8154, Rgb565::fromRgb(255, 0, 0));
}

QString writeDump(const QTemporaryDir &dir, const QString &name, const Edit &edit, bool seal = true)
{
    Image img = erased();
    auto *p = reinterpret_cast<quint8 *>(img.data());
    edit(p);
    if (seal)
        FixedImage::seal(p, layout20);
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(img) != img.size())
        return QString();
    return path;
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestCliOffline : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void diff_data();
    void diff();
    void diffRefusesBadDumps_data();
    void diffRefusesBadDumps();
    void hexdump();
    void describedDumps();
    void usage_data();
    void usage();

private:
    QTemporaryDir dir;
};

void TestCliOffline::diff_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("equal") << Edit([](quint8 *) {}) << QStringList();
    QTest::newRow("slider, mask, colour, name")
        << Edit([](quint8 *img) {
               // The first name grows by one byte, so the second text moves and its reference
               // changes: that is not a difference of the second program.
               putText(img, 6860, 0, "FOAMY");
               putText(img, 6862, 6, "WAX");
               FixedImage::setWord16(img, 6892, 120);
               FixedImage::setWord16(img, 7166, 6);
               FixedImage::setWord16(img, 8154, Rgb565::fromRgb(0, 255, 0));
           })
        << QStringList{
               QStringLiteral("7166 [Buttons and Relays] Relay signal invert: 0x0005 (1, 3) -> 0x0006 (2, 3)"),
               QStringLiteral("6860 [Programs / row 1] Name: \"WASH\" -> \"FOAMY\""),
               QStringLiteral("6892 [Programs / row 1] Individual time [sec]: 100 -> 120"),
               QStringLiteral("8154 [Coins view] Coins view text: #f80000 -> #00fc00")};
    QTest::newRow("grouped coin record, signed delay")
        << Edit([](quint8 *img) {
               FixedImage::setWord16(img, 7172 + 8 * 2 + 6, 250);
               FixedImage::setWord16(img, 6924 + 2 * 3, quint16(-30));
           })
        << QStringList{
               QStringLiteral("7194 [Coin validator Parallel / Coin code 3] Coin value [cents]: 65535 (erased) -> 250"),
               QStringLiteral("6930 [Programs / row 4] After timeout A [sec]: -1 (erased) -> -30")};
    QTest::newRow("options, background, view line")
        << Edit([](quint8 *img) {
               FixedImage::setWord16(img, 8158, 0x03);
               FixedImage::setWord16(img, 7336, 2);
               FixedImage::setWord16(img, 7338, Rgb565::fromRgb(0, 0, 255));
               FixedImage::setWord16(img, 7340, Rgb565::fromRgb(255, 255, 255));
               putText(img, 7342, 9, "OPERATOR");
               FixedImage::setWord16(img, 7344, Rgb565::fromRgb(255, 255, 255));
               FixedImage::setWord16(img, 7346, 40);
               img[7348] = 1;
               img[7349] = 2;
           })
        << QStringList{
               QStringLiteral("7336 [Operator view] Operator view background: mode 65535 #f8fcf8 #f8fcf8 -> Waves #0000f8 #f8fcf8"),
               QStringLiteral("7342 [Operator view] Operator view line 1: \"\" #f8fcf8 y 65535, size #255, align #255 -> "
                              "\"OPERATOR\" #f8fcf8 y 40, size 1/8, align center"),
               QStringLiteral("8158 [Coins view] Coins view customization: 0xffff (erased) -> 0x0003 (Show Credit, Show Time)")};
    QTest::newRow("word no row names")
        << Edit([](quint8 *img) { FixedImage::setWord16(img, 6794, 7); })
        << QStringList{QStringLiteral("6794 Parameter 6794: 0xffff -> 0x0007")};
    QTest::newRow("bytes no value holds")
        << Edit([](quint8 *img) { img[4000] = 'x'; img[4001] = 'y'; })
        << QStringList{QStringLiteral("bytes outside the named values differ at 0x0fa0-0x0fa1, 0x1ff8-0x1ff9")};
}

void TestCliOffline::diff()
{
    QFETCH(Edit, edit);
    QFETCH(QStringList, expected);
    const QString a = writeDump(dir, QStringLiteral("a.bin"), baseline);
    const QString b = writeDump(dir, QStringLiteral("b.bin"), [&](quint8 *img) { baseline(img); edit(img); });
    const CliResult r = runCli({QStringLiteral("diff"), a, b, QStringLiteral("--model"), Model});
    QCOMPARE(r.outLines(), expected);
    QCOMPARE(r.code, expected.isEmpty() ? 0 : 1);
}

void TestCliOffline::diffRefusesBadDumps_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("seal");
    QTest::addColumn<QString>("why");
    QTest::newRow("short") << 8191 << true << QStringLiteral("8191 bytes");
    QTest::newRow("check word") << 8192 << false << QStringLiteral("check word");
}

void TestCliOffline::diffRefusesBadDumps()
{
    QFETCH(int, size);
    QFETCH(bool, seal);
    QFETCH(QString, why);
    const QString good = writeDump(dir, QStringLiteral("good.bin"), baseline);
    const QString bad = writeDump(dir, QStringLiteral("bad.bin"), [](quint8 *img) { baseline(img); img[100] ^= 1; }, seal);
    QFile f(bad);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.resize(size));
    f.close();
    const CliResult r = runCli({QStringLiteral("diff"), good, bad, QStringLiteral("--model"), Model});
    QCOMPARE(r.code, 2);
    QVERIFY(r.out.isEmpty());
    const QStringList lines = QString::fromUtf8(r.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.at(0).contains(why), qPrintable(lines.at(0)));
}

void TestCliOffline::hexdump()
{
    const QString a = writeDump(dir, QStringLiteral("hex.bin"), baseline);
    const CliResult r = runCli({QStringLiteral("hexdump"), a, QStringLiteral("--model"), Model});
    QCOMPARE(r.code, 0);
    const QStringList lines = r.outLines();
    QCOMPARE(lines.size(), 256);
    QVERIFY(lines.at(0).startsWith(QStringLiteral("0x57, 0x41, 0x53, 0x48, 0x00, 0x57, 0x41, 0x58, 0x00, 0xff,")));
}

// "DevCom2" dumps: one line per record named by tab title and label; diff lists what differs.
void TestCliOffline::describedDumps()
{
    auto dump = [this](const QString &name, const QByteArray &coins, const QByteArray &extra) {
        const QByteArray bytes = QByteArray("DevCom2", 8) + QByteArray::fromHex("03201045") + coins
                                 + QByteArray::fromHex("0220f042") + QByteArray::fromHex("0a00") + extra;
        const QString path = dir.filePath(name);
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? path : QString();
    };
    const QString a = dump(QStringLiteral("dyn_a.bin"), QByteArray::fromHex("0500"), QByteArray());
    const QString b = dump(QStringLiteral("dyn_b.bin"), QByteArray::fromHex("0700"),
                           QByteArray::fromHex("0310504703004b6579"));
    const QString model = QStringLiteral("Dynamic Device");
    CliResult r = runCli({QStringLiteral("hexdump"), b, QStringLiteral("--model"), model});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.outLines(), QStringList({"45102003 [Coin validator] Disabled coins [channel]: 07 00",
                                        "42f02002 [Fiscal] Pulse cost [cents]: 0a 00",
                                        "47501003 [WiFi module] Server write key: 03 00 4b 65 79"}));
    r = runCli({QStringLiteral("diff"), a, b, QStringLiteral("--model"), model});
    QCOMPARE(r.code, 1);
    QCOMPARE(r.outLines(), QStringList({"45102003 [Coin validator] Disabled coins [channel]: 05 00 -> 07 00",
                                        "47501003 [WiFi module] Server write key: (absent) -> 03 00 4b 65 79"}));
    r = runCli({QStringLiteral("diff"), a, a, QStringLiteral("--model"), model});
    QCOMPARE(r.code, 0);
    // A record cut short is a damaged dump.
    QFile cut(b);
    QVERIFY(cut.open(QIODevice::ReadWrite));
    QVERIFY(cut.resize(cut.size() - 1));
    cut.close();
    r = runCli({QStringLiteral("hexdump"), b, QStringLiteral("--model"), model});
    QCOMPARE(r.code, 2);
}

void TestCliOffline::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("no command") << QStringList() << 2 << QStringLiteral("Usage: vandor-cli COMMAND");
    QTest::newRow("unknown command") << QStringList{QStringLiteral("frob")} << 2 << QStringLiteral("unknown command");
    QTest::newRow("diff help") << QStringList{QStringLiteral("diff"), QStringLiteral("--help")} << 0
                               << QStringLiteral("Usage: vandor-cli diff A B [--model TITLE] [--machine NAME]");
    QTest::newRow("hexdump help") << QStringList{QStringLiteral("hexdump"), QStringLiteral("--help")} << 0
                                  << QStringLiteral("Usage: vandor-cli hexdump FILE|BOARD/ID [--model TITLE] [--values]");
    QTest::newRow("no model") << QStringList{QStringLiteral("hexdump"), QStringLiteral("x.bin")} << 2
                              << QStringLiteral("--model is required");
    QTest::newRow("unknown model")
        << QStringList{QStringLiteral("diff"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("--model"),
                       QStringLiteral("Nope")}
        << 2 << QStringLiteral("unknown model \"Nope\"");
    QTest::newRow("missing file")
        << QStringList{QStringLiteral("hexdump"), QStringLiteral("missing.bin"), QStringLiteral("--model"), Model}
        << 2 << QStringLiteral("cannot read missing.bin");
}

void TestCliOffline::usage()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, text);
    const CliResult r = runCli(args);
    QCOMPARE(r.code, code);
    QVERIFY2(QString::fromUtf8(r.out + r.err).contains(text), QByteArray(r.out + r.err).constData());
}

QTEST_GUILESS_MAIN(TestCliOffline)
#include "test_cli_offline.moc"
