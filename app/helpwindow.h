// The help window beside the main window, with the command that edits the text it shows, and
// the dialog a help text is edited in.
#pragma once
#include <QDialog>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    HelpWindow();

    // Shows the help text of the value named key; editable offers the Edit command.
    void showText(quint32 key, const QString &text, bool editable);
    quint32 key() const { return m_key; }
    QString text() const;

Q_SIGNALS:
    // A link in the text, or "#ed" + the key when Edit is pressed.
    void linkActivated(const QString &link);

private:
    QLabel *m_text = nullptr;
    QPushButton *m_edit = nullptr;
    quint32 m_key = 0;
};

class HelpEditor : public QDialog
{
    Q_OBJECT
public:
    HelpEditor(const QString &title, const QString &text, QWidget *parent);

    QString text() const;

private:
    QPlainTextEdit *m_edit = nullptr;
};
