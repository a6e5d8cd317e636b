#include "app/findbar.h"
#include "devices/devicecfg.h"
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

FindBar::FindBar(QWidget *page, QScrollArea *area, QWidget *parent)
    : QWidget(parent), m_search(page, area)
{
    setObjectName(QStringLiteral("findBar"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("findField"));
    m_field->setClearButtonEnabled(true);
    m_field->installEventFilter(this);
    row->addWidget(m_field, 1);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("findCount"));
    row->addWidget(m_count);
    m_previous = new QToolButton(this);
    m_previous->setObjectName(QStringLiteral("findPrevious"));
    m_previous->setArrowType(Qt::UpArrow);
    m_previous->setFocusPolicy(Qt::NoFocus);
    row->addWidget(m_previous);
    m_next = new QToolButton(this);
    m_next->setObjectName(QStringLiteral("findNext"));
    m_next->setArrowType(Qt::DownArrow);
    m_next->setFocusPolicy(Qt::NoFocus);
    row->addWidget(m_next);
    connect(m_field, &QLineEdit::textChanged, this, &FindBar::find);
    connect(m_previous, &QToolButton::clicked, this, [this] { step(-1); });
    connect(m_next, &QToolButton::clicked, this, [this] { step(1); });
    retranslate();
    showCount();
}

void FindBar::retranslate()
{
    m_field->setPlaceholderText(tr("Find a setting (Ctrl+F)"));
    m_field->setToolTip(tr("Shows only the sections and groups holding settings whose name or help text "
                           "contains every word typed, and marks those settings. Enter: next match, "
                           "Shift+Enter: previous match, Escape: clear and show the page as it was."));
    m_previous->setToolTip(tr("Previous match (Shift+Enter)"));
    m_next->setToolTip(tr("Next match (Enter)"));
    showCount();
}

void FindBar::activate()
{
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void FindBar::clear()
{
    m_field->clear(); // restores the page through find()
    m_search.restore();
    showCount();
}

void FindBar::pageChanged()
{
    // A page read again keeps its widgets: they come back as they were before the search.
    m_search.restore();
    m_search.reset();
    {
        const QSignalBlocker block(m_field);
        m_field->clear();
    }
    showCount();
}

void FindBar::find()
{
    m_search.search(DeviceCfg::current(), m_field->text());
    showCount();
}

void FindBar::step(int direction)
{
    m_search.step(direction);
    showCount();
}

void FindBar::showCount()
{
    const bool searching = m_search.active();
    const int n = m_search.matchCount();
    m_count->setText(!searching ? QString()
                     : n == 0   ? tr("No match")
                                : tr("%1 of %2").arg(m_search.current() + 1).arg(n));
    m_previous->setEnabled(n > 1);
    m_next->setEnabled(n > 1);
}

void FindBar::prepare()
{
    if (m_preparing)
        return;
    m_preparing = true;
    QTimer::singleShot(0, this, [this] {
        m_preparing = false;
        if (m_search.prepareStep(DeviceCfg::current()))
            prepare();
    });
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::FocusIn)
        prepare();
    if (watched == m_field && event->type() == QEvent::ShortcutOverride) {
        // Undo and redo are the window's, for the page's changes: the field does not take them.
        auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (key->key() == Qt::Key_Z && (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier)))
            return true;
    }
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            step(key->modifiers() & Qt::ShiftModifier ? -1 : 1);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            clear();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
