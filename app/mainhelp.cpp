// The main window's buttons handed to its commands, the long presses that open the hex dump
// and the service menu, the help window and the language.
#include "app/maindialog.h"
#include "app/compareview.h"
#include "app/helpwindow.h"
#include "app/maincommands.h"
#include "app/setupdialog.h"
#include "base/prompt.h"
#include "base/resources.h"
#include "devices/devicecfg.h"
#include "devices/modeldiff.h"
#include "ui_maindialog.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMouseEvent>
#include <QRegularExpression>

namespace {

// After a long press the command is done: releasing the real button must no longer count as a click.
void releaseUnclicked(QWidget *button)
{
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(-5, -5), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(button, &release);
}

} // namespace

void MainDialog::load() { m_commands->load(); }

void MainDialog::save() { m_commands->saveToFile(); }

void MainDialog::saveOnDevice() { m_commands->saveOnDevice(); }

void MainDialog::compare() { m_commands->openCompare(); }

void MainDialog::compareWithFactory()
{
    if (!m_compare->isEnabled() || !ModelDiff::hasFactory(DeviceCfg::current()))
        return;
    if (CompareView *view = m_commands->openCompare())
        view->compareWithFactory();
}

void MainDialog::hexDump()
{
    releaseUnclicked(ui->butSave);
    m_commands->hexDump();
}

void MainDialog::sysMenu()
{
    releaseUnclicked(ui->butLoad);
    m_commands->serviceMenu(windowTitle());
}

QString MainDialog::dumpDir() const { return m_commands->dumpDir(); }

QList<QWidget *> MainDialog::ownWindows() const { return m_commands->ownWindows(); }

void MainDialog::showHelp(const QString &link)
{
    static const QRegularExpression lineRef(QStringLiteral("^#ln(\\d+)$"));
    static const QRegularExpression editRef(QStringLiteral("^#ed(\\d+)$"));
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return;
    QRegularExpressionMatch m = lineRef.match(link);
    if (m.hasMatch()) {
        const quint32 key = m.captured(1).toUInt();
        if (!m_helpWindow) {
            auto *help = new HelpWindow;
            help->setWindowTitle(windowTitle());
            help->resize(300, height());
            help->move(x() + frameGeometry().width(), y());
            connect(this, &QDialog::finished, help, &QWidget::close);
            connect(help, &QObject::destroyed, this, &MainDialog::clearHelp);
            connect(help, &HelpWindow::linkActivated, this, &MainDialog::showHelp);
            m_helpWindow = help;
            help->show();
        }
        m_helpWindow->showText(key, model->helpText(key), model->helpEditable());
        return;
    }
    m = editRef.match(link);
    if (m.hasMatch()) {
        const quint32 key = m.captured(1).toUInt();
        // Asked first: texts of another language are read again before the edit starts.
        const QString shown = model->helpText(key);
        const bool known = DeviceCfg::helpMap().contains(model->helpKey(key));
        auto *editor = new HelpEditor(tr("Edit help: %1").arg(model->parName(key)), known ? shown : QString(), this);
        editor->setAttribute(Qt::WA_DeleteOnClose);
        connect(editor, &QDialog::accepted, this, [this, editor, key] {
            DeviceCfg *current = DeviceCfg::current();
            if (!current)
                return;
            DeviceCfg::setHelpText(current->helpKey(key), editor->text().trimmed());
            current->saveHelp();
            if (m_helpWindow)
                m_helpWindow->showText(m_helpWindow->key(), current->helpText(m_helpWindow->key()),
                                       current->helpEditable());
        });
        editor->open();
        return;
    }
    if (link == QLatin1String("#save"))
        model->saveHelp();
}

void MainDialog::clearHelp() { m_helpWindow = nullptr; }

void MainDialog::setup()
{
    SetupDialog dialog(this, m_settings.value(QStringLiteral("lang"), QStringLiteral("bg")).toString());
    if (dialog.exec() != QDialog::Accepted)
        return;
    setLanguage(dialog.lang);
}

void MainDialog::setLanguage(const QString &code)
{
    m_settings.setValue(QStringLiteral("lang"), code);
    loadLanguage();
    redrawPage();
}

void MainDialog::loadLanguage()
{
    const QString code = m_settings.value(QStringLiteral("lang"), QStringLiteral("bg")).toString();
    // A missing translation leaves the translator empty: the built-in English texts.
    const bool translated = m_translator.load(resourcePath(QStringLiteral("Vandor_") + code));
    // Help texts and dates follow the texts' language.
    setTextLanguage(translated ? code : QStringLiteral("en"));
    // Qt's own dialogs and buttons in the same language, from the system's Qt translations.
    m_qtTranslator.load(QStringLiteral("qtbase_") + code, QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    setWindowTitle(tr("Vandor"));
}
