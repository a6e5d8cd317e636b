// The generic page builder of the fixed-layout models.
#include "devices/fixedpage.h"
#include "devices/devicecfg.h"
#include "devices/fixededitors.h"
#include "devices/fixedlayoutmodel.h"
#include "editors/par.h"
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace FixedTable;

namespace {

// Tells the page when a watched tab's contents are shown for the first time.
class ShowWatch : public QObject
{
public:
    explicit ShowWatch(FixedPage &page) : m_page(page) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ShowToParent && m_page.onFirstShow) {
            auto *content = static_cast<QWidget *>(watched);
            if (m_page.unfilled().contains(content))
                m_page.onFirstShow(content);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    FixedPage &m_page;
};

} // namespace

FixedPage::FixedPage(FixedLayoutModel &model, const Table &table, const BoardFeatures &board,
                     const BitLists &bits)
    : m_model(model), m_table(table), m_board(board), m_bits(bits)
{
}

FixedPage::~FixedPage() = default;

QString FixedPage::tr(const char *text) const
{
    return QCoreApplication::translate(m_table.context, text);
}

int FixedPage::endOfBlock(int from) const { return FixedTable::endOfBlock(m_table, from); }

void FixedPage::build(QWidget *container, bool whenShown)
{
    auto *page = new QVBoxLayout(container);
    if (whenShown && !m_watch)
        m_watch = std::make_unique<ShowWatch>(*this);
    forEachTab(m_table, m_board, [&](const Row &tab, int first, int end, int slot, int count) {
        const QString title = tab.kind == Kind::Tabs ? tr(tab.label).arg(slot + 1) : tr(tab.label);
        const Part part = tab.kind == Kind::Tabs ? Part{}.item(slot, count) : Part{};
        QWidget *content = DeviceCfg::addTab(container, page, title);
        auto *layout = new QVBoxLayout(content);
        if (whenShown) {
            m_pending.append({content, first, end, part});
            content->installEventFilter(m_watch.get());
        } else {
            placeBlock(content, layout, first, end, part);
        }
    });
    page->addStretch();
}

bool FixedPage::fill(QWidget *content)
{
    for (int i = 0; i < m_pending.size(); ++i) {
        if (m_pending.at(i).content != content)
            continue;
        const Pending tab = m_pending.takeAt(i);
        content->removeEventFilter(m_watch.get());
        placeBlock(content, static_cast<QBoxLayout *>(content->layout()), tab.from, tab.to, tab.part);
        return true;
    }
    return false;
}

bool FixedPage::valuesOf(const QWidget *content, QVector<quint32> *addresses) const
{
    for (const Pending &tab : m_pending) {
        if (tab.content != content)
            continue;
        addresses->clear();
        for (const Value &v : tabValues(m_table, m_board, tab.from, tab.to, tab.part.num, tab.part.den))
            addresses->append(v.address());
        return true;
    }
    return false;
}

QVector<QWidget *> FixedPage::unfilled() const
{
    QVector<QWidget *> out;
    for (const Pending &tab : m_pending)
        if (tab.content)
            out.append(tab.content);
    return out;
}

void FixedPage::placeBlock(QWidget *parent, QBoxLayout *layout, int from, int to, Part part)
{
    for (int i = from; i < to;) {
        const Row &row = m_table.rows[i];
        if (row.kind == Kind::Param) {
            placeRow(parent, layout, row, part);
            ++i;
            continue;
        }
        if (!opensBlock(row.kind)) {
            ++i;
            continue;
        }
        const int e = endOfBlock(i);
        for (int s = 0; row.kind != Kind::Grid && s < row.count; ++s) {
            if (row.kind == Kind::Groups) {
                auto *box = new QGroupBox(tr(row.label).arg(s + 1), parent);
                auto *boxLayout = new QVBoxLayout(box);
                placeBlock(box, boxLayout, i + 1, e, part.item(s, row.count));
                layout->addWidget(box);
            } else {
                placeBlock(parent, layout, i + 1, e, part.item(s, row.count));
            }
        }
        if (row.kind == Kind::Grid)
            buildGrid(parent, layout, i + 1, e, row.count, part);
        i = e + 1;
    }
}

// The values of a row in a part: [count * num / den, count * (num + 1) / den).
static std::pair<int, int> valueRange(const Row &row, int num, int den)
{
    return {row.count * num / den, row.count * (num + 1) / den};
}

void FixedPage::placeRow(QWidget *parent, QBoxLayout *layout, const Row &row, Part part)
{
    const auto range = valueRange(row, part.num, part.den);
    for (int k = range.first; k < range.second; ++k) {
        if (!row.offered(m_board, k))
            continue;
        if (Par *editor = place(parent, row, k))
            layout->addWidget(editor);
    }
}

static bool makesEditor(const Row &row)
{
    return row.kind == Kind::Param && row.editor != Editor::SecondWord
        && row.editor != Editor::SecondColor && row.editor != Editor::LabelOnly;
}

