// The prompt of the console tool: every message is one line on standard error, questions are
// answered No, and the one text it can answer is the bridge's access password.
#pragma once
#include "base/prompt.h"
#include <QStringList>

class CliPrompt : public Prompt
{
public:
    // The answer to a password request; unset: such requests are cancelled.
    void setPassword(const std::optional<QString> &password) { m_password = password; }
    // Messages shown since the last call, oldest first.
    QStringList takeMessages();

    void message(Icon icon, const QString &title, const QString &text) override;
    bool question(const QString &title, const QString &text) override;
    std::optional<QString> getText(const QString &title, const QString &label, const QString &text,
                                   bool password) override;
    QString openFileName(const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter) override;

private:
    std::optional<QString> m_password;
    QStringList m_messages;
};
