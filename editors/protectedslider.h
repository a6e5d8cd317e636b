// A slider that only moves by its handle: a stray click on the groove changes nothing.
#pragma once
#include <QSlider>

class ProtectedSlider : public QSlider
{
    Q_OBJECT
public:
    explicit ProtectedSlider(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *ev) override;
};
