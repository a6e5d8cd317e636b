// A prompt that answers from a script and records what it was shown. Unscripted questions
// are answered with No / cancel, so no test ever waits on a dialog.
#pragma once
#include "base/prompt.h"
#include <QQueue>
#include <QStringList>

class ScriptedPrompt : public Prompt
{
public:
    struct Shown
    {
        Icon icon;
        QString title;
        QString text;
    };

    ScriptedPrompt();
    ~ScriptedPrompt() override;

    QList<Shown> messages;
    QStringList asked;            // titles/labels of questions, inputs and file dialogs
    QStringList secret;           // labels of inputs asked with password echo
    QStringList prefilled;        // the text each input was opened with
    QQueue<bool> answers;         // for question() and questionDefaultNo()
    int enters = 0;               // unscripted questions answered with their default, as Enter does
    QStringList defaultNo;        // texts of the questions whose default answer is No
    QQueue<std::optional<QString>> texts;  // for getText()
    QQueue<QString> files;        // for openFileName() / saveFileName()
    QQueue<int> choices;          // for choice(); -1 (closed without an answer) when empty

    void message(Icon icon, const QString &title, const QString &text) override;
    bool question(const QString &title, const QString &text) override;
    bool questionDefaultNo(const QString &title, const QString &text) override;
    int choice(const QString &title, const QString &text, const QStringList &answers) override;
    std::optional<QString> getText(const QString &title, const QString &label, const QString &text,
                                   bool password) override;
    QString openFileName(const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter) override;
};
