#include "devices/imagefit.h"
#include "base/prompt.h"
#include "devices/fixedgenerations.h"
#include "devices/fixedimage.h"
#include "devices/fixedlayoutmodel.h"
#include "editors/viewline.h"
#include <QByteArray>
#include <QCoreApplication>
#include <QTextCodec>
#include <QVector>

using namespace FixedTable;

namespace {

QString tr(const char *text) { return QCoreApplication::translate("ImageFit", text); }

// Judges one image against one layout on one board, fact by fact.
class Judge
{
public:
    Judge(const FixedLayout &layout, const BoardFeatures &board, const quint8 *image)
        : m_layout(layout), m_table(layout.table()), m_board(board), m_bits(layout.bitLists(board)), m_image(image)
    {
    }

    LayoutFit run()
    {
        layoutBlock();
        poolTexts();
        for (const Value &v : pageValues(m_table, m_board))
            value(*v.row, v.k);
        unusedWords();
        return m_fit;
    }

private:
    quint16 word(quint32 a) const { return FixedImage::word16(m_image, int(a)); }
    bool inImage(quint32 a, int size) const { return a + quint32(size) <= quint32(FixedImage::WriteEnd); }

    void fact(bool right, quint32 address, const QString &held, const QString &allowed, const QString &label = QString())
    {
        ++m_fit.checked;
        if (right || m_fit.wrong++ > 0)
            return;
        m_fit.address = address;
        m_fit.label = label.isEmpty() ? FixedTable::label(m_table, address, m_board) : label;
        m_fit.held = held;
        m_fit.allowed = allowed;
    }
    // An erased value tells nothing: boards of every generation leave values they do not use so.
    void erased() { ++m_fit.erased; }

    // The version in the layout word, and the zero word after the check word.
    void layoutBlock()
    {
        const int at = m_layout.layoutAddress;
        const quint32 w = FixedImage::word32(m_image, at);
        fact((w & m_layout.layoutMask) == 1u, quint32(at), QStringLiteral("0x%1").arg(w, 8, 16, QLatin1Char('0')),
             tr("layout version 1"), tr("Layout word"));
        const quint32 zero = FixedImage::word32(m_image, at + 8);
        fact(zero == 0, quint32(at + 8), QStringLiteral("0x%1").arg(zero, 8, 16, QLatin1Char('0')), QStringLiteral("0"),
             tr("Check word"));
    }

    // True when bytes from..to-1 (no NUL among them) are one printable UTF-8 text.
    bool isText(int from, int to) const
    {
        for (int i = from; i < to; ++i) {
            if (m_image[i] < 0x20)
                return false;
        }
        QTextCodec::ConverterState state;
        QTextCodec::codecForName("UTF-8")->toUnicode(reinterpret_cast<const char *>(m_image + from), to - from, &state);
        return state.invalidChars == 0 && state.remainingChars == 0;
    }

    // The pool holds texts, each ending in a NUL, and erased bytes; where another layout keeps
    // its values, it holds numbers.
    void poolTexts()
    {
        const int end = m_layout.textBase + m_layout.textSize;
        for (int from = m_layout.textBase; from < end;) {
            int to = from;
            bool blank = true;
            for (; to < end && m_image[to] != 0; ++to)
                blank = blank && m_image[to] == 0xFF;
            if (!blank)
                fact(isText(from, to), quint32(from), tr("%1 bytes that are no text").arg(to - from), tr("a text"),
                     tr("Text pool"));
            from = to + 1;
        }
    }

    // A text reference: empty, or the start of a NUL-terminated UTF-8 text inside the pool.
    void textReference(quint32 address)
    {
        const quint16 ref = word(address);
        if (ref == 0 || ref == 0xFFFF)
            return; // an empty or erased text fits every layout
        const int base = m_layout.textBase, end = base + m_layout.textSize;
        const int at = quint16(m_layout.textUpward ? int(address) + ref : int(address) - ref);
        bool right = at >= base && at < end && (at == base || m_image[at - 1] == 0);
        int n = 0;
        while (right && at + n < end && m_image[at + n] != 0)
            ++n;
        right = right && at + n < end && isText(at, at + n);
        fact(right, address, tr("text reference %1").arg(ref), tr("a text in bytes %1-%2").arg(base).arg(end - 1));
    }

