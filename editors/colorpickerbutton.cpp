#include "editors/colorpickerbutton.h"
#include "base/scale.h"
#include <QMouseEvent>
#include <QPainter>

ColorPickerButton::ColorPickerButton(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel);
    setFixedSize(scaled(24), scaled(21));
    setFocusPolicy(Qt::NoFocus);
}

void ColorPickerButton::mousePressEvent(QMouseEvent *)
{
    m_down = true;
    setFrameShadow(QFrame::Sunken);
    update();
}

void ColorPickerButton::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasDown = m_down;
    m_down = false;
    setFrameShadow(QFrame::Raised);
    update();
    if (wasDown && rect().contains(event->pos()))
        Q_EMIT clicked();
}

void ColorPickerButton::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::WindowText));
    const int d = qMax(2, scaled(2));
    const int y = height() / 2 - d / 2;
    const int step = d * 2;
    const int x0 = width() / 2 - step - d / 2;
    for (int i = 0; i < 3; ++i)
        p.drawRect(x0 + i * step, y, d, d);
    if (property("cursor").toBool()) {
        p.setPen(QPen(palette().color(QPalette::Dark), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 0, width() - 1, height() - 1);
    }
}
