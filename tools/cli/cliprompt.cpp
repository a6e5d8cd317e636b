#include "cliprompt.h"
#include "cli.h"

QStringList CliPrompt::takeMessages()
{
    QStringList m;
    m.swap(m_messages);
    return m;
}

void CliPrompt::message(Icon, const QString &title, const QString &text)
{
    const QString line = title.isEmpty() ? text : title + QStringLiteral(": ") + text;
    m_messages << line;
    Cli::err(line);
}

bool CliPrompt::question(const QString &title, const QString &text)
{
    Cli::err(QStringLiteral("%1: %2 (answered no)").arg(title, text));
    return false;
}

std::optional<QString> CliPrompt::getText(const QString &title, const QString &label, const QString &,
                                          bool)
{
    // The only text a link asks for is the bridge's access password.
    if (m_password)
        return m_password;
    Cli::err(QStringLiteral("%1: %2 not given (use --password)").arg(title, label.trimmed()));
    return std::nullopt;
}

QString CliPrompt::openFileName(const QString &, const QString &, const QString &) { return {}; }

QString CliPrompt::saveFileName(const QString &, const QString &, const QString &) { return {}; }
