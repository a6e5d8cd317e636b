#include "devices/dyndecode.h"
#include "devices/devcom2tables.h"
#include "editors/rgb565.h"
#include "registry/uid.h"
#include <QCoreApplication>
#include <QStringList>

namespace {

quint16 u16(const QByteArray &b, int at)
{
    return at + 2 <= b.size() ? quint16(quint8(b[at]) | (quint8(b[at + 1]) << 8)) : 0xFFFF;
}

QString hex(quint32 v, int digits) { return QStringLiteral("0x%1").arg(v, digits, 16, QLatin1Char('0')); }

QString colour(quint16 w)
{
    return QStringLiteral("#%1%2%3")
        .arg(Rgb565::red(w), 2, 16, QLatin1Char('0'))
        .arg(Rgb565::green(w), 2, 16, QLatin1Char('0'))
        .arg(Rgb565::blue(w), 2, 16, QLatin1Char('0'));
}

QString quoted(const QByteArray &utf8)
{
    QString q = QString::fromUtf8(utf8);
    q.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

// As the mask editor offers it: a drop-down entry by its name, else the named bits that are set.
QString mask(quint32 uid, quint32 value, int width)
{
    const int order = DevCom2Tables::attribute(uid, QStringLiteral("MaskOrder")).toInt();
    const QStringList names = DevCom2Tables::attribute(uid, QStringLiteral("MaskNames")).toStringList();
    const QByteArray bits = DevCom2Tables::attribute(uid, QStringLiteral("MaskBits")).toByteArray();
    const int digits = width / 4;
    if (order == 2) {
        for (int k = 0; 2 * k < bits.size(); ++k) {
            const quint32 entry = quint8(bits.at(2 * k)) | (2 * k + 1 < bits.size() ? quint8(bits.at(2 * k + 1)) << 8 : 0);
            if (entry == value && k < names.size())
                return QStringLiteral("%1 (%2)").arg(hex(value, digits), names.at(k));
        }
        return hex(value, digits);
    }
    QStringList on;
    quint32 known = 0;
    const int count = names.isEmpty() ? width : names.size();
    for (int i = 0; i < count; ++i) {
        const int bit = (i < bits.size() ? quint8(bits.at(i)) : i) & 31;
        const quint32 m = bit < width ? 1u << bit : 0;
        known |= m;
        if (value & m)
            on << (i < names.size() ? names.at(i) : QString::number(i + 1));
    }
    if (value & ~known)
        on << QStringLiteral("+%1").arg(hex(value & ~known, digits));
    return QStringLiteral("%1 (%2)").arg(hex(value, digits), on.isEmpty() ? QCoreApplication::translate("ValueDecoder", "none") : on.join(QStringLiteral(", ")));
}

QString viewLines(const QByteArray &b)
{
    static const char *const aligns[] = {nullptr, "left", "center", "right"};
    QStringList lines;
    int at = 0;
    for (int i = 0; i < 16 && at + 2 <= b.size(); ++i) {
        const int n = u16(b, at);
        const QByteArray text = b.mid(at + 2, n);
        at += 2 + n;
        const quint16 col = u16(b, at), y = u16(b, at + 2), flags = u16(b, at + 4);
        at += 6;
        // A line as a fresh board leaves it says nothing.
        if (text.isEmpty() && col == 0xFFFF && y == 0 && flags == 50)
            continue;
        const int font = flags & 0x70;
        const QString size = font == 0x20 ? QStringLiteral("1/4")
            : font == 0x30                ? QStringLiteral("1/8")
            : font == 0x40                ? QStringLiteral("1/16")
                                          : QStringLiteral("#%1").arg(font >> 4);
        const int align = flags & 3;
        lines << QStringLiteral("%1: %2 %3 y %4, size %5, align %6")
                     .arg(i + 1)
                     .arg(quoted(text), colour(col))
                     .arg(y)
                     .arg(size, align ? QString::fromLatin1(aligns[align]) : QStringLiteral("#0"));
    }
    return lines.isEmpty() ? QStringLiteral("(no lines)") : lines.join(QStringLiteral("; "));
}

} // namespace

QString DynDecode::decode(quint32 uid, const QByteArray &value)
{
    switch (Uid::typeCode(uid)) {
    case Uid::TypeN16:
        return QString::number(u16(value, 0));
    case Uid::TypeM16:
        return mask(uid, u16(value, 0), 16);
    case Uid::TypeM32:
        return mask(uid, quint32(u16(value, 0)) | (quint32(u16(value, 2)) << 16), 32);
    case Uid::TypeStr:
        return quoted(value.mid(2));
    case Uid::TypeValArr16: {
        QStringList numbers;
        for (int i = 0; i < 16; ++i)
            numbers << QString::number(u16(value, 2 * i));
        return numbers.join(QStringLiteral(", "));
    }
    case Uid::TypeArr3: {
        static const char *const modes[] = {nullptr, "Solid", "Waves", nullptr, "Timer"};
        const quint16 mode = u16(value, 0);
        const QString m = mode < 5 && modes[mode] ? QString::fromLatin1(modes[mode]) : QStringLiteral("mode %1").arg(mode);
        return QStringLiteral("%1 %2 %3").arg(m, colour(u16(value, 2)), colour(u16(value, 4)));
    }
    case Uid::TypeColour:
        return colour(u16(value, 0));
    case Uid::TypeViewText16:
        return viewLines(value);
    default:
        return QString::fromLatin1(value.toHex(' '));
    }
}
