// How the value widgets of an editor take the mouse wheel and typed numbers, so that nothing
// reaches the board that the user did not choose: the wheel scrolls the page unless the widget
// has the keyboard focus and can still move that way; a number typed into a spin box is taken
// once, when typing ends (Enter, the focus leaving, or a short pause).
#pragma once
#include <QObject>
#include <QPointer>
#include <QTimer>

class QAbstractSpinBox;
class QWheelEvent;
class QWidget;

class InputGuard : public QObject
{
    Q_OBJECT
public:
    // A typed number is taken after this long without a key.
    static constexpr int TypingPauseMs = 700;

    // Puts every slider, spin box and drop-down under editor under both rules (once each).
    static void adopt(QWidget *editor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit InputGuard(QObject *parent);
    static InputGuard &instance();
    void guard(QWidget *w);
    void typed(QAbstractSpinBox *spin);
    void takeTyped();
    // True when a focused w would change its value for this wheel event.
    static bool moves(const QWidget *w, const QWheelEvent *event);

    // One spin box is typed into at a time: the pause is timed for it.
    QTimer m_pause;
    QPointer<QAbstractSpinBox> m_typing;
};
