// Chunked writing and reading of parameter records, and the byte-level operations with
// the carry buffer that joins records split across chunks.
#include "registry/cfgstream.h"
#include "registry/cfgpar.h"
#include "registry/ctstring.h"
#include "registry/registrylog.h"
#include <QtEndian>
#include <cstdlib>
#include <cstring>
#include <utility>

CfgStream::~CfgStream() { std::free(m_carry); }

void CfgStream::start(quint32 uid)
{
    const int list = Uid::list(uid);
    m_flags &= ~quint32(Single);
    if (Uid::isListPrefix(uid)) {
        m_current = CfgPar::head(list);
    } else {
        m_current = CfgPar::find(list, uid);
        m_flags |= Single;
    }
}

void CfgStream::startList(quint32 uid) { start(uid); }

void CfgStream::startOne(quint32 uid) { start(uid); }

void CfgStream::resetCarry()
{
    m_carryPos = 0;
    m_carryLen = 0;
}

bool CfgStream::carryAppend(const quint8 *src, int n)
{
    if (n <= 0)
        return true;
    const int unread = carried();
    if (m_carryPos > 0) {
        if (unread)
            std::memmove(m_carry, m_carry + m_carryPos, size_t(unread));
        m_carryPos = 0;
        m_carryLen = unread;
    }
    const qint64 need = qint64(unread) + n;
    if (need > 0x7FFFFFFF) {
        setError();
        return false;
    }
    if (need > m_carryCap) {
        const qint64 cap = qMin<qint64>(0x7FFFFFFF, qMax<qint64>(need, qint64(m_carryCap) * 2));
        auto *grown = static_cast<quint8 *>(std::realloc(m_carry, size_t(cap)));
        if (!grown) {
            setError();
            return false;
        }
        m_carry = grown;
        m_carryCap = qint32(cap);
    }
    std::memcpy(m_carry + m_carryLen, src, size_t(n));
    m_carryLen += n;
    return true;
}

void CfgStream::write(const void *src, int n)
{
    if (n <= 0)
        return;
    const auto *bytes = static_cast<const quint8 *>(src);
    const int direct = qBound(0, m_size - m_pos, n);
    if (direct) {
        std::memcpy(m_buffer + m_pos, bytes, size_t(direct));
        m_pos += direct;
    }
    carryAppend(bytes + direct, n - direct);
}

bool CfgStream::read(void *dst, int n)
{
    if (failed())
        return false;
    if (n <= 0)
        return true;
    auto *out = static_cast<quint8 *>(dst);
    const int fromCarry = qMin(n, carried());
    if (fromCarry) {
        std::memcpy(out, m_carry + m_carryPos, size_t(fromCarry));
        m_carryPos += fromCarry;
        if (carried() == 0)
            resetCarry();
        out += fromCarry;
        n -= fromCarry;
    }
    if (n > 0) {
        if (m_size - m_pos < n) {
            setError();
            return false;
        }
        std::memcpy(out, m_in + m_pos, size_t(n));
        m_pos += n;
    }
    return true;
}

void CfgStream::writeU16(quint16 v)
{
    quint8 b[2];
    qToLittleEndian(v, b);
    write(b, 2);
}

void CfgStream::writeU32(quint32 v)
{
    quint8 b[4];
    qToLittleEndian(v, b);
    write(b, 4);
}

bool CfgStream::readU16(quint16 &v)
{
    quint8 b[2];
    if (!read(b, 2))
        return false;
    v = qFromLittleEndian<quint16>(b);
    return true;
}

bool CfgStream::readU32(quint32 &v)
{
    quint8 b[4];
    if (!read(b, 4))
        return false;
    v = qFromLittleEndian<quint32>(b);
    return true;
}

void CfgStream::writeString(const CtString &str)
{
    writeU16(str.length());
    write(str.data(), str.length());
}

