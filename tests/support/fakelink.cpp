#include "fakelink.h"
#include <cstring>

FakeLink::FakeLink(QObject *parent)
    : DevIo(parent), cfg(8192, char(0xFF)), nv(128, char(0xFF)), setup(32, char(0xFF))
{
}

bool FakeLink::fails(const char *op, int address) const
{
    return failOp == op && (failAddress < 0 || failAddress == address);
}

void FakeLink::record(const char *op, int address, int length, const QByteArray &data)
{
    calls.append({QByteArray(op), address, length, data});
}

static bool copyOut(const QByteArray &mem, quint8 *dst, int address, int length)
{
    if (length > DevIo::MaxChunk || address + length > mem.size())
        return false;
    memcpy(dst, mem.constData() + address, size_t(length));
    return true;
}

static bool copyIn(QByteArray &mem, const quint8 *src, int address, int length)
{
    if (length > DevIo::MaxChunk || address + length > mem.size())
        return false;
    memcpy(mem.data() + address, src, size_t(length));
    return true;
}

bool FakeLink::readCfg(quint8 *dst, quint16 address, int length)
{
    record("readCfg", address, length);
    return !fails("readCfg", address) && copyOut(cfg, dst, address, length);
}

bool FakeLink::writeCfg(const quint8 *src, quint16 address, int length)
{
    record("writeCfg", address, length, QByteArray(reinterpret_cast<const char *>(src), length));
    return !fails("writeCfg", address) && copyIn(cfg, src, address, length);
}

bool FakeLink::saveCfg()
{
    record("saveCfg", 0, 0);
    return !fails("saveCfg", 0);
}

bool FakeLink::readNvMem(quint8 *dst, quint16 address, int length)
{
    record("readNvMem", address, length);
    return !fails("readNvMem", address) && copyOut(nv, dst, address, length);
}

bool FakeLink::writeNvMem(const quint8 *src, quint16 address, int length)
{
    record("writeNvMem", address, length, QByteArray(reinterpret_cast<const char *>(src), length));
    return !fails("writeNvMem", address) && copyIn(nv, src, address, length);
}

bool FakeLink::writeSn(const char *s)
{
    record("writeSn", 0, int(strlen(s)), QByteArray(s));
    if (fails("writeSn", 0))
        return false;
    serial = QByteArray(s).left(15);
    return true;
}

bool FakeLink::readMachineSetup(quint8 *dst, int length)
{
    record("readMachineSetup", 0, length);
    return !fails("readMachineSetup", 0) && copyOut(setup, dst, 0, length);
}

bool FakeLink::writeMachineSetup(const quint8 *src, int length)
{
    record("writeMachineSetup", 0, length, QByteArray(reinterpret_cast<const char *>(src), length));
    return !fails("writeMachineSetup", 0) && copyIn(setup, src, 0, length);
}

bool FakeLink::readDynCfg(quint8 *dst, quint32 selector, quint8 *outLength, quint8 *outFlags, quint8 *outComplete)
{
    record("readDynCfg", int(selector), 0);
    DynAnswer a;
    a.flags = 1;
    if (!dynAnswers.isEmpty())
        a = dynAnswers.takeFirst();
    if (outLength)
        *outLength = quint8(a.data.size());
    if (outFlags)
        *outFlags = a.flags;
    if (outComplete)
        *outComplete = a.complete;
    if (dst && !a.data.isEmpty())
        memcpy(dst, a.data.constData(), size_t(a.data.size()));
    return a.ok && !fails("readDynCfg", 0);
}

bool FakeLink::writeDynCfg(const quint8 *src, quint8 length, quint8 marker, quint8 complete)
{
    Call c{QByteArray("writeDynCfg"), marker, complete,
           src ? QByteArray(reinterpret_cast<const char *>(src), length) : QByteArray()};
    calls.append(c);
    return !fails("writeDynCfg", 0);
}

bool FakeLink::open(int uid)
{
    record("open", uid, 0);
    word0 = id0;
    word1 = id1;
    word2 = id2;
    if (!acceptIdentity(QStringLiteral("USB error")))
        return false;
    Q_EMIT connected();
    return true;
}

QVector<FakeLink::Call> FakeLink::callsOf(const QByteArray &op) const
{
    QVector<Call> out;
    for (const Call &c : calls)
        if (c.op == op)
            out.append(c);
    return out;
}
