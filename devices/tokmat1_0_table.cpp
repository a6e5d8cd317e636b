// Every parameter of the Tokmat image, in the order of its page: address, label, editor, range
// and default, where it goes and which help text it shares. The parameters start at byte 0,
// the text pool follows them, and a small block sits above the pool.
#include "devices/tokmat1_0_table.h"
#include "devices/limitedlines.h"

using namespace FixedTable;

#define T(text) QT_TRANSLATE_NOOP("DevTokmat1_0", text)

namespace {

constexpr quint32 limitedLines = 238;

const LimitedLines::Texts limitedTexts = {
    T("Limited view line %1"),
    {T("No change line %1"), T("Valid change line %1"), T("No banknote line %1"), T("Valid banknote line %1"),
     T("No coin line %1"), T("Valid coin line %1")},
};

QString limitedLabel(const char *context, quint32 address, const BoardFeatures &)
{
    return LimitedLines::label(context, limitedTexts, address - limitedLines);
}

// Hardware 0x102, 0x201 and the 0x300 family know the token count and variable token costs.
bool newerNotes(const BoardFeatures &b, int)
{
    switch (b.word0 & 0xF00) {
    case 0x100: return b.word0 > 0x101;
    case 0x200: return b.word0 != 0x200;
    case 0x300: return true;
    default: return false;
    }
}
// The 0x300 family keeps banknote floats and a highest accepted banknote.
bool floats(const BoardFeatures &b, int) { return (b.word0 & 0xF00) == 0x300; }
// The first hardware never pays out a change coin of value 0.
bool firstHardware(const BoardFeatures &b, int) { return b.word0 == 0x100; }
bool laterHardware(const BoardFeatures &b, int) { return b.word0 != 0x100; }

// A byte-wide option mask.
template <int N>
constexpr Row byteOptions(quint32 a, const char *label, const Option (&list)[N], int def)
{
    Row r = options(a, label, list, def);
    r.editor = Editor::MaskByte;
    r.stride = 1;
    return r;
}

const Option coinOptions[] = {{0x01, T("Load coin nominals from device")}};
const Option noteOptions[] = {
    {0x01, T("Load note nominals from device")},
    {0x02, T("Note code is variable token cost value"), newerNotes},
};
const Option fiscalOptions[] = {{0x40, "1"}, {0x02, "4"}, {0x20, "5"}, {0x10, "6"}};

const Row rows[] = {
    tab(T("Coin validator")),
        options(0, T("Options"), coinOptions, 255),
        mask(2, T("Coin channel inhibit"), Bits::Single16, 0),
        groups(T("Coin code %1"), 16),
            slider(4, T("Coin %1 value [cents]"), 1, 10000, 100).perProgram().numberedBy().sharedHelp(),
        end(),

    tab(T("Banknote validator")),
        sliderByte(37, T("Max selected tokens"), 1, 16, 10).onlyWhen(newerNotes),
        byteOptions(36, T("Options"), noteOptions, 255),
        mask(38, T("Banknote channel inhibit"), Bits::Single16, 0),
        groups(T("Banknote code / Custom token cost %1"), 16),
            slider(40, T("Banknote %1 value [cents]"), 1, 50000, 100).perProgram().numberedBy().sharedHelp(),
            sliderByte(8090, T("Minimum float [banknotes]"), 0, 99, 10).times(16, 1).sharedHelp().onlyWhen(floats),
            sliderByte(8106, T("Maximum float [banknotes]"), 0, 99, 10).times(16, 1).sharedHelp().onlyWhen(floats),
        end(),
        slider(8122, T("Maximum banknote value [cents]"), 500, 50000, 5000).onlyWhen(floats),

    tab(T("Hoppers")),
        slider(72, T("Token value [cents]"), 1, 10000, 100),
        slider(74, T("Change coin value [cents]"), 1, 10000, 100).onlyWhen(firstHardware),
        slider(74, T("Change coin value [cents]"), 0, 10000, 100).onlyWhen(laterHardware),
        slider(76, T("Remaining tokens at low level"), 0, 1000, 40),
        slider(78, T("Remaining change at low level"), 0, 1000, 40),
        slider(8088, T("Token/Return load balancing [%]"), 0, 100, 50),

    tab(T("Fiscal signals")),
        options(8126, T("Channel for fiscal pulses"), fiscalOptions, 0x20),
        slider(8124, T("Multiplier to token / Credit per pulse"), 1, 100, 1),

    tab(T("Buttons")),
        slider(80, T("Button jitter [ms]"), 1, 100, 30),
        mask(82, T("Button signal invert"), Bits::Buttons, 0),

    tab(T("Statup view")),
        background(84, T("Startup background"), 3, 2, 0xFF004000, 0xFF208020),
        colors(90, T("Startup progress"), 0xFF00FF00, 92),
        secondColor(92, T("Startup text"), 0xFFFFFFFF),
        colors(94, T("Startup pass"), 0xFF00FF00, 96),
        secondColor(96, T("Startup fail"), 0xFFFF0000),

    tab(T("Out of order view")),
        background(98, T("Out of order view background"), 3, 2, 0xFF800000, 0xFFC000C0),
        viewLine(104, T("Out of order view line %1"), T("OUT OF ORDER")).times(16, 8).numberedBy().recordHelp(),

    tab(T("Limited function view")),
        background(232, T("Limited view background"), 3, 2, 0xFF808000, 0xFF808040),
        viewLine(limitedLines, nullptr, T("LIMITED FUNCTIONALITY")).times(16, 8).labelledBy(limitedLabel).recordHelp(),

    tabs(T("Idle view %1"), 4),
        slider(366, T("View timeout [sec]"), 0, 600, 5).times(4, 2).sharedHelp(),
        background(374, T("Idle view background"), 3, 2, 0xFF000080, 0xFFC000C0).times(4, 6).recordHelp(),
        viewLine(398, T("Idle view line %1"), T("READY")).times(64, 8).numberedBy(16).recordHelp(),
    end(),

    tab(T("Credit view")),
        background(910, T("Credit view background"), 3, 2, 0xFF000080, 0xFFC000C0),
        colors(916, T("Credit text"), 0xFFFFFFFF),
        colors(918, T("Token text"), 0xFFFFFFFF, 920),
        secondColor(920, T("Change text"), 0xFF00FF00),
        slider(8128, T("Timeout to reset button selection [sec]"), 0, 600, 20),
        slider(8130, T("Delay to start payout [sec]"), 0, 60, 3),
};

const Table table = {rows, int(sizeof rows / sizeof rows[0]), "DevTokmat1_0"};

} // namespace

const Table &tokmat1_0Table() { return table; }

static const FixedLayout tokmat1_0LayoutData = {
    QT_TRANSLATE_NOOP("DevTokmat1_0", "Tokmat"),
    0x0300, 0x0100, 0x0300,   // identity words
    8132, 0xFFFFFFFF, false,  // the whole 32-bit layout word is 1; no FM flag
    922, 8088 - 922, true,    // text pool 922-8087 above the parameters, texts above their words
    -1,                       // no relay mask: no relay test
    "help_tkm_bg", "help_tkm_bg",
    tokmat1_0Table, BitLists::sixRelays,
};

const FixedLayout &tokmat1_0Layout() { return tokmat1_0LayoutData; }
