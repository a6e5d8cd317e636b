// Every parameter of the Controller 3.0 image, in the order of its page: address, label,
// editor, range and default, where it goes and which help text it shares.
#include "devices/marvek3_0_table.h"
#include <QCoreApplication>

using namespace FixedTable;

#define T(text) QT_TRANSLATE_NOOP("DevMarvek3_0", text)

namespace {

constexpr quint32 washingCosts = 7032;
constexpr quint32 dryingCosts = 7064;
constexpr int costCount = 14;

// Hardware 0x302 and later sell the first 14 programs by tiered costs on a tab of their own;
// the last two programs, and every program of older boards, keep a price and a time.
bool hasCosts(const BoardFeatures &b) { return b.word0 >= 0x302; }
bool costsTab(const BoardFeatures &b, int) { return hasCosts(b); }
bool priceInGroup(const BoardFeatures &b, int k) { return !hasCosts(b) || k >= costCount; }

bool pos(const BoardFeatures &b, int) { return b.word0 == 0x301 || b.word0 == 0x302; }
bool autostart(const BoardFeatures &b, int) { return b.word0 == 0x303; }
bool currency(const BoardFeatures &b, int) { return b.word0 > 0x303; }

// "under 10" ... "under 130", then "over 130" minutes.
QString costLabel(const char *context, const char *text, int i)
{
    const char *side = i == costCount - 1 ? T("over") : T("under");
    return QCoreApplication::translate(context, text)
        .arg(QCoreApplication::translate(context, side))
        .arg((i - i / (costCount - 1) + 1) * 10);
}

QString priceLabel(const char *context, quint32 address, const BoardFeatures &board)
{
    const int k = int(address - washingCosts) / 2;
    if (priceInGroup(board, k))
        return QCoreApplication::translate(context, "Price");
    return costLabel(context, T("Cost for wahing time %1 %2 minutes [cents]"), k);
}

QString timeLabel(const char *context, quint32 address, const BoardFeatures &board)
{
    const int k = int(address - dryingCosts) / 2;
    if (priceInGroup(board, k))
        return QCoreApplication::translate(context, "Time [sec]");
    return costLabel(context, T("Cost for drying time %1 %2 minutes [cents]"), k);
}

const Option coinOptions[] = {{0x01, T("Load coin nominals from device")}};
const Option fiscalOptions[] = {{0x02, "4"}, {0x20, "5"}};
const Option creditFlags[] = {
    {1, T("Clear credit after wait time")},
    {2, T("Clear credit after program execute")},
    {4, T("Allow coins in idle")},
    {8, T("Allow buttons in idle")},
    {16, T("Select program without enough credit")},
    {32, T("POS activated after program selection"), pos},
    {64, T("Program counters are ressetable"), pos},
    {128, T("Autostart the first program"), autostart},
    {256, T("Alternative currency"), currency},
};

// Where the board's server is reached unless the technician names another.
const char *const serverUrl = "http://192.168.4.1/";

const Row rows[] = {
    tab(T("Coin validator")),
        options(7212, T("Options"), coinOptions, 255),
        mask(7210, T("Coin channel inhibit"), Bits::Single16, 0),
        groups(T("Coin code %1"), 16),
            slider(7178, T("Coin %1 value [cents]"), 1, 10000, 100).perProgram().numberedBy().sharedHelp(),
        end(),

    tab(T("Buttons and Programs")),
        slider(7176, T("Button jitter [ms]"), 1, 100, 30),
        mask(7174, T("Button signal invert"), Bits::Buttons, 0x0800),
        mask(7172, T("Relay signal invert"), Bits::Relays, 0),
        slider(7168, T("Relay pulse duration [ms]"), 10, 10000, 500),
        groups(T("Button code %1"), 16),
            name(7000, T("Name")).perProgram().sharedHelp(),
            slider(dryingCosts, T("Time [sec]"), 0, 3600, 0).perProgram().sharedHelp().onlyWhen(priceInGroup).labelledBy(timeLabel),
            slider(washingCosts, T("Price"), 0, 10000, 100).perProgram().sharedHelp().onlyWhen(priceInGroup).labelledBy(priceLabel),
            mask(7128, T("Button input"), Bits::Buttons, 0).perProgram().sharedHelp().defaultBy(Default::ButtonOfIndex),
            mask(7096, T("Relays to turn on"), Bits::Relays, 0).perProgram().sharedHelp().defaultBy(Default::RelayOfIndex),
        end(),
        mask(7170, T("Operator mode button input"), Bits::Buttons, 0x2000),
        slider(0x8074, T("Default price [cents]"), 0, 3600, 150),

    tab(T("Costs")).onlyWhen(costsTab),
        slider(washingCosts, T("Cost for wahing time %1 %2 minutes [cents]"), 0, 10000, 600).times(costCount, 2)
            .sharedHelp().labelledBy(priceLabel),
        slider(dryingCosts, T("Cost for drying time %1 %2 minutes [cents]"), 0, 10000, 600).times(costCount, 2)
            .sharedHelp().labelledBy(timeLabel),

    tab(T("Fiscal signals")),
        options(6990, T("Channel for fiscal pulses"), fiscalOptions, 0x20),
        slider(6988, T("Value [cents]"), 1, 200, 100),

    tab(T("Operator view")),
        background(7214, T("Operator view background"), 3, 2, 0xFF800000, 0xFFC000C0),
        viewLine(7220, T("Operator view line %1"), T("OPERATOR")).times(16, 8).numberedBy().recordHelp(),

    tab(T("Out of order view")),
        background(7348, T("Out of order view background"), 3, 2, 0xFF800000, 0xFFC000C0),
        viewLine(7354, T("Out of order view line %1"), T("OUT OF ORDER")).times(16, 8).numberedBy().recordHelp(),

    tabs(T("Idle view %1"), 4),
        slider(7482, T("View timeout [sec]"), 0, 600, 5).times(4, 2).sharedHelp(),
        background(7490, T("Idle view background"), 3, 2, 0xFF000080, 0xFFC000C0).times(4, 6).recordHelp(),
        viewLine(7514, T("Idle view line %1"), T("INSERT COIN")).times(64, 8).numberedBy(16).recordHelp(),
    end(),

    tab(T("Credit view")),
        background(8028, T("Coins view background"), 3, 2, 0xFF000080, 0xFFC000C0),
        colors(8026, T("Text color"), 0xFFFFFFFF),
        colors(8034, T("Required text"), 0xFFFFFFFF, 8036),
        secondColor(8036, T("Available text"), 0xFF00FF00),
        colors(8038, T("Progress bar"), 0xFFFFFFFF, 8040),
        secondColor(8040, T("Remaining time"), 0xFF00FF00),
        slider(7166, T("Timeout to reset selection [sec]"), 0, 3600, 5),
        slider(7164, T("Timeout for loading the required credit"), 0, 3600, 30),
        options(7162, T("Credit flags"), creditFlags, 0),

    tab(T("Timer view")),
        background(8042, T("Timer view background"), 3, 2, 0xFF000080, 0xFFC000C0),
        colors(8176, T("Timer"), 0xFFFFFFFF, 8178),
        secondColor(8178, T("Program"), 0xFFFFFFFF),
        viewLine(8048, T("Timer view line %1"), T("Washing")).times(16, 8).numberedBy().recordHelp(),
        slider(7160, T("Message display time [sec]"), 0, 3600, 3),

    tab(T("WiFi connection")),
        name(6992, T("SSID")),
        name(6994, T("Password")),
        name(6996, T("Write access key")),
        name(6998, T("Server URL")).initially(serverUrl),
};

const Table table = {rows, int(sizeof rows / sizeof rows[0]), "DevMarvek3_0"};

} // namespace

const Table &marvek3_0Table() { return table; }

static const FixedLayout marvek3_0LayoutData = {
    QT_TRANSLATE_NOOP("DevMarvek3_0", "Marvek Totalizer"),
    0x0304, 0x0100, 0x0201,   // identity words
    8180, 0x7FFF, true,       // layout word, version bits, bit 15 the FM flag
    0, 6988, false,           // text pool from the image start, distances downward
    7172,                     // "Relay signal invert"
    "help_cnt30_bg", "help_cnt30_bg",
    marvek3_0Table, BitLists::sixRelays,
};

const FixedLayout &marvek3_0Layout() { return marvek3_0LayoutData; }
