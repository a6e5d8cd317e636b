// Every parameter of the Controller 1.1 image, in the order of its page: address, label,
// editor, range and default, where it goes and which help text it shares.
#include "devices/marvek1_1_table.h"
#include <QtGlobal>

using namespace FixedTable;

#define T(text) QT_TRANSLATE_NOOP("DevMarvek1_1", text)

namespace {

// Hardware 0x102 and later know the start credit; 0x103 and later delay in both directions.
bool startCredit(const BoardFeatures &b, int) { return b.word0 > 0x101; }
bool signedDelays(const BoardFeatures &b, int) { return b.word0 > 0x102; }
bool unsignedDelays(const BoardFeatures &b, int) { return b.word0 <= 0x102; }

const Option coinsViewOptions[] = {
    {0x01, T("Show Credit")}, {0x02, T("Show Time")}, {0x04, T("Remember the credit at power failure")}};
const Option activeViewOptions[] = {{0x01, T("Show Credit")}, {0x02, T("Show Time")}};

const Row rows[] = {
    tab(T("Coin validator")),
        slider(0, T("Coin pulse jitter [ms]"), 1, 100, 10),
        slider(2, T("Coin pulse timeout [ms]"), 10, 10000, 1000),
        mask(4, T("Coin channel inhibit"), Bits::CoinInputs, 0),
        groups(T("Coin code %1"), 16),
            mask(6, T("Coin validator channel"), Bits::CoinInputs, 0).times(16, 10).defaultBy(Default::CoinOfIndex).recordHelp(),
            slider(8, T("Min pulse period [ms]"), 10, 2000, 40).times(16, 10).recordHelp(),
            slider(10, T("Max pulse period [ms]"), 10, 2000, 800).times(16, 10).recordHelp(),
            slider(12, T("Coin value [cents]"), 1, 10000, 100).times(16, 10).recordHelp(),
        end(),

    tab(T("Buttons and Relays")),
        slider(166, T("Button jitter [ms]"), 1, 100, 30),
        mask(168, T("Button signal invert"), Bits::Buttons, 0x0800),
        mask(170, T("Relay signal invert"), Bits::Relays, 0),
        mask(172, T("Relay initial state"), Bits::Relays, 0),
        slider(276, T("Relay transaction delay [ms]"), 10, 10000, 500),
        slider(8046, T("Credit reset timeout in pause [sec]"), 0, 3600, 300),
        mask(174, T("Relay active time mask"), Bits::Relays, 63),
        groups(T("Button code %1"), 16),
            mask(176, T("Button input"), Bits::Buttons, 0).times(16, 6).defaultBy(Default::ButtonOfIndex).recordHelp(),
            mask(178, T("Relays to keep unchanged"), Bits::Relays, 0).times(16, 6).recordHelp(),
            mask(180, T("Relays to turn on"), Bits::Relays, 0).times(16, 6).defaultBy(Default::RelayOfIndex).recordHelp(),
            signedSlider(8048, T("After timeout A [sec]"), -1800, 1800).times(16, 8).recordHelp().onlyWhen(signedDelays),
            slider(8048, T("After timeout A [sec]"), 0, 1800, 0).times(16, 8).recordHelp().onlyWhen(unsignedDelays),
            mask(8050, T("Toggle relays (time A)"), Bits::Relays, 0).times(16, 8).recordHelp(),
            signedSlider(8052, T("After timeout B [sec]"), -1800, 1800).times(16, 8).recordHelp().onlyWhen(signedDelays),
            slider(8052, T("After timeout B [sec]"), 0, 1800, 0).times(16, 8).recordHelp().onlyWhen(unsignedDelays),
            mask(8054, T("Toggle relays (time B)"), Bits::Relays, 0).times(16, 8).recordHelp(),
        end(),
        mask(272, T("Operator mode button input"), Bits::Buttons, 0x2000),
        mask(8038, T("Pipe discharge relay"), Bits::Relays, 0),
        slider(8040, T("Discharge timeout after last activity [sec]"), 0, 3600, 300),
        slider(8042, T("Discharge active period [ms]"), 0, 10000, 2000),

    tab(T("Operator view")),
        background(278, T("Operator view background"), 3, 2, 0xFF800000, 0xFFC000C0),
        viewLine(284, T("Operator view line %1"), T("OPERATOR")).times(16, 8).numberedBy().recordHelp(),

    tab(T("Out of order view")),
        background(412, T("Out of order view background"), 3, 2, 0xFF800000, 0xFFC000C0),
        viewLine(418, T("Out of order view line %1"), T("OUT OF ORDER")).times(16, 8).numberedBy().recordHelp(),

    tab(T("Idle view")),
        background(546, T("Idle view background"), 3, 2, 0xFF000080, 0xFFC000C0),
        viewLine(552, T("Idle view line %1"), T("INSERT COIN")).times(16, 8).numberedBy().recordHelp(),

    tab(T("Coins view")),
        background(680, T("Coins view background"), 3, 2, 0xFF000080, 0xFFC000C0),
        colors(686, T("Coins view text"), 0xFFFFFFFF, 688),
        secondColor(688, T("Coins view new coins"), 0xFF00FF00),
        slider(274, T("Credit change display timeout [ms]"), 10, 60000, 5000),
        options(8176, T("Coins view customization"), coinsViewOptions, 255),
        slider(8030, T("Minimum start credit [cents]"), 0, 10000, 0).onlyWhen(startCredit),
        slider(8032, T("Wait for start credit timeout [s]"), 10, 3600, 300).onlyWhen(startCredit),
        colors(8034, T("Reset progress"), 0xFFFF0000, 8036).onlyWhen(startCredit),
        secondColor(8036, T("Reset text"), 0xFFFFFFFF),

    tab(T("Active view")),
        background(690, T("Active view background"), 7, 4, 0xFF000080, 0xFFC000C0),
        colors(696, T("Active view color 1"), 0xFF80C080, 698),
        secondColor(698, T("Active view color 2"), 0xFF00C000),
        colors(700, T("Active view timer"), 0xFFFFFFFF, 702),
        secondColor(702, T("Active view mode"), 0xFFFFFFFF),
        colors(704, T("Active view transaction progress"), 0xFFFFFF00, 8044),
        secondColor(8044, T("Active view pause timeout"), 0xFFFF0000),
        options(8178, T("Active view customization"), activeViewOptions, 255),
        groups(T("Active view mode %1"), 16),
            mask(706, T("Relays state"), Bits::Relays, 0).times(16, 8).defaultBy(Default::RelayAfterFirst).recordHelp(),
            name(708, T("Name")).times(16, 8).recordHelp(),
            colors(710, T("Active view color 3"), 0xFFC08080, 712).times(16, 8).recordHelp(),
            secondColor(712, T("Active view color 4"), 0xFFC00000).times(16, 8).recordHelp(),
            slider(14, T("Mode individual time [sec]"), 0, 3600, 0).times(16, 10).recordHelp(),
        end(),
        slider(0x8074, T("Coin default time [sec]"), 1, 3600, 150),
};

const Table table = {rows, int(sizeof rows / sizeof rows[0]), "DevMarvek1_1"};

} // namespace

const Table &marvek1_1Table() { return table; }

static const FixedLayout marvek1_1LayoutData = {
    QT_TRANSLATE_NOOP("DevMarvek1_1", "Marvek"),
    0xFFFF, 0x0100, 0xFFFF,   // identity words
    8180, 0x7FFF, true,       // layout word, version bits, bit 15 the FM flag
    834, 7196, true,          // text pool 834-8029, texts above their words
    170,                      // "Relay signal invert"
    "help_cnt11_bg", "help_bg",
    marvek1_1Table, BitLists::sixRelays,
};

const FixedLayout &marvek1_1Layout() { return marvek1_1LayoutData; }
