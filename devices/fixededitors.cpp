// One editor per table value: the row's editor kind with its range, default and bit list,
// bound to the value's bytes in the image (or the NV region).
#include "devices/fixededitors.h"
#include "devices/fixedlayoutmodel.h"
#include "editors/parbackground.h"
#include "editors/parbitmask.h"
#include "editors/parbitmaskbutton.h"
#include "editors/parcolor2.h"
#include "editors/parinverter.h"
#include "editors/parslider2.h"
#include "editors/parslider2s.h"
#include "editors/partext.h"
#include <QCoreApplication>

using namespace FixedTable;

namespace FixedEditors {

namespace {

struct Value
{
    quint8 *p;         // first byte of the value
    const quint8 *base; // image start, or NV region start
    int flags;          // 0x8000 for the NV region
};

Value valueOf(FixedLayoutModel &model, quint32 address)
{
    if (address & FixedLayoutModel::NvKey)
        return {model.valuePointer(address), model.nvRegion(), int(FixedLayoutModel::NvKey)};
    return {model.valuePointer(address), model.image(), 0};
}

quint16 *word(quint8 *p) { return reinterpret_cast<quint16 *>(p); }

} // namespace

Par *make(FixedLayoutModel &model, const Table &table, const Row &row, int k, const BoardFeatures &board,
          const BitLists &bits, QWidget *parent)
{
    const char *context = table.context;
    const quint32 address = row.valueAddress(k);
    const Value v = valueOf(model, address);
    if (!v.p)
        return nullptr;
    quint8 *second = row.second ? model.valuePointer(row.second + quint32(k) * row.stride) : nullptr;
    switch (row.editor) {
    case Editor::Slider:
        return new ParSlider2(parent, word(v.p), v.base, row.min, row.max, int(defaultFor(row, k, bits)), v.flags);
    case Editor::SliderByte:
        return new ParSlider2(parent, v.p, v.base, row.min, row.max, int(defaultFor(row, k, bits)), v.flags);
    case Editor::SignedSlider:
        return new ParSlider2s(parent, reinterpret_cast<qint16 *>(v.p), v.base, row.min, row.max, 0, v.flags);
    case Editor::Inverter:
        return new ParInverter(parent, v.p, v.base);
    case Editor::Mask: {
        const BitList list = bitList(row, bits, board, context);
        return new ParBitmask(parent, word(v.p), v.base, list.masks, defaultFor(row, k, bits), list.names,
                              row.maskLayout);
    }
    case Editor::MaskByte: {
        const BitList list = bitList(row, bits, board, context);
        QVector<quint8> masks;
        for (quint16 m : list.masks)
            masks.append(quint8(m));
        return new ParBitmask(parent, v.p, v.base, masks, quint8(defaultFor(row, k, bits)), list.names,
                              row.maskLayout);
    }
    case Editor::MaskButton: {
        const BitList list = bitList(row, bits, board, context);
        const quint32 flags = defaultFor(row, k, bits) | (row.orange ? ParBitmaskButton::OrangeFlag : 0);
        return new ParBitmaskButton(parent, word(v.p), v.base, list.masks, flags, list.names,
                                    second ? word(second) : nullptr);
    }
    case Editor::Colors:
        // The colour editor keeps whatever it finds: the page gave erased words their defaults.
        return new ParColor2(parent, v.p, second, v.base);
    case Editor::Background:
        return new ParBackground(parent, v.p, v.base, row.modes, row.defMode, row.def, row.def2);
    case Editor::ViewLine: {
        // Line 1 of every view carries the row's text; lines are laid out one font line apart.
        const int line = (row.numberPeriod ? k % row.numberPeriod : k);
        const QString text = line == 0 && row.text ? QCoreApplication::translate(context, row.text) : QString();
        return new ParText(parent, v.p, v.base, text, qRgb(255, 255, 255), (line % 8) * 40, 1, 2);
    }
    case Editor::Name:
        return new ParText(parent, v.p, v.base, row.text ? QCoreApplication::translate(context, row.text) : QString());
    case Editor::SecondWord:
    case Editor::SecondColor:
    case Editor::LabelOnly:
        break;
    }
    return nullptr;
}

} // namespace FixedEditors