bool CfgStream::readString(CtString &str)
{
    quint16 n = 0;
    if (!readU16(n))
        return false;
    if (n > CtString::MaxLength) {
        // No string can hold it: a corrupt record, not something to copy anywhere.
        setError();
        return false;
    }
    if (n == 0) {
        str.clear();
        return true;
    }
    // Into fresh storage first, so that a short input keeps the old text.
    CtString fresh;
    if (!fresh.reserve(n)) {
        setError();
        return false;
    }
    if (!read(fresh.m_data, n))
        return false;
    fresh.m_length = n;
    str = std::move(fresh);
    return true;
}

bool CfgStream::skipString()
{
    CtString scratch;
    return readString(scratch);
}

void CfgStream::writeViewText(const CtViewText &line)
{
    writeString(line.text);
    writeU16(line.colour);
    writeU16(line.position);
    writeU16(line.flags);
}

bool CfgStream::readViewText(CtViewText &line)
{
    CtString text;
    quint16 colour = 0, position = 0, flags = 0;
    if (!readString(text) || !readU16(colour) || !readU16(position) || !readU16(flags))
        return false;
    line.text = std::move(text);
    line.colour = colour;
    line.position = position;
    line.flags = flags;
    return true;
}

bool CfgStream::skipViewText()
{
    CtViewText scratch;
    return readViewText(scratch);
}

int CfgStream::writeChunk(quint8 *dst, int cap)
{
    m_buffer = dst;
    m_size = qMax(0, cap);
    m_pos = 0;
    m_complete = 0;
    if (carried() > 0) {
        const int n = qMin(carried(), m_size);
        if (n)
            std::memcpy(dst, m_carry + m_carryPos, size_t(n));
        m_carryPos += n;
        m_pos = n;
        if (carried() == 0) {
            resetCarry();
            m_complete = m_pos;
        }
    }
    while (m_current && m_pos < m_size) {
        CfgPar *par = m_current;
        if ((m_flags & HwFilter) && !Uid::isHwSetting(par->uid())) {
            // One parameter is that parameter or nothing, never the one after it.
            m_current = (m_flags & Single) ? nullptr : par->next();
            continue;
        }
        writeU32(par->uid());
        if (m_flags & Describe)
            par->writeDesc(*this);
        else
            par->writeValue(*this);
        m_current = (m_flags & Single) ? nullptr : par->next();
        if (carried() == 0)
            m_complete = m_pos;
    }
    const int produced = m_pos;
    m_buffer = nullptr;
    m_size = 0;
    m_pos = 0;
    return produced;
}

void CfgStream::readRecord()
{
    quint32 uid = 0;
    if (!readU32(uid))
        return;
    ++m_records;
    if (!(m_flags & CheckOnly)) {
        const bool filtered = (m_flags & HwFilter) && Uid::isHwSetting(uid);
        if (m_flags & Describe) {
            // A parameter that cannot be made (an unknown kind, a full list) is a corrupt record.
            CfgPar *par = CfgPar::create(uid);
            if (!par) {
                setError();
                return;
            }
            if (filtered)
                par->skipDesc(*this);
            else
                par->readDesc(*this);
            return;
        } else if (CfgPar *par = CfgPar::find(Uid::list(uid), uid)) {
            if (filtered)
                par->skipValue(*this);
            else
                par->readValue(*this);
            return;
        }
    }
    // Not ours (or only checking): consume the payload its type code announces.
    std::unique_ptr<CfgPar> scratch = CfgPar::makeDetached(Uid::typeCode(uid));
    if (!scratch) {
        // The same words as when describe mode makes the parameter: checking comes first now.
        if (m_flags & Describe)
            qCDebug(lcRegistry, "Cannot create UID %x. Loading corrupted.", uid);
        setError();
        return;
    }
    if (m_flags & Describe)
        scratch->skipDesc(*this);
    else
        scratch->skipValue(*this);
}

bool CfgStream::readChunk(const quint8 *data, int len, int limit)
{
    m_in = data;
    m_size = qMax(0, len);
    m_pos = 0;
    while (m_pos < limit && !failed())
        readRecord();
    if (m_size > m_pos)
        carryAppend(data + m_pos, m_size - m_pos);
    m_in = nullptr;
    m_size = 0;
    m_pos = 0;
    return !failed();
}
