#include "scriptedprompt.h"

ScriptedPrompt::ScriptedPrompt() { setPrompt(this); }

ScriptedPrompt::~ScriptedPrompt()
{
    if (prompt() == this)
        setPrompt(nullptr);
}

void ScriptedPrompt::message(Icon icon, const QString &title, const QString &text)
{
    messages.append({icon, title, text});
}

bool ScriptedPrompt::question(const QString &title, const QString &text)
{
    asked.append(title + QLatin1Char('|') + text);
    if (answers.isEmpty() && enters > 0) {
        --enters;
        return true; // a plain question's default is Yes
    }
    return answers.isEmpty() ? false : answers.dequeue();
}

bool ScriptedPrompt::questionDefaultNo(const QString &title, const QString &text)
{
    asked.append(title + QLatin1Char('|') + text);
    defaultNo.append(text);
    if (answers.isEmpty() && enters > 0) {
        --enters;
        return false;
    }
    return answers.isEmpty() ? false : answers.dequeue();
}

int ScriptedPrompt::choice(const QString &title, const QString &text, const QStringList &answers)
{
    asked.append(title + QLatin1Char('|') + text + QLatin1Char('|') + answers.join(QLatin1Char('|')));
    return choices.isEmpty() ? -1 : choices.dequeue();
}

std::optional<QString> ScriptedPrompt::getText(const QString &title, const QString &label, const QString &text,
                                               bool password)
{
    asked.append(title + QLatin1Char('|') + label);
    prefilled.append(text);
    if (password)
        secret.append(label);
    return texts.isEmpty() ? std::nullopt : texts.dequeue();
}

QString ScriptedPrompt::openFileName(const QString &caption, const QString &, const QString &)
{
    asked.append(caption);
    return files.isEmpty() ? QString() : files.dequeue();
}

QString ScriptedPrompt::saveFileName(const QString &caption, const QString &, const QString &)
{
    asked.append(caption);
    return files.isEmpty() ? QString() : files.dequeue();
}