namespace {

// A grid wider than the window scrolls sideways on its own, so that the rest of its section
// (sliders with their values) keeps to the window's width.
class SidewaysScroll : public QScrollArea
{
public:
    explicit SidewaysScroll(QWidget *parent) : QScrollArea(parent)
    {
        setObjectName(QStringLiteral("gridScroll"));
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    QSize sizeHint() const override
    {
        const QSize inner = widget() ? widget()->sizeHint() : QSize();
        return QSize(inner.width(), inner.height() + horizontalScrollBar()->sizeHint().height());
    }
    QSize minimumSizeHint() const override { return QSize(0, sizeHint().height()); }
};

// Keeps the rows of two grids side by side at one height each: the part of a grid that stays
// in view and the part that scrolls sideways.
class RowAligner : public QObject
{
public:
    RowAligner(QGridLayout *a, QGridLayout *b, QObject *parent) : QObject(parent), m_a(a), m_b(b)
    {
        for (QGridLayout *g : {a, b})
            g->parentWidget()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Polish
            || event->type() == QEvent::Show)
            align();
        return QObject::eventFilter(watched, event);
    }

private:
    static int rowHeight(QGridLayout *g, int r)
    {
        int h = 0;
        for (int c = 0; c < g->columnCount(); ++c)
            if (QLayoutItem *item = g->itemAtPosition(r, c))
                h = qMax(h, item->sizeHint().height());
        return h;
    }
    void align()
    {
        const int rows = qMax(m_a->rowCount(), m_b->rowCount());
        for (int r = 0; r < rows; ++r) {
            const int h = qMax(rowHeight(m_a, r), rowHeight(m_b, r));
            // Set only when it changes: each setting asks for a new layout pass.
            for (QGridLayout *g : {m_a, m_b})
                if (g->rowMinimumHeight(r) != h)
                    g->setRowMinimumHeight(r, h);
        }
    }

    QGridLayout *m_a;
    QGridLayout *m_b;
};

} // namespace

void FixedPage::buildGrid(QWidget *parent, QBoxLayout *layout, int from, int to, int count, Part part)
{
    // The columns this board offers; a column without a header widens the header before it.
    QVector<const Row *> columns;
    for (int i = from; i < to; ++i) {
        const Row &row = m_table.rows[i];
        if (makesEditor(row) && row.offered(m_board, valueRange(row, part.num, part.den).first))
            columns.append(&row);
    }
    // The row numbers and the names that lead the rows stay in view; the rest scrolls sideways.
    int kept = 0;
    while (kept < columns.size() && columns[kept]->editor == Editor::Name)
        ++kept;
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    auto *fixed = new QWidget(parent);
    fixed->setObjectName(QStringLiteral("gridKept"));
    auto *scroll = new SidewaysScroll(parent);
    auto *moving = new QWidget(scroll);
    QGridLayout *sides[2];
    for (int side = 0; side < 2; ++side) {
        QWidget *grid = side ? moving : fixed;
        grid->setProperty("hideTitle", true);
        sides[side] = new QGridLayout(grid);
        sides[side]->setContentsMargins(0, 0, side ? 0 : sides[side]->horizontalSpacing(), 0);
    }
    for (int r = 0; r < count; ++r) {
        auto *number = new QLabel(QString::number(r + 1), fixed);
        number->setObjectName(QStringLiteral("rowNumber"));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        sides[0]->addWidget(number, r + 1, 0);
    }
    // Column 0 of the kept side numbers the rows (programs 1 to 16).
    const auto cell = [&](int c) { return c < kept ? std::make_pair(0, c + 1) : std::make_pair(1, c - kept); };
    for (int c = 0; c < columns.size(); ++c) {
        if (!columns[c]->header)
            continue;
        int span = 1;
        while (c + span < columns.size() && !columns[c + span]->header && cell(c + span).first == cell(c).first)
            ++span;
        const auto [side, column] = cell(c);
        auto *header = new QLabel(tr(columns[c]->header), side ? moving : fixed);
        sides[side]->addWidget(header, 0, column, 1, span);
    }
    for (int r = 0; r < count; ++r) {
        const Part item = part.item(r, count);
        for (int c = 0; c < columns.size(); ++c) {
            const auto [side, column] = cell(c);
            const auto range = valueRange(*columns[c], item.num, item.den);
            for (int k = range.first; k < range.second; ++k) {
                if (Par *editor = place(side ? moving : fixed, *columns[c], k)) {
                    // The program the editor belongs to, for the dialogs it opens.
                    editor->setProperty("program", r + 1);
                    sides[side]->addWidget(editor, r + 1, column);
                }
            }
        }
    }
    scroll->setWidget(moving);
    new RowAligner(sides[0], sides[1], fixed);
    row->addWidget(fixed, 0, Qt::AlignTop);
    row->addWidget(scroll, 1);
    layout->addLayout(row);
}

Par *FixedPage::place(QWidget *parent, const Row &row, int k)
{
    Par *editor = FixedEditors::make(m_model, m_table, row, k, m_board, m_bits, parent);
    if (!editor)
        return nullptr;
    const quint32 second = row.second ? row.second + quint32(k) * row.stride : 0;
    m_placements.append({row.valueAddress(k), second, editor});
    return editor;
}
