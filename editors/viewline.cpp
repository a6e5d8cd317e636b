#include "editors/viewline.h"
#include <QCoreApplication>
#include <QComboBox>
#include <QSignalBlocker>

namespace ViewLine {

int heightForCode(int code)
{
    switch (code) {
    case 0x20:
        return 80;
    case 0x30:
        return 40;
    default:
        return 20;
    }
}

int heightForIndex(int index)
{
    switch (index) {
    case 1:
        return 40;
    case 2:
        return 80;
    default:
        return 20;
    }
}

void selectLine(QComboBox *box, int height, int position)
{
    const QSignalBlocker block(box);
    int current = -1;
    if (height > 0 && position % height == 0 && position / height < box->count())
        current = position / height;
    box->setCurrentIndex(current);
}

void fillLineBox(QComboBox *box, int lines, int height, int position)
{
    const QSignalBlocker block(box);
    box->clear();
    for (int i = 1; i <= lines; ++i)
        box->addItem(QCoreApplication::translate("ViewLine", "Line %1").arg(i));
    selectLine(box, height, position);
}

void addAlignEntries(QComboBox *box)
{
    box->addItem(QCoreApplication::translate("ViewLine", "Align left"), 1);
    box->addItem(QCoreApplication::translate("ViewLine", "Align center"), 2);
    box->addItem(QCoreApplication::translate("ViewLine", "Align right"), 3);
}

} // namespace ViewLine
