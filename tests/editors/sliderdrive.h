// Mouse helpers for slider tests: the handle's centre, a point on the groove, a handle drag.
#pragma once
#include <QApplication>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QtTest>

inline QRect sliderHandleRect(QSlider *s)
{
    QStyleOptionSlider opt;
    opt.initFrom(s);
    opt.orientation = s->orientation();
    opt.minimum = s->minimum();
    opt.maximum = s->maximum();
    opt.sliderPosition = s->sliderPosition();
    opt.sliderValue = s->value();
    opt.upsideDown = s->invertedAppearance();
    opt.subControls = QStyle::SC_All;
    return s->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, s);
}

// A groove point well away from the handle, on the side farther from it.
inline QPoint sliderGroovePoint(QSlider *s)
{
    const QRect h = sliderHandleRect(s);
    const int y = s->height() / 2;
    const int x = h.center().x() < s->width() / 2 ? s->width() - 4 : 4;
    return QPoint(x, y);
}

inline void dragSliderHandle(QSlider *s, int dx)
{
    const QPoint from = sliderHandleRect(s).center();
    const QPoint to = from + QPoint(dx, 0);
    QTest::mousePress(s, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, s->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(s, &move);
    QTest::mouseRelease(s, Qt::LeftButton, Qt::NoModifier, to);
}
