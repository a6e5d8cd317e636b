// Ending the link operation under way (a read, a write of everything, a firmware update) before
// its end: its wait for an answer ends at once and its later exchanges fail unsent.
#pragma once
#include <QEventLoop>
#include <QObject>

class LinkCancel : public QObject
{
    Q_OBJECT
public:
    static LinkCancel *instance();

    // Cancels the operation under way; outside one it does nothing.
    static void request();
    // True from a request until the operation ends: exchanges then fail without being sent,
    // and failures then say nothing about the board.
    static bool requested();

    // How a link's wait runs the event loop: without user input, unless a gate lets the input
    // that may cancel through (the window's Cancel button).
    static QEventLoop::ProcessEventsFlags waitFlags();
    static void setInputGated(bool on);

    // Held for the length of one operation; operations may nest, the outermost counts.
    class Operation
    {
    public:
        Operation();
        ~Operation();
        Operation(const Operation &) = delete;
        Operation &operator=(const Operation &) = delete;
    };
    static bool operationRunning();

Q_SIGNALS:
    // A request arrived: every wait ends.
    void cancelled();
};
