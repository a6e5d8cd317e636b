// Every parameter of the Robo controller image, in the order of its page: address, label,
// editor, range and default, where it goes and which help text it shares.
#include "devices/marvekrobo1_0_table.h"
#include "devices/limitedlines.h"

using namespace FixedTable;

#define T(text) QT_TRANSLATE_NOOP("DevMarvekRobo1_0", text)

namespace {

constexpr quint32 limitedLines = 7488;

const LimitedLines::Texts limitedTexts = {
    T("Limited view line %1"),
    {T("No change line %1"), T("Valid change line %1"), T("No banknote line %1"), T("Valid banknote line %1"),
     T("No coin line %1"), T("Valid coin line %1")},
};

QString limitedLabel(const char *context, quint32 address, const BoardFeatures &)
{
    return LimitedLines::label(context, limitedTexts, address - limitedLines);
}

const Option coinOptions[] = {{0x01, T("Load coin nominals from device")}};
const Option noteOptions[] = {{0x01, T("Load note nominals from device")}};
const Option fiscalOptions[] = {{0x02, "4"}, {0x20, "5"}};

const Row rows[] = {
    // The board keeps its network settings here; this page offers no editors for them.
    labelOnly(6900, T("SSID")),
    labelOnly(6902, T("Password")),
    labelOnly(6904, T("Write access key")),
    labelOnly(6906, T("Server URL")),

    tab(T("Coin validator")),
        options(7122, T("Options"), coinOptions, 255),
        mask(7120, T("Coin channel inhibit"), Bits::Single16, 0),
        groups(T("Coin code %1"), 16),
            slider(7088, T("Coin %1 value [cents]"), 1, 10000, 100).perProgram().numberedBy().sharedHelp(),
        end(),

    tab(T("Banknote validator")),
        options(7086, T("Options"), noteOptions, 255),
        mask(7084, T("Banknote channel inhibit"), Bits::Single16, 0),
        groups(T("Banknote code %1"), 16),
            slider(7052, T("Banknote %1 value [cents]"), 1, 50000, 100).perProgram().numberedBy().sharedHelp(),
        end(),

    tab(T("Hoppers")),
        slider(7050, T("Change coin value [cents]"), 1, 10000, 100),
        slider(7048, T("Remaining change at low level"), 0, 1000, 40),

    tab(T("Programs, Buttons and Relays")),
        slider(7046, T("Button jitter [ms]"), 1, 100, 30),
        mask(7044, T("Button signal invert"), Bits::Buttons, 0x0800),
        mask(7042, T("Relay signal invert"), Bits::Relays, 0),
        groups(T("Program %1"), 16),
            name(6940, T("Name")).perProgram().sharedHelp(),
            slider(6972, T("Cost [cents]"), 1, 60000, 1000).perProgram().sharedHelp(),
            slider(6908, T("Duration [sec]"), 1, 3600, 60).perProgram().sharedHelp(),
            mask(7004, T("Relays to pulse"), Bits::Relays, 0).perProgram().sharedHelp().defaultBy(Default::RelayOfIndex),
            mask(6864, T("Relays while active"), Bits::Relays, 0).perProgram().sharedHelp(),
        end(),

    tab(T("Timeout delays")),
        slider(7040, T("Timeout to reset button selection [sec]"), 0, 3600, 10),
        slider(7038, T("Prepare to enter timeout [sec]"), 0, 3600, 30),
        slider(7036, T("Timeout for machine in use message [sec]"), 0, 3600, 3),

    tab(T("Fiscal signals")),
        options(6898, T("Channel for fiscal pulses"), fiscalOptions, 0x20),
        slider(6896, T("Value [cents]"), 1, 200, 100),

    tab(T("Statup view")),
        background(8174, T("Startup background"), 3, 2, 0xFF004000, 0xFF208020),
        colors(8172, T("Startup progress"), 0xFF00FF00, 8170),
        secondColor(8170, T("Startup text"), 0xFFFFFFFF),
        colors(8168, T("Startup pass"), 0xFF00FF00, 8166),
        secondColor(8166, T("Startup fail"), 0xFFFF0000),

    tab(T("Out of order view")),
        background(7482, T("Out of order view background"), 3, 2, 0xFF800000, 0xFFC000C0),
        viewLine(7354, T("Out of order view line %1"), T("OUT OF ORDER")).times(16, 8).numberedBy().recordHelp(),

    tab(T("Limited function view")),
        background(7616, T("Limited view background"), 3, 2, 0xFF808000, 0xFF808040),
        viewLine(limitedLines, nullptr, T("LIMITED FUNCTIONALITY")).times(16, 8).labelledBy(limitedLabel).recordHelp(),

    tabs(T("Idle view %1"), 4),
        slider(8158, T("View timeout [sec]"), 0, 600, 5).times(4, 2).sharedHelp(),
        background(8134, T("Idle view background"), 3, 2, 0xFF000080, 0xFFC000C0).times(4, 6).recordHelp(),
        viewLine(7622, T("Idle view line %1"), T("CHOOSE PROGRAM")).times(64, 8).numberedBy(16).recordHelp(),
    end(),

    tab(T("Credit view")),
        background(7348, T("Credit view background"), 3, 2, 0xFF000080, 0xFFC000C0),
        colors(7346, T("Text color"), 0xFFFFFFFF),
        colors(7344, T("Available text"), 0xFFFFFFFF, 7342),
        secondColor(7342, T("Required text"), 0xFF00FF00),

    tab(T("Prepare view")),
        background(7336, T("Prepare view background"), 3, 2, 0xFF800000, 0xFFC000C0),
        colors(7206, T("Timer color"), 0xFFFFFFFF),
        viewLine(7208, T("Prepare view line %1"), T("PREPARE")).times(16, 8).numberedBy().recordHelp(),

    tab(T("Wash view")),
        background(7200, T("Wash view background"), 3, 2, 0xFF800000, 0xFFC000C0),
        colors(7134, T("Timer color"), 0xFFFFFFFF),
        viewLine(7136, T("Wash view line %1"), T("Washing")).times(8, 8).numberedBy().recordHelp(),

    tab(T("Card view")),
        background(7128, T("Card view background"), 3, 2, 0xFF000080, 0xFFC000C0),
        colors(7126, T("Card view text"), 0xFFFFFFFF),
        slider(7124, T("Card view hide timeout"), 0, 3600, 3),
};

const Table table = {rows, int(sizeof rows / sizeof rows[0]), "DevMarvekRobo1_0"};

} // namespace

const Table &marvekRobo1_0Table() { return table; }

static const FixedLayout marvekRobo1_0LayoutData = {
    QT_TRANSLATE_NOOP("DevMarvekRobo1_0", "Marvek - Robo"),
    0x0100, 0x0100, 0x0400,   // identity words
    8180, 0xFFFFFFFF, false,  // the whole 32-bit layout word is 1; no FM flag
    0, 6864, false,           // text pool from the image start, distances downward
    7042,                     // "Relay signal invert"
    // Help edits go to a file of the model's own, read back at the next start.
    "help_robo_bg", "help_robo_bg",
    marvekRobo1_0Table, BitLists::sixRelays,
};

const FixedLayout &marvekRobo1_0Layout() { return marvekRobo1_0LayoutData; }
