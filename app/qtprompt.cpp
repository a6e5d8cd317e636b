#include "app/qtprompt.h"
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

// Texts carry board names and file names: shown as they are, never as markup.
static void plainBox(QMessageBox *box)
{
    box->setTextFormat(Qt::PlainText);
}

void QtPrompt::message(Icon icon, const QString &title, const QString &text)
{
    const QMessageBox::Icon shown = icon == Icon::Information ? QMessageBox::Information
                                    : icon == Icon::Warning   ? QMessageBox::Warning
                                                              : QMessageBox::Critical;
    QMessageBox box(shown, title, text, QMessageBox::Ok, m_parent);
    plainBox(&box);
    box.exec();
}

bool QtPrompt::question(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    plainBox(&box);
    return box.exec() == QMessageBox::Yes;
}

bool QtPrompt::questionDefaultNo(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    plainBox(&box);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int QtPrompt::choice(const QString &title, const QString &text, const QStringList &answers)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, m_parent);
    plainBox(&box);
    QList<QAbstractButton *> buttons;
    for (int i = 0; i < answers.size(); ++i) {
        const bool last = i == answers.size() - 1;
        buttons << box.addButton(answers.at(i), last ? QMessageBox::RejectRole
                                                     : i == 0 ? QMessageBox::AcceptRole : QMessageBox::DestructiveRole);
        if (last)
            box.setEscapeButton(buttons.last());
    }
    if (!buttons.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton *>(buttons.first()));
    box.exec();
    return buttons.indexOf(box.clickedButton());
}

bool QtPrompt::confirm(const QString &title, const QString &text, const QString &action)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Cancel, m_parent);
    plainBox(&box);
    QAbstractButton *go = box.addButton(action, QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == go;
}

std::optional<QString> QtPrompt::getText(const QString &title, const QString &label,
                                         const QString &text, bool password)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(m_parent, title, label,
                                                 password ? QLineEdit::Password : QLineEdit::Normal,
                                                 text, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

QString QtPrompt::openFileName(const QString &caption, const QString &dir, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, dir, filter);
}

QString QtPrompt::saveFileName(const QString &caption, const QString &dir, const QString &filter)
{
    QFileDialog dialog(m_parent, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without extension gets the filter's, as the open dialog will look for it.
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    if (m.hasMatch())
        dialog.setDefaultSuffix(m.captured(1));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
