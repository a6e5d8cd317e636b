#include "editors/colorpickeritem.h"
#include "base/scale.h"
#include <QMouseEvent>
#include <QPainter>

ColorPickerItem::ColorPickerItem(const QColor &color, const QString &text, QWidget *parent)
    : QFrame(parent), m_color(color), m_text(text)
{
    setToolTip(m_text);
    setFixedSize(scaled(24), scaled(21));
    setFocusPolicy(Qt::NoFocus);
}

void ColorPickerItem::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    update();
}

void ColorPickerItem::choose()
{
    setSelected(true);
    Q_EMIT clicked();
    Q_EMIT selected();
}

void ColorPickerItem::setColor(const QColor &color, const QString &text)
{
    m_color = color;
    m_text = text;
    setToolTip(m_text);
    update();
}

void ColorPickerItem::mouseReleaseEvent(QMouseEvent *event)
{
    if (rect().contains(event->pos()))
        choose();
    else
        QFrame::mouseReleaseEvent(event);
}

void ColorPickerItem::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int w = width(), h = height();
    // The popup draws the keyboard cursor through the "cursor" property.
    const bool cursor = property("cursor").toBool();
    if (m_selected || cursor) {
        p.setPen(QPen(m_selected ? palette().color(QPalette::Highlight) : palette().color(QPalette::Dark), 1,
                      cursor ? Qt::DotLine : Qt::SolidLine));
        p.drawRect(0, 0, w - 1, h - 1);
    }
    p.setPen(Qt::gray);
    p.setBrush(m_color);
    p.drawRect(2, 2, w - 5, h - 5);
}
