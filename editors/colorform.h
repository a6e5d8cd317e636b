// Widgets shared by the colour editors: a picker set up as every editor uses it, and the
// background row (mode box and two pickers) of ParBgr and ParBackground.
#pragma once
#include <QCoreApplication>
#include <QtGlobal>

class QBoxLayout;
class QColor;
class QComboBox;
class QHBoxLayout;
class QString;
class QWidget;
class QtColorPicker;

// Automatic columns, the colour dialog offered, the standard colours in, named name.
QtColorPicker *makeColorPicker(QWidget *owner, const QString &name);

struct BackgroundRow
{
    Q_DECLARE_TR_FUNCTIONS(BackgroundRow)
public:
    enum Mode { Solid = 1, Waves = 2, Timer = 4 };

    QHBoxLayout *layout = nullptr;
    QComboBox *mode = nullptr;
    QtColorPicker *col0 = nullptr;
    QtColorPicker *col1 = nullptr;

    // Builds the row in owner and appends it to outer as "horizontalLayout". allowed: bit 0
    // Solid, bit 1 Waves, bit 2 Timer; one entry per allowed mode, the mode number as data.
    static BackgroundRow build(QWidget *owner, QBoxLayout *outer, unsigned allowed);
    // Mode box, pickers and the second picker's visibility, with no signals while doing it.
    void show(int modeValue, quint16 word1, quint16 word2);
    // The current entry's mode number; 0 when no entry is current.
    int currentMode() const;
    // The second colour is used by Waves only.
    void showSecondFor(int modeValue);
};
