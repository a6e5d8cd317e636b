// The commands behind the main window's buttons: dumps, storing on the board, the long
// presses, the help window and the language.
#include "app/maindialog.h"
#include "app/compareview.h"
#include "app/logging.h"
#include "app/prompt.h"
#include "app/resources.h"
#include "app/scale.h"
#include "app/setupdialog.h"
#include "devices/devicecfg.h"
#include "devices/fixedlayoutmodel.h"
#include "devices/modeldiff.h"
#include "devices/fixedimage.h"
#include "devices/imagefit.h"
#include "link/devio.h"
#include "link/sysdialog.h"
#include "ui_maindialog.h"
#include <QBuffer>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextEdit>
#include <QVBoxLayout>

void MainDialog::load()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return;
    const QString path = prompt()->openFileName(tr("Load configuration"), m_dumpDir,
                                                tr("Binary dump (*.bin)"));
    if (path.isEmpty())
        return;
    m_dumpDir = QFileInfo(path).absolutePath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        prompt()->message(Prompt::Icon::Critical, tr("Load"), tr("Load failed"));
        return;
    }
    // A dump of another generation is not sent to a connected board without asking.
    if (!scanEnabled && !acceptDumpFit(model, file.peek(FixedImage::Size)))
        return;
    // What the board holds is kept before the file overwrites it.
    if (m_connected)
        takeSnapshot();
    if (!model->load(&file)) {
        prompt()->message(Prompt::Icon::Critical, tr("Load"),
                          tr("Invalid file format. The current configuration was not changed."));
        return;
    }
    file.close();
    refreshEditors();
    updateDevice();
}

void MainDialog::save()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return;
    QString path = prompt()->saveFileName(tr("Save configuration"), m_dumpDir,
                                                tr("Binary dump (*.bin)"));
    if (path.isEmpty())
        return;
    // A name typed without an extension gets the one the load dialog looks for.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".bin");
    m_dumpDir = QFileInfo(path).absolutePath();
    // Written atomically: a failed save leaves the previous file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !model->save(&file) || !file.commit()) {
        file.cancelWriting();
        prompt()->message(Prompt::Icon::Critical, tr("Save"), tr("Save failed"));
    }
}

void MainDialog::saveOnDevice()
{
    if (!prompt()->question(tr("Save"), tr("Save configuration to device memory?")))
        return;
    storeOnBoard();
}

bool MainDialog::storeOnBoard()
{
    DevIo *l = link();
    if (!l || !m_connected || !l->saveCfg()) {
        prompt()->message(Prompt::Icon::Critical, tr("Save"),
                          tr("The configuration was not stored in the board's memory: the board did not answer."));
        return false;
    }
    setUnstored(false);
    return true;
}

void MainDialog::compare() { openCompare(); }

void MainDialog::compareWithFactory()
{
    if (!m_compare->isEnabled() || !ModelDiff::hasFactory(DeviceCfg::current()))
        return;
    if (CompareView *view = openCompare())
        view->compareWithFactory();
}

CompareView *MainDialog::openCompare()
{
    DeviceCfg *model = ModelDiff::comparable(DeviceCfg::current());
    if (!model)
        return nullptr;
    const QList<Snapshot> history = m_connected ? BoardHistory(currentOrigin()).list() : QList<Snapshot>();
    auto *view = new CompareView(model, history, this);
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->beforeApply = [this] {
        if (m_connected)
            takeSnapshot();
    };
    view->afterApply = [this] {
        refreshEditors();
        if (m_connected)
            setUnstored(true);
    };
    view->applyWhole = [this, model](const QByteArray &image) {
        QBuffer buffer;
        buffer.setData(image);
        if (buffer.open(QIODevice::ReadOnly) && model->load(&buffer))
            updateDevice();
    };
    m_ownWindows.append(view);
    view->show();
    return view;
}

// Each line of a dump led by the offset of its first byte (bytes written as "0x.." tokens).
static QString withOffsets(const QString &dump)
{
    const QStringList lines = dump.split(QLatin1Char('\n'));
    QStringList out;
    int offset = 0;
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        out << QStringLiteral("%1:  %2").arg(offset, 4, 16, QLatin1Char('0')).arg(line.trimmed());
        offset += line.split(QLatin1Char(' '), Qt::SkipEmptyParts).size();
    }
    return out.join(QLatin1Char('\n'));
}

void MainDialog::hexDump()
{
    // Releasing the real button must no longer count as a click.
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(-5, -5), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(ui->butSave, &release);
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return;
    auto *view = new QPlainTextEdit;
    view->setObjectName(QStringLiteral("hexDumpView"));
    view->setWindowTitle(tr("Hex dump: %1").arg(model->title()));
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->setReadOnly(true);
    // One row per line, each with its offset: never wrapped.
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    view->setFont(mono);
    m_ownWindows.append(view);
    view->setPlainText(withOffsets(model->hexDump()));
    view->resize(scaled(640), scaled(480));
    view->show();
}

void MainDialog::sysMenu()
{
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(-5, -5), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(ui->butLoad, &release);
    const std::optional<QString> code = prompt()->getText(windowTitle(), QStringLiteral("pw:"), QString(), true);
    if (code && *code == QLatin1String(serviceCode()))
        runServiceMenu();
}

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
            auto *help = new QLabel(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
            help->setObjectName(QStringLiteral("helpWindow"));
            help->setAttribute(Qt::WA_DeleteOnClose);
            help->setWindowTitle(windowTitle());
            help->resize(300, height());
            help->move(x() + frameGeometry().width(), y());
            help->setAlignment(Qt::AlignTop | Qt::AlignLeft);
            help->setTextFormat(Qt::RichText);
            help->setWordWrap(true);
            connect(this, &QDialog::finished, help, &QWidget::close);
            connect(help, &QObject::destroyed, this, &MainDialog::clearHelp);
            connect(help, &QLabel::linkActivated, this, &MainDialog::showHelp);
            m_helpWindow = help;
            help->show();
        }
        m_helpWindow->setText(model->helpText(key));
        return;
    }
    m = editRef.match(link);
    if (m.hasMatch()) {
        const quint32 key = m.captured(1).toUInt();
        QDialog dialog(this);
        auto *layout = new QVBoxLayout(&dialog);
        auto *editor = new QTextEdit(&dialog);
        editor->setAcceptRichText(false);
        editor->setPlainText(model->helpText(key));
        layout->addWidget(editor);
        dialog.exec();
        DeviceCfg::setHelpText(key, editor->toPlainText());
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
    m_translator.load(resourcePath(QStringLiteral("Vandor_") + code));
    // Qt's own dialogs and buttons in the same language, from the system's Qt translations.
    m_qtTranslator.load(QStringLiteral("qtbase_") + code, QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    setWindowTitle(tr("Vandor"));
}

void MainDialog::runServiceMenu()
{
    auto *menu = new SysDialog(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->open();
}
