#include "devices/imagediff.h"
#include "devices/fixedimage.h"
#include "devices/fixedlayout.h"
#include "devices/fixedlayoutmodel.h"
#include "devices/valuedecode.h"
#include <QCoreApplication>
#include <QHash>
#include <QVector>

using namespace FixedTable;

namespace {

// An open part of the page while the table is walked.
struct Open
{
    const Row *marker;
};

QString title(const Table &table, const Row &marker, int number)
{
    const QString t = QCoreApplication::translate(table.context, marker.label);
    return t.contains(QLatin1String("%1")) ? t.arg(number) : t;
}

// The group path of value k of row inside the open markers: tabs and group boxes by title,
// grid rows by number; a marker with n parts gives each part count / n of the row's values.
QString groupOf(const Table &table, const QVector<Open> &open, const Row &row, int k)
{
    QStringList parts;
    for (const Open &o : open) {
        const Row &m = *o.marker;
        const int share = m.count > 0 ? qMax(1, row.count / m.count) : row.count;
        const int part = k / share + 1;
        switch (m.kind) {
        case Kind::Tab: parts << title(table, m, 1); break;
        case Kind::Tabs:
        case Kind::Groups: parts << title(table, m, part); break;
        case Kind::Grid: parts << QStringLiteral("row %1").arg(part); break;
        default: break;
        }
    }
    return parts.join(QStringLiteral(" / "));
}

} // namespace

QList<ParamSite> paramSites(const Table &table, const FixedLayout &layout, const BoardFeatures &board)
{
    QList<ParamSite> sites;
    QHash<quint32, int> at; // address -> index in sites
    QVector<bool> covered(FixedImage::Size, false);
    QVector<Open> open;
    for (const Row &row : table) {
        switch (row.kind) {
        case Kind::Tab:
        case Kind::Tabs:
            open.clear();
            open.append({&row});
            continue;
        case Kind::Groups:
        case Kind::Grid:
        case Kind::Series:
            open.append({&row});
            continue;
        case Kind::End:
            if (!open.isEmpty() && open.last().marker->kind != Kind::Tab)
                open.removeLast();
            continue;
        case Kind::Param:
            break;
        }
        if (row.first & FixedLayoutModel::NvKey)
            continue;
        for (int k = 0; k < row.count; ++k) {
            const quint32 a = row.valueAddress(k);
            for (int i = 0; i < row.size() && a + quint32(i) < quint32(FixedImage::Size); ++i)
                covered[int(a) + i] = true;
            auto it = at.constFind(a);
            if (it == at.constEnd()) {
                at.insert(a, sites.size());
                sites.append({a, &row, groupOf(table, open, row, k)});
            } else if (row.offered(board, k) && !sites.at(*it).row->offered(board, k)) {
                // Rows for other boards share the address; the board's own row decodes it.
                sites[*it].row = &row;
            }
        }
    }
    // Words no row names, outside the text pool and the check words (wherever the layout has them).
    const int poolEnd = layout.textBase + layout.textSize;
    const int checkFirst = layout.layoutAddress + 4, checkEnd = layout.layoutAddress + 12;
    for (int a = 0; a < FixedImage::WriteEnd; a += 2) {
        if ((a >= layout.textBase && a < poolEnd) || (a >= checkFirst && a < checkEnd) || covered[a]
            || covered[a + 1])
            continue;
        sites.append({quint32(a), nullptr, QString()});
    }
    return sites;
}

QList<ParamDifference> diffImages(const quint8 *a, const quint8 *b, const Table &table,
                                  const FixedLayout &layout, const BoardFeatures &board, const BitLists &bits)
{
    const ValueDecoder da(a, layout, table, bits);
    const ValueDecoder db(b, layout, table, bits);
    QList<ParamDifference> out;
    for (const ParamSite &site : paramSites(table, layout, board)) {
        const QString va = da.decode(site.row, site.address);
        const QString vb = db.decode(site.row, site.address);
        if (va == vb)
            continue;
        ParamDifference d;
        d.site = site;
        d.label = label(table, site.address);
        d.a = va;
        d.b = vb;
        out.append(d);
    }
    return out;
}
