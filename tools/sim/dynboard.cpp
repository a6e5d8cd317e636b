// The self-describing board of the simulator. Records are a UID and a payload whose size
// follows from the type code in bits 29-24 of the UID; they are built and parsed here.
#include "dynboard.h"
#include "bytes.h"
#include <QFile>

using namespace simbytes;

namespace {

constexpr int Chunk = 60;
constexpr quint8 Last = 0x01, Error = 0x02;

int typeOf(quint32 uid) { return int((uid >> 24) & 0x3F); }
bool hasLimits(int type) { return type == 0x02 || type == 0x08; }

// Size of one value-mode payload of the type at pos, or -1 when it does not fit in b.
int valueSize(int type, const QByteArray &b, int pos)
{
    auto str = [&](int at) { return at + 2 <= b.size() ? 2 + int(u16(b, at)) : -1; };
    int n = -1;
    switch (type) {
    case 0x02: case 0x05: case 0x0A: n = 2; break;
    case 0x06: n = 4; break;
    case 0x07: n = str(pos); break;
    case 0x08: n = 32; break;
    case 0x09: n = 6; break;
    case 0x0B: {
        int at = pos;
        for (int i = 0; i < 16 && at >= 0; ++i) {
            const int s = str(at);
            at = s < 0 ? -1 : at + s + 6;
        }
        n = at < 0 ? -1 : at - pos;
        break;
    }
    default: return -1;
    }
    return n >= 0 && pos + n <= b.size() ? n : -1;
}

QByteArray u16s(std::initializer_list<quint16> v)
{
    QByteArray b;
    for (quint16 x : v)
        put16(b, x);
    return b;
}

QByteArray text(const QByteArray &t)
{
    QByteArray b;
    put16(b, quint16(t.size()));
    return b + t;
}

QByteArray viewLines(const QByteArray &first)
{
    QByteArray b;
    for (int i = 0; i < 16; ++i)
        b += text(i == 0 ? first : i == 1 ? QByteArray("Credit") : QByteArray()) + u16s({0xFFFF, quint16(i * 16), 0x32});
    return b;
}

QByteArray arr16(quint16 lo, quint16 hi, std::initializer_list<quint16> v)
{
    QByteArray b = u16s({lo, hi});
    int i = 0;
    for (quint16 x : v) {
        put16(b, x);
        ++i;
    }
    for (; i < 16; ++i)
        put16(b, 0);
    return b;
}

} // namespace

SimDynBoard::SimDynBoard()
{
    // Coin validator (group 1, instance 2) and a second one, banknote validator (2, 40).
    add(0x45102001, u16s({0x0001}));
    add(0x42102002, u16s({1, 10000, 100}));
    add(0x45102003, u16s({0x0005}));
    add(0x45102004, u16s({0x0000}));
    add(0x45102800, u16s({0x0002}));
    add(0x42105002, u16s({1, 5000, 50}));
    add(0x45228001, u16s({0x0000}));
    add(0x42228002, u16s({100, 50000, 1000}));
    add(0x45228003, u16s({0x0010}));
    // Hoppers.
    add(0x42303001, u16s({0, 100, 5}));
    add(0x42303002, u16s({1, 1000, 100}));
    add(0x45303003, u16s({0x0001}));
    add(0x42303005, u16s({0, 65000, 0}));
    add(0x42304002, u16s({1, 1000, 50}));
    // Views: colours, backgrounds, view texts, a producer string near its limit.
    add(0x49401001, u16s({2, 0x00F8, 0xE007}));
    add(0x4A401002, u16s({0xE007}));
    add(0x4A401004, u16s({0xFFFF}));
    add(0x49402001, u16s({1, 0x1F00, 0x0000}));
    add(0x4B402002, viewLines("Welcome"));
    add(0x4A402003, u16s({0x00F8}));
    add(0x47402800, text(QByteArray(31, 'P')));
    add(0x4B409002, viewLines("Credit %d"));
    // WiFi module: strings at their usual limits (32-byte name, 63-byte password).
    add(0x47501001, text(QByteArray("CarWash-").append(QByteArray(24, 'S'))));
    add(0x47501002, text(QByteArray(63, 'p')));
    add(0x47501003, text("KEY0123456789ABCDEF"));
    add(0x45501004, u16s({0x0000}));
    // System controller, fiscal, buttons, POS terminal.
    add(0x45F01001, u16s({0x0001}));
    add(0x42F01002, u16s({5, 600, 30}));
    add(0x48F01004, arr16(0, 10000, {100, 200, 300}));
    add(0x45F0100A, u16s({0x4742}));
    add(0x45F0100B, u16s({0x5545}));
    add(0x47F0100C, text("EUR/c/2/0"));
    add(0x45F02001, u16s({0x0006}));
    add(0x42F02002, u16s({1, 1000, 10}));
    add(0x45F03001, u16s({0x0000}));
    add(0x42F03002, u16s({1, 500, 20}));
    add(0x46F04001, QByteArray::fromHex("0f000080"));
    // Counters the clear operation resets, and one it cannot.
    add(0x86F01010, QByteArray::fromHex("39300000"));
    add(0x82F01011, u16s({0, 1000, 7}));
    // Denominations of the validators' channels.
    add(0xC8102002, arr16(0, 50000, {5, 10, 20, 50, 100, 200}));
    add(0xC8228002, arr16(0, 50000, {500, 1000, 2000, 5000, 10000}));
}

