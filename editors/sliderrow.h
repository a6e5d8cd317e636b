// The row shared by the slider editors: "-" button, protected slider, spin box, "+" button.
#pragma once
#include <QtGlobal>

class QBoxLayout;
class QHBoxLayout;
class QPushButton;
class QSpinBox;
class QWidget;
class ProtectedSlider;

struct SliderRow
{
    QHBoxLayout *layout = nullptr;
    QPushButton *minus = nullptr;
    ProtectedSlider *slider = nullptr;
    QSpinBox *spin = nullptr;
    QPushButton *plus = nullptr;

    // Builds the row in owner and appends it to outer as "horizontalLayout".
    static SliderRow build(QWidget *owner, QBoxLayout *outer);
    // Ranges first, then the value, with no signals while doing it.
    void setRange(int min, int max);
    void show(int value);
    // Step buttons to the spin box's steps.
    void connectSteps();
    // Compact form: only the spin box (and what the editor adds) remains.
    void makeCompact();
};
