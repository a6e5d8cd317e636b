// Byte-level rules of the 8192-byte fixed-layout image: the layout word, the XOR check word
// that makes a dump file self-checking, and the printable hex dump.
#pragma once
#include "devices/fixedlayout.h"
#include <QByteArray>
#include <QString>
#include <QVector>

namespace FixedImage {

constexpr int Size = 8192;
// Bytes from here to the end (the check words) are never sent to a board.
constexpr int WriteEnd = 8184;

quint32 word32(const quint8 *image, int address);
void setWord32(quint8 *image, int address, quint32 value);
quint16 word16(const quint8 *image, int address);
void setWord16(quint8 *image, int address, quint16 value);

// Layout version bits set to 1, other bits of the layout word kept.
void setLayoutVersion(quint8 *image, const FixedLayout &layout);
// Layout version set and both check words cleared, as the page builder leaves the image.
void clearCheck(quint8 *image, const FixedLayout &layout);
// Layout version set and the check word computed so that all 2048 words XOR to zero.
void seal(quint8 *image, const FixedLayout &layout);
// True when the layout version is 1 and all 2048 words XOR to zero.
bool isValid(const quint8 *image, const FixedLayout &layout);
// A text of the image: the address of its reference word and its UTF-8 bytes.
struct Text
{
    int word;
    QByteArray utf8;
};
// Packs the texts into the layout's pool in the given order, as the text editors do, and sets
// each reference word (0 for an empty text, or one that no longer fits). Returns the bytes used.
int packTexts(quint8 *image, const FixedLayout &layout, const QVector<Text> &texts);

// "0x%02x" per byte, a newline after every 32nd byte and a blank after every other one.
QString hexDump(const quint8 *image);

} // namespace FixedImage
