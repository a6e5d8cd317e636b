// Output, failures and the per-command parser of vandor-cli.
#include "cli.h"
#include <cstdio>

namespace Cli {

namespace {
Context s_context;
Lines *s_capture = nullptr;
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

void out(const QString &line)
{
    if (s_capture) {
        s_capture->out << line;
        return;
    }
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

void err(const QString &line)
{
    QString one = line;
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

Parser::Parser(const Command &command) : m_command(command)
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
    if (isSet(QStringLiteral("help"))) {
        // The parser's own usage line names the executable only; give the command's.
        QString text = helpText();
        text = text.mid(text.indexOf(QLatin1Char('\n')) + 1);
        std::fprintf(stdout, "Usage: vandor-cli %s %s\n%s", m_command.name, m_command.synopsis,
                     text.toUtf8().constData());
        return Ok;
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
