#include "devices/devcom2records.h"
#include "devices/devcom2tables.h"
#include "registry/dyndump.h"
#include "registry/uid.h"
#include <QHash>

namespace {

int u16At(const QByteArray &b, int at) { return quint8(b[at]) | (quint8(b[at + 1]) << 8); }

// Size of one value-mode payload at pos, or -1 when it does not fit or the type is unknown.
int valueSize(quint8 type, const QByteArray &b, int pos)
{
    auto text = [&](int at) { return at + 2 <= b.size() ? 2 + u16At(b, at) : -1; };
    int n = -1;
    switch (type) {
    case Uid::TypeN16: case Uid::TypeM16: case Uid::TypeColour: n = 2; break;
    case Uid::TypeM32: n = 4; break;
    case Uid::TypeStr: n = text(pos); break;
    case Uid::TypeValArr16: n = 32; break;
    case Uid::TypeArr3: n = 6; break;
    case Uid::TypeViewText16: {
        int at = pos;
        for (int i = 0; i < 16 && at >= 0; ++i) {
            const int s = text(at);
            at = s < 0 ? -1 : at + s + 6;
        }
        n = at < 0 ? -1 : at - pos;
        break;
    }
    default: return -1;
    }
    return n >= 0 && pos + n <= b.size() ? n : -1;
}

} // namespace

bool DevCom2Records::parse(const QByteArray &file, QList<Record> *records)
{
    const QByteArray head = DynDump::header();
    if (!file.startsWith(head))
        return false;
    records->clear();
    int pos = head.size();
    while (pos < file.size()) {
        if (pos + 4 > file.size())
            return false;
        const quint32 uid = quint32(u16At(file, pos)) | (quint32(u16At(file, pos + 2)) << 16);
        const int n = valueSize(Uid::typeCode(uid), file, pos + 4);
        if (n < 0)
            return false;
        records->append({uid, file.mid(pos + 4, n)});
        pos += 4 + n;
    }
    return true;
}

QString DevCom2Records::name(quint32 uid)
{
    return QStringLiteral("[%1] %2").arg(DevCom2Tables::tabTitle(DevCom2Tables::tabKey(uid)), DevCom2Tables::label(uid));
}

QList<DevCom2Records::Difference> DevCom2Records::differences(const QList<Record> &a, const QList<Record> &b)
{
    QList<quint32> order;
    QHash<quint32, QByteArray> va, vb;
    for (const Record &r : a) {
        if (!va.contains(r.uid))
            order.append(r.uid);
        va.insert(r.uid, r.value);
    }
    for (const Record &r : b) {
        if (!va.contains(r.uid) && !vb.contains(r.uid))
            order.append(r.uid);
        vb.insert(r.uid, r.value);
    }
    QList<Difference> out;
    for (quint32 uid : qAsConst(order)) {
        const auto inA = va.constFind(uid), inB = vb.constFind(uid);
        if (inA != va.constEnd() && inB != vb.constEnd() && *inA == *inB)
            continue;
        Difference d;
        d.uid = uid;
        if (inA != va.constEnd())
            d.a = *inA;
        if (inB != vb.constEnd())
            d.b = *inB;
        out.append(d);
    }
    return out;
}
