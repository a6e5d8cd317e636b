// The generic page builder of the fixed-layout models.
#include "devices/fixedpage.h"
#include "devices/devicecfg.h"
#include "devices/fixededitors.h"
#include "devices/fixedlayoutmodel.h"
#include "editors/par.h"
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace FixedTable;

FixedPage::FixedPage(FixedLayoutModel &model, const Table &table, const BoardFeatures &board,
                     const BitLists &bits)
    : m_model(model), m_table(table), m_board(board), m_bits(bits)
{
}

QString FixedPage::tr(const char *text) const
{
    return QCoreApplication::translate(m_table.context, text);
}

static bool opensBlock(Kind k)
{
    return k == Kind::Tabs || k == Kind::Groups || k == Kind::Grid || k == Kind::Series;
}

int FixedPage::endOfBlock(int from) const
{
    int depth = 0;
    for (int i = from; i < m_table.count; ++i) {
        const Kind k = m_table.rows[i].kind;
        if (opensBlock(k))
            ++depth;
        else if (k == Kind::End && --depth == 0)
            return i;
    }
    return m_table.count; // an unclosed block runs to the end of the table
}

void FixedPage::build(QWidget *container)
{
    auto *page = new QVBoxLayout(container);
    const Row *rows = m_table.rows;
    int i = 0;
    while (i < m_table.count) {
        const Row &row = rows[i];
        if (row.kind == Kind::Tab) {
            int j = i + 1;
            while (j < m_table.count && rows[j].kind != Kind::Tab && rows[j].kind != Kind::Tabs)
                j = opensBlock(rows[j].kind) ? endOfBlock(j) + 1 : j + 1;
            // A tab some boards do not have is left out with everything in it.
            if (row.offered(m_board, 0))
                buildTab(container, page, i + 1, j, tr(row.label), Part{});
            i = j;
        } else if (row.kind == Kind::Tabs) {
            const int e = endOfBlock(i);
            for (int s = 0; s < row.count; ++s)
                buildTab(container, page, i + 1, e, tr(row.label).arg(s + 1), Part{}.item(s, row.count));
            i = e + 1;
        } else {
            ++i; // rows outside every tab describe labels only
        }
    }
    page->addStretch();
}

void FixedPage::buildTab(QWidget *container, QBoxLayout *page, int from, int to, const QString &title,
                         Part part)
{
    QWidget *content = DeviceCfg::addTab(container, page, title);
    auto *layout = new QVBoxLayout(content);
    placeBlock(content, layout, from, to, part);
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

} // namespace

void FixedPage::buildGrid(QWidget *parent, QBoxLayout *layout, int from, int to, int count, Part part)
{
    auto *scroll = new SidewaysScroll(parent);
    auto *grid = new QWidget(scroll);
    grid->setProperty("hideTitle", true);
    auto *cells = new QGridLayout(grid);
    cells->setContentsMargins(0, 0, 0, 0);
    // Column 0 numbers the rows (programs 1 to 16).
    constexpr int firstColumn = 1;
    for (int r = 0; r < count; ++r) {
        auto *number = new QLabel(QString::number(r + 1), grid);
        number->setObjectName(QStringLiteral("rowNumber"));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cells->addWidget(number, r + 1, 0);
    }

    // The columns this board offers; a column without a header widens the header before it.
    QVector<const Row *> columns;
    for (int i = from; i < to; ++i) {
        const Row &row = m_table.rows[i];
        if (makesEditor(row) && row.offered(m_board, valueRange(row, part.num, part.den).first))
            columns.append(&row);
    }
    for (int c = 0; c < columns.size(); ++c) {
        if (!columns[c]->header)
            continue;
        int span = 1;
        while (c + span < columns.size() && !columns[c + span]->header)
            ++span;
        auto *header = new QLabel(tr(columns[c]->header), grid);
        cells->addWidget(header, 0, c + firstColumn, 1, span);
    }
    for (int r = 0; r < count; ++r) {
        const Part item = part.item(r, count);
        for (int c = 0; c < columns.size(); ++c) {
            const auto range = valueRange(*columns[c], item.num, item.den);
            for (int k = range.first; k < range.second; ++k) {
                if (Par *editor = place(grid, *columns[c], k))
                    cells->addWidget(editor, r + 1, c + firstColumn);
            }
        }
    }
    scroll->setWidget(grid);
    layout->addWidget(scroll);
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
