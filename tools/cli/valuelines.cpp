#include "valuelines.h"
#include "devices/devcom2.h"
#include "devices/devcom2records.h"
#include "devices/fixedlayoutmodel.h"
#include "devices/imagediff.h"
#include "devices/modeldiff.h"
#include "devices/valuedecode.h"

namespace Cli {

namespace {

bool fixedLines(FixedLayoutModel *fixed, const QByteArray &dump, const BoardFeatures *given, QList<ValueLine> *lines)
{
    const FixedTable::Table *table = fixed->table();
    if (!table || !ModelDiff::isDump(fixed, dump))
        return false;
    const FixedLayout &layout = fixed->layout();
    BoardFeatures all;
    all.word0 = layout.word0;
    all.word2 = layout.word2;
    const BoardFeatures board = given ? *given : all;
    const BitLists bits = layout.bitLists ? layout.bitLists(board) : BitLists();
    const ValueDecoder decoder(reinterpret_cast<const quint8 *>(dump.constData()), layout, *table, bits);
    for (const ParamSite &site : paramSites(*table, layout, board)) {
        ValueLine l;
        l.key = site.address;
        l.keyText = QString::number(site.address);
        const QString label = FixedTable::label(*table, site.address, board);
        l.name = site.group.isEmpty() ? label : QStringLiteral("[%1] %2").arg(site.group, label);
        l.value = decoder.decode(site.row, site.address);
        if (site.row && site.row->stride > 0)
            l.offered = site.row->offered(board, int((site.address - site.row->first) / site.row->stride));
        lines->append(l);
    }
    return true;
}

} // namespace

bool valueLines(DeviceCfg *model, const QByteArray &dump, const BoardFeatures *board, QList<ValueLine> *lines)
{
    lines->clear();
    if (auto *fixed = qobject_cast<FixedLayoutModel *>(model))
        return fixedLines(fixed, dump, board, lines);
    QList<DevCom2Records::Record> records;
    if (!qobject_cast<DevCom2 *>(model) || !DevCom2Records::parse(dump, &records))
        return false;
    for (const auto &r : qAsConst(records)) {
        ValueLine l;
        l.key = r.uid;
        l.keyText = QStringLiteral("%1").arg(r.uid, 8, 16, QLatin1Char('0'));
        l.name = DevCom2Records::name(r.uid);
        l.value = QString::fromLatin1(r.value.toHex(' '));
        lines->append(l);
    }
    return true;
}

QString lineText(const ValueLine &line) { return QStringLiteral("%1 %2: %3").arg(line.keyText, line.name, line.value); }

QByteArray valuesText(const QList<ValueLine> &lines)
{
    QByteArray text;
    for (const ValueLine &l : lines)
        text += lineText(l).toUtf8() + '\n';
    return text;
}

bool names(const ValueLine &line, const QString &key)
{
    const QString k = key.trimmed();
    if (k.isEmpty())
        return false;
    if (k.compare(line.keyText, Qt::CaseInsensitive) == 0 || k.compare(line.name, Qt::CaseInsensitive) == 0)
        return true;
    bool hex = false;
    if (k.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) && k.mid(2).toUInt(&hex, 16) == line.key && hex)
        return true;
    // The label alone, without its group.
    const int close = line.name.startsWith(QLatin1Char('[')) ? line.name.indexOf(QLatin1String("] ")) : -1;
    return close > 0 && k.compare(line.name.mid(close + 2), Qt::CaseInsensitive) == 0;
}

} // namespace Cli
