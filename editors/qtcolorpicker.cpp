#include "editors/qtcolorpicker.h"
#include "editors/colorpickeritem.h"
#include "editors/colorpickerpopup.h"
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QStyle>

QtColorPicker::QtColorPicker(QWidget *parent, int columns, bool enableColorDialog)
    : QPushButton(parent), m_columns(columns), m_withColorDialog(enableColorDialog)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    setAutoDefault(false);
    setAutoFillBackground(true);
    setCheckable(true);
    connect(this, &QPushButton::toggled, this, &QtColorPicker::buttonPressed);
}

QtColorPicker::~QtColorPicker() = default;

ColorPickerPopup *QtColorPicker::popup()
{
    if (m_popup)
        return m_popup;
    m_popup = new ColorPickerPopup(m_columns, m_withColorDialog, this);
    for (const Entry &e : qAsConst(m_pending))
        m_popup->insertColor(e.color, e.text);
    if (ColorPickerItem *item = m_popup->item(m_pendingSelected))
        item->setSelected(true);
    m_popup->setLastSelected(m_color);
    m_pending.clear();
    m_pendingSelected = -1;
    connect(m_popup, &ColorPickerPopup::selected, this, &QtColorPicker::setCurrentColor);
    connect(m_popup, &ColorPickerPopup::hid, this, &QtColorPicker::popupClosed);
    return m_popup;
}

void QtColorPicker::insertColor(const QColor &color, const QString &text, int index)
{
    if (m_popup) {
        m_popup->insertColor(color, text, index);
        return;
    }
    if (index < 0 || index > m_pending.size())
        index = m_pending.size();
    m_pending.insert(index, Entry{color, text});
    if (m_pendingSelected >= index)
        ++m_pendingSelected;
}

void QtColorPicker::setStandardColors()
{
    insertColor(Qt::black, tr("Black"));
    insertColor(Qt::white, tr("White"));
    insertColor(Qt::red, tr("Red"));
    insertColor(Qt::darkRed, tr("Dark red"));
    insertColor(Qt::green, tr("Green"));
    insertColor(Qt::darkGreen, tr("Dark green"));
    insertColor(Qt::blue, tr("Blue"));
    insertColor(Qt::darkBlue, tr("Dark blue"));
    insertColor(Qt::cyan, tr("Cyan"));
    insertColor(Qt::darkCyan, tr("Dark cyan"));
    insertColor(Qt::magenta, tr("Magenta"));
    insertColor(Qt::darkMagenta, tr("Dark magenta"));
    insertColor(Qt::yellow, tr("Yellow"));
    insertColor(Qt::darkYellow, tr("Dark yellow"));
    insertColor(Qt::gray, tr("Gray"));
    insertColor(Qt::darkGray, tr("Dark gray"));
    insertColor(Qt::lightGray, tr("Light gray"));
}

int QtColorPicker::colorCount() const { return m_popup ? m_popup->count() : m_pending.size(); }

QColor QtColorPicker::color(int index) const
{
    if (m_popup) {
        ColorPickerItem *item = m_popup->item(index);
        return item ? item->color() : QColor();
    }
    return index >= 0 && index < m_pending.size() ? m_pending.at(index).color : QColor();
}

QString QtColorPicker::colorText(int index) const
{
    if (m_popup) {
        ColorPickerItem *item = m_popup->item(index);
        return item ? item->text() : QString();
    }
    return index >= 0 && index < m_pending.size() ? m_pending.at(index).text : QString();
}

int QtColorPicker::indexOf(const QColor &color) const
{
    for (int i = 0; i < m_pending.size(); ++i)
        if (m_pending.at(i).color == color)
            return i;
    return -1;
}

void QtColorPicker::setCurrentColor(const QColor &color)
{
    if (color == m_color || !color.isValid())
        return;
    if (m_popup) {
        ColorPickerItem *item = m_popup->find(color);
        if (!item) {
            m_popup->insertColor(color, tr("Custom"), -1);
            item = m_popup->item(m_popup->count() - 1);
        }
        m_color = color;
        m_popup->setLastSelected(color);
        m_popup->hide();
        item->setSelected(true);
        // Only one cell carries the mark.
        for (int i = 0; i < m_popup->count(); ++i)
            if (m_popup->item(i) != item)
                m_popup->item(i)->setSelected(false);
    } else {
        int index = indexOf(color);
        if (index < 0) {
            m_pending.append(Entry{color, tr("Custom")});
            index = m_pending.size() - 1;
        }
        m_color = color;
        m_pendingSelected = index;
    }
    m_dirty = true;
    update();
    Q_EMIT colorChanged(color);
}

void QtColorPicker::buttonPressed(bool on)
{
    if (!on)
        return;
    ColorPickerPopup *p = popup();
    QPoint pos = mapToGlobal(rect().bottomLeft());
    QScreen *scr = screen();
    if (!scr)
        scr = QGuiApplication::primaryScreen();
    // The frame width is known only once the style has polished the popup.
    p->ensurePolished();
    p->adjustSize();
    if (scr)
        pos = ColorPickerPopup::placeInside(pos, p->sizeHint(), scr->availableGeometry());
    p->move(pos);
    if (ColorPickerItem *item = p->find(m_color))
        item->setSelected(true);
    clearFocus();
    update();
    p->setFocus();
    p->show();
}

void QtColorPicker::popupClosed()
{
    setChecked(false);
    setFocus();
}

void QtColorPicker::paintEvent(QPaintEvent *event)
{
    if (m_dirty) {
        const int size = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
        QPixmap pix(size, size);
        pix.fill(palette().color(QPalette::Window));
        QPainter p(&pix);
        p.setPen(Qt::gray);
        p.setBrush(m_color);
        p.drawRect(1, 1, size - 3, size - 3);
        p.end();
        setIcon(QIcon(pix));
        m_dirty = false;
    }
    QPushButton::paintEvent(event);
}
