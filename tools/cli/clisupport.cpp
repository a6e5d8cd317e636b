// Output, failures and the per-command parser of vandor-cli.
#include "cli.h"
#include <cerrno>
#include <cstdio>

namespace Cli {

const char *const ExitHelp = "Exit status: 0 done, 1 the board or link failed, 2 usage or file errors.";

namespace {
Context s_context;
Lines *s_capture = nullptr;
bool s_outFailed = false;
bool s_brokenPipe = false;

void outError()
{
    s_outFailed = true;
    s_brokenPipe = s_brokenPipe || errno == EPIPE;
}
}

bool outFailed() { return s_outFailed; }
bool outBrokenPipe() { return s_brokenPipe; }

void outBytes(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size())
        || std::fflush(stdout) != 0)
        outError();
}

void captureLines(Lines *into) { s_capture = into; }

const Context &context() { return s_context; }

void setContext(const Context &c) { s_context = c; }

const Command &command(const char *name)
{
    int n = 0;
    const Command *list = commands(&n);
    for (int i = 0; i < n; ++i) {
        if (qstrcmp(list[i].name, name) == 0)
            return list[i];
    }
    return list[0];
}

// Board names and version texts come from the peer: control characters in them are shown as
// \xNN escapes, so that a name cannot clear or recolour the terminal.
QString printable(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const ushort u = c.unicode();
        const bool control = (u < 0x20 && u != '\n' && u != '\t') || (u >= 0x7f && u < 0xa0);
        if (control)
            shown += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

void out(const QString &raw)
{
    const QString line = printable(raw);
    if (s_capture) {
        s_capture->out << line;
        return;
    }
    if (std::fputs(line.toUtf8().constData(), stdout) < 0 || std::fputc('\n', stdout) == EOF)
        outError();
}

void err(const QString &line)
{
    QString one = printable(line);
    one.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (s_capture) {
        s_capture->err << one;
        return;
    }
    std::fflush(stdout);
    std::fprintf(stderr, "vandor-cli: %s\n", one.toUtf8().constData());
    std::fflush(stderr);
}

int fail(int code, const QString &text)
{
    err(text);
    return code;
}

Parser::Parser(const Command &command, const char *exitHelp)
    : m_command(command), m_exitHelp(exitHelp ? exitHelp : ExitHelp)
{
    setApplicationDescription(QString::fromUtf8(command.summary));
    setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    addHelpOption();
}

int Parser::parse(const QStringList &args, int minPositional, int maxPositional)
{
    if (!QCommandLineParser::parse(args))
        return fail(BadInput, QStringLiteral("%1: %2 (see vandor-cli %1 --help)")
                                  .arg(QString::fromUtf8(m_command.name), errorText()));
    // Every help option only prints help: the command never runs with one.
    const QStringList given = optionNames();
    if (given.contains(QLatin1String("help")) || given.contains(QLatin1String("h"))
        || given.contains(QLatin1String("help-all")) || given.contains(QLatin1String("?"))) {
        // The parser's own usage line names the executable only; give the command's.
        QString text = helpText();
        text = text.mid(text.indexOf(QLatin1Char('\n')) + 1);
        std::fprintf(stdout, "Usage: vandor-cli %s %s\n%s\n%s\n", m_command.name, m_command.synopsis,
                     text.toUtf8().constData(), m_exitHelp);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? Ok : BadInput;
    }
    const int n = positionalArguments().size();
    if (n < minPositional || n > maxPositional)
        return fail(BadInput, QStringLiteral("%1: expected %2 (see vandor-cli %1 --help)")
                                  .arg(QString::fromUtf8(m_command.name), QString::fromUtf8(m_command.synopsis)));
    return -1;
}

int intValue(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok && v >= 0 ? v : -1;
}

} // namespace Cli
