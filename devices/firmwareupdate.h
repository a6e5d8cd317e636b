// Sending a firmware file (*.efrm) to the network bridge: a 36-byte header, then the whole file
// in blocks of at most 240 bytes, then the finish frame. The bridge checks the content.
#pragma once
#include <QByteArray>

class DevIo;
class Progress;

namespace FirmwareUpdate {

constexpr int BlockSize = 240;
constexpr int TrailerSize = 32;
// The number the header goes with; the blocks carry the bytes still to send.
constexpr quint16 HeaderNumber = 0;

// The file length (u32, little-endian) and the file's last 32 bytes (fewer for a shorter file).
QByteArray header(const QByteArray &file);
// The bytes still to send before the block starting at offset, cut to 16 bits.
quint16 remainingAt(const QByteArray &file, int offset);
// Number of blocks of the body.
int blockCount(const QByteArray &file);

struct Result
{
    enum Status { Done, HeaderRefused, BlockRefused, FinishFailed };
    Status status = Done;
    int block = 0;  // the refused block, counted from 1
    int blocks = 0;
};

// Runs the whole transfer over link; progress counts the body bytes sent of the file size.
// Stops at the first refusal; nothing is retried.
Result send(DevIo *link, const QByteArray &file, Progress *progress);

}  // namespace FirmwareUpdate
