// One colour cell of the colour picker's popup grid.
#pragma once
#include <QColor>
#include <QFrame>
#include <QString>

class ColorPickerItem : public QFrame
{
    Q_OBJECT
public:
    explicit ColorPickerItem(const QColor &color = Qt::white, const QString &text = QString(),
                             QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    QString text() const { return m_text; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    // Marks the cell selected and announces it, as a mouse release on it does.
    void choose();

public Q_SLOTS:
    void setColor(const QColor &color, const QString &text = QString());

Q_SIGNALS:
    void clicked();
    void selected();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
    QString m_text;
    bool m_selected = false;
};
