#include "editors/inputguard.h"
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QApplication>
#include <QSlider>
#include <QSpinBox>
#include <QVariant>
#include <QWheelEvent>

InputGuard::InputGuard(QObject *parent) : QObject(parent)
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(TypingPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &InputGuard::takeTyped);
}

// One for the application, gone with it.
InputGuard &InputGuard::instance()
{
    static QPointer<InputGuard> guard;
    if (!guard)
        guard = new InputGuard(qApp);
    return *guard;
}

void InputGuard::adopt(QWidget *editor)
{
    InputGuard &g = instance();
    for (QWidget *w : editor->findChildren<QWidget *>()) {
        if (qobject_cast<QSlider *>(w) || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w))
            g.guard(w);
    }
}

void InputGuard::guard(QWidget *w)
{
    if (w->property("inputGuard").toBool())
        return;
    w->setProperty("inputGuard", true);
    // Focus by a click or Tab only: a wheel turned over the widget must not give it.
    w->setFocusPolicy(Qt::StrongFocus);
    w->installEventFilter(this);
    auto *spin = qobject_cast<QAbstractSpinBox *>(w);
    if (!spin)
        return;
    // Steps (arrow keys, the wheel, the step buttons) still change the value at once.
    spin->setKeyboardTracking(false);
    if (auto *edit = spin->findChild<QLineEdit *>())
        connect(edit, &QLineEdit::textEdited, this, [this, spin] { typed(spin); });
}

void InputGuard::typed(QAbstractSpinBox *spin)
{
    if (m_typing != spin)
        takeTyped();
    m_typing = spin;
    m_pause.start();
}

// The pause ends typing, as Enter does; a number not yet whole (too small for the range, or
// nothing at all) is left for the user to finish.
void InputGuard::takeTyped()
{
    QAbstractSpinBox *spin = m_typing;
    m_typing = nullptr;
    m_pause.stop();
    if (spin && spin->hasAcceptableInput())
        spin->interpretText();
}

bool InputGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return false;
    auto *w = static_cast<QWidget *>(watched);
    if (w->hasFocus() && moves(w, static_cast<QWheelEvent *>(event)))
        return false;
    // Ignored, it goes on to the widget's parents: the page scrolls.
    event->ignore();
    return true;
}

bool InputGuard::moves(const QWidget *w, const QWheelEvent *event)
{
    const int dy = event->angleDelta().y();
    // A slider that cannot move ignores the wheel itself.
    if (qobject_cast<const QSlider *>(w))
        return true;
    if (dy == 0)
        return false;
    if (auto *spin = qobject_cast<const QSpinBox *>(w))
        return spin->wrapping() || (dy > 0 ? spin->value() < spin->maximum() : spin->value() > spin->minimum());
    if (auto *box = qobject_cast<const QComboBox *>(w))
        return dy > 0 ? box->currentIndex() > 0 : box->currentIndex() < box->count() - 1;
    return false;
}
