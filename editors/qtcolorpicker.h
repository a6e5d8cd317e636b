// The push button every colour editor uses: shows the current colour as its icon and drops
// down a grid of colour cells. The grid is made when it is first opened.
#pragma once
#include <QColor>
#include <QPushButton>
#include <QVector>

class ColorPickerPopup;

class QtColorPicker : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(bool colorDialog READ colorDialogEnabled WRITE setColorDialogEnabled)
public:
    // columns -1: automatic (square root of the colour count, rounded up).
    explicit QtColorPicker(QWidget *parent = nullptr, int columns = -1, bool enableColorDialog = true);
    ~QtColorPicker() override;

    // index -1 appends.
    void insertColor(const QColor &color, const QString &text = QString(), int index = -1);
    // The seventeen standard colours with their names.
    void setStandardColors();

    QColor currentColor() const { return m_color; }
    int colorCount() const;
    QColor color(int index) const;
    QString colorText(int index) const;

    bool colorDialogEnabled() const { return m_withColorDialog; }
    // Takes effect when the grid is made; a grid already made keeps its dialog button.
    void setColorDialogEnabled(bool enabled) { m_withColorDialog = enabled; }

    // The grid, made on first use.
    ColorPickerPopup *popup();
    bool hasPopup() const { return m_popup != nullptr; }

public Q_SLOTS:
    void setCurrentColor(const QColor &color);
    void buttonPressed(bool on);
    void popupClosed();

Q_SIGNALS:
    void colorChanged(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Entry
    {
        QColor color;
        QString text;
    };
    int indexOf(const QColor &color) const;

    ColorPickerPopup *m_popup = nullptr;
    // Colours waiting for the grid; empty once the grid is made.
    QVector<Entry> m_pending;
    // Index of the selected colour while the grid is not made, else -1.
    int m_pendingSelected = -1;
    int m_columns;
    QColor m_color = Qt::black;
    bool m_withColorDialog;
    bool m_dirty = true;
};
