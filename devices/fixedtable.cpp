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
