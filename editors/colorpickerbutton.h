// The cell of the colour picker's popup that opens the colour dialog: three dots.
#pragma once
#include <QFrame>

class ColorPickerButton : public QFrame
{
    Q_OBJECT
public:
    explicit ColorPickerButton(QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_down = false;
};
