// vandor-cli: backups, pushing a known configuration and comparing dump files from the
// console, with the program's own links and models. No widgets are ever made.
#include "cli.h"
#include "clihost.h"
#include "climodels.h"
#include "cliprompt.h"
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstdio>

namespace {

// Whether the word after --usb is meant as its BUS:ADDR: one that looks like an address, or any
// word where the command takes no file of its own.
bool takesUsbAddress(const QString &command, const QString &next, const QRegularExpression &busAddr)
{
    if (next.startsWith(QLatin1Char('-')))
        return false;
    if (busAddr.match(next).hasMatch() || next.contains(QLatin1Char(':')))
        return true;
    static const QStringList withFile = {QStringLiteral("write"), QStringLiteral("hexdump"), QStringLiteral("diff"),
                                         QStringLiteral("apply")};
    return !withFile.contains(command);
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef SIGPIPE
    // A closed standard output is a write error the command reports, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vandor-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANDOR_VERSION));
    // The links' traces stay quiet unless QT_LOGGING_RULES asks for them. The window's own
    // log of what it tells the user (a snapshot that failed) is said here as the command's line.
    QLoggingCategory::setFilterRules(QStringLiteral("vandor.*.debug=false\nvandor.*.info=false\nvandor.app.warning=false"));

    // "--usb [BUS:ADDR]": the optional value goes to a hidden option of its own.
    QStringList args;
    const QStringList raw = app.arguments();
    const QRegularExpression busAddr(QStringLiteral("^\\d+:\\d+$"));
    for (int i = 0; i < raw.size(); ++i) {
        const QString &a = raw.at(i);
        if (a.startsWith(QLatin1String("--usb="))) {
            args << QStringLiteral("--usb") << QStringLiteral("--usb-device=") + a.mid(6);
        } else if (a == QLatin1String("--usb") && i + 1 < raw.size() && takesUsbAddress(raw.value(1), raw.at(i + 1), busAddr)) {
            // A malformed address is passed on too, so that it is refused for what it is.
            args << a << QStringLiteral("--usb-device=") + raw.at(++i);
        } else {
            args << a;
        }
    }
    const QString name = args.value(1);
    if (name.isEmpty()) {
        Cli::usage(stderr);
        return Cli::BadInput;
    }
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        Cli::usage(stdout);
        // Help that did not reach its reader (a full disk, a closed pipe) is no success.
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? Cli::Ok : Cli::BadInput;
    }
    if (name == QLatin1String("--version")) {
        std::printf("vandor-cli %s\n", VANDOR_VERSION);
        return Cli::Ok;
    }

    CliPrompt prompt;
    CliHost host;
    QObject owner;
    CliModels models(&owner);
    setPrompt(&prompt);
    setHost(&host);
    Cli::setContext({&prompt, &host, &models});

    int count = 0;
    const Cli::Command *list = Cli::commands(&count);
    int code = -1;
    for (int i = 0; i < count; ++i) {
        if (name == QLatin1String(list[i].name)) {
            QStringList rest = args.mid(2);
            rest.prepend(QStringLiteral("vandor-cli ") + name);
            code = list[i].run(rest);
            break;
        }
    }
    host.progress()->finish();
    setHost(nullptr);
    setPrompt(nullptr);
    if (code < 0)
        return Cli::fail(Cli::BadInput, QStringLiteral("unknown command \"%1\" (see vandor-cli --help)").arg(name));
    if ((std::fflush(stdout) != 0 || std::ferror(stdout) || Cli::outFailed()) && code != Cli::BadInput) {
        // A reader that went away (head, a closed pipe) wanted no more: no message for it.
        if (errno == EPIPE || Cli::outBrokenPipe())
            return Cli::BadInput;
        return Cli::fail(Cli::BadInput, QStringLiteral("writing to standard output failed"));
    }
    return code;
}
