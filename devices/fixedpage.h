// Builds the page of a fixed-layout model from its parameter table: the tabs, group boxes,
// grids and one editor per offered value, as the table's markers and rows say.
#pragma once
#include "devices/boardfeatures.h"
#include "devices/fixedtable.h"
#include <QPointer>
#include <QVector>
#include <functional>
#include <memory>

class FixedLayoutModel;
class Par;
class QBoxLayout;
class QGridLayout;
class QObject;
class QWidget;

class FixedPage
{
public:
    // Which values an editor is bound to (second: 0 for a single value).
    struct Placement
    {
        quint32 address;
        quint32 second;
        QPointer<Par> editor;
    };

    FixedPage(FixedLayoutModel &model, const FixedTable::Table &table, const BoardFeatures &board,
              const BitLists &bits);
    ~FixedPage();

    // Fills the container (which has no layout yet) with the tabs and a closing stretch.
    // The caller raises the page-building counter around it. whenShown: a tab's editors are
    // made when its contents are first shown, through fill(); otherwise all at once.
    void build(QWidget *container, bool whenShown = false);
    // Makes the editors of a tab whose contents have not been filled yet; false when there
    // is no such tab. The caller raises the page-building counter around it.
    bool fill(QWidget *content);
    // The contents of the tabs not filled yet, in page order.
    QVector<QWidget *> unfilled() const;
    // The first values of the editors a tab not filled yet will hold, in page order; false
    // for contents that are filled or not a tab of this page.
    bool valuesOf(const QWidget *content, QVector<quint32> *addresses) const;
    // Called with a tab's contents when they are shown for the first time, unfilled.
    std::function<void(QWidget *content)> onFirstShow;

    const QVector<Placement> &placements() const { return m_placements; }

private:
    // The values of a row that belong to the current part: item num of den equal parts.
    struct Part
    {
        int num = 0;
        int den = 1;
        Part item(int s, int n) const { return {num * n + s, den * n}; }
    };

    // A tab whose editors are made when it is first shown.
    struct Pending
    {
        QPointer<QWidget> content;
        int from;
        int to;
        Part part;
    };

    int endOfBlock(int from) const;
    void placeBlock(QWidget *parent, QBoxLayout *layout, int from, int to, Part part);
    void placeRow(QWidget *parent, QBoxLayout *layout, const FixedTable::Row &row, Part part);
    void buildGrid(QWidget *parent, QBoxLayout *layout, int from, int to, int count, Part part);
    Par *place(QWidget *parent, const FixedTable::Row &row, int k);
    QString tr(const char *text) const;

    FixedLayoutModel &m_model;
    const FixedTable::Table &m_table;
    BoardFeatures m_board;
    // Kept: the tabs made later still need the lists.
    BitLists m_bits;
    QVector<Placement> m_placements;
    QVector<Pending> m_pending;
    // Watches the unfilled contents for their first show.
    std::unique_ptr<QObject> m_watch;
};
