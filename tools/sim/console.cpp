// A signal handler may only write a byte to a socket pair; the notifier on the other end
// brings it to the event loop. stdin that is /dev/null (a background job) is not watched.
#include "console.h"
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int signalPair[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    const ssize_t r = ::write(signalPair[0], &c, 1);
    (void)r;
}

// A pipe, a socket, a terminal or a file is read; /dev/null and other devices are not.
bool stdinCarriesCommands()
{
    struct stat st {};
    if (::fstat(STDIN_FILENO, &st) != 0)
        return false;
    if (S_ISCHR(st.st_mode))
        return ::isatty(STDIN_FILENO);
    return true;
}

} // namespace

Console::Console(bool readStdin, QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPair) == 0) {
        signalNote = std::make_unique<QSocketNotifier>(signalPair[1], QSocketNotifier::Read);
        connect(signalNote.get(), &QSocketNotifier::activated, this, &Console::readSignal);
        struct sigaction sa {};
        sa.sa_handler = onSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &sa, nullptr);
        sigaction(SIGINT, &sa, nullptr);
        sigaction(SIGHUP, &sa, nullptr);
    }
    if (readStdin && stdinCarriesCommands()) {
        input = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
        connect(input.get(), &QSocketNotifier::activated, this, &Console::readInput);
    }
}

Console::~Console()
{
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
    signalNote.reset();
    for (int &fd : signalPair) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void Console::readInput()
{
    char chunk[4096];
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        input->setEnabled(false);
        Q_EMIT ended();
        return;
    }
    buffer.append(chunk, int(n));
    int eol;
    while ((eol = buffer.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(buffer.left(eol)).trimmed();
        buffer.remove(0, eol + 1);
        if (!line.isEmpty())
            Q_EMIT command(line);
    }
}

void Console::readSignal()
{
    char c;
    const ssize_t r = ::read(signalPair[1], &c, 1);
    (void)r;
    Q_EMIT ended();
}
