// The main window's status and commands: the status line for a connected board and for an
// offline page, which commands the state allows, and the hold on the page.
#include "app/maindialog.h"
#include "app/editundo.h"
#include "app/findbar.h"
#include "app/maincommands.h"
#include "base/prompt.h"
#include "devices/devicecfg.h"
#include "devices/modeldiff.h"
#include "link/devio.h"
#include "ui_maindialog.h"
#include <QFileInfo>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>

void MainDialog::showOfflineStatus()
{
    DeviceCfg *model = DeviceCfg::current();
    if (m_session.connected() || m_startPage || !model)
        return;
    m_offlineShown = true;
    m_disconnectNote = false;
    const QString what = m_session.offlineEdited() ? tr("%1, offline, changes not saved to a file").arg(model->title())
                                         : tr("%1, offline").arg(model->title());
    const QString from = !m_session.offlineFile().isEmpty() ? tr("File: %1").arg(QFileInfo(m_session.offlineFile()).fileName())
                         : m_session.pageFromBoard()        ? tr("No file: as read from the board")
                                                  : tr("No file: the built-in defaults");
    ui->conStatus->setText(what + QLatin1Char('\n') + from);
    // The window's title names it too, as an editor's does: "*" while it has unsaved changes.
    const QString file = m_session.offlineFile().isEmpty() ? QString() : QStringLiteral(", ") + QFileInfo(m_session.offlineFile()).fileName();
    setWindowTitle((m_session.offlineEdited() ? QStringLiteral("*") : QString()) + tr("%1, offline").arg(model->title()) + file
                   + QStringLiteral(" \u2014 ") + tr("Vandor"));
}

void MainDialog::markOfflineEdit()
{
    if (m_session.connected() || m_startPage || m_session.reading() || DeviceCfg::pageBuilding() != 0)
        return;
    m_session.setOfflineEdited(true);
    if (!m_disconnectNote)
        showOfflineStatus();
}

bool MainDialog::settleUnsavedEdits()
{
    if (m_session.connected() || !m_session.offlineEdited())
        return true;
    DeviceCfg *model = DeviceCfg::current();
    const QString file = m_session.offlineFile().isEmpty() ? QString() : QFileInfo(m_session.offlineFile()).fileName();
    const int answer = prompt()->choice(
        tr("Unsaved changes"),
        file.isEmpty() ? tr("The offline configuration of %1 has changes not saved to a file. Save them?")
                             .arg(model ? model->title() : QString())
                       : tr("The offline configuration of %1 has changes not saved to %2. Save them?")
                             .arg(model ? model->title() : QString(), file),
        {tr("Save"), tr("Discard"), tr("Cancel")});
    if (answer == 0)
        return m_commands->saveToFile();
    if (answer != 1)
        return false;
    m_session.setOfflineEdited(false);
    showOfflineStatus();
    return true;
}

void MainDialog::holdPage(bool held)
{
    m_session.setPageHeld(held);
}

void MainDialog::enableCommands()
{
    DeviceCfg *model = DeviceCfg::current();
    const bool configuration = model && model->keepsConfiguration();
    const bool dumps = !m_startPage && configuration && !m_session.pageHeld() && !m_session.reading();
    // Offline, a dump file may take the place of a read that failed.
    const bool replace = !m_startPage && configuration && !m_session.reading() && !m_session.connected() && m_session.readFailed();
    ui->butLoad->setEnabled(dumps || replace);
    ui->butSave->setEnabled(dumps);
    m_compare->setEnabled(dumps && ModelDiff::comparable(model));
    m_factoryKey->setEnabled(m_compare->isEnabled() && ModelDiff::hasFactory(model));
    ui->butDevSave->setVisible(m_session.connected());
    ui->butDevSave->setEnabled(m_session.connected() && dumps);
    ui->butReread->setVisible(m_session.connected() && configuration);
    ui->butReread->setEnabled(m_session.connected() && configuration && !m_session.reading());
    m_disconnect->setToolTip(tr("Disconnect: leave the board for the start page, where any board can be chosen"));
    m_disconnect->setAccessibleName(tr("Disconnect"));
    m_disconnect->setVisible(m_session.connected());
    m_disconnect->setEnabled(m_session.connected() && !m_session.reading());
    showFoundBar();
    showUndoState();
}

QString MainDialog::goneIncomplete() const
{
    return tr("Disconnected. The page holds no complete configuration of the board: connect it again to "
              "read it, or load a dump file.");
}

QString MainDialog::boardName() const
{
    DeviceCfg *model = DeviceCfg::current();
    const QString title = model ? model->title() : QString();
    // The name a board on the network announced.
    const QString name = Session::originOf(model, currentLink(), m_session.netUid()).controller;
    if (name.isEmpty() || name == title)
        return title;
    return title.isEmpty() ? name : tr("%1 (%2)").arg(name, title);
}

void MainDialog::showConnectedStatus()
{
    const QString board = boardName();
    const QString path = m_session.path();
    QString text = board.isEmpty() ? tr("Connected") : tr("Connected: %1").arg(board);
    // The mark of changes not stored takes no line of its own: the status keeps its height.
    QString second = path;
    if (m_session.unstored()) {
        const QString mark = tr("Not stored in the board's memory");
        second = second.isEmpty() ? mark : second + QStringLiteral(" \u00b7 ") + mark;
    }
    if (!second.isEmpty())
        text += QLatin1Char('\n') + second;
    ui->conStatus->setText(text);
}

void MainDialog::showUnstored()
{
    const bool unstored = m_session.unstored();
    ui->butDevSave->setProperty("unstored", unstored);
    ui->butDevSave->setToolTip(unstored ? tr("Store in the board's memory: it runs with changes that are lost at its next power cycle")
                                        : tr("Store in the board's memory"));
    ui->butDevSave->style()->unpolish(ui->butDevSave);
    ui->butDevSave->style()->polish(ui->butDevSave);
    if (m_session.connected())
        showConnectedStatus();
}

void MainDialog::reportWriteFailure()
{
    // A board taken as gone already shows "Disconnected".
    if (m_session.connected())
        ui->conStatus->setText(tr("Connected, but the board did not take the last change"));
    // Told once: a slider dragged over a board that stopped answering fails at every step.
    if (m_writeFailureShown)
        return;
    m_writeFailureShown = true;
    prompt()->message(Prompt::Icon::Warning, tr("Write"),
                      tr("The change was not written to the board. Values marked in red are not on "
                         "the board; check the connection and change them again."));
}
