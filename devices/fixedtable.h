// The parameter table of a fixed-layout board: one const array of rows, in page order, that
// says what each image address holds, how it is labelled and helped, and where its editor goes.
#pragma once
#include "devices/boardfeatures.h"
#include <QString>
#include <QVector>
#include <QtGlobal>
#include <functional>

namespace FixedTable {

// What a row is: a run of parameters, or a marker that opens or closes a part of the page.
enum class Kind : quint8 {
    Param,
    Tab,      // a collapsible tab; the rows up to the next Tab go into it
    Tabs,     // `count` tabs titled with %1 = 1..count, each taking its share of every row
    Groups,   // `count` group boxes titled with %1, each taking its share of every row
    Grid,     // a grid of `count` rows on a "hideTitle" widget; every Param row is a column
    Series,   // `count` runs in the current layout, each taking its share of every row
    End,      // closes the innermost Tabs, Groups, Grid or Series
};

// The editor of a Param row, and by that the size of each value.
enum class Editor : quint8 {
    Slider,       // ParSlider2 on a word (an NV-region word when the address has 0x8000)
    SliderByte,   // ParSlider2 on a byte
    SignedSlider, // ParSlider2s
    Inverter,     // ParInverter on a byte
    Mask,         // ParBitmask on a word
    MaskByte,     // ParBitmask on a byte
    MaskButton,   // ParBitmaskButton; `second` is the word of its second mask (0: none)
    SecondWord,   // second mask of a MaskButton row: labelled here, no editor of its own
    Colors,       // ParColor2; `second` is the second colour's word (0: a single colour)
    SecondColor,  // second colour of a Colors row
    Background,   // ParBackground, three words
    ViewLine,     // ParText, view-line form, eight bytes
    Name,         // ParText, program-name form, one text reference word
    LabelOnly,    // a defined label with no editor
};

// Bit lists of mask editors; the board's features decide most of them.
enum class Bits : quint8 { None, Single16, Buttons, Relays, ExtraRelays, CoinInputs, Options };

// Defaults that depend on the value's index k within its row.
enum class Default : quint8 {
    Fixed,         // `def`
    RelayOfIndex,  // 1 << k for k < 6, else 0
    RelayAfterFirst, // 0 for k = 0, 1 << (k - 1) for k = 1..6, else 0
    ButtonOfIndex, // 0x0100 << k for k < 6, else 0
    CoinOfIndex,   // the bit of the k-th listed coin input, 0 past the list
};

// How the help key of an address is found.
enum class Help : quint8 {
    Own,    // every address is its own key
    Shared, // every address of the row has the key `helpBase`
    Record, // helpBase + (address - helpBase) mod stride: the same offset in the first record
};

// Where a row, a value or an option is offered at all; index is the value's index within its
// row (options: the option's index in its list).
using Condition = bool (*)(const BoardFeatures &board, int index);
// Labels that no numbering rule describes, or that depend on the board.
using LabelRule = QString (*)(const char *context, quint32 address, const BoardFeatures &board);

struct Option
{
    quint16 bit;
    const char *name; // QT_TRANSLATE_NOOP'd in the model's context
    Condition when = nullptr; // null: on every board
};

struct Row
{
    Kind kind = Kind::Param;
    quint32 first = 0;   // address of value 0 (NV-region values: 0x8000 + offset)
    quint16 count = 1;   // number of values (markers: number of tabs, groups, rows, runs)
    quint16 stride = 2;  // bytes from one value to the next
    const char *label = nullptr; // label (markers: the title, maybe with %1)
    // %1 of the label: ((address - numberBase) / numberStep) mod numberPeriod + 1
    bool numbered = false;
    quint32 numberBase = 0;
    quint16 numberStep = 1;
    quint16 numberPeriod = 0; // 0: no wrap
    LabelRule labelRule = nullptr;
    Editor editor = Editor::LabelOnly;
    int min = 0, max = 0;
    quint32 def = 0;     // slider/mask default; Colors, Background: the first colour (ARGB)
    Default defRule = Default::Fixed;
    Bits bits = Bits::None;
    const Option *options = nullptr;
    quint8 optionCount = 0;
    qint8 maskLayout = -1; // ParBitmask layout selector
    bool orange = false;   // MaskButton: toggle look (flag 0x10000)
    quint32 second = 0;    // MaskButton, Colors: address of the second word of value 0
    quint32 def2 = 0;      // Background: second colour (ARGB)
    quint8 modes = 0, defMode = 0; // Background
    const char *text = nullptr;    // ViewLine, Name: default text (view lines: line 1 only)
    Condition when = nullptr;      // null: always
    Help help = Help::Own;
    quint32 helpBase = 0;
    const char *header = nullptr;  // Grid column header; null after a header: span it

