#include "devices/imagefit.h"
#include "app/prompt.h"
#include "devices/fixedimage.h"
#include "devices/fixedlayoutmodel.h"
#include <QByteArray>
#include <QCoreApplication>

using namespace FixedTable;

namespace {

// Bits an option row may hold: its options; its default too (erased flags read as set).
quint16 allowedBits(const Row &row)
{
    quint16 bits = 0;
    for (int i = 0; i < row.optionCount; ++i)
        bits |= row.options[i].bit;
    return bits;
}

} // namespace

QString ImageFit::describe() const
{
    QString text = QCoreApplication::translate("ImageFit", "%1 of %2 values lie outside their ranges or option lists")
                       .arg(outside)
                       .arg(checked);
    if (outside > 0)
        text += QCoreApplication::translate("ImageFit", ", e.g. %1 at %2 holds %3 (%4)")
                    .arg(label)
                    .arg(address)
                    .arg(value)
                    .arg(allowed);
    return text;
}

ImageFit checkImageFit(const Table &table, const quint8 *image)
{
    ImageFit fit;
    for (const Row &row : table) {
        if (row.kind != Kind::Param || (row.first & 0x8000))
            continue;
        const bool slider = row.editor == Editor::Slider || row.editor == Editor::SliderByte
                            || row.editor == Editor::SignedSlider;
        const bool options = row.bits == Bits::Options && row.optionCount > 0;
        if (!slider && !options)
            continue;
        for (int k = 0; k < row.count; ++k) {
            const quint32 a = row.valueAddress(k);
            if (a + quint32(row.size()) > quint32(FixedImage::Size))
                break;
            int value = 0;
            bool in = true;
            QString allowed;
            const bool byte = row.editor == Editor::SliderByte || row.editor == Editor::MaskByte;
            if (byte)
                value = image[a];
            else if (row.editor == Editor::SignedSlider)
                value = qint16(FixedImage::word16(image, int(a)));
            else
                value = FixedImage::word16(image, int(a));
            // Erased memory is a value never set, whatever the generation.
            if ((byte && value == 0xFF) || (row.editor == Editor::SignedSlider && value == -1)
                || (!byte && value == 0xFFFF))
                continue;
            if (slider) {
                in = value >= row.min && value <= row.max;
                allowed = QStringLiteral("%1-%2").arg(row.min).arg(row.max);
            } else {
                const quint16 bits = allowedBits(row);
                in = (value & ~bits) == 0 || quint32(value) == row.def;
                allowed = QCoreApplication::translate("ImageFit", "options 0x%1").arg(bits, 0, 16);
            }
            ++fit.checked;
            if (in)
                continue;
            if (fit.outside++ == 0) {
                fit.address = a;
                fit.label = FixedTable::label(table, a);
                fit.value = value;
                fit.allowed = allowed;
            }
        }
    }
    return fit;
}

bool acceptDumpFit(DeviceCfg *model, const QByteArray &bytes)
{
    const auto *fixed = qobject_cast<const FixedLayoutModel *>(model);
    if (!fixed || !fixed->table() || bytes.size() != FixedImage::Size)
        return true;
    // A damaged file is refused by the load itself.
    const auto *image = reinterpret_cast<const quint8 *>(bytes.constData());
    if (!FixedImage::isValid(image, fixed->layout()))
        return true;
    const ImageFit fit = checkImageFit(*fixed->table(), image);
    if (!fit.foreign())
        return true;
    return prompt()->question(
        QCoreApplication::translate("ImageFit", "Load"),
        QCoreApplication::translate("ImageFit", "This file does not look like a configuration of %1 "
                                                "(a dump of another generation?): %2.\nLoad it onto the board anyway?")
            .arg(model->title(), fit.describe()));
}
