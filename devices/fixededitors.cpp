// One editor per table value: the row's editor kind with its range and bit list, bound to the
// value by its key in the model (an image address, or NvKey + an address of the NV region).
// The page gives erased values their defaults before any editor is made.
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

using namespace FixedTable;

namespace FixedEditors {

Par *make(FixedLayoutModel &model, const Table &table, const Row &row, int k, const BoardFeatures &board,
          const BitLists &bits, QWidget *parent)
{
    const char *context = table.context;
    const quint32 address = row.valueAddress(k);
    if (model.value(address, row.size()).isEmpty())
        return nullptr;
    const std::optional<quint32> second =
        row.second ? std::optional<quint32>(row.second + quint32(k) * row.stride) : std::nullopt;
    switch (row.editor) {
    case Editor::Slider:
        return new ParSlider2(parent, &model, address, 2, row.min, row.max);
    case Editor::SliderByte:
        return new ParSlider2(parent, &model, address, 1, row.min, row.max);
    case Editor::SignedSlider:
        return new ParSlider2s(parent, &model, address, row.min, row.max);
    case Editor::Inverter:
        return new ParInverter(parent, &model, address);
    case Editor::Mask:
    case Editor::MaskByte: {
        const BitList list = bitList(row, bits, board, context);
        return new ParBitmask(parent, &model, address, row.editor == Editor::Mask ? 2 : 1, list.masks, list.names,
                              row.maskLayout);
    }
    case Editor::MaskButton: {
        const BitList list = bitList(row, bits, board, context);
        return new ParBitmaskButton(parent, &model, address, list.masks, row.orange ? ParBitmaskButton::OrangeFlag : 0,
                                    list.names, second);
    }
    case Editor::Colors:
        return new ParColor2(parent, &model, address, second);
    case Editor::Background:
        return new ParBackground(parent, &model, address, row.modes);
    case Editor::ViewLine:
        return new ParText(parent, &model, address, ParText::Form::ViewLine);
    case Editor::Name:
        return new ParText(parent, &model, address, ParText::Form::Name);
    case Editor::SecondWord:
    case Editor::SecondColor:
    case Editor::LabelOnly:
        break;
    }
    return nullptr;
}

} // namespace FixedEditors
