// Editor of the sixteen view lines of a board's display (dynamic device): text, colour,
// font size, vertical position and alignment of each line.
#pragma once
#include "editors/par.h"
#include "registry/cfgkinds.h"
#include <array>

class QComboBox;
class QLineEdit;
class QSpinBox;
class QtColorPicker;

class ParViewText16 : public Par
{
    Q_OBJECT
public:
    ParViewText16(QWidget *parent, CfgParViewText16 *par);

    void refresh() override;

public Q_SLOTS:
    void textChange();
    void colChange(const QColor &c);
    void fontChange(int index);
    void yposChange(int p);
    void lineChange(int index);
    void alignChange();

private:
    struct Line
    {
        QLineEdit *text = nullptr;
        QtColorPicker *col = nullptr;
        QComboBox *font = nullptr;
        QSpinBox *ypos = nullptr;
        QComboBox *line = nullptr;
        QComboBox *align = nullptr;
    };
    static constexpr int Lines = CfgParViewText16::count;

    // The line a child widget stands for, through its "id"; -1 when there is none.
    int senderLine() const;
    void refillLineBox(int k);
    void showLine(int k);

    CfgParViewText16 *m_par;
    std::array<Line, Lines> m_lines;
};
