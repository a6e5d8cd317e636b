#include "link/streamframe.h"
#include <QRegularExpression>

namespace StreamFrame {

namespace {

constexpr int MaxChunk = Wire::MaxData;
using Wire::putU16;
using Wire::u16At;

bool validChunk(int length) { return length >= 0 && length <= MaxChunk; }

// A frame whose header says it is whole and whose command is the expected one.
bool wellFormed(const QByteArray &answer, quint8 command)
{
    return answer.size() >= HeaderSize && quint8(answer.at(0)) == command
        && answer.size() == HeaderSize + quint8(answer.at(1));
}

quint8 lengthByte(const QByteArray &answer) { return quint8(answer.at(1)); }

QByteArray addressed(quint16 address, const quint8 *src, int length)
{
    QByteArray p;
    putU16(p, address);
    p.append(reinterpret_cast<const char *>(src), length);
    return p;
}

}  // namespace

QByteArray frame(quint8 command, const QByteArray &payload)
{
    if (payload.size() > MaxPayload)
        return QByteArray();
    QByteArray f;
    f.reserve(HeaderSize + payload.size());
    f.append(char(command));
    f.append(char(payload.size()));
    f.append(payload);
    return f;
}

QByteArray versionQuery() { return frame(CmdVersion, QByteArray()); }

QByteArray readCfg(quint16 address, int length)
{
    if (!validChunk(length))
        return QByteArray();
    QByteArray p;
    putU16(p, address);
    p.append(char(length));
    return frame(CmdRead, p);
}

QByteArray readDynCfg(quint32 selector)
{
    QByteArray p;
    Wire::putU32(p, selector);
    return frame(CmdRead, p);
}

QByteArray writeCfg(const quint8 *src, quint16 address, int length)
{
    if (!Wire::dataOk(src, length))
        return QByteArray();
    return frame(CmdWrite, addressed(address, src, length));
}

QByteArray writeDynCfg(const quint8 *src, int length, quint8 marker, quint8 complete)
{
    if (!validChunk(length))
        return QByteArray();
    QByteArray p;
    p.append(char(marker));
    p.append(char(complete));
    if (src)
        p.append(reinterpret_cast<const char *>(src), length);
    else
        p.append(length, char(0));
    return frame(CmdWrite, p);
}

QByteArray saveCfg() { return frame(CmdSave, QByteArray()); }

QByteArray readNvMem(quint16 address, int length)
{
    if (!validChunk(length))
        return QByteArray();
    QByteArray p;
    putU16(p, address);
    p.append(char(length));
    return frame(CmdReadNv, p);
}

QByteArray writeNvMem(const quint8 *src, quint16 address, int length)
{
    if (!Wire::dataOk(src, length))
        return QByteArray();
    return frame(CmdWriteNv, addressed(address, src, length));
}

QByteArray access(quint8 cmdBase, const QByteArray &password) { return frame(cmdBase, password); }

QByteArray finishFirmware(quint8 cmdBase) { return frame(cmdBase | CmdFinishFirmware, QByteArray()); }

QByteArray writeFirmware(quint8 cmdBase, quint16 remaining, const QByteArray &block)
{
    if (block.size() > MaxFirmwareBlock)
        return QByteArray();
    QByteArray p;
    putU16(p, remaining);
    p.append(block);
    return frame(cmdBase | CmdWriteFirmware, p);
}

bool checkVersion(const QByteArray &answer, Identity *identity)
{
    if (!wellFormed(answer, CmdVersion) || lengthByte(answer) != 6)
        return false;
    if (identity)
        *identity = {u16At(answer, 2), u16At(answer, 4), u16At(answer, 6)};
    return true;
}

bool checkRead(quint8 command, const QByteArray &answer, quint16 address, int length)
{
    return validChunk(length) && wellFormed(answer, command) && lengthByte(answer) == length + 2
        && u16At(answer, 2) == address;
}

bool checkReadDynCfg(const QByteArray &answer, DynPacket *packet)
{
    if (!wellFormed(answer, CmdRead) || lengthByte(answer) < 2 || lengthByte(answer) > MaxChunk + 2)
        return false;
    if (packet)
        *packet = {quint8(answer.at(2)), quint8(answer.at(3)), answer.mid(4)};
    return true;
}

bool checkAccess(quint8 cmdBase, const QByteArray &answer, QString *versionText)
{
    if (!wellFormed(answer, cmdBase) || lengthByte(answer) == 0)
        return false;
    QByteArray text = answer.mid(HeaderSize);
    const int zero = text.indexOf('\0');
    if (zero >= 0)
        text.truncate(zero);
    if (versionText)
        *versionText = QString::fromUtf8(text);
    return true;
}

bool checkWriteFirmware(quint8 cmdBase, const QByteArray &answer)
{
    return wellFormed(answer, cmdBase | CmdWriteFirmware) && lengthByte(answer) == 6;
}

quint16 versionWord(const QString &versionText)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)\\.(\\d+)"));
    const QRegularExpressionMatch m = pattern.match(versionText);
    if (!m.hasMatch())
        return 0;
    // Digit runs too long for a number count as 0, like any other overflow the 16 bits drop.
    const quint32 major = m.captured(1).toUInt();
    const quint32 minor = m.captured(2).toUInt();
    return quint16(((major << 8) | minor) & 0xFFFF);
}

void Reassembler::feed(const QByteArray &bytes)
{
    if (m_start > 0 && m_start * 2 >= m_buffer.size()) {
        m_buffer.remove(0, m_start);
        m_start = 0;
    }
    m_buffer.append(bytes);
}

int Reassembler::missing() const
{
    const int have = buffered();
    if (have < HeaderSize)
        return HeaderSize - have;
    const int whole = HeaderSize + quint8(m_buffer.at(m_start + 1));
    return qMax(0, whole - have);
}

bool Reassembler::take(QByteArray *out)
{
    if (!hasFrame())
        return false;
    const int whole = HeaderSize + quint8(m_buffer.at(m_start + 1));
    if (out)
        *out = m_buffer.mid(m_start, whole);
    m_start += whole;
    if (m_start == m_buffer.size()) {
        m_buffer.clear();
        m_start = 0;
    }
    return true;
}

QByteArray Reassembler::drain()
{
    QByteArray all = m_buffer.mid(m_start);
    m_buffer.clear();
    m_start = 0;
    return all;
}

}  // namespace StreamFrame
