#include "app/qtprompt.h"
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
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
