// The image a freshly erased 2.0 controller holds: erased bytes, its layout word and check word.
#include "boardimage.h"
#include "board.h"

namespace {

constexpr int LayoutWord = 8180;
constexpr int CheckWord = 8184;

quint32 word32(const QByteArray &b, int at)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | quint8(b.at(at + i));
    return v;
}

void put32At(QByteArray &b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

} // namespace

namespace simstorage {

QByteArray defaultImage()
{
    QByteArray image(SimBoard::ImageSize, char(0xFF));
    // Layout version 1; bit 15 keeps its erased value.
    image[LayoutWord] = char(0x01);
    image[LayoutWord + 1] = char(0x80);
    put32At(image, CheckWord, 0);
    put32At(image, CheckWord + 4, 0);
    quint32 check = 0;
    for (int at = 0; at < image.size(); at += 4)
        check ^= word32(image, at);
    put32At(image, CheckWord, check);
    return image;
}

} // namespace simstorage
