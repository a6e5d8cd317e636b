// Ends the program cleanly on SIGTERM, SIGINT and SIGHUP: the signal reaches the event loop, the
// link operation under way is cancelled, open dialogs are closed the way a user closes them (a
// relay test switches its relays off), then the event loop quits. A second signal ends the
// program at once.
#pragma once
#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

class QuitSignals : public QObject
{
    Q_OBJECT
public:
    // Installs the handlers; one instance at a time. quit runs once the dialogs are closed.
    explicit QuitSignals(std::function<void()> quit, QObject *parent = nullptr);
    ~QuitSignals() override;

    // Rejects every visible dialog but keep, innermost first, so that each runs its own end.
    static void closeDialogs(const QWidget *keep);
    void setKeep(const QWidget *keep) { m_keep = keep; }

Q_SIGNALS:
    // A signal arrived (before the dialogs are closed).
    void received(int signal);

private:
    void readSignal();
    void end(int round);

    std::function<void()> m_quit;
    const QWidget *m_keep = nullptr;
    std::unique_ptr<QSocketNotifier> m_note;
    bool m_ending = false;
};
