#include "devices/fixedimage.h"
#include <QByteArray>
#include <cstring>

namespace FixedImage {

quint32 word32(const quint8 *image, int address)
{
    const quint8 *p = image + address;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

void setWord32(quint8 *image, int address, quint32 value)
{
    quint8 *p = image + address;
    for (int i = 0; i < 4; ++i)
        p[i] = quint8(value >> (8 * i));
}

quint16 word16(const quint8 *image, int address)
{
    return quint16(image[address] | image[address + 1] << 8);
}

void setWord16(quint8 *image, int address, quint16 value)
{
    image[address] = quint8(value);
    image[address + 1] = quint8(value >> 8);
}

static quint32 xorAll(const quint8 *image)
{
    quint32 x = 0;
    for (int a = 0; a < Size; a += 4)
        x ^= word32(image, a);
    return x;
}

void setLayoutVersion(quint8 *image, const FixedLayout &layout)
{
    const quint32 w = word32(image, layout.layoutAddress);
    setWord32(image, layout.layoutAddress, (w & ~layout.layoutMask) | 1u);
}

void clearCheck(quint8 *image, const FixedLayout &layout)
{
    setLayoutVersion(image, layout);
    setWord32(image, layout.layoutAddress + 4, 0);
    setWord32(image, layout.layoutAddress + 8, 0);
}

void seal(quint8 *image, const FixedLayout &layout)
{
    clearCheck(image, layout);
    setWord32(image, layout.layoutAddress + 4, xorAll(image));
}

bool isValid(const quint8 *image, const FixedLayout &layout)
{
    return (word32(image, layout.layoutAddress) & layout.layoutMask) == 1u && xorAll(image) == 0;
}

int packTexts(quint8 *image, const FixedLayout &layout, const QVector<Text> &texts)
{
    int cursor = layout.textBase;
    const int end = layout.textBase + layout.textSize;
    for (const Text &t : texts) {
        quint16 ref = 0;
        const int n = t.utf8.size() + 1;
        if (!t.utf8.isEmpty() && cursor + n <= end) {
            memcpy(image + cursor, t.utf8.constData(), size_t(t.utf8.size()));
            image[cursor + n - 1] = 0;
            ref = quint16(layout.textUpward ? cursor - t.word : t.word - cursor);
            cursor += n;
        }
        setWord16(image, t.word, ref);
    }
    return cursor - layout.textBase;
}

QString hexDump(const quint8 *image)
{
    static const char digits[] = "0123456789abcdef";
    QByteArray text;
    text.reserve(Size * 5);
    for (int i = 0; i < Size; ++i) {
        text += "0x";
        text += digits[image[i] >> 4];
        text += digits[image[i] & 15];
        text += ',';
        text += (i & 31) == 31 ? '\n' : ' ';
    }
    return QString::fromLatin1(text);
}

} // namespace FixedImage
