// The colour picker's drop-down: a grid of colour cells and, when offered, the dialog button.
#pragma once
#include <QColor>
#include <QFrame>
#include <QList>

class ColorPickerButton;
class ColorPickerItem;
class QColorDialog;
class QGridLayout;

class ColorPickerPopup : public QFrame
{
    Q_OBJECT
public:
    // columns -1: the square root of the item count, rounded up.
    ColorPickerPopup(int columns, bool withColorDialog, QWidget *parent = nullptr);

    // index -1 appends.
    void insertColor(const QColor &color, const QString &text, int index = -1);
    ColorPickerItem *find(const QColor &color) const;
    ColorPickerItem *item(int index) const { return m_items.value(index); }
    int count() const { return m_items.size(); }
    int columns() const;
    QColor lastSelected() const { return m_lastSel; }
    void setLastSelected(const QColor &color) { m_lastSel = color; }
    ColorPickerButton *dialogButton() const { return m_moreButton; }
    // The cell the keyboard cursor is on: an item index, or count() for the dialog button.
    int cursorCell() const { return m_cursor; }
    // The colour dialog while it is open, else null.
    QColorDialog *colorDialog() const { return m_dialog; }

    // Where a popup of the given size opened at pos goes so that it stays inside area.
    static QPoint placeInside(QPoint pos, QSize size, const QRect &area);

public Q_SLOTS:
    void getColorFromDialog();
    void updateSelected();

Q_SIGNALS:
    void selected(const QColor &color);
    void hid();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void regenerateGrid();
    void setCursorCell(int cell);
    QWidget *cell(int index) const;

    int m_columns;
    QList<ColorPickerItem *> m_items;
    ColorPickerButton *m_moreButton = nullptr;
    QGridLayout *m_grid = nullptr;
    QColor m_lastSel;
    int m_cursor = 0;
    QColorDialog *m_dialog = nullptr;
};