    // The bits a mask value may hold: its list's, and the others as the default has them.
    void maskBits(quint32 address, int value, int def, const BitList &list, int width)
    {
        quint32 bits = 0;
        for (quint16 m : list.masks)
            bits |= m;
        const quint32 all = width == 1 ? 0xFFu : 0xFFFFu;
        if ((bits & all) == all)
            return; // every value is a mask of this list
        if (quint32(value) == all && quint32(def) != all)
            return erased();
        const quint32 others = quint32(value) & ~bits & all;
        fact(others == 0 || others == (quint32(def) & ~bits & all), address,
             QStringLiteral("0x%1").arg(value, 0, 16), tr("bits 0x%1").arg(bits, 0, 16));
    }
    void range(quint32 address, int value, int min, int max)
    {
        fact(value >= min && value <= max, address, QString::number(value), QStringLiteral("%1-%2").arg(min).arg(max));
    }

    void value(const Row &row, int k)
    {
        const quint32 a = row.valueAddress(k);
        if ((a & FixedLayoutModel::NvKey) || !inImage(a, row.size()))
            return; // the NV region is not in a dump
        const quint16 w = row.size() >= 2 ? word(a) : m_image[a];
        switch (row.editor) {
        case Editor::Slider:
            if (w == 0xFFFF)
                return erased();
            return range(a, w, row.min, row.max);
        case Editor::SliderByte:
            if (w == 0xFF)
                return erased();
            return range(a, w, row.min, row.max);
        case Editor::SignedSlider:
            if (w == 0xFFFF) // -1 is in every signed range, and what an unset delay holds
                return erased();
            return range(a, qint16(w), row.min, row.max);
        case Editor::Inverter:
            if (w != 0xFF) // an inverter never set keeps its erased byte
                range(a, w & 0x7F, 0, 100);
            return;
        case Editor::Mask:
        case Editor::MaskButton:
            maskBits(a, w, defaultFor(row, k, m_bits), bitList(row, m_bits, m_board, m_table.context), 2);
            if (row.editor == Editor::MaskButton && row.second) {
                const quint32 second = row.second + quint32(k) * row.stride;
                maskBits(second, word(second), 0, bitList(row, m_bits, m_board, m_table.context), 2);
            }
            return;
        case Editor::MaskByte:
            return maskBits(a, w, defaultFor(row, k, m_bits) & 0xFF, bitList(row, m_bits, m_board, m_table.context), 1);
        case Editor::Background:
            if (w == 0xFFFF)
                return erased();
            fact(w != 0 && (w & (w - 1)) == 0 && (w & ~row.modes) == 0, a, tr("mode %1").arg(w),
                 tr("modes 0x%1").arg(row.modes, 0, 16));
            return;
        case Editor::ViewLine: {
            bool blank = true;
            for (int i = 0; i < 8; ++i)
                blank = blank && m_image[a + quint32(i)] == 0xFF;
            if (blank)
                return; // an erased line is an empty one
            textReference(a);
            range(a + 4, word(a + 4), 0, ViewLine::MaxPosition);
            range(a + 6, m_image[a + 6], 0, 2);
            range(a + 7, m_image[a + 7], 1, 3);
            return;
        }
        case Editor::Name:
            return textReference(a);
        case Editor::Colors: // every word is a colour
        case Editor::SecondColor:
        case Editor::SecondWord:
        case Editor::LabelOnly:
            return;
        }
    }

