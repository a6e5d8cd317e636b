// The one way code below the main window talks to the user: message boxes, input and file dialogs.
// The main window installs a Qt implementation; tests and tools install scripted or silent ones.
#pragma once
#include <QString>
#include <QStringList>
#include <optional>

class Prompt
{
public:
    enum class Icon { Information, Warning, Critical };

    virtual ~Prompt() = default;

    // A message box with an OK button.
    virtual void message(Icon icon, const QString &title, const QString &text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(const QString &title, const QString &text) = 0;
    // A Yes/No question about a step that is hard to take back: No is the default answer (the
    // one Enter gives). true for Yes. Without a way to show the default: question().
    virtual bool questionDefaultNo(const QString &title, const QString &text);
    // A line of text; no value when cancelled.
    virtual std::optional<QString> getText(const QString &title, const QString &label,
                                           const QString &text = QString(), bool password = false) = 0;
    // One of several answers, given in order with the cancelling one last: the index of the
    // answer, or -1 when the box was closed without one. Without a way to ask: -1.
    virtual int choice(const QString &title, const QString &text, const QStringList &answers);
    // An action that overwrites what the user has: the action and Cancel, Cancel the default
    // (Enter cancels). True for the action. The base asks through choice().
    virtual bool confirm(const QString &title, const QString &text, const QString &action);
    // A file to open or to save to; empty when cancelled.
    virtual QString openFileName(const QString &caption, const QString &dir, const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &dir, const QString &filter) = 0;
};

// The installed prompt. Never null: without an installed one, a silent prompt that
// logs messages and cancels every question is used, so nothing ever blocks.
Prompt *prompt();
// Installs p (not owned); nullptr goes back to the silent prompt.
void setPrompt(Prompt *p);
