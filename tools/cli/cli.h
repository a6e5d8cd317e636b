// What every subcommand of vandor-cli shares: its entry in the command table, exit codes,
// the two output streams and the per-command option parser.
#pragma once
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>

class CliPrompt;
class CliHost;
class CliModels;

namespace Cli {

// Exit codes: scripts tell "the board or link failed" from "what I was given is wrong".
enum Exit {
    Ok = 0,
    Failed = 1,   // a board, link or transfer failed (diff: the dumps differ)
    BadInput = 2, // usage errors, unreadable or corrupt files, unknown models (diff: any error)
};
// The exit status paragraph of the board commands' --help.
extern const char *const ExitHelp;

struct Command
{
    const char *name;
    const char *synopsis; // after "vandor-cli <name> "
    const char *summary;
    int (*run)(const QStringList &args); // args[0] is "vandor-cli <name>"
};

// The table of subcommands, in the order --help lists them.
const Command *commands(int *count);
// The entry of the named command.
const Command &command(const char *name);
// The list of commands, for "vandor-cli --help" and a call without one.
void usage(FILE *to);

// One line on standard output / standard error (prefixed "vandor-cli: ").
void out(const QString &line);
void err(const QString &line);
// Raw bytes on standard output (a dump written with -o -).
void outBytes(const QByteArray &bytes);
// True once writing standard output failed; main() then ends with BadInput.
bool outFailed();
// Standard output failed because its reader went away (a closed pipe).
bool outBrokenPipe();
// Collects the lines of out() and err() instead of printing them, for tests that run
// commands in-process; null prints them again.
struct Lines
{
    QStringList out;
    QStringList err;
};
void captureLines(Lines *into);
// err(text), then the code: `return fail(BadInput, ...)`.
int fail(int code, const QString &text);

// A parser for one subcommand with --help. parse() answers -1 to go on, or the exit code to
// return at once (help printed, or a usage error reported).
class Parser : public QCommandLineParser
{
public:
    // exitHelp: the exit status paragraph shown after the options (null: ExitHelp).
    explicit Parser(const Command &command, const char *exitHelp = nullptr);
    // Positional arguments must number between minPositional and maxPositional.
    int parse(const QStringList &args, int minPositional, int maxPositional);

private:
    const Command &m_command;
    const char *m_exitHelp;
};

// A non-negative integer option value, or -1 when it is not one.
int intValue(const QString &text);

// What main() makes once for every command.
struct Context
{
    CliPrompt *prompt = nullptr;
    CliHost *host = nullptr;
    CliModels *models = nullptr;
};
const Context &context();
void setContext(const Context &c);

// The subcommands.
int runHexdump(const QStringList &args);
int runDiff(const QStringList &args);
int runDiscover(const QStringList &args);
int runInfo(const QStringList &args);
int runRead(const QStringList &args);
int runWrite(const QStringList &args);
int runStore(const QStringList &args);
int runHistory(const QStringList &args);
int runBackup(const QStringList &args);
int runApply(const QStringList &args);
int runFirmware(const QStringList &args);

} // namespace Cli