    // Bytes each value takes.
    int size() const;
    // Last byte of the last value.
    quint32 last() const { return first + quint32(count - 1) * stride + quint32(size()) - 1; }
    // True when address belongs to this row's label and help: a run of one value only at
    // its address, a packed run on every byte, an interleaved run at each value's start.
    bool covers(quint32 address) const;
    quint32 valueAddress(int k) const { return first + quint32(k) * stride; }
    bool offered(const BoardFeatures &board, int k) const { return !when || when(board, k); }

    // Chainable refinements, so that a table reads row by row.
    constexpr Row times(int n, int step) const { Row r = *this; r.count = quint16(n); r.stride = quint16(step); return r; }
    constexpr Row perProgram() const { return times(16, 2); }
    constexpr Row numberedFrom(quint32 base, int step, int period = 0) const
    {
        Row r = *this; r.numbered = true; r.numberBase = base; r.numberStep = quint16(step);
        r.numberPeriod = quint16(period); return r;
    }
    constexpr Row numberedBy(int period = 0) const { return numberedFrom(first, stride, period); }
    constexpr Row sharedHelp(quint32 base) const { Row r = *this; r.help = Help::Shared; r.helpBase = base; return r; }
    constexpr Row sharedHelp() const { return sharedHelp(first); }
    constexpr Row recordHelp() const { Row r = *this; r.help = Help::Record; r.helpBase = first; return r; }
    constexpr Row onlyWhen(Condition c) const { Row r = *this; r.when = c; return r; }
    constexpr Row column(const char *h) const { Row r = *this; r.header = h; return r; }
    constexpr Row defaultBy(Default d) const { Row r = *this; r.defRule = d; return r; }
    constexpr Row toggle() const { Row r = *this; r.orange = true; return r; }
    constexpr Row grid() const { Row r = *this; r.maskLayout = 0; return r; }
    constexpr Row labelledBy(LabelRule rule) const { Row r = *this; r.labelRule = rule; return r; }
    constexpr Row initially(const char *t) const { Row r = *this; r.text = t; return r; }
};

// Row makers, one per editor kind, in the order of the table's columns:
// address, label, then range and default.
constexpr Row marker(Kind k, const char *title, int n)
{
    Row r; r.kind = k; r.label = title; r.count = quint16(n); return r;
}
constexpr Row tab(const char *title) { return marker(Kind::Tab, title, 1); }
constexpr Row tabs(const char *title, int n) { return marker(Kind::Tabs, title, n); }
constexpr Row groups(const char *title, int n) { return marker(Kind::Groups, title, n); }
constexpr Row gridRows(int n) { return marker(Kind::Grid, nullptr, n); }
constexpr Row series(int n) { return marker(Kind::Series, nullptr, n); }
constexpr Row end() { return marker(Kind::End, nullptr, 0); }

constexpr Row param(quint32 a, const char *label, Editor e, int stride)
{
    Row r; r.first = a; r.label = label; r.editor = e; r.stride = quint16(stride); return r;
}
constexpr Row slider(quint32 a, const char *label, int min, int max, int def)
{
    Row r = param(a, label, Editor::Slider, 2); r.min = min; r.max = max; r.def = quint32(def); return r;
}
constexpr Row sliderByte(quint32 a, const char *label, int min, int max, int def)
{
    Row r = slider(a, label, min, max, def); r.editor = Editor::SliderByte; r.stride = 1; return r;
}
constexpr Row signedSlider(quint32 a, const char *label, int min, int max)
{
    Row r = slider(a, label, min, max, 0); r.editor = Editor::SignedSlider; return r;
}
constexpr Row inverter(quint32 a, const char *label) { return param(a, label, Editor::Inverter, 1); }
constexpr Row mask(quint32 a, const char *label, Bits bits, int def)
{
    Row r = param(a, label, Editor::Mask, 2); r.bits = bits; r.def = quint32(def); return r;
}
template <int N>
constexpr Row options(quint32 a, const char *label, const Option (&list)[N], int def)
{
    Row r = mask(a, label, Bits::Options, def); r.options = list; r.optionCount = quint8(N); return r;
}
constexpr Row maskButton(quint32 a, const char *label, Bits bits, int def, quint32 second = 0)
{
    Row r = mask(a, label, bits, def); r.editor = Editor::MaskButton; r.second = second; return r;
}
constexpr Row secondWord(quint32 a, const char *label) { return param(a, label, Editor::SecondWord, 2); }
constexpr Row colors(quint32 a, const char *label, quint32 argb, quint32 second = 0)
{
    Row r = param(a, label, Editor::Colors, 2); r.def = argb; r.second = second; return r;
}
constexpr Row secondColor(quint32 a, const char *label, quint32 argb)
{
    Row r = param(a, label, Editor::SecondColor, 2); r.def = argb; return r;
}
constexpr Row background(quint32 a, const char *label, int modes, int defMode, quint32 c0, quint32 c1)
{
    Row r = param(a, label, Editor::Background, 6);
    r.modes = quint8(modes); r.defMode = quint8(defMode); r.def = c0; r.def2 = c1; return r;
}
constexpr Row viewLine(quint32 a, const char *label, const char *line1)
{
    Row r = param(a, label, Editor::ViewLine, 8); r.text = line1; return r;
}
constexpr Row name(quint32 a, const char *label) { return param(a, label, Editor::Name, 2); }
constexpr Row labelOnly(quint32 a, const char *label) { return param(a, label, Editor::LabelOnly, 2); }

// A table as the model hands it around.
struct Table
{
    const Row *rows;
    int count;
    const char *context; // translation context of the labels, titles and option names
    const Row *begin() const { return rows; }
    const Row *end() const { return rows + count; }
};

// The first Param row whose label covers address, or null.
const Row *rowFor(const Table &table, quint32 address);
// The label of an address on a board: the row's rule or its text with %1 filled in, else
// "Parameter %1".
QString label(const Table &table, quint32 address, const BoardFeatures &board = BoardFeatures());
// The help key of an address: its row's rule, or for a byte between the values of a record,
// the rule of the first shared or record row that spans it; else the address itself.
quint32 helpKey(const Table &table, quint32 address);
// The bits a mask row offers on a board, with their names (options: translated in context;
// other lists: as the board's lists name them).
BitList bitList(const Row &row, const BitLists &bits, const BoardFeatures &board, const char *context);
// The default of value k of a mask or slider row.
quint16 defaultFor(const Row &row, int k, const struct BitLists &bits);

// One value the page of a board edits: its row and its index within the row.
struct Value
{
    const Row *row;
    int k;
    quint32 address() const { return row->valueAddress(k); }
};
// The values a board's page gives an editor, in the order the page places them (tabs, then
// group boxes, grid rows and runs in turn): what the board uses of the image.
QVector<Value> pageValues(const Table &table, const BoardFeatures &board);
// The same for one tab: rows [first, end), part num of den equal parts (as forEachTab gives
// them: slot of count).
QVector<Value> tabValues(const Table &table, const BoardFeatures &board, int first, int end, int num, int den);

// Whether a row of this kind opens a block that an End row closes.
bool opensBlock(Kind k);
// The End row of the block opened at from (the table's end for an unclosed one).
int endOfBlock(const Table &table, int from);
// The page's first-level tabs in order, as the page builder and pageValues walk them: for a
// tab the board is offered, and for each of a tab series' count instances, fn(tab, first,
// end, slot, count) with the rows [first, end) it holds.
void forEachTab(const Table &table, const BoardFeatures &board,
                const std::function<void(const Row &tab, int first, int end, int slot, int count)> &fn);

} // namespace FixedTable
