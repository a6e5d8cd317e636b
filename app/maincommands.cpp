// The commands behind the main window's buttons: dumps, storing on the board, the long
// presses, the help window and the language.
#include "app/maindialog.h"
#include "base/boundedfile.h"
#include "app/compareview.h"
#include "app/helpwindow.h"
#include "base/logging.h"
#include "app/machines.h"
#include "base/prompt.h"
#include "base/resources.h"
#include "base/scale.h"
#include "app/setupdialog.h"
#include "devices/devicecfg.h"
#include "devices/fixedlayoutmodel.h"
#include "devices/modeldiff.h"
#include "devices/fixedimage.h"
#include "devices/imagefit.h"
#include "link/devio.h"
#include "app/sysdialog.h"
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
#include <QScreen>
#include <QScrollBar>
#include <QSaveFile>

void MainDialog::load()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model || !settleUnsavedEdits())
        return;
    const QString path = prompt()->openFileName(tr("Load configuration"), m_dumpDir,
                                                tr("Binary dump (*.bin)"));
    if (path.isEmpty())
        return;
    m_dumpDir = QFileInfo(path).absolutePath();
    QFile file(path);
    QString why;
    if (!openBoundedFile(&file, FileBounds::Dump, &why)) {
        prompt()->message(Prompt::Icon::Critical, tr("Load"), tr("Load failed") + QLatin1Char('\n') + why);
        return;
    }
    // A dump of another generation is not loaded without asking, onto a board or offline.
    if (!acceptDumpFit(model, file.peek(FixedImage::Size)))
        return;
    // What the board holds is kept before the file overwrites it, once the user agreed.
    if (m_session.connected()) {
        // No dump of any model comes near this size: a larger file is counted as a whole overwrite.
        constexpr qint64 Largest = 16 << 20;
        if (!confirmLoadOnBoard(model, path, file.size() <= Largest ? file.peek(file.size()) : QByteArray()))
            return;
        m_session.takeSnapshot();
    }
    if (!model->load(&file)) {
        prompt()->message(Prompt::Icon::Critical, tr("Load"),
                          tr("Invalid file format. The current configuration was not changed."));
        return;
    }
    file.close();
    refreshEditors();
    updateDevice();
    m_shown.kept();
    if (!m_session.connected()) {
        // The page is the file's now, whatever a read that failed left before it.
        m_session.fileLoaded(path);
        holdPage(false);
        showOfflineStatus();
    }
}

bool MainDialog::confirmLoadOnBoard(DeviceCfg *model, const QString &path, const QByteArray &bytes)
{
    const QString name = QFileInfo(path).fileName();
    DeviceCfg *comparable = ModelDiff::comparable(model);
    const bool dump = comparable && ModelDiff::isDump(comparable, bytes);
    // A fixed-layout model refuses the very files that are no dump of it: nothing to ask.
    if (!dump && qobject_cast<FixedLayoutModel *>(model))
        return true;
    QString text;
    if (dump) {
        const int n = ModelDiff::compare(comparable, bytes).size();
        text = tr("Load %1 onto the connected board? Values of the board's configuration that change: %2. "
                  "The board is kept in its history first.").arg(name, QString::number(n));
    } else {
        text = tr("Load %1 onto the connected board? It overwrites the board's whole configuration. "
                  "The board is kept in its history first.").arg(name);
    }
    return prompt()->confirm(tr("Load"), text, tr("Load"));
}

void MainDialog::save() { saveToFile(); }

bool MainDialog::saveToFile()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return false;
    QString path = prompt()->saveFileName(tr("Save configuration"), m_dumpDir,
                                                tr("Binary dump (*.bin)"));
    if (path.isEmpty())
        return false;
    // A name typed without an extension gets the one the load dialog looks for.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".bin");
    m_dumpDir = QFileInfo(path).absolutePath();
    // Written atomically: a failed save leaves the previous file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !model->save(&file) || !file.commit()) {
        file.cancelWriting();
        prompt()->message(Prompt::Icon::Critical, tr("Save"), tr("Save failed"));
        return false;
    }
    m_shown.kept();
    if (!m_session.connected()) {
        m_session.fileSaved(path);
        showOfflineStatus();
    }
    return true;
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
    if (!l || !m_session.connected() || !l->saveCfg()) {
        prompt()->message(Prompt::Icon::Critical, tr("Save"),
                          tr("The configuration was not stored in the board's memory: the board did not answer."));
        return false;
    }
    m_session.setUnstored(false);
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
    // Every machine of the board's kind, the connected one's snapshots first.
    const QList<Snapshot> history = m_session.connected() && m_session.machine()
        ? Machines().snapshotsOf(m_session.machine()->words, m_session.machine()->key) : QList<Snapshot>();
    auto *view = new CompareView(model, history, this);
    if (m_session.connected() && m_session.machine())
        view->setMachine(*m_session.machine());
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->beforeApply = [this] {
        if (m_session.connected())
            m_session.takeSnapshot();
    };
    view->afterApply = [this] {
        refreshEditors();
        if (m_session.connected())
            m_session.setUnstored(true);
        else
            markOfflineEdit();
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
    // Offsets count the bytes of an image; a model without one gives a text of its own.
    const QString dump = model->hexDump();
    const QString text = model->image() ? withOffsets(dump) : dump;
    view->setPlainText(text);
    // As wide as a whole row, as far as the screen allows.
    const QFontMetrics metrics(view->font());
    int widest = 0;
    for (const QString &row : text.split(QLatin1Char('\n')))
        widest = qMax(widest, metrics.horizontalAdvance(row));
    int width = widest + 2 * view->frameWidth() + 2 * int(view->document()->documentMargin())
        + view->verticalScrollBar()->sizeHint().width() + scaled(4);
    if (const QScreen *screen = this->screen())
        width = qMin(width, screen->availableGeometry().width());
    view->resize(qMax(width, scaled(320)), scaled(480));
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

void MainDialog::runServiceMenu()
{
    auto *menu = new SysDialog(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->open();
}
