// The parameters of a fixed-layout image in page order, each with its group, and the
// comparison of two images parameter by parameter.
#pragma once
#include "devices/boardfeatures.h"
#include "devices/fixedtable.h"
#include <QList>
#include <QString>

struct FixedLayout;

struct ParamSite
{
    quint32 address;
    const FixedTable::Row *row; // null: a word no row describes
    QString group;              // "Tab / Group" as the page shows it; empty for loose words
};

// Every value of the table once (NV-region values excluded: dumps do not hold them), then
// every word outside the text pool and the check words that no row covers.
QList<ParamSite> paramSites(const FixedTable::Table &table, const FixedLayout &layout,
                            const BoardFeatures &board);

struct ParamDifference
{
    ParamSite site;
    QString label;
    QString a;
    QString b;
    // A parameter of the dynamic device: site.address is its UID. restorable: both sides hold it.
    bool dynamic = false;
    bool restorable = true;
};

// The parameters whose decoded values differ, in page order.
QList<ParamDifference> diffImages(const quint8 *a, const quint8 *b, const FixedTable::Table &table,
                                  const FixedLayout &layout, const BoardFeatures &board,
                                  const BitLists &bits);