void SimDynBoard::add(quint32 uid, const QByteArray &describe)
{
    Param p;
    p.uid = uid;
    const int skip = hasLimits(typeOf(uid)) ? 4 : 0;
    p.limits = describe.left(skip);
    p.value = describe.mid(skip);
    lists[uid >> 30].append(p);
}

SimDynBoard::Param *SimDynBoard::find(quint32 uid)
{
    for (Param &p : lists[uid >> 30])
        if (p.uid == uid)
            return &p;
    return nullptr;
}

bool SimDynBoard::loadDescription(const QString &fileName, QString &error)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("cannot read %1").arg(fileName);
        return false;
    }
    for (QVector<Param> &l : lists)
        l.clear();
    int lineNo = 0;
    while (!f.atEnd()) {
        ++lineNo;
        QByteArray line = f.readLine();
        if (line.contains('#'))
            line.truncate(line.indexOf('#'));
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.isEmpty() || parts[0].isEmpty())
            continue;
        bool ok = false;
        const quint32 uid = parts[0].toUInt(&ok, 16);
        const QByteArray payload = QByteArray::fromHex(parts.mid(1).join());
        const int skip = hasLimits(typeOf(uid)) ? 4 : 0;
        // An unknown type code is kept as given: it is how a test describes a corrupt board.
        const int known = valueSize(typeOf(uid), payload, skip);
        if (!ok || (known >= 0 && skip + known != payload.size())) {
            error = QStringLiteral("%1:%2: bad parameter").arg(fileName).arg(lineNo);
            return false;
        }
        add(uid, payload);
    }
    return true;
}

QByteArray SimDynBoard::nextChunk(quint32 selector, quint8 &flags, quint8 &complete)
{
    if (selector != 0) {
        m_out.clear();
        m_ends.clear();
        m_sent = 0;
        m_reading = true;
        for (const Param &p : lists[selector >> 30]) {
            put32(m_out, p.uid);
            m_out += p.limits + p.value;
            m_ends.append(m_out.size());
        }
    }
    if (!m_reading) {
        flags = Last | Error;
        complete = 0;
        return {};
    }
    const QByteArray data = m_out.mid(m_sent, Chunk);
    complete = 0;
    for (int e : m_ends)
        if (e > m_sent && e <= m_sent + data.size())
            complete = quint8(e - m_sent);
    m_sent += data.size();
    flags = m_sent >= m_out.size() ? Last : 0;
    if (flags & Last)
        m_reading = false;
    return data;
}

void SimDynBoard::takeWrite(quint8 marker, quint8 complete, const QByteArray &data)
{
    m_writeLog += QByteArray::number(marker) + ' ' + QByteArray::number(complete) + ' ' + data.toHex() + '\n';
    if (marker == 1)
        m_in.clear();
    m_in += data;
    // Whole records are applied; a record split across chunks waits for its last bytes.
    int pos = 0;
    while (pos + 4 <= m_in.size()) {
        const quint32 uid = u32(m_in, pos);
        const int n = valueSize(typeOf(uid), m_in, pos + 4);
        if (n < 0)
            break;
        if (Param *p = find(uid))
            p->value = m_in.mid(pos + 4, n);
        pos += 4 + n;
    }
    m_in.remove(0, pos);
}

QByteArray SimDynBoard::packetAnswer(const QByteArray &rq)
{
    QByteArray a;
    a.append(rq.at(0)).append(char(0x02));
    if (rq.at(0) == 0x03) {
        if (rq.size() != 6)
            return {};
        quint8 flags = 0, complete = 0;
        const QByteArray data = nextChunk(u32(rq, 2), flags, complete);
        return a.append(char(flags)).append(char(complete)).append(data);
    }
    if (rq.size() < 4)
        return {};
    takeWrite(quint8(rq.at(2)), quint8(rq.at(3)), rq.mid(4));
    return a;
}

QByteArray SimDynBoard::streamAnswer(quint8 command, const QByteArray &p)
{
    if (command == 0x04) {
        if (p.size() != 4)
            return {};
        quint8 flags = 0, complete = 0;
        const QByteArray data = nextChunk(u32(p, 0), flags, complete);
        QByteArray a;
        a.append(char(command)).append(char(data.size() + 2)).append(char(flags)).append(char(complete));
        return a + data;
    }
    if (p.size() >= 2)
        takeWrite(quint8(p.at(0)), quint8(p.at(1)), p.mid(2));
    return {};
}

QByteArray SimDynBoard::dump() const
{
    QByteArray b("DevCom2", 8);
    for (const Param &p : lists[1]) {
        put32(b, p.uid);
        b += p.value;
    }
    return b;
}
