// Lookups over a fixed-layout parameter table: labels, help keys and indexed defaults.
#include "devices/fixedtable.h"
#include <QCoreApplication>

namespace FixedTable {

int Row::size() const
{
    switch (editor) {
    case Editor::SliderByte:
    case Editor::Inverter:
    case Editor::MaskByte:
        return 1;
    case Editor::Background:
        return 6;
    case Editor::ViewLine:
        return 8;
    default:
        return 2;
    }
}

bool Row::covers(quint32 address) const
{
    if (kind != Kind::Param || address < first || address > last())
        return false;
    if (count == 1)
        return address == first;
    if (stride > size())
        return (address - first) % stride == 0;
    return true;
}

const Row *rowFor(const Table &table, quint32 address)
{
    for (const Row &row : table) {
        if (row.covers(address))
            return &row;
    }
    return nullptr;
}

QString label(const Table &table, quint32 address, const BoardFeatures &board)
{
    const Row *row = rowFor(table, address);
    if (row && row->labelRule)
        return row->labelRule(table.context, address, board);
    if (!row || !row->label)
        return QCoreApplication::translate(table.context, "Parameter %1").arg(address);
    const QString text = QCoreApplication::translate(table.context, row->label);
    if (!row->numbered)
        return text;
    quint32 n = (address - row->numberBase) / row->numberStep;
    if (row->numberPeriod)
        n %= row->numberPeriod;
    return text.arg(n + 1);
}

quint32 helpKey(const Table &table, quint32 address)
{
    const Row *row = rowFor(table, address);
    if (!row) {
        // A byte between the values of a record shares the help of the record that spans it.
        for (const Row &r : table) {
            if (r.kind == Kind::Param && r.help != Help::Own && address >= r.first && address <= r.last()) {
                row = &r;
                break;
            }
        }
    }
    if (!row)
        return address;
    switch (row->help) {
    case Help::Own:
        return address;
    case Help::Shared:
        return row->helpBase;
    case Help::Record:
        return row->helpBase + (address - row->helpBase) % row->stride;
    }
    return address;
}

BitList bitList(const Row &row, const BitLists &bits, const BoardFeatures &board, const char *context)
{
    switch (row.bits) {
    case Bits::Single16: return bits.single16;
    case Bits::Buttons: return bits.buttons;
    case Bits::Relays: return bits.relays;
    case Bits::ExtraRelays: return bits.extraRelays;
    case Bits::CoinInputs: return bits.coinInputs;
    case Bits::Options: {
        BitList list;
        for (int i = 0; i < row.optionCount; ++i) {
            // Later firmware offers more options.
            if (row.options[i].when && !row.options[i].when(board, i))
                continue;
            list.masks.append(row.options[i].bit);
            list.names.append(QCoreApplication::translate(context, row.options[i].name));
        }
        return list;
    }
    case Bits::None: break;
    }
    return BitList();
}

quint16 defaultFor(const Row &row, int k, const BitLists &bits)
{
    switch (row.defRule) {
    case Default::Fixed:
        return quint16(row.def);
    case Default::RelayOfIndex:
        return k < 6 ? quint16(1u << k) : 0;
    case Default::RelayAfterFirst:
        return k >= 1 && k <= 6 ? quint16(1u << (k - 1)) : 0;
    case Default::ButtonOfIndex:
        return k < 6 ? quint16(0x0100u << k) : 0;
    case Default::CoinOfIndex:
        return k < bits.coinInputs.masks.size() ? bits.coinInputs.masks.at(k) : 0;
    }
    return quint16(row.def);
}

} // namespace FixedTable

