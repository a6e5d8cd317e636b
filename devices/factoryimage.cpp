// Factory defaults from the page builder itself, so that they are always what an erased board's
// page shows (view lines and names included, which the editors place in the text pool).
#include "devices/factoryimage.h"
#include "devices/fixedlayoutmodel.h"
#include "editors/textpool.h"
#include <QHash>
#include <QWidget>
#include <utility>

namespace FactoryImage {

Defaults make(const FixedLayout &layout, quint16 word0, quint16 word1, quint16 word2)
{
    Defaults out;
    if (!layout.table || !layout.bitLists)
        return out;
    // The scratch page packs its texts into a pool of its own; the live page's pool comes back
    // untouched once the scratch editors have left it.
    TextPool saved = std::exchange(TextPool::global(), TextPool());
    {
        FixedLayoutModel scratch(layout, nullptr);
        scratch.word0 = word0;
        scratch.word1 = word1;
        scratch.word2 = word2;
        TextPool::global().setGeometry(scratch.image(), layout.textBase, layout.textSize,
                                       layout.textUpward ? TextPool::Direction::Up : TextPool::Direction::Down);
        const BoardFeatures board = scratch.board();
        const BitLists bits = layout.bitLists(board);
        {
            // Building the page gives every erased value its default; nothing reaches a board.
            PageBuildGuard building;
            QWidget container;
            FixedPage page(scratch, layout.table(), board, bits);
            page.build(&container);
        }
        FixedImage::seal(scratch.image(), layout);
        out.image = QByteArray(reinterpret_cast<const char *>(scratch.image()), FixedLayoutModel::ImageSize);
        out.nv = QByteArray(reinterpret_cast<const char *>(scratch.nvRegion()), FixedLayoutModel::NvSize);
    }
    TextPool::global() = std::move(saved);
    return out;
}

const Defaults &of(const FixedLayoutModel &model)
{
    static QHash<QString, Defaults> cache;
    const QString key = QStringLiteral("%1 %2 %3 %4")
                            .arg(quintptr(&model.layout()))
                            .arg(model.word0)
                            .arg(model.word1)
                            .arg(model.word2);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, make(model.layout(), model.word0, model.word1, model.word2));
    return *it;
}

} // namespace FactoryImage
