// vandor-cli: backups, pushing a known configuration and comparing dump files from the
// console, with the program's own links and models. No widgets are ever made.
#include "cli.h"
#include "clihost.h"
#include "climodels.h"
#include "cliprompt.h"
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <cstdio>

namespace Cli {

namespace {

const Command table[] = {
    {"hexdump", "FILE --model TITLE", "Prints a dump file as the program's hex dump, after its checks.",
     runHexdump},
    {"diff", "A B --model TITLE",
     "Lists every parameter that differs between two dump files, one line each: address, "
     "[group], label, and both values. Exit status 0 when equal, 1 when different, 2 on error.",
     runDiff},
    {"discover", "[--timeout MS] [--password PW] [--no-usb]",
     "Lists every board found on USB, on the UDP bridge path and behind network bridges, one line "
     "each: link, name, identity words and model. Exit status 1 when none is found or one does not open.",
     runDiscover},
    {"info", "LINK", "Prints the board's link, name, identity words and model.", runInfo},
    {"read", "LINK -o FILE", "Reads the whole configuration and saves it as the model's dump file.", runRead},
    {"write", "LINK FILE [--store]",
     "Checks a dump file, writes it to the board and reads it back to verify; --store then saves it "
     "in the board's memory.",
     runWrite},
    {"store", "LINK", "Stores the board's working configuration in its memory (saveCfg).", runStore},
};

void usage(FILE *to)
{
    std::fprintf(to, "Usage: vandor-cli COMMAND [options]\n\nCommands:\n");
    for (const Command &c : table)
        std::fprintf(to, "  %-8s %s %s\n", c.name, c.name, c.synopsis);
    std::fprintf(to, "\nLINK is --usb [BUS:ADDR], --udp HOST[:PORT] or --tcp HOST[:PORT] [--bridge --password PW].\n"
                     "'vandor-cli COMMAND --help' describes a command.\n");
}

} // namespace

const Command *commands(int *count)
{
    *count = int(sizeof table / sizeof table[0]);
    return table;
}

} // namespace Cli

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vandor-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANDOR_VERSION));
    // The links' traces stay quiet unless QT_LOGGING_RULES asks for them.
    QLoggingCategory::setFilterRules(QStringLiteral("vandor.*.debug=false\nvandor.*.info=false"));

    // "--usb [BUS:ADDR]": the optional value goes to a hidden option of its own.
    QStringList args;
    const QStringList raw = app.arguments();
    const QRegularExpression busAddr(QStringLiteral("^\\d+:\\d+$"));
    for (int i = 0; i < raw.size(); ++i) {
        const QString &a = raw.at(i);
        if (a.startsWith(QLatin1String("--usb="))) {
            args << QStringLiteral("--usb") << QStringLiteral("--usb-device=") + a.mid(6);
        } else if (a == QLatin1String("--usb") && i + 1 < raw.size() && busAddr.match(raw.at(i + 1)).hasMatch()) {
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
        return Cli::Ok;
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
    return code;
}
