#include "devices/valuedecode.h"
#include "devices/fixedimage.h"
#include "devices/fixedlayout.h"
#include "editors/rgb565.h"
#include <QCoreApplication>

using namespace FixedTable;

namespace {

constexpr quint16 Erased = 0xFFFF;

QString quoted(const QString &s)
{
    QString q = s;
    q.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString hex16(quint16 v) { return QStringLiteral("0x%1").arg(v, 4, 16, QLatin1Char('0')); }

} // namespace

ValueDecoder::ValueDecoder(const quint8 *image, const FixedLayout &layout, const Table &table,
                           const BitLists &bits)
    : m_image(image), m_layout(layout), m_table(table), m_bits(bits)
{
}

quint16 ValueDecoder::word(quint32 address) const
{
    return address + 1 < quint32(FixedImage::Size) ? FixedImage::word16(m_image, int(address)) : Erased;
}

QString ValueDecoder::text(quint32 wordAddress) const
{
    const quint16 ref = word(wordAddress);
    if (ref == 0 || ref == Erased)
        return QStringLiteral("\"\"");
    const qint64 at = m_layout.textUpward ? qint64(wordAddress) + ref : qint64(wordAddress) - ref;
    const qint64 begin = m_layout.textBase, end = qint64(m_layout.textBase) + m_layout.textSize;
    if (at < begin || at >= end)
        return QStringLiteral("<text reference %1 outside the text pool>").arg(hex16(ref));
    qint64 stop = at;
    while (stop < end && m_image[stop] != 0)
        ++stop;
    if (stop == end)
        return QStringLiteral("<text at %1 not terminated>").arg(at);
    return quoted(QString::fromUtf8(reinterpret_cast<const char *>(m_image + at), int(stop - at)));
}

QString ValueDecoder::colour(quint16 w)
{
    return QStringLiteral("#%1%2%3")
        .arg(Rgb565::red(w), 2, 16, QLatin1Char('0'))
        .arg(Rgb565::green(w), 2, 16, QLatin1Char('0'))
        .arg(Rgb565::blue(w), 2, 16, QLatin1Char('0'));
}

const BitList *ValueDecoder::bitList(Bits bits) const
{
    switch (bits) {
    case Bits::Single16: return &m_bits.single16;
    case Bits::Buttons: return &m_bits.buttons;
    case Bits::Relays: return &m_bits.relays;
    case Bits::ExtraRelays: return &m_bits.extraRelays;
    case Bits::CoinInputs: return &m_bits.coinInputs;
    case Bits::None:
    case Bits::Options: break;
    }
    return nullptr;
}

QString ValueDecoder::mask(const Row &row, quint16 value) const
{
    if (value == Erased)
        return QStringLiteral("0xffff (erased)");
    // The bits the editor offers, each with its name or, as the editor numbers them, from 1.
    QVector<quint16> masks;
    QStringList names;
    if (row.bits == Bits::Options) {
        for (int i = 0; i < row.optionCount; ++i) {
            masks << row.options[i].bit;
            names << QCoreApplication::translate(m_table.context, row.options[i].name);
        }
    } else if (const BitList *list = bitList(row.bits)) {
        masks = list->masks;
        names = list->names;
    } else {
        masks = m_bits.single16.masks;
    }
    QStringList on;
    quint16 known = 0;
    for (int i = 0; i < masks.size(); ++i) {
        known |= masks.at(i);
        if (value & masks.at(i))
            on << (i < names.size() && !names.at(i).isEmpty() ? names.at(i) : QString::number(i + 1));
    }
    if (value & ~known)
        on << QStringLiteral("+%1").arg(hex16(value & ~known));
    return QStringLiteral("%1 (%2)").arg(hex16(value), on.isEmpty() ? QCoreApplication::translate("ValueDecoder", "none") : on.join(QStringLiteral(", ")));
}

QString ValueDecoder::decode(const Row *row, quint32 address) const
{
    if (!row)
        return hex16(word(address));
    const quint16 w = word(address);
    const quint8 byte = address < quint32(FixedImage::Size) ? m_image[address] : 0xFF;
    switch (row->editor) {
    case Editor::Slider:
        return w == Erased ? QStringLiteral("65535 (erased)") : QString::number(w);
    case Editor::SignedSlider:
        return w == Erased ? QStringLiteral("-1 (erased)") : QString::number(qint16(w));
    case Editor::SliderByte:
        return QString::number(byte);
    case Editor::Inverter:
        return QStringLiteral("level %1 %2 (0x%3)")
            .arg(byte & 0x7F)
            .arg(byte & 0x80 ? QStringLiteral("on") : QStringLiteral("off"))
            .arg(byte, 2, 16, QLatin1Char('0'));
    case Editor::Mask:
    case Editor::MaskButton:
        return mask(*row, w);
    case Editor::MaskByte:
        return mask(*row, byte == 0xFF ? Erased : byte);
    case Editor::SecondWord: {
        // Offered with the bits of the button whose second mask it is.
        for (const Row &r : m_table) {
            if (r.kind == Kind::Param && r.editor == Editor::MaskButton && r.second == row->first)
                return mask(r, w);
        }
        return mask(*row, w);
    }
    case Editor::Colors:
    case Editor::SecondColor:
        return colour(w);
    case Editor::Background: {
        static const char *const modes[] = {nullptr, "Solid", "Waves", nullptr, "Timer"};
        const quint16 mode = w;
        const QString m = mode < 5 && modes[mode] ? QString::fromLatin1(modes[mode])
                                                  : QStringLiteral("mode %1").arg(mode);
        return QStringLiteral("%1 %2 %3").arg(m, colour(word(address + 2)), colour(word(address + 4)));
    }
    case Editor::ViewLine: {
        static const char *const sizes[] = {"1/16", "1/8", "1/4"};
        static const char *const aligns[] = {nullptr, "left", "center", "right"};
        const quint8 font = address + 6 < quint32(FixedImage::Size) ? m_image[address + 6] : 0xFF;
        const quint8 align = address + 7 < quint32(FixedImage::Size) ? m_image[address + 7] : 0xFF;
        return QStringLiteral("%1 %2 y %3, size %4, align %5")
            .arg(text(address), colour(word(address + 2)))
            .arg(word(address + 4))
            .arg(font < 3 ? QString::fromLatin1(sizes[font]) : QStringLiteral("#%1").arg(font))
            .arg(align >= 1 && align <= 3 ? QString::fromLatin1(aligns[align]) : QStringLiteral("#%1").arg(align));
    }
    case Editor::Name:
        return text(address);
    case Editor::LabelOnly:
        break;
    }
    return hex16(w);
}
