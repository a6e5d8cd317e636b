// Every parameter of the Controller 2.0 image, in the order of its page: address, label,
// editor, range and default, where it goes and which help text it shares.
#include "devices/marvek2_0_table.h"
#include <QtGlobal>

using namespace FixedTable;

#define TR(text) QT_TRANSLATE_NOOP("DevMarvek2_0", text)

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

const Option ccTalkOptions[] = {{0x01, TR("Load coin nominals from device")}};
const Option fiscalOlder[] = {
    {0x40, "1"}, {0x02, "4"}, {0x20, "5"}, {0x10, "6"}, {0x80, "R"}};
const Option fiscalNewer[] = {
    {0x40, "1"}, {0x04, "2"}, {0x01, "3"}, {0x02, "4"}, {0x20, "5"}, {0x10, "6"}, {0x80, "R"}};
const Option coinsViewOptions[] = {
    {0x01, TR("Show Credit")}, {0x02, TR("Show Time")},
    {0x04, TR("Remember the credit at power failure")}, {0x80, TR("Charge cards on scan")}};
const Option activeViewOptions[] = {{0x01, TR("Show Credit")}, {0x02, TR("Show Time")}};

const Row rows[] = {
    tab(TR("Coin validator ccTalk")),
        options(7334, TR("Options"), ccTalkOptions, 255),
        mask(7332, TR("Coin channel inhibit"), Bits::Single16, 0),
        groups(TR("Coin code %1"), 16),
            slider(7300, TR("Coin %1 value [cents]"), 1, 10000, 100).perProgram().numberedBy().sharedHelp(),
        end(),

    tab(TR("Coin validator Parallel")),
        groups(TR("Coin code %1"), 16),
            mask(7172, TR("Coin validator channel"), Bits::CoinInputs, 0).times(16, 8).defaultBy(Default::CoinOfIndex),
            slider(7174, TR("Min pulse period [ms]"), 10, 2000, 40).times(16, 8),
            slider(7176, TR("Max pulse period [ms]"), 10, 2000, 800).times(16, 8),
            slider(7178, TR("Coin value [cents]"), 1, 10000, 100).times(16, 8),
        end(),

    tab(TR("Buttons and Relays")),
        slider(7170, TR("Button jitter [ms]"), 1, 100, 30),
        mask(7168, TR("Button signal invert"), Bits::Buttons, 0x0800),
        mask(7166, TR("Relay signal invert"), Bits::Relays, 0),
        slider(7158, TR("Relay transaction delay [ms]"), 10, 10000, 500),
        slider(7154, TR("Credit reset timeout in pause [sec]"), 0, 3600, 300),
        slider(6774, TR("Auto pause for long running program [sec]"), 0, 3600, 300),
        mask(7162, TR("Relay active time mask"), Bits::Relays, 63),
        series(2), // inverter 1, then inverter 2, each where the board has it
            mask(6540, TR("Relays to switch on together with the Inverter %1"), Bits::Relays, 0)
                .times(2, 2).numberedBy().sharedHelp().onlyWhen(inverterOfIndex),
            slider(6544, TR("Delay the relays turn off after the Inverter %1 switch off [ms]"), 0, 60000, 0)
                .times(2, 2).numberedBy().sharedHelp().onlyWhen(inverterOfIndex),
        end(),
        mask(7160, TR("Operator mode button input"), Bits::Buttons, 0x2000),
        mask(7148, TR("Pipe discharge relay"), Bits::Relays, 0),
        slider(7150, TR("Discharge timeout after last activity [sec]"), 0, 3600, 300),
        slider(7152, TR("Discharge active period [ms]"), 0, 60000, 2000),

    tab(TR("Programs")),
        slider(7164, TR("Startup program"), 1, 16, 1),
        slider(0x8074, TR("Coin default time [sec]"), 1, 3600, 150),
        gridRows(16), // one row per program; each row below is a column
            name(6860, TR("Name")).perProgram().sharedHelp().column(TR("Name")),
            slider(6892, TR("Individual time [sec]"), 0, 3600, 0).perProgram().sharedHelp().column(TR("Time")),
            maskButton(7116, TR("Button input"), Bits::Buttons, 0).perProgram().sharedHelp()
                .defaultBy(Default::ButtonOfIndex).column(TR("Buttons")),
            maskButton(7084, TR("Relays to turn on"), Bits::Relays, 0, 7052).perProgram().sharedHelp()
                .defaultBy(Default::RelayOfIndex).column(TR("Relays")),
            secondWord(7052, TR("Relays to keep unchanged")).perProgram().sharedHelp(),
            maskButton(6740, TR("Relays to turn on - extra boards"), Bits::ExtraRelays, 0, 6708)
                .perProgram().sharedHelp().onlyWhen(extraBoards),
            secondWord(6708, TR("Relays to keep unchanged - extra boards")).perProgram().sharedHelp(),
            inverter(6612, TR("Inverter %1")).perProgram().numberedFrom(6612, 1, 2).sharedHelp()
                .onlyWhen(inverter1).column(TR("Inverter 1")),
            inverter(6613, TR("Inverter %1")).perProgram().numberedFrom(6612, 1, 2).sharedHelp(6612)
                .onlyWhen(inverter2).column(TR("Inverter 2")),
            signedSlider(6924, TR("After timeout A [sec]"), -1800, 1800).perProgram().sharedHelp().column(TR("Delay A")),
            maskButton(6956, TR("Toggle relays (time A)"), Bits::Relays, 0).perProgram().sharedHelp()
                .toggle().column(TR("Change relays A")),
            maskButton(6644, TR("Toggle relays (time A) - extra boards"), Bits::ExtraRelays, 0)
                .perProgram().sharedHelp().toggle().onlyWhen(extraBoards),
            inverter(6548, TR("Inverter %1 (time A)")).perProgram().numberedFrom(6548, 1, 2).sharedHelp()
                .onlyWhen(inverter1).column(TR("Inverter 1 A")),
            inverter(6549, TR("Inverter %1 (time A)")).perProgram().numberedFrom(6548, 1, 2).sharedHelp(6548)
                .onlyWhen(inverter2).column(TR("Inverter 2 A")),
            signedSlider(6988, TR("After timeout B [sec]"), -1800, 1800).perProgram().sharedHelp().column(TR("Delay B")),
            maskButton(7020, TR("Toggle relays (time B)"), Bits::Relays, 0).perProgram().sharedHelp()
                .toggle().column(TR("Change relays B")),
            maskButton(6676, TR("Toggle relays (time B) - extra boards"), Bits::ExtraRelays, 0)
                .perProgram().sharedHelp().toggle().onlyWhen(extraBoards),
            inverter(6580, TR("Inverter %1 (time B)")).perProgram().numberedFrom(6580, 1, 2).sharedHelp()
                .onlyWhen(inverter1).column(TR("Inverter 1 B")),
            inverter(6581, TR("Inverter %1 (time B)")).perProgram().numberedFrom(6580, 1, 2).sharedHelp(6580)
                .onlyWhen(inverter2).column(TR("Inverter 2 B")),
            colors(6796, TR("Active view color 3"), 0xFFC08080, 6828).perProgram().sharedHelp().column(TR("Colors")),
            secondColor(6828, TR("Active view color 4"), 0xFFC00000).perProgram().sharedHelp(),
        end(),

    tab(TR("Fiscal signals")),
        options(6786, TR("Channel for fiscal pulses"), fiscalOlder, 0x10).grid().onlyWhen(olderFirmware),
        options(6786, TR("Channel for fiscal pulses"), fiscalNewer, 0).grid().onlyWhen(newerFirmware),
        slider(6784, TR("Value [cents]"), 1, 200, 100),

    tab(TR("Operator view")),
        background(7336, TR("Operator view background"), 3, 2, 0xFF800000, 0xFFC000C0),
        viewLine(7342, TR("Operator view line %1"), TR("OPERATOR")).times(16, 8).numberedBy().recordHelp(),

    tab(TR("Out of order view")),
        background(7470, TR("Out of order view background"), 3, 2, 0xFF800000, 0xFFC000C0),
        viewLine(7476, TR("Out of order view line %1"), TR("OUT OF ORDER")).times(16, 8).numberedBy().recordHelp(),

    tabs(TR("Idle view %1"), 4),
        slider(7604, TR("View timeout [sec]"), 0, 600, 5).times(4, 2).sharedHelp(),
        background(7612, TR("Idle view background"), 3, 2, 0xFF000080, 0xFFC000C0).times(4, 6).recordHelp(),
        viewLine(7636, TR("Idle view line %1"), TR("INSERT COIN")).times(64, 8).numberedBy(16).recordHelp(),
    end(),

    tab(TR("Coins view")),
        background(8148, TR("Coins view background"), 3, 2, 0xFF000080, 0xFFC000C0),
        colors(8154, TR("Coins view text"), 0xFFFFFFFF, 8156),
        secondColor(8156, TR("Coins view new coins"), 0xFF00FF00),
        slider(7156, TR("Credit change display timeout [ms]"), 10, 60000, 5000),
        options(8158, TR("Coins view customization"), coinsViewOptions, 255),
        slider(6782, TR("Minimum start credit [cents]"), 0, 10000, 0),
        slider(6780, TR("Wait for start credit timeout [s]"), 10, 3600, 300),
        colors(6776, TR("Reset text"), 0xFFFFFFFF, 6778),
        secondColor(6778, TR("Reset progress"), 0xFFFF0000),
        slider(6772, TR("Popup messages timout [sec]"), 1, 600, 5).onlyWhen(popupTimeout),

    tab(TR("Active view")),
        background(8162, TR("Active view background"), 7, 4, 0xFF000080, 0xFFC000C0),
        colors(8168, TR("Active view color 1"), 0xFF80C080, 8170),
        secondColor(8170, TR("Active view color 2"), 0xFF00C000),
        colors(8172, TR("Active view timer"), 0xFFFFFFFF, 8174),
        secondColor(8174, TR("Active view mode"), 0xFFFFFFFF),
        colors(8176, TR("Active view transaction progress"), 0xFFFFFF00, 8178),
        secondColor(8178, TR("Active view pause timeout"), 0xFFFF0000),
        options(8160, TR("Active view customization"), activeViewOptions, 255),

    tab(TR("WiFi connection")),
        name(6788, TR("SSID")),
        name(6790, TR("Password")),
        name(6792, TR("Write access key")),
};

const Table table = {rows, int(sizeof rows / sizeof rows[0]), "DevMarvek2_0"};

} // namespace

const Table &marvek2_0Table() { return table; }
