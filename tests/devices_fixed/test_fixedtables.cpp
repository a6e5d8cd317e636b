// Every row of the fixed-layout tables against values written down once, independently of the
// tables: address, run, editor, range, default, bit list and options, labels of the first and
// last value, the help key rule, and which boards' pages offer it. Rows in page order.
#include "devices/marvek1_1_table.h"
#include "devices/marvek2_0_table.h"
#include "devices/marvek3_0_table.h"
#include "devices/marvekrobo1_0_table.h"
#include "devices/tokmat1_0_table.h"
#include <QtTest>

using namespace FixedTable;

namespace {

QString hex(quint32 v) { return QStringLiteral("0x%1").arg(v, 0, 16); }

// A board by its hardware version, and by its firmware word too where boards share the version.
QString boardId(const BoardFeatures &b, const QVector<BoardFeatures> &boards)
{
    int same = 0;
    for (const BoardFeatures &o : boards)
        same += o.word0 == b.word0;
    return QString::number(b.word0, 16) + (same > 1 ? QStringLiteral(":%1").arg(b.word2, 0, 16) : QString());
}

QString options(const Row &r, const QVector<BoardFeatures> &boards)
{
    QStringList out;
    for (int i = 0; i < r.optionCount; ++i) {
        QString o = hex(r.options[i].bit) + QLatin1Char(' ') + QLatin1String(r.options[i].name);
        QStringList on;
        for (const BoardFeatures &b : boards)
            if (r.options[i].when && r.options[i].when(b, i))
                on << boardId(b, boards);
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
    case Editor::MaskButton:
        s += QStringLiteral(" button ") + bitsAndDefault(r, boards) + (r.second ? QStringLiteral(" +%1").arg(r.second) : QString())
            + (r.orange ? QStringLiteral(" toggle") : QString());
        break;
    case Editor::Inverter: s += QStringLiteral(" inverter"); break;
    case Editor::SecondWord: s += QStringLiteral(" second word"); break;
    case Editor::LabelOnly: s += QStringLiteral(" label"); break;
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
            on << boardId(b, boards) + (n < r.count ? QStringLiteral("/%1").arg(n) : QString());
    }
    if (!everywhere && r.editor != Editor::SecondColor && r.editor != Editor::SecondWord)
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

// Older firmware, newer firmware, and extended boards with inverter 1, with extra boards, with all.
const QVector<BoardFeatures> boards2_0 = {{0x200, 0x201}, {0x201, 0x202}, {0x242, 0x9201}, {0x242, 0x2202}, {0x242, 0xe202}};

const QStringList rows2_0 = {
    "7334 mask [0x1 Load coin nominals from device] =0xff \"Options\"",
    "7332 mask 16 bits =0x0 \"Coin channel inhibit\"",
    "7300x16/2 slider 1..10000 =100 \"Coin 1 value [cents]\"..\"Coin 16 value [cents]\" help =7300",
    "7172x16/8 mask coin inputs =input k \"Coin validator channel\"",
    "7174x16/8 slider 10..2000 =40 \"Min pulse period [ms]\"",
    "7176x16/8 slider 10..2000 =800 \"Max pulse period [ms]\"",
    "7178x16/8 slider 1..10000 =100 \"Coin value [cents]\"",
    "7170 slider 1..100 =30 \"Button jitter [ms]\"",
    "7168 mask buttons =0x800 \"Button signal invert\"",
    "7166 mask relays =0x0 \"Relay signal invert\"",
    "7158 slider 10..10000 =500 \"Relay transaction delay [ms]\"",
    "7154 slider 0..3600 =300 \"Credit reset timeout in pause [sec]\"",
    "6774 slider 0..3600 =300 \"Auto pause for long running program [sec]\"",
    "7162 mask relays =0x3f \"Relay active time mask\"",
    "6540x2/2 mask relays =0x0 \"Relays to switch on together with the Inverter 1\"..\"Relays to switch on together with the Inverter 2\" "
    "on 242:9201/1,242:e202 help =6540",
    "6544x2/2 slider 0..60000 =0 \"Delay the relays turn off after the Inverter 1 switch off [ms]\"..\"Delay the relays turn off after the "
    "Inverter 2 switch off [ms]\" on 242:9201/1,242:e202 help =6544",
    "7160 mask buttons =0x2000 \"Operator mode button input\"",
    "7148 mask relays =0x0 \"Pipe discharge relay\"",
    "7150 slider 0..3600 =300 \"Discharge timeout after last activity [sec]\"",
    "7152 slider 0..60000 =2000 \"Discharge active period [ms]\"",
    "7164 slider 1..16 =1 \"Startup program\"",
    "32884 slider 1..3600 =150 \"Coin default time [sec]\"",
    "6860x16/2 name \"Name\" help =6860",
    "6892x16/2 slider 0..3600 =0 \"Individual time [sec]\" help =6892",
    "7116x16/2 button buttons =0x100<<k \"Button input\" help =7116",
    "7084x16/2 button relays =1<<k +7052 \"Relays to turn on\" help =7084",
    "7052x16/2 second word \"Relays to keep unchanged\" help =7052",
    "6740x16/2 button extra relays =0x0 +6708 \"Relays to turn on - extra boards\" on 242:2202,242:e202 help =6740",
    "6708x16/2 second word \"Relays to keep unchanged - extra boards\" help =6708",
    "6612x16/2 inverter \"Inverter 1\" on 242:9201,242:e202 help =6612",
    "6613x16/2 inverter \"Inverter 2\" on 242:e202 help =6612",
    "6924x16/2 signed -1800..1800 =0 \"After timeout A [sec]\" help =6924",
    "6956x16/2 button relays =0x0 toggle \"Toggle relays (time A)\" help =6956",
    "6644x16/2 button extra relays =0x0 toggle \"Toggle relays (time A) - extra boards\" on 242:2202,242:e202 help =6644",
    "6548x16/2 inverter \"Inverter 1 (time A)\" on 242:9201,242:e202 help =6548",
    "6549x16/2 inverter \"Inverter 2 (time A)\" on 242:e202 help =6548",
    "6988x16/2 signed -1800..1800 =0 \"After timeout B [sec]\" help =6988",
    "7020x16/2 button relays =0x0 toggle \"Toggle relays (time B)\" help =7020",
    "6676x16/2 button extra relays =0x0 toggle \"Toggle relays (time B) - extra boards\" on 242:2202,242:e202 help =6676",
    "6580x16/2 inverter \"Inverter 1 (time B)\" on 242:9201,242:e202 help =6580",
    "6581x16/2 inverter \"Inverter 2 (time B)\" on 242:e202 help =6580",
    "6796x16/2 colors 0xffc08080 +6828 \"Active view color 3\" help =6796",
    "6828x16/2 second colour 0xffc00000 \"Active view color 4\" help =6828",
    "6786 mask [0x40 1|0x2 4|0x20 5|0x10 6|0x80 R] =0x10 \"Channel for fiscal pulses\" on 200",
    "6786 mask [0x40 1|0x4 2|0x1 3|0x2 4|0x20 5|0x10 6|0x80 R] =0x0 \"Channel for fiscal pulses\" on 201,242:9201,242:2202,242:e202",
    "6784 slider 1..200 =100 \"Value [cents]\"",
    "7336 background 3 mode 2 0xff800000/0xffc000c0 \"Operator view background\"",
    "7342x16/8 line 'OPERATOR' \"Operator view line 1\"..\"Operator view line 16\" help 7342+8",
    "7470 background 3 mode 2 0xff800000/0xffc000c0 \"Out of order view background\"",
    "7476x16/8 line 'OUT OF ORDER' \"Out of order view line 1\"..\"Out of order view line 16\" help 7476+8",
    "7604x4/2 slider 0..600 =5 \"View timeout [sec]\" help =7604",
    "7612x4/6 background 3 mode 2 0xff000080/0xffc000c0 \"Idle view background\" help 7612+6",
    "7636x64/8 line 'INSERT COIN' \"Idle view line 1\"..\"Idle view line 16\" help 7636+8",
    "8148 background 3 mode 2 0xff000080/0xffc000c0 \"Coins view background\"",
    "8154 colors 0xffffffff +8156 \"Coins view text\"",
    "8156 second colour 0xff00ff00 \"Coins view new coins\"",
    "7156 slider 10..60000 =5000 \"Credit change display timeout [ms]\"",
    "8158 mask [0x1 Show Credit|0x2 Show Time|0x4 Remember the credit at power failure|0x80 Charge cards on scan] =0xff "
    "\"Coins view customization\"",
    "6782 slider 0..10000 =0 \"Minimum start credit [cents]\"",
    "6780 slider 10..3600 =300 \"Wait for start credit timeout [s]\"",
    "6776 colors 0xffffffff +6778 \"Reset text\"",
    "6778 second colour 0xffff0000 \"Reset progress\"",
    "6772 slider 1..600 =5 \"Popup messages timout [sec]\" on 201,242:9201,242:2202,242:e202",
    "8162 background 7 mode 4 0xff000080/0xffc000c0 \"Active view background\"",
    "8168 colors 0xff80c080 +8170 \"Active view color 1\"",
    "8170 second colour 0xff00c000 \"Active view color 2\"",
    "8172 colors 0xffffffff +8174 \"Active view timer\"",
    "8174 second colour 0xffffffff \"Active view mode\"",
    "8176 colors 0xffffff00 +8178 \"Active view transaction progress\"",
    "8178 second colour 0xffff0000 \"Active view pause timeout\"",
    "8160 mask [0x1 Show Credit|0x2 Show Time] =0xff \"Active view customization\"",
    "6788 name \"SSID\"",
    "6790 name \"Password\"",
    "6792 name \"Write access key\"",
};

const QVector<BoardFeatures> boardsRobo = {{0x100, 0x400}};

const QStringList rowsRobo = {
    "6900 label \"SSID\" on none",
    "6902 label \"Password\" on none",
    "6904 label \"Write access key\" on none",
    "6906 label \"Server URL\" on none",
    "7122 mask [0x1 Load coin nominals from device] =0xff \"Options\"",
    "7120 mask 16 bits =0x0 \"Coin channel inhibit\"",
    "7088x16/2 slider 1..10000 =100 \"Coin 1 value [cents]\"..\"Coin 16 value [cents]\" help =7088",
    "7086 mask [0x1 Load note nominals from device] =0xff \"Options\"",
    "7084 mask 16 bits =0x0 \"Banknote channel inhibit\"",
    "7052x16/2 slider 1..50000 =100 \"Banknote 1 value [cents]\"..\"Banknote 16 value [cents]\" help =7052",
    "7050 slider 1..10000 =100 \"Change coin value [cents]\"",
    "7048 slider 0..1000 =40 \"Remaining change at low level\"",
    "7046 slider 1..100 =30 \"Button jitter [ms]\"",
    "7044 mask buttons =0x800 \"Button signal invert\"",
    "7042 mask relays =0x0 \"Relay signal invert\"",
    "6940x16/2 name \"Name\" help =6940",
    "6972x16/2 slider 1..60000 =1000 \"Cost [cents]\" help =6972",
    "6908x16/2 slider 1..3600 =60 \"Duration [sec]\" help =6908",
    "7004x16/2 mask relays =1<<k \"Relays to pulse\" help =7004",
    "6864x16/2 mask relays =0x0 \"Relays while active\" help =6864",
    "7040 slider 0..3600 =10 \"Timeout to reset button selection [sec]\"",
    "7038 slider 0..3600 =30 \"Prepare to enter timeout [sec]\"",
    "7036 slider 0..3600 =3 \"Timeout for machine in use message [sec]\"",
    "6898 mask [0x2 4|0x20 5] =0x20 \"Channel for fiscal pulses\"",
    "6896 slider 1..200 =100 \"Value [cents]\"",
    "8174 background 3 mode 2 0xff004000/0xff208020 \"Startup background\"",
    "8172 colors 0xff00ff00 +8170 \"Startup progress\"",
    "8170 second colour 0xffffffff \"Startup text\"",
    "8168 colors 0xff00ff00 +8166 \"Startup pass\"",
    "8166 second colour 0xffff0000 \"Startup fail\"",
    "7482 background 3 mode 2 0xff800000/0xffc000c0 \"Out of order view background\"",
    "7354x16/8 line 'OUT OF ORDER' \"Out of order view line 1\"..\"Out of order view line 16\" help 7354+8",
    "7616 background 3 mode 2 0xff808000/0xff808040 \"Limited view background\"",
    "7488x16/8 line 'LIMITED FUNCTIONALITY' \"Limited view line 1\"..\"Valid coin line 2\" help 7488+8",
    "8158x4/2 slider 0..600 =5 \"View timeout [sec]\" help =8158",
    "8134x4/6 background 3 mode 2 0xff000080/0xffc000c0 \"Idle view background\" help 8134+6",
    "7622x64/8 line 'CHOOSE PROGRAM' \"Idle view line 1\"..\"Idle view line 16\" help 7622+8",
    "7348 background 3 mode 2 0xff000080/0xffc000c0 \"Credit view background\"",
    "7346 colors 0xffffffff \"Text color\"",
    "7344 colors 0xffffffff +7342 \"Available text\"",
    "7342 second colour 0xff00ff00 \"Required text\"",
    "7336 background 3 mode 2 0xff800000/0xffc000c0 \"Prepare view background\"",
    "7206 colors 0xffffffff \"Timer color\"",
    "7208x16/8 line 'PREPARE' \"Prepare view line 1\"..\"Prepare view line 16\" help 7208+8",
    "7200 background 3 mode 2 0xff800000/0xffc000c0 \"Wash view background\"",
    "7134 colors 0xffffffff \"Timer color\"",
    "7136x8/8 line 'Washing' \"Wash view line 1\"..\"Wash view line 8\" help 7136+8",
    "7128 background 3 mode 2 0xff000080/0xffc000c0 \"Card view background\"",
    "7126 colors 0xffffffff \"Card view text\"",
    "7124 slider 0..3600 =3 \"Card view hide timeout\"",
};

const QVector<BoardFeatures> boardsTokmat = {
    {0x100, 0x300}, {0x101, 0x300}, {0x102, 0x300}, {0x200, 0x300}, {0x201, 0x300}, {0x300, 0x300}};

const QStringList rowsTokmat = {
    "0 mask [0x1 Load coin nominals from device] =0xff \"Options\"",
    "2 mask 16 bits =0x0 \"Coin channel inhibit\"",
    "4x16/2 slider 1..10000 =100 \"Coin 1 value [cents]\"..\"Coin 16 value [cents]\" help =4",
    "37 byte slider 1..16 =10 \"Max selected tokens\" on 102,201,300",
    "36 byte mask [0x1 Load note nominals from device|0x2 Note code is variable token cost value@102,201,300] =0xff \"Options\"",
    "38 mask 16 bits =0x0 \"Banknote channel inhibit\"",
    "40x16/2 slider 1..50000 =100 \"Banknote 1 value [cents]\"..\"Banknote 16 value [cents]\" help =40",
    "8090x16/1 byte slider 0..99 =10 \"Minimum float [banknotes]\" on 300 help =8090",
    "8106x16/1 byte slider 0..99 =10 \"Maximum float [banknotes]\" on 300 help =8106",
    "8122 slider 500..50000 =5000 \"Maximum banknote value [cents]\" on 300",
    "72 slider 1..10000 =100 \"Token value [cents]\"",
    "74 slider 1..10000 =100 \"Change coin value [cents]\" on 100",
    "74 slider 0..10000 =100 \"Change coin value [cents]\" on 101,102,200,201,300",
    "76 slider 0..1000 =40 \"Remaining tokens at low level\"",
    "78 slider 0..1000 =40 \"Remaining change at low level\"",
    "8088 slider 0..100 =50 \"Token/Return load balancing [%]\"",
    "8126 mask [0x40 1|0x2 4|0x20 5|0x10 6] =0x20 \"Channel for fiscal pulses\"",
    "8124 slider 1..100 =1 \"Multiplier to token / Credit per pulse\"",
    "80 slider 1..100 =30 \"Button jitter [ms]\"",
    "82 mask buttons =0x0 \"Button signal invert\"",
    "84 background 3 mode 2 0xff004000/0xff208020 \"Startup background\"",
    "90 colors 0xff00ff00 +92 \"Startup progress\"",
    "92 second colour 0xffffffff \"Startup text\"",
    "94 colors 0xff00ff00 +96 \"Startup pass\"",
    "96 second colour 0xffff0000 \"Startup fail\"",
    "98 background 3 mode 2 0xff800000/0xffc000c0 \"Out of order view background\"",
    "104x16/8 line 'OUT OF ORDER' \"Out of order view line 1\"..\"Out of order view line 16\" help 104+8",
    "232 background 3 mode 2 0xff808000/0xff808040 \"Limited view background\"",
    "238x16/8 line 'LIMITED FUNCTIONALITY' \"Limited view line 1\"..\"Valid coin line 2\" help 238+8",
    "366x4/2 slider 0..600 =5 \"View timeout [sec]\" help =366",
    "374x4/6 background 3 mode 2 0xff000080/0xffc000c0 \"Idle view background\" help 374+6",
    "398x64/8 line 'READY' \"Idle view line 1\"..\"Idle view line 16\" help 398+8",
    "910 background 3 mode 2 0xff000080/0xffc000c0 \"Credit view background\"",
    "916 colors 0xffffffff \"Credit text\"",
    "918 colors 0xffffffff +920 \"Token text\"",
    "920 second colour 0xff00ff00 \"Change text\"",
    "8128 slider 0..600 =20 \"Timeout to reset button selection [sec]\"",
    "8130 slider 0..60 =3 \"Delay to start payout [sec]\"",
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
    void table2_0_data() { columns(); addRows("2.0", rows2_0); }
    void table2_0() { checkRow(marvek2_0Table(), boards2_0); }
    void tableRobo_data() { columns(); addRows("Robo", rowsRobo); }
    void tableRobo() { checkRow(marvekRobo1_0Table(), boardsRobo); }
    void tableTokmat_data() { columns(); addRows("Tokmat", rowsTokmat); }
    void tableTokmat() { checkRow(tokmat1_0Table(), boardsTokmat); }
    // No row more or less than written down.
    void rowCounts()
    {
        QCOMPARE(paramCount(marvek1_1Table()), rows1_1.size());
        QCOMPARE(paramCount(marvek3_0Table()), rows3_0.size());
        QCOMPARE(paramCount(marvek2_0Table()), rows2_0.size());
        QCOMPARE(paramCount(marvekRobo1_0Table()), rowsRobo.size());
        QCOMPARE(paramCount(tokmat1_0Table()), rowsTokmat.size());
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
