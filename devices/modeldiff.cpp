// Differences by the parameter table and restoring them value by value.
#include "devices/modeldiff.h"
#include "app/progress.h"
#include "devices/fixedlayoutmodel.h"
#include <cstring>

namespace {

// The bit lists the model's mask editors offer on this board.
BitLists bitsFor(const FixedLayout &layout, const BoardFeatures &board)
{
    return layout.bitLists ? layout.bitLists(board) : BitLists();
}

int sizeOf(const ParamDifference &d) { return d.site.row ? d.site.row->size() : 2; }

} // namespace

namespace ModelDiff {

FixedLayoutModel *comparable(DeviceCfg *model)
{
    auto *fixed = qobject_cast<FixedLayoutModel *>(model);
    return fixed && fixed->table() ? fixed : nullptr;
}

QList<ParamDifference> compare(FixedLayoutModel *model, const QByteArray &other)
{
    if (!model || !model->table() || other.size() != FixedLayoutModel::ImageSize)
        return {};
    BoardFeatures board;
    board.word0 = model->layout().word0;
    board.word2 = model->layout().word2;
    return diffImages(model->image(), reinterpret_cast<const quint8 *>(other.constData()), *model->table(),
                      model->layout(), board, bitsFor(model->layout(), board));
}

bool restorable(const ParamDifference &d)
{
    if (!d.site.row)
        return true;
    const FixedTable::Editor e = d.site.row->editor;
    return e != FixedTable::Editor::Name && e != FixedTable::Editor::ViewLine;
}

bool apply(FixedLayoutModel *model, const QByteArray &other, const QList<ParamDifference> &chosen,
           Progress *progress)
{
    if (!model || other.size() != FixedLayoutModel::ImageSize)
        return false;
    if (progress) {
        progress->setMaximum(chosen.size());
        progress->setValue(0);
    }
    bool ok = true;
    int done = 0;
    for (const ParamDifference &d : chosen) {
        const int size = sizeOf(d);
        const quint32 a = d.site.address;
        if (a + quint32(size) <= quint32(FixedImage::WriteEnd)) {
            std::memcpy(model->image() + a, other.constData() + a, size_t(size));
            ok &= DeviceCfg::notifyChange(a, size);
        }
        if (progress)
            progress->setValue(++done);
    }
    return ok;
}

} // namespace ModelDiff
