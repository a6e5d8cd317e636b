#include "editors/colorform.h"
#include "editors/qtcolorpicker.h"
#include "editors/rgb565.h"
#include <QBoxLayout>
#include <QComboBox>
#include <QSignalBlocker>

QtColorPicker *makeColorPicker(QWidget *owner, const QString &name)
{
    auto *picker = new QtColorPicker(owner, -1, true);
    picker->setObjectName(name);
    picker->setStandardColors();
    return picker;
}

BackgroundRow BackgroundRow::build(QWidget *owner, QBoxLayout *outer, unsigned allowed)
{
    BackgroundRow row;
    row.layout = new QHBoxLayout;
    row.layout->setObjectName(QStringLiteral("horizontalLayout"));
    row.mode = new QComboBox(owner);
    row.mode->setObjectName(QStringLiteral("mode"));
    if (allowed & 1)
        row.mode->addItem(tr("Solid"), int(Solid));
    if (allowed & 2)
        row.mode->addItem(tr("Waves"), int(Waves));
    if (allowed & 4)
        row.mode->addItem(tr("Timer"), int(Timer));
    row.col0 = makeColorPicker(owner, QStringLiteral("col0"));
    row.col0->setText(tr("Color1"));
    row.col1 = makeColorPicker(owner, QStringLiteral("col1"));
    row.col1->setText(tr("Color2"));
    row.layout->addWidget(row.mode);
    row.layout->addWidget(row.col0);
    row.layout->addWidget(row.col1);
    outer->addLayout(row.layout);
    return row;
}

void BackgroundRow::show(int modeValue, quint16 word1, quint16 word2)
{
    {
        const QSignalBlocker b0(mode), b1(col0), b2(col1);
        mode->setCurrentIndex(mode->findData(modeValue));
        col0->setCurrentColor(Rgb565::toColor(word1));
        col1->setCurrentColor(Rgb565::toColor(word2));
    }
    showSecondFor(modeValue);
}

int BackgroundRow::currentMode() const
{
    return mode->currentIndex() < 0 ? 0 : mode->currentData().toInt();
}

void BackgroundRow::showSecondFor(int modeValue)
{
    // Not setVisible(true) on a widget whose window is not shown yet: that would open it.
    col1->setHidden(modeValue != Waves);
}
