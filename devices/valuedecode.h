// Turns the bytes of one fixed-layout parameter into the text a technician reads: numbers,
// masks as bit lists, colours as #rrggbb, texts out of the text pool.
#pragma once
#include "devices/boardfeatures.h"
#include "devices/fixedtable.h"
#include <QString>

struct FixedLayout;

class ValueDecoder
{
public:
    // image: the 8192 bytes; table and bits: the model's parameter table and bit lists.
    ValueDecoder(const quint8 *image, const FixedLayout &layout, const FixedTable::Table &table,
                 const BitLists &bits);

    // The value at address, decoded by row (null: a raw 16-bit word).
    QString decode(const FixedTable::Row *row, quint32 address) const;
    // The text a text reference word at address points to, quoted; never reads outside the
    // text pool.
    QString text(quint32 wordAddress) const;

private:
    quint16 word(quint32 address) const;
    QString mask(const FixedTable::Row &row, quint16 value) const;
    const BitList *bitList(FixedTable::Bits bits) const;
    static QString colour(quint16 word);

    const quint8 *m_image;
    const FixedLayout &m_layout;
    const FixedTable::Table &m_table;
    const BitLists &m_bits;
};
