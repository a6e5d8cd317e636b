#include "link/packetframe.h"
#include <cstring>

namespace PacketFrame {

namespace {

QByteArray header(Command cmd)
{
    QByteArray p;
    p.reserve(MaxPacket);
    p.append(char(cmd));
    p.append(char(DirRequest));
    return p;
}

using Wire::putU16;
using Wire::putU32;
using Wire::u16At;

bool lengthOk(const quint8 *src, int length) { return Wire::dataOk(src, length); }

void putData(QByteArray &p, const quint8 *src, int length)
{
    if (length > 0)
        p.append(reinterpret_cast<const char *>(src), length);
}

// Command byte and direction (after masking) of an answer.
bool isAnswer(const QByteArray &answer, Command cmd)
{
    return answer.size() >= HeaderSize && quint8(answer[0]) == cmd
        && (quint8(answer[1]) & DirectionMask) == DirAnswer;
}

bool isBareAnswer(const QByteArray &answer, Command cmd)
{
    return answer.size() == HeaderSize && isAnswer(answer, cmd);
}

QByteArray addressed(Command cmd, quint16 address, int length)
{
    if (length < 0 || length > MaxData)
        return QByteArray();
    QByteArray p = header(cmd);
    putU16(p, address);
    putU16(p, quint16(length));
    return p;
}

QByteArray addressedWrite(Command cmd, const quint8 *src, quint16 address, int length)
{
    if (!lengthOk(src, length))
        return QByteArray();
    QByteArray p = header(cmd);
    putU16(p, address);
    putData(p, src, length);
    return p;
}

bool checkAddressed(const QByteArray &answer, Command cmd, quint16 address, int length,
                    quint8 *dst)
{
    if (length < 0 || length > MaxData || answer.size() != length + 4 || !isAnswer(answer, cmd)
        || u16At(answer, 2) != address)
        return false;
    if (dst && length > 0)
        memcpy(dst, answer.constData() + 4, size_t(length));
    return true;
}

} // namespace

bool echoes(const QByteArray &request, const QByteArray &answer)
{
    if (request.size() < HeaderSize || !isAnswer(answer, Command(quint8(request[0]))))
        return false;
    const quint8 cmd = quint8(request[0]);
    if ((cmd != CmdReadCfg && cmd != CmdReadNvMem) || request.size() != 6)
        return true;
    const int length = u16At(request, 4);
    if (cmd == CmdReadCfg && (length == 0 || length > MaxData))
        return true;
    return answer.size() == length + 4 && u16At(answer, 2) == u16At(request, 2);
}

QByteArray discoveryRequest() { return QByteArray(2, '\0'); }

bool isDiscoveryAnswer(const QByteArray &datagram) { return datagram == QByteArray("\x00\x0a", 2); }

QByteArray versionQuery() { return header(CmdVersion); }

QByteArray readCfg(quint16 address, int length) { return addressed(CmdReadCfg, address, length); }

QByteArray readDynCfg(quint32 selector)
{
    QByteArray p = header(CmdReadCfg);
    putU32(p, selector);
    return p;
}

QByteArray writeCfg(const quint8 *src, quint16 address, int length)
{
    return addressedWrite(CmdWriteCfg, src, address, length);
}

QByteArray writeDynCfg(const quint8 *src, int length, quint8 marker, quint8 complete)
{
    if (!lengthOk(src, length))
        return QByteArray();
    QByteArray p = header(CmdWriteCfg);
    p.append(char(marker));
    p.append(char(complete));
    putData(p, src, length);
    return p;
}

QByteArray saveCfg() { return header(CmdSaveCfg); }

QByteArray readNvMem(quint16 address, int length)
{
    return addressed(CmdReadNvMem, address, length);
}

QByteArray writeNvMem(const quint8 *src, quint16 address, int length)
{
    return addressedWrite(CmdWriteNvMem, src, address, length);
}

QByteArray writeSn(const char *serial)
{
    QByteArray p = header(CmdWriteSn);
    QByteArray field(SerialField, '\0');
    if (serial) {
        size_t n = qMin(strlen(serial), size_t(SerialField - 1));
        // Never cut a UTF-8 character in two: drop a partial one at the end.
        while (n > 0 && n < strlen(serial) && (quint8(serial[n]) & 0xC0) == 0x80)
            --n;
        memcpy(field.data(), serial, n);
    }
    p.append(field);
    return p;
}

QByteArray readMachineSetup() { return header(CmdReadMachineSetup); }

QByteArray writeMachineSetup(const quint8 *src, int length)
{
    if (!lengthOk(src, length))
        return QByteArray();
    QByteArray p = header(CmdWriteMachineSetup);
    putData(p, src, length);
    return p;
}

bool checkVersion(const QByteArray &answer, Identity *out)
{
    if (answer.size() != 8 || !isAnswer(answer, CmdVersion))
        return false;
    if (out) {
        out->word0 = u16At(answer, 2);
        out->word1 = u16At(answer, 4);
        out->word2 = u16At(answer, 6);
    }
    return true;
}

bool checkReadCfg(const QByteArray &answer, quint16 address, int length, quint8 *dst)
{
    return checkAddressed(answer, CmdReadCfg, address, length, dst);
}

bool checkReadDynCfg(const QByteArray &answer, DynChunk *out)
{
    // The answer's length is not fixed, but it must at least hold flags and complete.
    if (answer.size() < 4 || !isAnswer(answer, CmdReadCfg))
        return false;
    if (out) {
        out->flags = quint8(answer[2]);
        out->complete = quint8(answer[3]);
        out->data = answer.mid(4);
    }
    return true;
}

bool checkWriteCfg(const QByteArray &answer) { return isBareAnswer(answer, CmdWriteCfg); }

bool checkWriteDynCfg(const QByteArray &answer) { return isAnswer(answer, CmdWriteCfg); }

bool checkSaveCfg(const QByteArray &answer) { return isBareAnswer(answer, CmdSaveCfg); }

bool checkReadNvMem(const QByteArray &answer, quint16 address, int length, quint8 *dst)
{
    return checkAddressed(answer, CmdReadNvMem, address, length, dst);
}

bool checkWriteNvMem(const QByteArray &answer) { return isBareAnswer(answer, CmdWriteNvMem); }

bool checkWriteSn(const QByteArray &answer)
{
    return answer.size() == 4 && isAnswer(answer, CmdWriteSn) && u16At(answer, 2) != 0;
}

bool checkReadMachineSetup(const QByteArray &answer, int length, quint8 *dst)
{
    if (length < 0 || length > MaxData || answer.size() != length + 2
        || !isAnswer(answer, CmdReadMachineSetup))
        return false;
    if (dst && length > 0)
        memcpy(dst, answer.constData() + 2, size_t(length));
    return true;
}

bool checkWriteMachineSetup(const QByteArray &answer)
{
    return isBareAnswer(answer, CmdWriteMachineSetup);
}

} // namespace PacketFrame