    // Words no row, no text and no layout block of the layout claims stay erased.
    void unusedWords()
    {
        QVector<bool> used(FixedImage::Size, false);
        const auto claim = [&used](int from, int size) {
            for (int a = qMax(0, from); a < qMin(FixedImage::Size, from + size); ++a)
                used[a] = true;
        };
        claim(m_layout.textBase, m_layout.textSize);
        claim(m_layout.layoutAddress, 12);
        for (const Row &row : m_table) {
            if (row.kind != Kind::Param || (row.first & FixedLayoutModel::NvKey))
                continue;
            for (int k = 0; k < row.count; ++k)
                claim(int(row.valueAddress(k)), row.size());
        }
        for (int a = 0; a + 1 < FixedImage::WriteEnd; a += 2) {
            if (!used[a] && !used[a + 1])
                fact(word(quint32(a)) == 0xFFFF, quint32(a), QStringLiteral("0x%1").arg(word(quint32(a)), 0, 16),
                     tr("an erased word"), tr("Unused word"));
        }
    }

    const FixedLayout &m_layout;
    const Table &m_table;
    BoardFeatures m_board;
    BitLists m_bits;
    const quint8 *m_image;
    LayoutFit m_fit;
};

// Another generation explains a dump only when the model's own fit is poor in count and in
// share, and the other's is clearly better. A sound dump of the model misses on a few values at
// most (those a board of another variant leaves erased or sets beyond this board's ranges);
// dumps of other generations miss on half or more.
constexpr int MinWrong = 8;
constexpr double MinMisfit = 0.15;
constexpr double Margin = 0.10;
constexpr double Unknown = 0.5;

} // namespace

QString LayoutFit::describe() const
{
    QString text = tr("%1 of %2 values do not fit").arg(wrong).arg(checked);
    if (wrong > 0)
        text += tr(", e.g. %1 at %2 holds %3 (%4)").arg(label).arg(address).arg(held, allowed);
    return text;
}

LayoutFit fitLayout(const FixedLayout &layout, const BoardFeatures &board, const quint8 *image)
{
    if (!layout.table || !layout.bitLists || !image)
        return LayoutFit();
    return Judge(layout, board, image).run();
}

QString DumpOrigin::describe() const
{
    if (!looksLike.isEmpty())
        return tr("This file looks like a configuration of %1, not of %2: %3").arg(looksLike, model, fit.describe());
    if (unknown)
        return tr("This file does not look like a configuration of %1 or of another board generation: %2")
            .arg(model, fit.describe());
    return tr("This file looks like a configuration of %1 (%2)").arg(model, fit.describe());
}

DumpOrigin judgeDump(const FixedLayoutModel &model, const quint8 *image)
{
    DumpOrigin origin;
    origin.model = model.title();
    origin.fit = fitLayout(model.layout(), model.board(), image);
    const double own = origin.fit.misfit();
    if (origin.fit.wrong < MinWrong || own < MinMisfit)
        return origin;
    double best = own - Margin;
    for (const FixedGeneration &g : FixedGenerations::all()) {
        if (g.layout == &model.layout())
            continue;
        const double other = fitLayout(*g.layout, g.features(), image).misfit();
        if (other < best) {
            best = other;
            origin.looksLike = FixedGenerations::title(*g.layout);
        }
    }
    origin.unknown = origin.looksLike.isEmpty() && own >= Unknown;
    return origin;
}

bool acceptDumpFit(DeviceCfg *model, const QByteArray &bytes)
{
    const auto *fixed = qobject_cast<const FixedLayoutModel *>(model);
    if (!fixed || !fixed->table() || bytes.size() != FixedImage::Size)
        return true;
    const DumpOrigin origin = judgeDump(*fixed, reinterpret_cast<const quint8 *>(bytes.constData()));
    if (!origin.foreign())
        return true;
    // A file another layout seals is refused by the load itself.
    if (!FixedImage::isValid(reinterpret_cast<const quint8 *>(bytes.constData()), fixed->layout()))
        return true;
    return prompt()->questionDefaultNo(tr("Load"), origin.describe() + QLatin1Char('.') + QLatin1Char('\n')
                                                       + tr("Load it anyway?"));
}
