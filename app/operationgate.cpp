// Input is stopped at the widget it is for: the window system's own objects still get it, so
// that the Cancel button and a dialog opened during the operation can be used.
#include "app/operationgate.h"
#include <QApplication>
#include <QEvent>
#include <QPushButton>

namespace {

// The events by which a user commands something; moving the pointer and closing a window are
// not among them (closing the window cancels the operation first, see the window).
const QEvent::Type s_commands[] = {
    QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick, QEvent::Wheel,
    QEvent::KeyPress,         QEvent::KeyRelease,         QEvent::ShortcutOverride,    QEvent::Shortcut,
    QEvent::ContextMenu,      QEvent::TouchBegin,         QEvent::TouchUpdate,         QEvent::TouchEnd,
    QEvent::TabletPress,      QEvent::TabletRelease,      QEvent::Drop,                QEvent::DragEnter,
};

bool isCommand(QEvent::Type type)
{
    for (QEvent::Type t : s_commands)
        if (t == type)
            return true;
    return false;
}

} // namespace

OperationGate::OperationGate(QWidget *window, QPushButton *cancel) : QObject(window), m_window(window), m_cancel(cancel)
{
    m_cancel->hide();
    m_cancel->setFocusPolicy(Qt::NoFocus);
    connect(m_cancel, &QPushButton::clicked, this, [] { LinkCancel::request(); });
}

OperationGate::~OperationGate()
{
    if (m_depth > 0) {
        qApp->removeEventFilter(this);
        LinkCancel::setInputGated(false);
    }
}

void OperationGate::begin()
{
    if (m_depth++ > 0)
        return;
    m_operation = std::make_unique<LinkCancel::Operation>();
    qApp->installEventFilter(this);
    LinkCancel::setInputGated(true);
    m_cancel->show();
}

void OperationGate::end()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    m_cancel->hide();
    LinkCancel::setInputGated(false);
    qApp->removeEventFilter(this);
    m_operation.reset();
}

bool OperationGate::eventFilter(QObject *watched, QEvent *event)
{
    if (!isCommand(event->type()))
        return false;
    // Shortcuts go to actions and shortcut objects, never to the Cancel button.
    if (event->type() == QEvent::Shortcut)
        return true;
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w)
        return false;
    if (w == m_cancel || m_cancel->isAncestorOf(w))
        return false;
    // A dialog the operation itself opened (a question, a message) takes its answer.
    QWidget *modal = QApplication::activeModalWidget();
    return !(modal && modal != m_window && w->window() == modal);
}