namespace FixedTable {

bool opensBlock(Kind k) { return k == Kind::Tabs || k == Kind::Groups || k == Kind::Grid || k == Kind::Series; }

int endOfBlock(const Table &table, int from)
{
    int depth = 0;
    for (int i = from; i < table.count; ++i) {
        const Kind k = table.rows[i].kind;
        if (opensBlock(k))
            ++depth;
        else if (k == Kind::End && --depth == 0)
            return i;
    }
    return table.count; // an unclosed block runs to the end of the table
}

void forEachTab(const Table &table, const BoardFeatures &board,
                const std::function<void(const Row &tab, int first, int end, int slot, int count)> &fn)
{
    const Row *rows = table.rows;
    int i = 0;
    while (i < table.count) {
        const Row &row = rows[i];
        if (row.kind == Kind::Tab) {
            int j = i + 1;
            while (j < table.count && rows[j].kind != Kind::Tab && rows[j].kind != Kind::Tabs)
                j = opensBlock(rows[j].kind) ? endOfBlock(table, j) + 1 : j + 1;
            // A tab some boards do not have is left out with everything in it.
            if (row.offered(board, 0))
                fn(row, i + 1, j, 0, 1);
            i = j;
        } else if (row.kind == Kind::Tabs) {
            const int e = endOfBlock(table, i);
            for (int s = 0; s < row.count; ++s)
                fn(row, i + 1, e, s, row.count);
            i = e + 1;
        } else {
            ++i; // rows outside every tab describe labels only
        }
    }
}

namespace {

bool makesEditor(const Row &row)
{
    return row.kind == Kind::Param && row.editor != Editor::SecondWord && row.editor != Editor::SecondColor
        && row.editor != Editor::LabelOnly;
}

// The walk of the page builder, without its widgets.
class PageWalk
{
public:
    PageWalk(const Table &table, const BoardFeatures &board) : m_table(table), m_board(board) {}

    QVector<Value> tab(int first, int end, int num, int den)
    {
        block(first, end, num, den);
        return m_out;
    }

    QVector<Value> values()
    {
        forEachTab(m_table, m_board, [this](const Row &, int first, int end, int slot, int count) {
            block(first, end, slot, count);
        });
        return m_out;
    }

private:
    int endOfBlock(int from) const { return FixedTable::endOfBlock(m_table, from); }
    // The values of a row in part num of den equal parts.
    static int firstOf(const Row &row, int num, int den) { return row.count * num / den; }

    void row(const Row &r, int num, int den)
    {
        for (int k = firstOf(r, num, den); k < firstOf(r, num + 1, den); ++k) {
            if (makesEditor(r) && r.offered(m_board, k))
                m_out.append({&r, k});
        }
    }
    void block(int from, int to, int num, int den)
    {
        for (int i = from; i < to;) {
            const Row &r = m_table.rows[i];
            if (r.kind == Kind::Param) {
                row(r, num, den);
                ++i;
                continue;
            }
            if (!opensBlock(r.kind)) {
                ++i;
                continue;
            }
            const int e = endOfBlock(i);
            if (r.kind == Kind::Grid) {
                // A column is the board's when its first value in the part is offered.
                QVector<const Row *> columns;
                for (int c = i + 1; c < e; ++c) {
                    const Row &col = m_table.rows[c];
                    if (makesEditor(col) && col.offered(m_board, firstOf(col, num, den)))
                        columns.append(&col);
                }
                for (int s = 0; s < r.count; ++s) {
                    for (const Row *col : columns) {
                        const int n = num * r.count + s, d = den * r.count;
                        for (int k = firstOf(*col, n, d); k < firstOf(*col, n + 1, d); ++k)
                            m_out.append({col, k});
                    }
                }
            } else {
                for (int s = 0; s < r.count; ++s)
                    block(i + 1, e, num * r.count + s, den * r.count);
            }
            i = e + 1;
        }
    }

    const Table &m_table;
    BoardFeatures m_board;
    QVector<Value> m_out;
};

} // namespace

QVector<Value> pageValues(const Table &table, const BoardFeatures &board) { return PageWalk(table, board).values(); }

QVector<Value> tabValues(const Table &table, const BoardFeatures &board, int first, int end, int num, int den)
{
    return PageWalk(table, board).tab(first, end, num, den);
}

} // namespace FixedTable
