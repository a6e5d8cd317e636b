// Every parameter of the Controller 2.0 image, in the order of its page: address, label,
// editor, range and default, where it goes and which help text it shares.
#include "devices/marvek2_0_table.h"
#include <QtGlobal>

using namespace FixedTable;

namespace {

// Where the features of the board decide.
bool inverterOfIndex(const BoardFeatures &b, int k)
{
    return b.extended() && (k == 0 ? b.inverter1() : b.inverter2());
}
bool inverter1(const BoardFeatures &b, int) { return b.extended() && b.inverter1(); }
bool inverter2(const BoardFeatures &b, int) { return b.extended() && b.inverter2(); }
bool extraBoards(const BoardFeatures &b, int) { return b.extended() && b.extraBoards(); }
bool popupTimeout(const BoardFeatures &b, int) { return b.word0 > 0x200; }
bool olderFirmware(const BoardFeatures &b, int) { return b.firmwareBelow202(); }
bool newerFirmware(const BoardFeatures &b, int) { return !b.firmwareBelow202(); }

const Option ccTalkOptions[] = {{0x01, QT_TRANSLATE_NOOP("DevMarvek2_0", "Load coin nominals from device")}};
const Option fiscalOlder[] = {
    {0x40, "1"}, {0x02, "4"}, {0x20, "5"}, {0x10, "6"}, {0x80, "R"}};
const Option fiscalNewer[] = {
    {0x40, "1"}, {0x04, "2"}, {0x01, "3"}, {0x02, "4"}, {0x20, "5"}, {0x10, "6"}, {0x80, "R"}};
const Option coinsViewOptions[] = {
    {0x01, QT_TRANSLATE_NOOP("DevMarvek2_0", "Show Credit")}, {0x02, QT_TRANSLATE_NOOP("DevMarvek2_0", "Show Time")},
    {0x04, QT_TRANSLATE_NOOP("DevMarvek2_0", "Remember the credit at power failure")}, {0x80, QT_TRANSLATE_NOOP("DevMarvek2_0", "Charge cards on scan")}};
const Option activeViewOptions[] = {{0x01, QT_TRANSLATE_NOOP("DevMarvek2_0", "Show Credit")}, {0x02, QT_TRANSLATE_NOOP("DevMarvek2_0", "Show Time")}};

const Row rows[] = {
    tab(QT_TRANSLATE_NOOP("DevMarvek2_0", "Coin validator ccTalk")),
        options(7334, QT_TRANSLATE_NOOP("DevMarvek2_0", "Options"), ccTalkOptions, 255),
        mask(7332, QT_TRANSLATE_NOOP("DevMarvek2_0", "Coin channel inhibit"), Bits::Single16, 0),
        groups(QT_TRANSLATE_NOOP("DevMarvek2_0", "Coin code %1"), 16),
            slider(7300, QT_TRANSLATE_NOOP("DevMarvek2_0", "Coin %1 value [cents]"), 1, 10000, 100).perProgram().numberedBy().sharedHelp(),
        end(),

    tab(QT_TRANSLATE_NOOP("DevMarvek2_0", "Coin validator Parallel")),
        groups(QT_TRANSLATE_NOOP("DevMarvek2_0", "Coin code %1"), 16),
            mask(7172, QT_TRANSLATE_NOOP("DevMarvek2_0", "Coin validator channel"), Bits::CoinInputs, 0).times(16, 8).defaultBy(Default::CoinOfIndex),
            slider(7174, QT_TRANSLATE_NOOP("DevMarvek2_0", "Min pulse period [ms]"), 10, 2000, 40).times(16, 8),
            slider(7176, QT_TRANSLATE_NOOP("DevMarvek2_0", "Max pulse period [ms]"), 10, 2000, 800).times(16, 8),
            slider(7178, QT_TRANSLATE_NOOP("DevMarvek2_0", "Coin value [cents]"), 1, 10000, 100).times(16, 8),
        end(),

    tab(QT_TRANSLATE_NOOP("DevMarvek2_0", "Buttons and Relays")),
        slider(7170, QT_TRANSLATE_NOOP("DevMarvek2_0", "Button jitter [ms]"), 1, 100, 30),
        mask(7168, QT_TRANSLATE_NOOP("DevMarvek2_0", "Button signal invert"), Bits::Buttons, 0x0800),
        mask(7166, QT_TRANSLATE_NOOP("DevMarvek2_0", "Relay signal invert"), Bits::Relays, 0),
        slider(7158, QT_TRANSLATE_NOOP("DevMarvek2_0", "Relay transaction delay [ms]"), 10, 10000, 500),
        slider(7154, QT_TRANSLATE_NOOP("DevMarvek2_0", "Credit reset timeout in pause [sec]"), 0, 3600, 300),
        slider(6774, QT_TRANSLATE_NOOP("DevMarvek2_0", "Auto pause for long running program [sec]"), 0, 3600, 300),
        mask(7162, QT_TRANSLATE_NOOP("DevMarvek2_0", "Relay active time mask"), Bits::Relays, 63),
        series(2), // inverter 1, then inverter 2, each where the board has it
            mask(6540, QT_TRANSLATE_NOOP("DevMarvek2_0", "Relays to switch on together with the Inverter %1"), Bits::Relays, 0)
                .times(2, 2).numberedBy().sharedHelp().onlyWhen(inverterOfIndex),
            slider(6544, QT_TRANSLATE_NOOP("DevMarvek2_0", "Delay the relays turn off after the Inverter %1 switch off [ms]"), 0, 60000, 0)
                .times(2, 2).numberedBy().sharedHelp().onlyWhen(inverterOfIndex),
        end(),
        mask(7160, QT_TRANSLATE_NOOP("DevMarvek2_0", "Operator mode button input"), Bits::Buttons, 0x2000),
        mask(7148, QT_TRANSLATE_NOOP("DevMarvek2_0", "Pipe discharge relay"), Bits::Relays, 0),
        slider(7150, QT_TRANSLATE_NOOP("DevMarvek2_0", "Discharge timeout after last activity [sec]"), 0, 3600, 300),
        slider(7152, QT_TRANSLATE_NOOP("DevMarvek2_0", "Discharge active period [ms]"), 0, 60000, 2000),

    tab(QT_TRANSLATE_NOOP("DevMarvek2_0", "Programs")),
        slider(7164, QT_TRANSLATE_NOOP("DevMarvek2_0", "Startup program"), 1, 16, 1),
        slider(0x8074, QT_TRANSLATE_NOOP("DevMarvek2_0", "Coin default time [sec]"), 1, 3600, 150),
        gridRows(16), // one row per program; each row below is a column
            name(6860, QT_TRANSLATE_NOOP("DevMarvek2_0", "Name")).perProgram().sharedHelp().column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Name")),
            slider(6892, QT_TRANSLATE_NOOP("DevMarvek2_0", "Individual time [sec]"), 0, 3600, 0).perProgram().sharedHelp().column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Time")),
            maskButton(7116, QT_TRANSLATE_NOOP("DevMarvek2_0", "Button input"), Bits::Buttons, 0).perProgram().sharedHelp()
                .defaultBy(Default::ButtonOfIndex).column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Buttons")),
            maskButton(7084, QT_TRANSLATE_NOOP("DevMarvek2_0", "Relays to turn on"), Bits::Relays, 0, 7052).perProgram().sharedHelp()
                .defaultBy(Default::RelayOfIndex).column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Relays")),
            secondWord(7052, QT_TRANSLATE_NOOP("DevMarvek2_0", "Relays to keep unchanged")).perProgram().sharedHelp(),
            maskButton(6740, QT_TRANSLATE_NOOP("DevMarvek2_0", "Relays to turn on - extra boards"), Bits::ExtraRelays, 0, 6708)
                .perProgram().sharedHelp().onlyWhen(extraBoards),
            secondWord(6708, QT_TRANSLATE_NOOP("DevMarvek2_0", "Relays to keep unchanged - extra boards")).perProgram().sharedHelp(),
            inverter(6612, QT_TRANSLATE_NOOP("DevMarvek2_0", "Inverter %1")).perProgram().numberedFrom(6612, 1, 2).sharedHelp()
                .onlyWhen(inverter1).column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Inverter 1")),
            inverter(6613, QT_TRANSLATE_NOOP("DevMarvek2_0", "Inverter %1")).perProgram().numberedFrom(6612, 1, 2).sharedHelp(6612)
                .onlyWhen(inverter2).column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Inverter 2")),
            signedSlider(6924, QT_TRANSLATE_NOOP("DevMarvek2_0", "After timeout A [sec]"), -1800, 1800).perProgram().sharedHelp().column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Delay A")),
            maskButton(6956, QT_TRANSLATE_NOOP("DevMarvek2_0", "Toggle relays (time A)"), Bits::Relays, 0).perProgram().sharedHelp()
                .toggle().column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Change relays A")),
            maskButton(6644, QT_TRANSLATE_NOOP("DevMarvek2_0", "Toggle relays (time A) - extra boards"), Bits::ExtraRelays, 0)
                .perProgram().sharedHelp().toggle().onlyWhen(extraBoards),
            inverter(6548, QT_TRANSLATE_NOOP("DevMarvek2_0", "Inverter %1 (time A)")).perProgram().numberedFrom(6548, 1, 2).sharedHelp()
                .onlyWhen(inverter1).column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Inverter 1 A")),
            inverter(6549, QT_TRANSLATE_NOOP("DevMarvek2_0", "Inverter %1 (time A)")).perProgram().numberedFrom(6548, 1, 2).sharedHelp(6548)
                .onlyWhen(inverter2).column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Inverter 2 A")),
            signedSlider(6988, QT_TRANSLATE_NOOP("DevMarvek2_0", "After timeout B [sec]"), -1800, 1800).perProgram().sharedHelp().column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Delay B")),
            maskButton(7020, QT_TRANSLATE_NOOP("DevMarvek2_0", "Toggle relays (time B)"), Bits::Relays, 0).perProgram().sharedHelp()
                .toggle().column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Change relays B")),
            maskButton(6676, QT_TRANSLATE_NOOP("DevMarvek2_0", "Toggle relays (time B) - extra boards"), Bits::ExtraRelays, 0)
                .perProgram().sharedHelp().toggle().onlyWhen(extraBoards),
            inverter(6580, QT_TRANSLATE_NOOP("DevMarvek2_0", "Inverter %1 (time B)")).perProgram().numberedFrom(6580, 1, 2).sharedHelp()
                .onlyWhen(inverter1).column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Inverter 1 B")),
            inverter(6581, QT_TRANSLATE_NOOP("DevMarvek2_0", "Inverter %1 (time B)")).perProgram().numberedFrom(6580, 1, 2).sharedHelp(6580)
                .onlyWhen(inverter2).column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Inverter 2 B")),
            colors(6796, QT_TRANSLATE_NOOP("DevMarvek2_0", "Active view color 3"), 0xFFC08080, 6828).perProgram().sharedHelp().column(QT_TRANSLATE_NOOP("DevMarvek2_0", "Colors")),
            secondColor(6828, QT_TRANSLATE_NOOP("DevMarvek2_0", "Active view color 4"), 0xFFC00000).perProgram().sharedHelp(),
        end(),

    tab(QT_TRANSLATE_NOOP("DevMarvek2_0", "Fiscal signals")),
        options(6786, QT_TRANSLATE_NOOP("DevMarvek2_0", "Channel for fiscal pulses"), fiscalOlder, 0x10).grid().onlyWhen(olderFirmware),
        options(6786, QT_TRANSLATE_NOOP("DevMarvek2_0", "Channel for fiscal pulses"), fiscalNewer, 0).grid().onlyWhen(newerFirmware),
        slider(6784, QT_TRANSLATE_NOOP("DevMarvek2_0", "Value [cents]"), 1, 200, 100),

    tab(QT_TRANSLATE_NOOP("DevMarvek2_0", "Operator view")),
        background(7336, QT_TRANSLATE_NOOP("DevMarvek2_0", "Operator view background"), 3, 2, 0xFF800000, 0xFFC000C0),
        viewLine(7342, QT_TRANSLATE_NOOP("DevMarvek2_0", "Operator view line %1"), QT_TRANSLATE_NOOP("DevMarvek2_0", "OPERATOR")).times(16, 8).numberedBy().recordHelp(),

    tab(QT_TRANSLATE_NOOP("DevMarvek2_0", "Out of order view")),
        background(7470, QT_TRANSLATE_NOOP("DevMarvek2_0", "Out of order view background"), 3, 2, 0xFF800000, 0xFFC000C0),
        viewLine(7476, QT_TRANSLATE_NOOP("DevMarvek2_0", "Out of order view line %1"), QT_TRANSLATE_NOOP("DevMarvek2_0", "OUT OF ORDER")).times(16, 8).numberedBy().recordHelp(),

    tabs(QT_TRANSLATE_NOOP("DevMarvek2_0", "Idle view %1"), 4),
        slider(7604, QT_TRANSLATE_NOOP("DevMarvek2_0", "View timeout [sec]"), 0, 600, 5).times(4, 2).sharedHelp(),
        background(7612, QT_TRANSLATE_NOOP("DevMarvek2_0", "Idle view background"), 3, 2, 0xFF000080, 0xFFC000C0).times(4, 6).recordHelp(),
        viewLine(7636, QT_TRANSLATE_NOOP("DevMarvek2_0", "Idle view line %1"), QT_TRANSLATE_NOOP("DevMarvek2_0", "INSERT COIN")).times(64, 8).numberedBy(16).recordHelp(),
    end(),

    tab(QT_TRANSLATE_NOOP("DevMarvek2_0", "Coins view")),
        background(8148, QT_TRANSLATE_NOOP("DevMarvek2_0", "Coins view background"), 3, 2, 0xFF000080, 0xFFC000C0),
        colors(8154, QT_TRANSLATE_NOOP("DevMarvek2_0", "Coins view text"), 0xFFFFFFFF, 8156),
        secondColor(8156, QT_TRANSLATE_NOOP("DevMarvek2_0", "Coins view new coins"), 0xFF00FF00),
        slider(7156, QT_TRANSLATE_NOOP("DevMarvek2_0", "Credit change display timeout [ms]"), 10, 60000, 5000),
        options(8158, QT_TRANSLATE_NOOP("DevMarvek2_0", "Coins view customization"), coinsViewOptions, 255),
        slider(6782, QT_TRANSLATE_NOOP("DevMarvek2_0", "Minimum start credit [cents]"), 0, 10000, 0),
        slider(6780, QT_TRANSLATE_NOOP("DevMarvek2_0", "Wait for start credit timeout [s]"), 10, 3600, 300),
        colors(6776, QT_TRANSLATE_NOOP("DevMarvek2_0", "Reset text"), 0xFFFFFFFF, 6778),
        secondColor(6778, QT_TRANSLATE_NOOP("DevMarvek2_0", "Reset progress"), 0xFFFF0000),
        slider(6772, QT_TRANSLATE_NOOP("DevMarvek2_0", "Popup messages timout [sec]"), 1, 600, 5).onlyWhen(popupTimeout),

    tab(QT_TRANSLATE_NOOP("DevMarvek2_0", "Active view")),
        background(8162, QT_TRANSLATE_NOOP("DevMarvek2_0", "Active view background"), 7, 4, 0xFF000080, 0xFFC000C0),
        colors(8168, QT_TRANSLATE_NOOP("DevMarvek2_0", "Active view color 1"), 0xFF80C080, 8170),
        secondColor(8170, QT_TRANSLATE_NOOP("DevMarvek2_0", "Active view color 2"), 0xFF00C000),
        colors(8172, QT_TRANSLATE_NOOP("DevMarvek2_0", "Active view timer"), 0xFFFFFFFF, 8174),
        secondColor(8174, QT_TRANSLATE_NOOP("DevMarvek2_0", "Active view mode"), 0xFFFFFFFF),
        colors(8176, QT_TRANSLATE_NOOP("DevMarvek2_0", "Active view transaction progress"), 0xFFFFFF00, 8178),
        secondColor(8178, QT_TRANSLATE_NOOP("DevMarvek2_0", "Active view pause timeout"), 0xFFFF0000),
        options(8160, QT_TRANSLATE_NOOP("DevMarvek2_0", "Active view customization"), activeViewOptions, 255),

    tab(QT_TRANSLATE_NOOP("DevMarvek2_0", "WiFi connection")),
        name(6788, QT_TRANSLATE_NOOP("DevMarvek2_0", "SSID")),
        name(6790, QT_TRANSLATE_NOOP("DevMarvek2_0", "Password")),
        name(6792, QT_TRANSLATE_NOOP("DevMarvek2_0", "Write access key")),
};

const Table table = {rows, int(sizeof rows / sizeof rows[0]), "DevMarvek2_0"};

} // namespace

const Table &marvek2_0Table() { return table; }

static const FixedLayout marvek2_0LayoutData = {
    QT_TRANSLATE_NOOP("DevMarvek2_0", "Marvek ccTalk"),
    0xFFFF, 0x0100, 0x9F0F,   // identity words
    8180, 0x7FFF, false,      // layout word, version bits, no FM flag
    0, 6540, false,           // text pool from the image start, distances downward
    7166,                     // "Relay signal invert"
    "help_bg", "help_cnt20_bg",
    marvek2_0Table, BitLists::controller2_0,
};

const FixedLayout &marvek2_0Layout() { return marvek2_0LayoutData; }
