#include "base/prompt.h"
#include "base/logging.h"
#include <QCoreApplication>

int Prompt::choice(const QString &, const QString &, const QStringList &) { return -1; }

bool Prompt::confirm(const QString &title, const QString &text, const QString &action)
{
    return choice(title, text, {action, QCoreApplication::translate("Prompt", "Cancel")}) == 0;
}

bool Prompt::questionDefaultNo(const QString &title, const QString &text) { return question(title, text); }

namespace {

class SilentPrompt : public Prompt
{
public:
    void message(Icon, const QString &title, const QString &text) override
    {
        qCInfo(lcApp, "%s: %s", qPrintable(title), qPrintable(text));
    }
    bool question(const QString &, const QString &) override { return false; }
    std::optional<QString> getText(const QString &, const QString &, const QString &, bool) override
    {
        return std::nullopt;
    }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
};

SilentPrompt s_silent;
Prompt *s_prompt = nullptr;

} // namespace

Prompt *prompt() { return s_prompt ? s_prompt : &s_silent; }

void setPrompt(Prompt *p) { s_prompt = p; }
