#include "editors/maskbuttons.h"
#include <QGridLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QVariant>

MaskButtons::MaskButtons(QWidget *owner, QGridLayout *layout, bool grid, const QString &gridName)
    : m_owner(owner), m_layout(layout), m_grid(grid), m_gridName(gridName)
{
    if (grid) {
        m_layout->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum), 0, 0);
        m_layout->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum), 0, 9);
    }
}

QPushButton *MaskButtons::add(const QString &text, quint32 mask, bool checked)
{
    const int i = m_buttons.size();
    auto *b = new QPushButton(text, m_owner);
    b->setCheckable(true);
    takeKeys(b);
    b->setChecked(checked);
    b->setProperty("id", mask);
    if (m_grid) {
        b->setObjectName(m_gridName);
        m_layout->addWidget(b, i / 8, i % 8 + 1);
    } else {
        m_layout->addWidget(b, i, 0);
    }
    m_buttons.append(b);
    m_union |= mask;
    return b;
}

void MaskButtons::show(quint32 value) const
{
    for (QPushButton *b : m_buttons) {
        const QSignalBlocker block(b);
        b->setChecked(value & maskOf(b));
    }
}

void MaskButtons::takeKeys(QPushButton *button)
{
    // Reached with Tab, not by a click, so the mouse leaves no focus mark (the style sheet frames
    // a "tabOnly" button with the focus); Enter stays the window's and never toggles a bit.
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(false);
    button->setProperty("tabOnly", true);
}

quint32 MaskButtons::maskOf(const QObject *button)
{
    return button ? button->property("id").toUInt() : 0;
}
