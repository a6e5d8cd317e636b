// The prompt the program uses: standard Qt message boxes, input and file dialogs.
#pragma once
#include "base/prompt.h"

class QWidget;

class QtPrompt : public Prompt
{
public:
    explicit QtPrompt(QWidget *parent) : m_parent(parent) {}

    void message(Icon icon, const QString &title, const QString &text) override;
    bool question(const QString &title, const QString &text) override;
    bool questionDefaultNo(const QString &title, const QString &text) override;
    int choice(const QString &title, const QString &text, const QStringList &answers) override;
    bool confirm(const QString &title, const QString &text, const QString &action) override;
    std::optional<QString> getText(const QString &title, const QString &label, const QString &text,
                                   bool password) override;
    QString openFileName(const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter) override;

private:
    QWidget *m_parent;
};
