// The colour picker: custom cells, invalid colours, the grid made on first opening, placement
// inside the screen, keyboard and mouse selection, and the colour dialog button.
#include "editors/colorpickerbutton.h"
#include "editors/colorpickeritem.h"
#include "editors/colorpickerpopup.h"
#include "editors/qtcolorpicker.h"
#include <QColorDialog>
#include <QGridLayout>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Opens the picker's grid the way a click does.
ColorPickerPopup *open(QtColorPicker &picker)
{
    picker.setChecked(true);
    return picker.popup();
}

} // namespace

class TestColorPicker : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsBlackWithoutGrid()
    {
        QtColorPicker picker(nullptr, -1, true);
        picker.setStandardColors();
        QCOMPARE(picker.currentColor(), QColor(Qt::black));
        QCOMPARE(picker.colorCount(), 17);
        QCOMPARE(picker.colorText(4), QStringLiteral("Green"));
        QCOMPARE(picker.color(16), QColor(Qt::lightGray));
        QVERIFY(!picker.hasPopup());
        QVERIFY(picker.isCheckable());
        QVERIFY(!picker.autoDefault());
        QCOMPARE(picker.property("colorDialog").toBool(), true);
    }

    void customColorAddedOnce_data()
    {
        QTest::addColumn<bool>("gridFirst");
        QTest::newRow("before the grid is made") << false;
        QTest::newRow("after the grid is made") << true;
    }
    void customColorAddedOnce()
    {
        QFETCH(bool, gridFirst);
        QtColorPicker picker;
        picker.setStandardColors();
        if (gridFirst)
            picker.popup();
        QSignalSpy spy(&picker, &QtColorPicker::colorChanged);
        const QColor odd(10, 20, 30);
        picker.setCurrentColor(odd);
        QCOMPARE(picker.colorCount(), 18);
        QCOMPARE(picker.color(17), odd);
        QCOMPARE(picker.colorText(17), QStringLiteral("Custom"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QColor>(), odd);

        picker.setCurrentColor(odd);
        QCOMPARE(spy.count(), 1);
        picker.setCurrentColor(Qt::red);
        picker.setCurrentColor(odd);
        QCOMPARE(picker.colorCount(), 18);
        QCOMPARE(spy.count(), 3);
        QCOMPARE(picker.hasPopup(), gridFirst);

        // Made late or early, the grid holds the same cells with the current one marked.
        ColorPickerPopup *popup = picker.popup();
        QCOMPARE(popup->count(), 18);
        for (int i = 0; i < popup->count(); ++i)
            QCOMPARE(popup->item(i)->isSelected(), i == 17);
    }

    void standardColorIsNotCustom()
    {
        QtColorPicker picker;
        picker.setStandardColors();
        picker.setCurrentColor(Qt::darkCyan);
        QCOMPARE(picker.colorCount(), 17);
        QCOMPARE(picker.currentColor(), QColor(Qt::darkCyan));
    }

    void invalidColorIgnored()
    {
        QtColorPicker picker;
        picker.setStandardColors();
        picker.setCurrentColor(Qt::blue);
        QSignalSpy spy(&picker, &QtColorPicker::colorChanged);
        picker.setCurrentColor(QColor());
        QCOMPARE(spy.count(), 0);
        QCOMPARE(picker.currentColor(), QColor(Qt::blue));
        QCOMPARE(picker.colorCount(), 17);
    }

    void gridColumns_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("expectedColumns");
        QTest::addColumn<int>("buttonRow");
        QTest::addColumn<int>("buttonColumn");
        QTest::newRow("automatic, 17") << -1 << 17 << 5 << 3 << 2;
        QTest::newRow("automatic, 16") << -1 << 16 << 4 << 4 << 0;
        QTest::newRow("automatic, 1") << -1 << 1 << 1 << 1 << 0;
        QTest::newRow("three given") << 3 << 7 << 3 << 2 << 1;
    }
    void gridColumns()
    {
        QFETCH(int, columns);
        QFETCH(int, items);
        QFETCH(int, expectedColumns);
        QFETCH(int, buttonRow);
        QFETCH(int, buttonColumn);
        ColorPickerPopup popup(columns, true);
        for (int i = 0; i < items; ++i)
            popup.insertColor(QColor(i, i, i), QString::number(i));
        QCOMPARE(popup.columns(), expectedColumns);
        auto *grid = qobject_cast<QGridLayout *>(popup.layout());
        QVERIFY(grid);
        int row = -1, col = -1, rs = 0, cs = 0;
        grid->getItemPosition(grid->indexOf(popup.dialogButton()), &row, &col, &rs, &cs);
        QCOMPARE(row, buttonRow);
        QCOMPARE(col, buttonColumn);
        grid->getItemPosition(grid->indexOf(popup.item(items - 1)), &row, &col, &rs, &cs);
        QCOMPARE(row, (items - 1) / expectedColumns);
        QCOMPARE(col, (items - 1) % expectedColumns);
    }

    void noDialogButtonWhenNotOffered()
    {
        QtColorPicker picker(nullptr, -1, false);
        picker.setStandardColors();
        QVERIFY(!picker.popup()->dialogButton());
    }

    void placeInside_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QPoint>("expected");
        const QSize size(100, 80);
        Q_UNUSED(size);
        QTest::newRow("fits") << QPoint(50, 50) << QPoint(50, 50);
        QTest::newRow("right edge") << QPoint(750, 50) << QPoint(700, 50);
        QTest::newRow("bottom edge") << QPoint(50, 590) << QPoint(50, 520);
        QTest::newRow("left of screen") << QPoint(-30, 50) << QPoint(0, 50);
        QTest::newRow("above screen") << QPoint(50, -10) << QPoint(50, 0);
        QTest::newRow("corner") << QPoint(790, 595) << QPoint(700, 520);
    }
    void placeInside()
    {
        QFETCH(QPoint, pos);
        QFETCH(QPoint, expected);
        QCOMPARE(ColorPickerPopup::placeInside(pos, QSize(100, 80), QRect(0, 0, 800, 600)), expected);
    }

    void placeInsideOffsetScreen()
    {
        // A second screen to the right of the first one.
        const QRect area(1920, 0, 1280, 1024);
        QCOMPARE(ColorPickerPopup::placeInside(QPoint(3150, 10), QSize(100, 80), area), QPoint(3100, 10));
        QCOMPARE(ColorPickerPopup::placeInside(QPoint(1900, 10), QSize(100, 80), area), QPoint(1920, 10));
    }

    void pressedNearRightEdgeStaysVisible()
    {
        QWidget window;
        auto *picker = new QtColorPicker(&window);
        picker->setStandardColors();
        picker->setText(QStringLiteral("Color1"));
        const QRect area = window.screen()->availableGeometry();
        window.resize(picker->sizeHint());
        window.move(area.right() - window.width() - 2, area.top() + 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(picker, Qt::LeftButton);
        ColorPickerPopup *popup = picker->popup();
        QVERIFY(popup->isVisible());
        QVERIFY2(area.contains(popup->frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(popup->x()).arg(popup->y())
                                .arg(popup->width()).arg(popup->height())));
        QVERIFY(popup->x() < picker->mapToGlobal(QPoint(0, 0)).x());
        QCOMPARE(popup->y(), picker->mapToGlobal(picker->rect().bottomLeft()).y());
    }

    void pressOnButtonClosesWithoutReopening()
    {
        QWidget window;
        auto *picker = new QtColorPicker(&window);
        picker->setStandardColors();
        window.resize(200, 60);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(picker, Qt::LeftButton);
        ColorPickerPopup *popup = picker->popup();
        QVERIFY(popup->isVisible());
        const QPoint onButton = popup->mapFromGlobal(picker->mapToGlobal(picker->rect().center()));
        QTest::mousePress(popup, Qt::LeftButton, {}, onButton);
        QVERIFY(!popup->isVisible());
        QVERIFY(!picker->isChecked());
        QVERIFY(popup->testAttribute(Qt::WA_NoMouseReplay));
        QTest::mouseClick(picker, Qt::LeftButton);
        QVERIFY(popup->isVisible());
        QVERIFY(!popup->testAttribute(Qt::WA_NoMouseReplay));
        QTest::keyClick(popup, Qt::Key_Escape);
    }

    void keyboardMovesAndSelects()
    {
        QtColorPicker picker;
        picker.setStandardColors();
        picker.setCurrentColor(Qt::white);  // cell 1
        QSignalSpy spy(&picker, &QtColorPicker::colorChanged);
        ColorPickerPopup *popup = open(picker);
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->cursorCell(), 1);
        QTest::keyClick(popup, Qt::Key_Right);   // 2: red
        QTest::keyClick(popup, Qt::Key_Down);    // 7: dark blue
        QTest::keyClick(popup, Qt::Key_Left);    // 6: blue
        QTest::keyClick(popup, Qt::Key_Up);      // 1: white
        QTest::keyClick(popup, Qt::Key_Up);      // stays
        QTest::keyClick(popup, Qt::Key_Down);    // 6
        QCOMPARE(popup->cursorCell(), 6);
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(picker.currentColor(), QColor(Qt::blue));
        QVERIFY(!popup->isVisible());
        QVERIFY(!picker.isChecked());
        QCOMPARE(popup->lastSelected(), QColor(Qt::blue));
        int marked = 0;
        for (int i = 0; i < popup->count(); ++i)
            marked += popup->item(i)->isSelected();
        QCOMPARE(marked, 1);
    }

    void cursorStopsAtTheEnds()
    {
        QtColorPicker picker;
        picker.setStandardColors();
        ColorPickerPopup *popup = open(picker);
        QCOMPARE(popup->cursorCell(), 0);
        QTest::keyClick(popup, Qt::Key_Left);
        QCOMPARE(popup->cursorCell(), 0);
        QTest::keyClick(popup, Qt::Key_End);
        QCOMPARE(popup->cursorCell(), 17);  // the dialog button
        QTest::keyClick(popup, Qt::Key_Right);
        QCOMPARE(popup->cursorCell(), 17);
        QTest::keyClick(popup, Qt::Key_Down);
        QCOMPARE(popup->cursorCell(), 17);
        QTest::keyClick(popup, Qt::Key_Escape);
    }

    void escapeClosesWithoutChange()
    {
        QtColorPicker picker;
        picker.setStandardColors();
        QSignalSpy spy(&picker, &QtColorPicker::colorChanged);
        ColorPickerPopup *popup = open(picker);
        QTest::keyClick(popup, Qt::Key_Right);
        QTest::keyClick(popup, Qt::Key_Escape);
        QVERIFY(!popup->isVisible());
        QVERIFY(!picker.isChecked());
        QCOMPARE(spy.count(), 0);
        QCOMPARE(picker.currentColor(), QColor(Qt::black));
    }

    void mouseReleaseOnCellSelects()
    {
        QtColorPicker picker;
        picker.setStandardColors();
        QSignalSpy spy(&picker, &QtColorPicker::colorChanged);
        ColorPickerPopup *popup = open(picker);
        ColorPickerItem *yellow = popup->item(12);
        QTest::mouseRelease(yellow, Qt::LeftButton, {}, yellow->rect().center());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(picker.currentColor(), QColor(Qt::yellow));
        QVERIFY(!popup->isVisible());
    }

    void dialogColorBecomesCustomCell()
    {
        QtColorPicker picker;
        picker.setStandardColors();
        QSignalSpy spy(&picker, &QtColorPicker::colorChanged);
        ColorPickerPopup *popup = open(picker);
        ColorPickerButton *more = popup->dialogButton();
        QTest::mouseClick(more, Qt::LeftButton, {}, more->rect().center());
        QVERIFY(!popup->isVisible());
        QColorDialog *dialog = popup->colorDialog();
        QVERIFY(dialog);
        QVERIFY(dialog->testOption(QColorDialog::ShowAlphaChannel));
        QCOMPARE(dialog->currentColor(), QColor(Qt::black));
        dialog->setCurrentColor(QColor(1, 2, 3));
        dialog->accept();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(picker.currentColor(), QColor(1, 2, 3));
        QCOMPARE(picker.colorCount(), 18);
        QCOMPARE(picker.colorText(17), QStringLiteral("Custom"));
        QTRY_VERIFY(!popup->colorDialog());
    }

    void dialogCancelChangesNothing()
    {
        QtColorPicker picker;
        picker.setStandardColors();
        QSignalSpy spy(&picker, &QtColorPicker::colorChanged);
        ColorPickerPopup *popup = open(picker);
        popup->getColorFromDialog();
        QColorDialog *dialog = popup->colorDialog();
        QVERIFY(dialog);
        dialog->setCurrentColor(QColor(1, 2, 3));
        dialog->reject();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(picker.colorCount(), 17);
    }
};

QTEST_MAIN(TestColorPicker)
#include "test_colorpicker.moc"
