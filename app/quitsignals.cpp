// A signal handler may only write a byte to a socket pair; the notifier on the other end
// brings the signal to the event loop.
#include "app/quitsignals.h"
#include "base/logging.h"
#include "link/devio.h"
#include "link/linkcancel.h"
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPair[2] = {-1, -1};
const int quitSignals[] = {SIGTERM, SIGINT, SIGHUP};
volatile sig_atomic_t signalsReceived = 0;

void onSignal(int signal)
{
    // A second signal means now: whatever the first one still waits for.
    if (signalsReceived++ > 0)
        ::_exit(128 + signal);
    const char c = char(signal);
    const ssize_t r = ::write(signalPair[0], &c, 1);
    (void)r;
}

} // namespace

QuitSignals::QuitSignals(std::function<void()> quit, QObject *parent) : QObject(parent), m_quit(std::move(quit))
{
    if (signalPair[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPair) != 0) {
        qCDebug(lcApp, "Quit signals are not handled");
        return;
    }
    signalsReceived = 0;
    m_note = std::make_unique<QSocketNotifier>(signalPair[1], QSocketNotifier::Read);
    connect(m_note.get(), &QSocketNotifier::activated, this, &QuitSignals::readSignal);
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : quitSignals)
        sigaction(s, &sa, nullptr);
}

QuitSignals::~QuitSignals()
{
    if (!m_note)
        return;
    for (int s : quitSignals)
        signal(s, SIG_DFL);
    m_note.reset();
    for (int &fd : signalPair) {
        ::close(fd);
        fd = -1;
    }
}

void QuitSignals::readSignal()
{
    char c = 0;
    if (::read(signalPair[1], &c, 1) != 1 || m_ending)
        return;
    m_ending = true;
    qCDebug(lcApp, "Signal %d: ending", int(c));
    Q_EMIT received(int(c));
    // The link operation under way ends at once; the dialogs' own ends then run as usual.
    LinkCancel::request();
    end(0);
}

void QuitSignals::end(int round)
{
    // A dialog closed while the link waits for an answer could not send its last commands
    // (the relays off): wait for the exchange to end, a bounded number of times.
    DevIo *link = currentLink();
    if (link && link->exchanging() && round < 250) {
        QTimer::singleShot(20, this, [this, round] { end(round + 1); });
        return;
    }
    closeDialogs(m_keep);
    if (m_quit)
        m_quit();
}

void QuitSignals::closeDialogs(const QWidget *keep)
{
    // A dialog's own end may open or close others: bounded rounds, one dialog at a time.
    for (int round = 0; round < 32; ++round) {
        QDialog *inner = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *d = qobject_cast<QDialog *>(w);
            if (!d || d == keep || !d->isVisible())
                continue;
            // Innermost first: a dialog whose own dialogs are all closed.
            bool hasOpenChild = false;
            for (QDialog *c : d->findChildren<QDialog *>())
                hasOpenChild = hasOpenChild || (c->isVisible() && c->isWindow());
            if (!hasOpenChild) {
                inner = d;
                break;
            }
        }
        if (!inner)
            return;
        inner->reject();
    }
}
