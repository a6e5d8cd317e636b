// The packet framing spoken over USB bulk transfers and UDP datagrams: one request and one
// answer per operation. Pure encode and check functions; the transports only move the bytes.
#pragma once
#include "link/wirebytes.h"
#include <QByteArray>
#include <QtGlobal>

namespace PacketFrame {

// Whole packets, header included.
constexpr int MaxPacket = 64;
constexpr int HeaderSize = 2;
// Longest data part of a configuration, memory or machine-setup packet.
constexpr int MaxData = Wire::MaxData;
// The serial number field of writeSn: at most 15 characters and a terminating zero.
constexpr int SerialField = 16;

// Byte 1 of every packet. Answers are compared after masking with DirectionMask,
// so the board may use bits 2-7 for its own purposes.
constexpr quint8 DirRequest = 0x00;
constexpr quint8 DirAnswer = 0x02;
constexpr quint8 DirectionMask = 0x03;

// Byte 0 of every packet.
enum Command : quint8 {
    CmdVersion = 0x01,           // 01 00 -> 01 02 word0 word1 word2
    CmdReadCfg = 0x03,           // 03 00 address len -> 03 02 address data; also readDynCfg
    CmdWriteCfg = 0x04,          // 04 00 address data -> 04 02; also writeDynCfg
    CmdSaveCfg = 0x05,           // 05 00 -> 05 02
    CmdReadNvMem = 0x06,         // 06 00 address len -> 06 02 address data
    CmdWriteNvMem = 0x07,        // 07 00 address data -> 07 02
    CmdWriteSn = 0x08,           // 08 00 serial[16] -> 08 02 status (0 = refused)
    CmdReadMachineSetup = 0x09,  // 09 00 -> 09 02 data
    CmdWriteMachineSetup = 0x0A, // 0A 00 data -> 0A 02
};

using Identity = Wire::Identity;

// Answer to readDynCfg: flags bit 0 = last packet, bit 1 = error reported by the board;
// complete = number of data bytes that end on a record boundary.
struct DynChunk
{
    quint8 flags = 0;
    quint8 complete = 0;
    QByteArray data;
};

// Requests. A length outside 0..MaxData (or a null source with a non-zero length) gives an
// empty array: nothing may be sent.
QByteArray versionQuery();
QByteArray readCfg(quint16 address, int length);
QByteArray readDynCfg(quint32 selector);
QByteArray writeCfg(const quint8 *src, quint16 address, int length);
QByteArray writeDynCfg(const quint8 *src, int length, quint8 marker, quint8 complete);
QByteArray saveCfg();
QByteArray readNvMem(quint16 address, int length);
QByteArray writeNvMem(const quint8 *src, quint16 address, int length);
QByteArray writeSn(const char *serial);
QByteArray readMachineSetup();
QByteArray writeMachineSetup(const quint8 *src, int length);

// Discovery on the UDP bridge path: the request is two zero bytes sent to the board port; a
// board answers with exactly 00 0A from that port.
QByteArray discoveryRequest();
bool isDiscoveryAnswer(const QByteArray &datagram);

// Whether answer can be the one to request, judged from the request alone: the same command
// with the answer direction, and for an addressed read (readCfg, readNvMem) the echoed address
// and the length the request asked for. A readCfg request whose length field is 0 or above
// MaxData is a readDynCfg selector; its answers are told apart by their command only.
// Anything else on the endpoint is a late answer to an earlier request.
bool echoes(const QByteArray &request, const QByteArray &answer);

// Answer checks: true when the answer is the one the request asks for. Data parts are
// copied out only on success; dst must hold the requested length.
bool checkVersion(const QByteArray &answer, Identity *out);
bool checkReadCfg(const QByteArray &answer, quint16 address, int length, quint8 *dst);
bool checkReadDynCfg(const QByteArray &answer, DynChunk *out);
bool checkWriteCfg(const QByteArray &answer);
bool checkWriteDynCfg(const QByteArray &answer);
bool checkSaveCfg(const QByteArray &answer);
bool checkReadNvMem(const QByteArray &answer, quint16 address, int length, quint8 *dst);
bool checkWriteNvMem(const QByteArray &answer);
bool checkWriteSn(const QByteArray &answer);
bool checkReadMachineSetup(const QByteArray &answer, int length, quint8 *dst);
bool checkWriteMachineSetup(const QByteArray &answer);

} // namespace PacketFrame
