// Every row of the fixed-layout tables against values written down once, independently of the
// tables: address, run, editor, range, default, bit list and options, labels of the first and
// last value, the help key rule, and which boards' pages offer it. Rows in page order.
#include "devices/marvek1_1_table.h"
#include "devices/marvek3_0_table.h"
#include <QtTest>

using namespace FixedTable;

namespace {

QString hex(quint32 v) { return QStringLiteral("0x%1").arg(v, 0, 16); }

QString options(const Row &r, const QVector<BoardFeatures> &boards)
{
    QStringList out;
    for (int i = 0; i < r.optionCount; ++i) {
        QString o = hex(r.options[i].bit) + QLatin1Char(' ') + QLatin1String(r.options[i].name);
        QStringList on;
        for (const BoardFeatures &b : boards)
            if (r.options[i].when && r.options[i].when(b, i))
                on << QString::number(b.word0, 16);
        out << (r.options[i].when ? o + QLatin1Char('@') + on.join(QLatin1Char(',')) : o);
    }
    return QLatin1Char('[') + out.join(QLatin1Char('|')) + QLatin1Char(']');
}

QString bitsAndDefault(const Row &r, const QVector<BoardFeatures> &boards)
{
    static const char *const lists[] = {"", "16 bits", "buttons", "relays", "extra relays", "coin inputs", ""};
    static const char *const rules[] = {"", "1<<k", "1<<(k-1)", "0x100<<k", "input k"};
    const QString def = r.defRule == Default::Fixed ? hex(r.def) : QLatin1String(rules[int(r.defRule)]);
    return (r.bits == Bits::Options ? options(r, boards) : QLatin1String(lists[int(r.bits)])) + QStringLiteral(" =") + def;
}

// One line per row: "ADDRESS[xCOUNT/STRIDE] EDITOR SETTINGS "LABEL"[.."LAST LABEL"][ on BOARDS]".
QString describe(const Table &t, const Row &r, const QVector<BoardFeatures> &boards)
{
    QString s = QString::number(r.first) + (r.count > 1 ? QStringLiteral("x%1/%2").arg(r.count).arg(r.stride) : QString());
    switch (r.editor) {
    case Editor::Slider: s += QStringLiteral(" slider %1..%2 =%3").arg(r.min).arg(r.max).arg(r.def); break;
    case Editor::SliderByte: s += QStringLiteral(" byte slider %1..%2 =%3").arg(r.min).arg(r.max).arg(r.def); break;
    case Editor::SignedSlider: s += QStringLiteral(" signed %1..%2 =%3").arg(r.min).arg(r.max).arg(r.def); break;
    case Editor::Mask: s += QStringLiteral(" mask ") + bitsAndDefault(r, boards); break;
    case Editor::MaskByte: s += QStringLiteral(" byte mask ") + bitsAndDefault(r, boards); break;
    case Editor::Colors: s += QStringLiteral(" colors ") + hex(r.def) + (r.second ? QStringLiteral(" +%1").arg(r.second) : QString()); break;
    case Editor::SecondColor: s += QStringLiteral(" second colour ") + hex(r.def); break;
    case Editor::Background: s += QStringLiteral(" background %1 mode %2 %3/%4").arg(r.modes).arg(r.defMode).arg(hex(r.def), hex(r.def2)); break;
    case Editor::ViewLine: s += QStringLiteral(" line '%1'").arg(QLatin1String(r.text)); break;
    case Editor::Name: s += r.text ? QStringLiteral(" name '%1'").arg(QLatin1String(r.text)) : QStringLiteral(" name"); break;
    default: s += QStringLiteral(" editor %1").arg(int(r.editor)); break;
    }
    const BoardFeatures &newest = boards.last();
    const QString first = label(t, r.first, newest), last = label(t, r.valueAddress(r.count - 1), newest);
    s += QStringLiteral(" \"%1\"").arg(first) + (last != first ? QStringLiteral("..\"%1\"").arg(last) : QString());
    QStringList on;
    bool everywhere = true;
    for (const BoardFeatures &b : boards) {
        int n = 0;
        for (const Value &v : pageValues(t, b))
            n += v.row == &r;
        everywhere = everywhere && n == r.count;
        if (n)
            on << QString::number(b.word0, 16) + (n < r.count ? QStringLiteral("/%1").arg(n) : QString());
    }
    if (!everywhere && r.editor != Editor::SecondColor)
        s += QStringLiteral(" on ") + (on.isEmpty() ? QStringLiteral("none") : on.join(QLatin1Char(',')));
    return s;
}

// "own": every byte its own key; "=B": every byte of the row B; "B+S": B + (address - B) mod S.
quint32 expectedKey(const QString &rule, quint32 a)
{
    if (rule == QLatin1String("own"))
        return a;
    if (rule.startsWith(QLatin1Char('=')))
        return rule.mid(1).toUInt();
    const quint32 base = rule.section(QLatin1Char('+'), 0, 0).toUInt(), stride = rule.section(QLatin1Char('+'), 1).toUInt();
    return base + (a - base) % stride;
}

void addRows(const char *model, const QStringList &rows)
{
    for (int i = 0; i < rows.size(); ++i)
        QTest::addRow("%s row %d", model, i) << i << rows.at(i).section(QStringLiteral(" help "), 0, 0)
                                             << rows.at(i).section(QStringLiteral(" help "), 1);
}

void checkRow(const Table &t, const QVector<BoardFeatures> &boards)
{
    QFETCH(int, index);
    QFETCH(QString, row);
    QFETCH(QString, help);
    QVector<const Row *> params;
    for (const Row &r : t)
        if (r.kind == Kind::Param)
            params << &r;
    QVERIFY(index < params.size());
    const Row &r = *params.at(index);
    QCOMPARE(describe(t, r, boards), row);
    for (int k = 0; k < r.count; ++k)
        for (quint32 a = r.valueAddress(k); a < r.valueAddress(k) + quint32(r.size()); ++a)
            QCOMPARE(helpKey(t, a), expectedKey(help.isEmpty() ? QStringLiteral("own") : help, a));
}

int paramCount(const Table &t)
{
    int n = 0;
    for (const Row &r : t)
        n += r.kind == Kind::Param;
    return n;
}

const QVector<BoardFeatures> boards1_1 = {{0x101, 0x202}, {0x102, 0x202}, {0x103, 0x202}};
const QVector<BoardFeatures> boards3_0 = {{0x300, 0x201}, {0x301, 0x201}, {0x302, 0x201}, {0x303, 0x201}, {0x304, 0x201}};

const QStringList rows1_1 = {
    "0 slider 1..100 =10 \"Coin pulse jitter [ms]\"",
    "2 slider 10..10000 =1000 \"Coin pulse timeout [ms]\"",
    "4 mask coin inputs =0x0 \"Coin channel inhibit\"",
    "6x16/10 mask coin inputs =input k \"Coin validator channel\" help 6+10",
    "8x16/10 slider 10..2000 =40 \"Min pulse period [ms]\" help 6+10",
    "10x16/10 slider 10..2000 =800 \"Max pulse period [ms]\" help 6+10",
    "12x16/10 slider 1..10000 =100 \"Coin value [cents]\" help 6+10",
    "166 slider 1..100 =30 \"Button jitter [ms]\"",
    "168 mask buttons =0x800 \"Button signal invert\"",
    "170 mask relays =0x0 \"Relay signal invert\"",
    "172 mask relays =0x0 \"Relay initial state\"",
    "276 slider 10..10000 =500 \"Relay transaction delay [ms]\"",
    "8046 slider 0..3600 =300 \"Credit reset timeout in pause [sec]\"",
    "174 mask relays =0x3f \"Relay active time mask\"",
    "176x16/6 mask buttons =0x100<<k \"Button input\" help 176+6",
    "178x16/6 mask relays =0x0 \"Relays to keep unchanged\" help 176+6",
    "180x16/6 mask relays =1<<k \"Relays to turn on\" help 176+6",
    "8048x16/8 signed -1800..1800 =0 \"After timeout A [sec]\" on 103 help 8048+8",
    "8048x16/8 slider 0..1800 =0 \"After timeout A [sec]\" on 101,102 help 8048+8",
    "8050x16/8 mask relays =0x0 \"Toggle relays (time A)\" help 8048+8",
    "8052x16/8 signed -1800..1800 =0 \"After timeout B [sec]\" on 103 help 8048+8",
    "8052x16/8 slider 0..1800 =0 \"After timeout B [sec]\" on 101,102 help 8048+8",
    "8054x16/8 mask relays =0x0 \"Toggle relays (time B)\" help 8048+8",
    "272 mask buttons =0x2000 \"Operator mode button input\"",
    "8038 mask relays =0x0 \"Pipe discharge relay\"",
    "8040 slider 0..3600 =300 \"Discharge timeout after last activity [sec]\"",
    "8042 slider 0..10000 =2000 \"Discharge active period [ms]\"",
    "278 background 3 mode 2 0xff800000/0xffc000c0 \"Operator view background\"",
    "284x16/8 line 'OPERATOR' \"Operator view line 1\"..\"Operator view line 16\" help 284+8",
    "412 background 3 mode 2 0xff800000/0xffc000c0 \"Out of order view background\"",
    "418x16/8 line 'OUT OF ORDER' \"Out of order view line 1\"..\"Out of order view line 16\" help 418+8",
    "546 background 3 mode 2 0xff000080/0xffc000c0 \"Idle view background\"",
    "552x16/8 line 'INSERT COIN' \"Idle view line 1\"..\"Idle view line 16\" help 552+8",
    "680 background 3 mode 2 0xff000080/0xffc000c0 \"Coins view background\"",
    "686 colors 0xffffffff +688 \"Coins view text\"",
    "688 second colour 0xff00ff00 \"Coins view new coins\"",
    "274 slider 10..60000 =5000 \"Credit change display timeout [ms]\"",
    "8176 mask [0x1 Show Credit|0x2 Show Time|0x4 Remember the credit at power failure] =0xff \"Coins view customization\"",
    "8030 slider 0..10000 =0 \"Minimum start credit [cents]\" on 102,103",
    "8032 slider 10..3600 =300 \"Wait for start credit timeout [s]\" on 102,103",
    "8034 colors 0xffff0000 +8036 \"Reset progress\" on 102,103",
    "8036 second colour 0xffffffff \"Reset text\"",
    "690 background 7 mode 4 0xff000080/0xffc000c0 \"Active view background\"",
    "696 colors 0xff80c080 +698 \"Active view color 1\"",
    "698 second colour 0xff00c000 \"Active view color 2\"",
    "700 colors 0xffffffff +702 \"Active view timer\"",
    "702 second colour 0xffffffff \"Active view mode\"",
    "704 colors 0xffffff00 +8044 \"Active view transaction progress\"",
    "8044 second colour 0xffff0000 \"Active view pause timeout\"",
    "8178 mask [0x1 Show Credit|0x2 Show Time] =0xff \"Active view customization\"",
    "706x16/8 mask relays =1<<(k-1) \"Relays state\" help 706+8",
    "708x16/8 name \"Name\" help 706+8",
    "710x16/8 colors 0xffc08080 +712 \"Active view color 3\" help 706+8",
    "712x16/8 second colour 0xffc00000 \"Active view color 4\" help 706+8",
    "14x16/10 slider 0..3600 =0 \"Mode individual time [sec]\" help 6+10",
    "32884 slider 1..3600 =150 \"Coin default time [sec]\"",
};

const QStringList rows3_0 = {
    "7212 mask [0x1 Load coin nominals from device] =0xff \"Options\"",
    "7210 mask 16 bits =0x0 \"Coin channel inhibit\"",
    "7178x16/2 slider 1..10000 =100 \"Coin 1 value [cents]\"..\"Coin 16 value [cents]\" help =7178",
    "7176 slider 1..100 =30 \"Button jitter [ms]\"",
    "7174 mask buttons =0x800 \"Button signal invert\"",
    "7172 mask relays =0x0 \"Relay signal invert\"",
    "7168 slider 10..10000 =500 \"Relay pulse duration [ms]\"",
    "7000x16/2 name \"Name\" help =7000",
    "7064x16/2 slider 0..3600 =0 \"Cost for drying time under 10 minutes [cents]\"..\"Time [sec]\" on 300,301,302/2,303/2,304/2 help =7064",
    "7032x16/2 slider 0..10000 =100 \"Cost for wahing time under 10 minutes [cents]\"..\"Price\" on 300,301,302/2,303/2,304/2 help =7032",
    "7128x16/2 mask buttons =0x100<<k \"Button input\" help =7128",
    "7096x16/2 mask relays =1<<k \"Relays to turn on\" help =7096",
    "7170 mask buttons =0x2000 \"Operator mode button input\"",
    "32884 slider 0..3600 =150 \"Default price [cents]\"",
    "7032x14/2 slider 0..10000 =600 \"Cost for wahing time under 10 minutes [cents]\"..\"Cost for wahing time over 130 minutes [cents]\" on 302,303,304 help =7032",
    "7064x14/2 slider 0..10000 =600 \"Cost for drying time under 10 minutes [cents]\"..\"Cost for drying time over 130 minutes [cents]\" on 302,303,304 help =7064",
    "6990 mask [0x2 4|0x20 5] =0x20 \"Channel for fiscal pulses\"",
    "6988 slider 1..200 =100 \"Value [cents]\"",
    "7214 background 3 mode 2 0xff800000/0xffc000c0 \"Operator view background\"",
    "7220x16/8 line 'OPERATOR' \"Operator view line 1\"..\"Operator view line 16\" help 7220+8",
    "7348 background 3 mode 2 0xff800000/0xffc000c0 \"Out of order view background\"",
    "7354x16/8 line 'OUT OF ORDER' \"Out of order view line 1\"..\"Out of order view line 16\" help 7354+8",
    "7482x4/2 slider 0..600 =5 \"View timeout [sec]\" help =7482",
    "7490x4/6 background 3 mode 2 0xff000080/0xffc000c0 \"Idle view background\" help 7490+6",
    "7514x64/8 line 'INSERT COIN' \"Idle view line 1\"..\"Idle view line 16\" help 7514+8",
    "8028 background 3 mode 2 0xff000080/0xffc000c0 \"Coins view background\"",
    "8026 colors 0xffffffff \"Text color\"",
    "8034 colors 0xffffffff +8036 \"Required text\"",
    "8036 second colour 0xff00ff00 \"Available text\"",
    "8038 colors 0xffffffff +8040 \"Progress bar\"",
    "8040 second colour 0xff00ff00 \"Remaining time\"",
    "7166 slider 0..3600 =5 \"Timeout to reset selection [sec]\"",
    "7164 slider 0..3600 =30 \"Timeout for loading the required credit\"",
    "7162 mask [0x1 Clear credit after wait time|0x2 Clear credit after program execute|0x4 Allow coins in idle|"
    "0x8 Allow buttons in idle|0x10 Select program without enough credit|0x20 POS activated after program selection@301,302|"
    "0x40 Program counters are ressetable@301,302|0x80 Autostart the first program@303|0x100 Alternative currency@304] =0x0 "
    "\"Credit flags\"",
    "8042 background 3 mode 2 0xff000080/0xffc000c0 \"Timer view background\"",
    "8176 colors 0xffffffff +8178 \"Timer\"",
    "8178 second colour 0xffffffff \"Program\"",
    "8048x16/8 line 'Washing' \"Timer view line 1\"..\"Timer view line 16\" help 8048+8",
    "7160 slider 0..3600 =3 \"Message display time [sec]\"",
    "6992 name \"SSID\"",
    "6994 name \"Password\"",
    "6996 name \"Write access key\"",
    "6998 name 'http://192.168.4.1/' \"Server URL\"",
};

} // namespace

class TestFixedTables : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void table1_1_data() { columns(); addRows("1.1", rows1_1); }
    void table1_1() { checkRow(marvek1_1Table(), boards1_1); }
    void table3_0_data() { columns(); addRows("3.0", rows3_0); }
    void table3_0() { checkRow(marvek3_0Table(), boards3_0); }
    // No row more or less than written down.
    void rowCounts()
    {
        QCOMPARE(paramCount(marvek1_1Table()), rows1_1.size());
        QCOMPARE(paramCount(marvek3_0Table()), rows3_0.size());
    }

private:
    static void columns()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("help");
    }
};

QTEST_GUILESS_MAIN(TestFixedTables)
#include "test_fixedtables.moc"
