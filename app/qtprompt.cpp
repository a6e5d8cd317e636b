#include "app/qtprompt.h"
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

void QtPrompt::message(Icon icon, const QString &title, const QString &text)
{
    switch (icon) {
    case Icon::Information:
        QMessageBox::information(m_parent, title, text, QMessageBox::Ok);
        break;
    case Icon::Warning:
        QMessageBox::warning(m_parent, title, text, QMessageBox::Ok);
        break;
    case Icon::Critical:
        QMessageBox::critical(m_parent, title, text, QMessageBox::Ok);
        break;
    }
}

bool QtPrompt::question(const QString &title, const QString &text)
{
    return QMessageBox::question(m_parent, title, text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

int QtPrompt::choice(const QString &title, const QString &text, const QStringList &answers)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, m_parent);
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
