// The commands behind the main window's buttons: dump files, storing on the board, the hex
// dump, the service menu and the compare view.
#include "app/maincommands.h"
#include "app/compareview.h"
#include "app/machines.h"
#include "app/maindialog.h"
#include "app/session.h"
#include "app/sysdialog.h"
#include "base/boundedfile.h"
#include "base/prompt.h"
#include "base/resources.h"
#include "base/scale.h"
#include "devices/devicecfg.h"
#include "devices/fixedimage.h"
#include "devices/fixedlayoutmodel.h"
#include "devices/imagefit.h"
#include "devices/modeldiff.h"
#include "link/devio.h"
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>

namespace {

// Texts the commands had while they were part of the window keep the window's translations.
QString windowText(const char *text) { return QCoreApplication::translate("MainDialog", text); }

// Each line of a dump led by the offset of its first byte (bytes written as "0x.." tokens).
QString withOffsets(const QString &dump)
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

} // namespace

MainCommands::MainCommands(MainDialog *window, Session *session)
    : QObject(window), m_window(window), m_session(session), m_dumpDir(startFolder())
{
}

void MainCommands::load()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model || !m_window->settleUnsavedEdits())
        return;
    const QString path = prompt()->openFileName(windowText("Load configuration"), m_dumpDir,
                                                windowText("Binary dump (*.bin)"));
    if (path.isEmpty())
        return;
    m_dumpDir = QFileInfo(path).absolutePath();
    QFile file(path);
    QString why;
    if (!openBoundedFile(&file, FileBounds::Dump, &why)) {
        prompt()->message(Prompt::Icon::Critical, windowText("Load"), windowText("Load failed") + QLatin1Char('\n') + why);
        return;
    }
    // A dump of another generation is not loaded without asking, onto a board or offline.
    if (!acceptDumpFit(model, file.peek(FixedImage::Size)))
        return;
    // What the board holds is kept before the file overwrites it, once the user agreed.
    if (m_session->connected()) {
        // No dump of any model comes near this size: a larger file is counted as a whole overwrite.
        constexpr qint64 Largest = 16 << 20;
        if (!confirmLoadOnBoard(model, path, file.size() <= Largest ? file.peek(file.size()) : QByteArray()))
            return;
        m_session->takeSnapshot();
    }
    if (!model->load(&file)) {
        prompt()->message(Prompt::Icon::Critical, windowText("Load"),
                          windowText("Invalid file format. The current configuration was not changed."));
        return;
    }
    file.close();
    m_window->refreshEditors();
    m_window->updateDevice();
    Q_EMIT pageKept();
    if (!m_session->connected()) {
        // The page is the file's now, whatever a read that failed left before it.
        m_session->fileLoaded(path);
        Q_EMIT fileLoaded();
    }
}

bool MainCommands::confirmLoadOnBoard(DeviceCfg *model, const QString &path, const QByteArray &bytes)
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
        text = windowText("Load %1 onto the connected board? Values of the board's configuration that change: %2. "
                  "The board is kept in its history first.").arg(name, QString::number(n));
    } else {
        text = windowText("Load %1 onto the connected board? It overwrites the board's whole configuration. "
                  "The board is kept in its history first.").arg(name);
    }
    return prompt()->confirm(windowText("Load"), text, windowText("Load"));
}

bool MainCommands::saveToFile()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return false;
    QString path = prompt()->saveFileName(windowText("Save configuration"), m_dumpDir,
                                                windowText("Binary dump (*.bin)"));
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
        prompt()->message(Prompt::Icon::Critical, windowText("Save"), windowText("Save failed"));
        return false;
    }
    Q_EMIT pageKept();
    if (!m_session->connected()) {
        m_session->fileSaved(path);
        Q_EMIT fileSaved();
    }
    return true;
}

void MainCommands::saveOnDevice()
{
    if (!prompt()->question(windowText("Save"), windowText("Save configuration to device memory?")))
        return;
    storeOnBoard();
}

bool MainCommands::storeOnBoard()
{
    DevIo *l = m_window->link();
    if (!l || !m_session->connected() || !l->saveCfg()) {
        prompt()->message(Prompt::Icon::Critical, windowText("Save"),
                          windowText("The configuration was not stored in the board's memory: the board did not answer."));
        return false;
    }
    m_session->setUnstored(false);
    return true;
}

CompareView *MainCommands::openCompare()
{
    DeviceCfg *model = ModelDiff::comparable(DeviceCfg::current());
    if (!model)
        return nullptr;
    // Every machine of the board's kind, the connected one's snapshots first.
    const QList<Snapshot> history = m_session->connected() && m_session->machine()
        ? Machines().snapshotsOf(m_session->machine()->words, m_session->machine()->key) : QList<Snapshot>();
    auto *view = new CompareView(model, history, m_window);
    if (m_session->connected() && m_session->machine())
        view->setMachine(*m_session->machine());
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->beforeApply = [this] {
        if (m_session->connected())
            m_session->takeSnapshot();
    };
    view->afterApply = [this] {
        m_window->refreshEditors();
        if (m_session->connected())
            m_session->setUnstored(true);
        else
            Q_EMIT editedOffline();
    };
    view->applyWhole = [this, model](const QByteArray &image) {
        QBuffer buffer;
        buffer.setData(image);
        if (buffer.open(QIODevice::ReadOnly) && model->load(&buffer))
            m_window->updateDevice();
    };
    m_ownWindows.append(view);
    view->show();
    return view;
}

void MainCommands::hexDump()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return;
    auto *view = new QPlainTextEdit;
    view->setObjectName(QStringLiteral("hexDumpView"));
    view->setWindowTitle(windowText("Hex dump: %1").arg(model->title()));
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
    if (const QScreen *screen = m_window->screen())
        width = qMin(width, screen->availableGeometry().width());
    view->resize(qMax(width, scaled(320)), scaled(480));
    view->show();
}

void MainCommands::serviceMenu(const QString &title)
{
    const std::optional<QString> code = prompt()->getText(title, QStringLiteral("pw:"), QString(), true);
    if (!code || *code != QLatin1String(MainDialog::serviceCode()))
        return;
    auto *menu = new SysDialog(m_window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->open();
}

QList<QWidget *> MainCommands::ownWindows() const
{
    QList<QWidget *> windows;
    for (const QPointer<QWidget> &w : m_ownWindows)
        if (w)
            windows.append(w);
    return windows;
}

void MainCommands::closeOwnWindows()
{
    const QList<QWidget *> windows = ownWindows();
    for (QWidget *w : windows) {
        w->close();
        delete w;
    }
    m_ownWindows.clear();
}
