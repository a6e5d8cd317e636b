#include "editors/protectedslider.h"
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <cmath>

ProtectedSlider::ProtectedSlider(QWidget *parent) : QSlider(parent) {}

void ProtectedSlider::mousePressEvent(QMouseEvent *ev)
{
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QPointF at = ev->localPos();
    const QPoint pos(int(std::lround(at.x())), int(std::lround(at.y())));
    if (style()->hitTestComplexControl(QStyle::CC_Slider, &opt, pos, this) == QStyle::SC_SliderHandle) {
        QSlider::mousePressEvent(ev);
        return;
    }
    ev->ignore();
}
