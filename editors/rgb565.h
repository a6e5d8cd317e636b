// Colour words as the boards store them: RGB565 with its two bytes swapped (the RGB565 value
// most significant byte first in a little-endian 16-bit field). The one place that converts.
#pragma once
#include <QColor>
#include <QtGlobal>

namespace Rgb565 {

// Red bits 3-7 land in word bits 3-7, green bits 5-7 in bits 0-2, green bits 2-4 in bits 13-15,
// blue bits 3-7 in bits 8-12. The low bits of each component are dropped.
constexpr quint16 fromRgb(int r, int g, int b)
{
    return quint16((r & 0xF8) | ((g >> 5) & 7) | ((g & 0x1C) << 11) | ((b & 0xF8) << 5));
}

constexpr int red(quint16 word) { return word & 0xF8; }
constexpr int green(quint16 word) { return ((word & 7) << 5) | ((word >> 11) & 0x1C); }
constexpr int blue(quint16 word) { return (word >> 5) & 0xF8; }

// Alpha is ignored.
inline quint16 fromColor(const QColor &c) { return fromRgb(c.red(), c.green(), c.blue()); }
inline quint16 fromQRgb(QRgb rgb) { return fromRgb(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

// Always opaque; the low bits of each component are 0.
inline QColor toColor(quint16 word) { return QColor(red(word), green(word), blue(word), 255); }

} // namespace Rgb565
