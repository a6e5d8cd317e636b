#include "editors/colorpickerpopup.h"
#include "editors/colorpickerbutton.h"
#include "editors/colorpickeritem.h"
#include <QColorDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>

ColorPickerPopup::ColorPickerPopup(int columns, bool withColorDialog, QWidget *parent)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint), m_columns(columns)
{
    setFrameStyle(QFrame::StyledPanel);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(1, 1, 1, 1);
    m_grid->setSpacing(0);
    if (withColorDialog) {
        m_moreButton = new ColorPickerButton(this);
        m_moreButton->setToolTip(tr("More..."));
        connect(m_moreButton, &ColorPickerButton::clicked, this, &ColorPickerPopup::getColorFromDialog);
    }
    regenerateGrid();
}

void ColorPickerPopup::insertColor(const QColor &color, const QString &text, int index)
{
    auto *item = new ColorPickerItem(color, text, this);
    if (index < 0 || index > m_items.size())
        index = m_items.size();
    m_items.insert(index, item);
    connect(item, &ColorPickerItem::selected, this, &ColorPickerPopup::updateSelected);
    regenerateGrid();
}

ColorPickerItem *ColorPickerPopup::find(const QColor &color) const
{
    for (ColorPickerItem *item : m_items)
        if (item->color() == color)
            return item;
    return nullptr;
}

int ColorPickerPopup::columns() const
{
    if (m_columns > 0)
        return m_columns;
    return qMax(1, int(std::ceil(std::sqrt(double(m_items.size())))));
}

QWidget *ColorPickerPopup::cell(int index) const
{
    if (index == m_items.size())
        return m_moreButton;
    return m_items.value(index);
}

void ColorPickerPopup::regenerateGrid()
{
    while (m_grid->count() > 0)
        delete m_grid->takeAt(0);
    const int cols = columns();
    int i = 0;
    for (; i < m_items.size(); ++i)
        m_grid->addWidget(m_items.at(i), i / cols, i % cols);
    if (m_moreButton)
        m_grid->addWidget(m_moreButton, i / cols, i % cols);
    adjustSize();
}

QPoint ColorPickerPopup::placeInside(QPoint pos, QSize size, const QRect &area)
{
    if (pos.x() < area.left())
        pos.setX(area.left());
    if (pos.y() < area.top())
        pos.setY(area.top());
    if (pos.x() + size.width() > area.right() + 1)
        pos.setX(qMax(area.left(), area.right() + 1 - size.width()));
    if (pos.y() + size.height() > area.bottom() + 1)
        pos.setY(qMax(area.top(), area.bottom() + 1 - size.height()));
    return pos;
}

void ColorPickerPopup::updateSelected()
{
    auto *chosen = qobject_cast<ColorPickerItem *>(sender());
    if (!chosen)
        return;
    for (ColorPickerItem *item : qAsConst(m_items))
        if (item != chosen)
            item->setSelected(false);
    m_lastSel = chosen->color();
    Q_EMIT selected(m_lastSel);
    hide();
}

void ColorPickerPopup::getColorFromDialog()
{
    hide();
    if (m_dialog)
        return;
    // Opened window-modal rather than run in a loop of its own, so nothing waits on it.
    m_dialog = new QColorDialog(m_lastSel, parentWidget());
    m_dialog->setOption(QColorDialog::ShowAlphaChannel);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_dialog, &QColorDialog::colorSelected, this, [this](const QColor &color) {
        if (!color.isValid())
            return;
        // A colour already in the grid is not added a second time.
        if (!find(color))
            insertColor(color, tr("Custom"), -1);
        m_lastSel = color;
        Q_EMIT selected(color);
    });
    connect(m_dialog, &QObject::destroyed, this, [this] { m_dialog = nullptr; });
    m_dialog->open();
}

void ColorPickerPopup::setCursorCell(int index)
{
    const int last = m_moreButton ? m_items.size() : m_items.size() - 1;
    if (last < 0)
        return;
    index = qBound(0, index, last);
    if (QWidget *old = cell(m_cursor)) {
        old->setProperty("cursor", false);
        old->update();
    }
    m_cursor = index;
    if (QWidget *now = cell(m_cursor)) {
        now->setProperty("cursor", true);
        now->update();
    }
}

void ColorPickerPopup::keyPressEvent(QKeyEvent *event)
{
    const int cols = columns();
    switch (event->key()) {
    case Qt::Key_Left:
        setCursorCell(m_cursor - 1);
        break;
    case Qt::Key_Right:
        setCursorCell(m_cursor + 1);
        break;
    case Qt::Key_Up:
        if (m_cursor - cols >= 0)
            setCursorCell(m_cursor - cols);
        break;
    case Qt::Key_Down:
        if (m_cursor + cols <= (m_moreButton ? m_items.size() : m_items.size() - 1))
            setCursorCell(m_cursor + cols);
        break;
    case Qt::Key_Home:
        setCursorCell(0);
        break;
    case Qt::Key_End:
        setCursorCell(m_items.size());
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (m_cursor == m_items.size()) {
            if (m_moreButton)
                getColorFromDialog();
        } else if (ColorPickerItem *item = m_items.value(m_cursor)) {
            item->choose();
        }
        break;
    case Qt::Key_Escape:
        hide();
        break;
    default:
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ColorPickerPopup::mousePressEvent(QMouseEvent *event)
{
    // A press on the picker button closes the popup; it must not reach the button as well,
    // or the button would open the popup again at once.
    QWidget *owner = parentWidget();
    if (!rect().contains(event->pos()) && owner
        && owner->rect().contains(owner->mapFromGlobal(event->globalPos())))
        setAttribute(Qt::WA_NoMouseReplay);
    QFrame::mousePressEvent(event);
}

void ColorPickerPopup::mouseReleaseEvent(QMouseEvent *event)
{
    if (!rect().contains(event->pos()))
        hide();
    else
        QFrame::mouseReleaseEvent(event);
}

void ColorPickerPopup::showEvent(QShowEvent *event)
{
    int start = 0;
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items.at(i)->isSelected())
            start = i;
    setCursorCell(start);
    setAttribute(Qt::WA_NoMouseReplay, false);
    setFocus();
    QFrame::showEvent(event);
}

void ColorPickerPopup::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    Q_EMIT hid();
}
