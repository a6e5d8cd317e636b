// Factory defaults from the table: what each editor kind writes into an erased value when the
// page is built, so that they are what an erased board's page shows (view lines and names
// included, which the editors pack into the text pool in page order).
#include "devices/factoryimage.h"
#include "devices/fixedlayoutmodel.h"
#include "editors/rgb565.h"
#include <QCoreApplication>
#include <QHash>
#include <array>

using namespace FixedTable;

namespace FactoryImage {

namespace {

quint16 word(const quint8 *p) { return quint16(p[0] | p[1] << 8); }
void setWord(quint8 *p, quint16 v)
{
    p[0] = quint8(v);
    p[1] = quint8(v >> 8);
}
void erasedDefault(quint8 *p, quint16 def)
{
    if (word(p) == 0xFFFF)
        setWord(p, def);
}

// What each editor kind does with an erased value when the page is built.
class Giver
{
public:
    Giver(const FixedLayout &layout, const BoardFeatures &board, quint8 *image, quint8 *nv)
        : m_table(layout.table()), m_board(board), m_bits(layout.bitLists(board)), m_image(image), m_nv(nv)
    {
    }

    QVector<PageText> giveAll()
    {
        for (const Value &v : pageValues(m_table, m_board))
            give(*v.row, v.k);
        return m_texts;
    }

private:
    quint8 *at(quint32 address)
    {
        if (address & FixedLayoutModel::NvKey)
            return address < FixedLayoutModel::NvKey + FixedLayoutModel::NvSize ? &m_nv[address - FixedLayoutModel::NvKey]
                                                                                : nullptr;
        return address + 1 < quint32(FixedLayoutModel::ImageSize) ? &m_image[address] : nullptr;
    }
    QString translated(const char *text) const
    {
        return text ? QCoreApplication::translate(m_table.context, text) : QString();
    }
    // An erased text reference takes the default text; a kept one keeps its text.
    bool text(quint8 *p, quint32 address, const QString &defaultText)
    {
        const bool erased = word(p) == 0xFFFF;
        m_texts.append({address, erased, erased ? defaultText : QString()});
        return erased;
    }

    void give(const Row &row, int k)
    {
        const quint32 address = row.valueAddress(k);
        quint8 *p = at(address);
        if (!p)
            return;
        quint8 *second = row.second ? at(row.second + quint32(k) * row.stride) : nullptr;
        switch (row.editor) {
        case Editor::Slider:
        case Editor::Mask:
            erasedDefault(p, defaultFor(row, k, m_bits));
            break;
        case Editor::SliderByte:
        case Editor::MaskByte:
            if (*p == 0xFF)
                *p = quint8(defaultFor(row, k, m_bits));
            break;
        case Editor::MaskButton:
            erasedDefault(p, defaultFor(row, k, m_bits));
            if (second)
                erasedDefault(second, 0);
            break;
        case Editor::Colors:
            erasedDefault(p, Rgb565::fromQRgb(row.def));
            if (const Row *other = second ? rowFor(m_table, row.second) : nullptr)
                erasedDefault(second, Rgb565::fromQRgb(other->def));
            break;
        case Editor::Background:
            if (word(p) == 0xFFFF) {
                setWord(p, row.defMode);
                setWord(p + 2, Rgb565::fromQRgb(row.def));
                setWord(p + 4, Rgb565::fromQRgb(row.def2));
            }
            break;
        case Editor::ViewLine: {
            // Line 1 of every view carries the row's text; lines lie one font line apart.
            const int line = row.numberPeriod ? k % row.numberPeriod : k;
            if (text(p, address, line == 0 ? translated(row.text) : QString())) {
                setWord(p + 2, Rgb565::fromQRgb(qRgb(255, 255, 255)));
                setWord(p + 4, quint16((line % 8) * 40));
                p[6] = 1; // size 1/8
                p[7] = 2; // centred
            }
            break;
        }
        case Editor::Name:
            text(p, address, translated(row.text));
            break;
        case Editor::SignedSlider: // signed sliders and inverters keep an erased value
        case Editor::Inverter:
        case Editor::SecondWord:
        case Editor::SecondColor:
        case Editor::LabelOnly:
            break;
        }
    }

    const Table &m_table;
    BoardFeatures m_board;
    BitLists m_bits;
    quint8 *m_image;
    quint8 *m_nv;
    QVector<PageText> m_texts;
};

} // namespace

QVector<PageText> giveErased(const FixedLayout &layout, const BoardFeatures &board, quint8 *image, quint8 *nv)
{
    if (!layout.table || !layout.bitLists)
        return {};
    return Giver(layout, board, image, nv).giveAll();
}

Defaults make(const FixedLayout &layout, quint16 word0, quint16, quint16 word2)
{
    if (!layout.table || !layout.bitLists)
        return Defaults();
    std::array<quint8, FixedLayoutModel::ImageSize> image;
    std::array<quint8, FixedLayoutModel::NvSize> nv;
    image.fill(0xFF);
    nv.fill(0xFF);
    QVector<FixedImage::Text> texts;
    for (const PageText &t : giveErased(layout, BoardFeatures{word0, word2}, image.data(), nv.data()))
        texts.append({int(t.word), t.text.toUtf8()});
    FixedImage::packTexts(image.data(), layout, texts);
    FixedImage::seal(image.data(), layout);
    return {QByteArray(reinterpret_cast<const char *>(image.data()), FixedLayoutModel::ImageSize),
            QByteArray(reinterpret_cast<const char *>(nv.data()), FixedLayoutModel::NvSize)};
}

const Defaults &of(const FixedLayout &layout, quint16 word0, quint16 word1, quint16 word2)
{
    static QHash<QString, Defaults> cache;
    const QString key = QStringLiteral("%1 %2 %3 %4").arg(quintptr(&layout)).arg(word0).arg(word1).arg(word2);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, make(layout, word0, word1, word2));
    return *it;
}

} // namespace FactoryImage
