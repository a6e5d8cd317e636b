// Check buttons that stand for bits of a mask, laid out as a centred grid of eight per row
// or as a vertical list; shared by the mask editors.
#pragma once
#include <QString>
#include <QVector>

class QGridLayout;
class QObject;
class QPushButton;
class QWidget;

class MaskButtons
{
public:
    // grid: eight per row in columns 1..8, named gridName, with expanding spacers in columns
    // 0 and 9 of row 0; otherwise one per row in column 0, unnamed.
    MaskButtons(QWidget *owner, QGridLayout *layout, bool grid, const QString &gridName);

    // Appends a checkable button with "id" = mask, reached with Tab and toggled with Space;
    // returns it for connecting.
    QPushButton *add(const QString &text, quint32 mask, bool checked);
    // Every button checked from (value AND its mask).
    void show(quint32 value) const;
    // The union of all masks added.
    quint32 all() const { return m_union; }
    const QVector<QPushButton *> &buttons() const { return m_buttons; }

    // A bit's button takes the keyboard focus by Tab only, and Space toggles it.
    static void takeKeys(QPushButton *button);
    // The mask a button (the sender of a check slot) stands for.
    static quint32 maskOf(const QObject *button);

private:
    QWidget *m_owner;
    QGridLayout *m_layout;
    bool m_grid;
    QString m_gridName;
    QVector<QPushButton *> m_buttons;
    quint32 m_union = 0;
};
