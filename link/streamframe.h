// Frames of the TCP byte stream: command byte, payload length byte, payload. Pure encode and
// check functions for every stream command, plus a reassembler that cuts frames out of segments.
#pragma once
#include "link/wirebytes.h"
#include <QByteArray>
#include <QString>

namespace StreamFrame {

constexpr int HeaderSize = 2;
constexpr int MaxPayload = 255;
constexpr int MaxFrame = HeaderSize + MaxPayload;
constexpr int MaxFirmwareBlock = 240;

// Command codes.
constexpr quint8 CmdVersion = 0x02;     // identity triple of a controller
constexpr quint8 CmdRead = 0x04;        // readCfg (address + length) and readDynCfg (selector)
constexpr quint8 CmdWrite = 0x05;       // writeCfg and writeDynCfg; no answer
constexpr quint8 CmdSave = 0x06;        // saveCfg; no answer
constexpr quint8 CmdReadNv = 0x07;      // readNvMem
constexpr quint8 CmdWriteNv = 0x08;     // writeNvMem; no answer
// Added to the command base of the board being talked to (0x00 controller, 0xE0 bridge).
constexpr quint8 CmdFinishFirmware = 0x0E;  // no answer
constexpr quint8 CmdWriteFirmware = 0x0F;   // header or one block; answered with 6 bytes
constexpr quint8 ControllerBase = 0x00;
constexpr quint8 BridgeBase = 0xE0;          // also the access exchange's command

// Requests. An argument out of range (data longer than the command allows) gives an empty
// array: nothing is to be sent.
QByteArray frame(quint8 command, const QByteArray &payload);
QByteArray versionQuery();
QByteArray readCfg(quint16 address, int length);
QByteArray readDynCfg(quint32 selector);
QByteArray writeCfg(const quint8 *src, quint16 address, int length);
QByteArray writeDynCfg(const quint8 *src, int length, quint8 marker, quint8 complete);
QByteArray saveCfg();
QByteArray readNvMem(quint16 address, int length);
QByteArray writeNvMem(const quint8 *src, quint16 address, int length);
QByteArray access(quint8 cmdBase, const QByteArray &password);
QByteArray finishFirmware(quint8 cmdBase);
QByteArray writeFirmware(quint8 cmdBase, quint16 remaining, const QByteArray &block);

// Answer checks; each takes one whole received frame (header and payload).
using Identity = Wire::Identity;
bool checkVersion(const QByteArray &answer, Identity *identity);
// readCfg (CmdRead) and readNvMem (CmdReadNv): length and echoed address must match; the data
// is answer.mid(4, length).
bool checkRead(quint8 command, const QByteArray &answer, quint16 address, int length);
struct DynPacket
{
    quint8 flags = 0;
    quint8 complete = 0;
    QByteArray data;
};
// Refuses data longer than one configuration piece, which no caller's buffer is sized for.
bool checkReadDynCfg(const QByteArray &answer, DynPacket *packet);
// The version text is the payload up to its first zero byte.
bool checkAccess(quint8 cmdBase, const QByteArray &answer, QString *versionText);
bool checkWriteFirmware(quint8 cmdBase, const QByteArray &answer);
// word0 of the bridge: "major.minor..." as (major << 8) | minor, kept to 16 bits; else 0.
quint16 versionWord(const QString &versionText);

// Cuts frames out of a byte stream that arrives in segments of any size. Taking a frame moves
// an index; the bytes before it are dropped in one go when they are half of the buffer, so a
// stream of many small frames costs time in proportion to its length.
class Reassembler
{
public:
    void feed(const QByteArray &bytes);
    // Bytes still needed to complete the next frame; while its header is incomplete, the
    // bytes still needed for the header.
    int missing() const;
    bool hasFrame() const { return missing() == 0; }
    // Moves the next complete frame into *out; false while it is incomplete.
    bool take(QByteArray *out);
    // Everything not yet taken, then empty.
    QByteArray drain();
    int buffered() const { return m_buffer.size() - m_start; }

private:
    QByteArray m_buffer;
    int m_start = 0;  // where the next frame begins in m_buffer
};

}  // namespace StreamFrame
