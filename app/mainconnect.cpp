// The main window's connection cycle: a board connects, its configuration is read, changes go
// to it, and it is left or goes away.
#include "app/maindialog.h"
#include "app/barprogress.h"
#include "app/editundo.h"
#include "app/findbar.h"
#include "app/maincommands.h"
#include "app/startpage.h"
#include "base/logging.h"
#include "base/prompt.h"
#include "devices/devicecfg.h"
#include "editors/par.h"
#include "link/devio.h"
#include "link/linkcancel.h"
#include "ui_maindialog.h"

bool MainDialog::settleUnstoredChanges(const QString &question, const QString &leave)
{
    if (!m_session.connected() || !m_session.unstored())
        return true;
    const int answer = prompt()->choice(tr("Unstored changes"), question, {tr("Store"), leave, tr("Cancel")});
    return answer == 0 ? m_commands->storeOnBoard() : answer == 1;
}

void MainDialog::disconnectBoard()
{
    if (!m_session.connected() || m_session.reading())
        return;
    if (!settleUnstoredChanges(tr("The board runs with changes not stored in its memory; they are lost at its next "
                                  "power cycle. Store them before disconnecting?"),
                               tr("Disconnect without storing")))
        return;
    // What the board holds now is its machine's latest snapshot, so that it is known again
    // when it is connected next, edits and all.
    m_session.keepLastSnapshot();
    DevIo *l = currentLink();
    // Left on purpose: it does not open by itself again while it stays where it is.
    m_start->leave(m_session.openLink() ? m_session.openLink() : l, m_session.openLink() ? m_session.openUid() : -1);
    if (l)
        l->closeLink();
    // A link with nothing to close takes its leave here.
    if (m_session.connected())
        devDisconnect();
    showStartPage();
}

void MainDialog::devConnect()
{
    auto *from = qobject_cast<DevIo *>(sender());
    if (m_session.connected() && from && from != currentLink()) {
        qCDebug(lcApp, "A second board connected while one is open: ignored");
        return;
    }
    scanEnabled = false;
    if (from)
        setCurrentLink(from);
    m_session.boardConnected();
    m_start->setConnected(true);
    m_writeFailureShown = false;
    m_offlineShown = false;
    setWindowTitle(tr("Vandor"));
    m_session.setUnstored(false);
    DeviceCfg *model = DeviceCfg::current();
    if (!model) {
        enableCommands();
        return;
    }
    // No editor takes input from the moment the page is built until it shows the board's values.
    m_session.setReading(true);
    holdPage(true);
    // The board's values take the place of those changed without a board: offered to be kept.
    if (m_shown.edited())
        offerOfflineSave(model);
    // Built for the board before anything is sent to it: a board of another model, or one
    // whose identity words select other editors, does not get the page chosen offline.
    if (m_startPage || !m_shown.fits(model))
        showPage(model);
    readBoard();
}

void MainDialog::offerOfflineSave(DeviceCfg *connecting)
{
    DeviceCfg *edited = m_shown.model();
    const int answer = prompt()->choice(
        tr("Changes made without a board"),
        tr("The values changed on the page of %1 are not saved in a file, and the board's configuration "
           "takes their place. Save them to a file first?")
            .arg(edited->title()),
        {tr("Save to a file"), tr("Discard them")});
    if (answer == 0) {
        // The save command saves the current model: for this once, the one they were made on.
        DeviceCfg::setCurrent(edited);
        save();
        DeviceCfg::setCurrent(connecting);
    }
    m_shown.kept();
}

void MainDialog::readAgain()
{
    if (m_session.connected() && !m_session.reading())
        readBoard();
}

bool MainDialog::readBoard()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return false;
    m_session.setReading(true);
    holdPage(true);
    bool failed = true;
    bool cancelled = false, closing = false;
    {
        // Whatever an editor does before the board's values are shown stays off the board. A
        // board that describes itself gets its page from the read.
        PageBuildGuard reading;
        DeviceCfg::TabsWhenShown whenShown;
        showProgress(tr("Loading configuration %p%"));
        failed = model->readDevice(m_progress.get());
        cancelled = LinkCancel::requested();
        closing = m_closeAfter.has_value();
        hideProgress();
        if (!failed)
            refreshEditors();
    }
    m_session.setReading(false);
    if (!failed)
        m_shown.kept();
    if (failed) {
        // Nothing on the page is the board's: held until a read succeeds, also when the board
        // went away meanwhile (nothing of it may be edited or saved as if it were complete).
        m_session.setReadFailed(true);
        holdPage(true);
        const QString problem = model->readProblem();
        const QString why = problem.isEmpty() ? QString() : QLatin1Char('\n') + problem;
        // A window closing during the read says nothing more.
        if (cancelled || closing) {
            if (!closing)
                prompt()->message(Prompt::Icon::Information, tr("Load"),
                                  tr("The read was cancelled: the program's copy of the configuration is incomplete; "
                                     "the board itself was not changed. Use \"Read again\" to read it once more."));
        } else if (m_session.connected())
            prompt()->message(Prompt::Icon::Critical, tr("Load"),
                              tr("Device error! The program's copy of the configuration is incomplete; "
                                 "the board itself was not changed. Use \"Read again\" to read it once more.")
                                  + why);
        else {
            ui->conStatus->setText(goneIncomplete());
            m_disconnectNote = true;
            prompt()->message(Prompt::Icon::Critical, tr("Load"),
                              tr("Device error! The board went away during the read: the program's copy of "
                                 "its configuration is incomplete. Connect the board again to read it, or "
                                 "load a dump file."));
        }
        return false;
    }
    m_session.readSucceeded();
    for (Par *p : ui->scrollAreaWidgetContents->findChildren<Par *>())
        p->setUnsent(false);
    // A board that describes itself may have brought other editors.
    m_findBar->pageChanged();
    m_undo->restart();
    if (m_session.connected()) {
        showConnectedStatus();
        m_session.takeSnapshot();
    }
    holdPage(false);
    return true;
}

void MainDialog::devDisconnect()
{
    auto *from = qobject_cast<DevIo *>(sender());
    // A link that is not the connected one has nothing of ours to take down.
    if (m_session.connected() && from && from != currentLink())
        return;
    scanEnabled = true;
    const bool unstored = m_session.connected() && m_session.unstored();
    const bool stopped = m_session.connected() && currentLink() && currentLink()->stoppedAnswering();
    m_session.boardGone();
    m_start->setConnected(false);
    setCurrentLink(m_usbLink);
    m_session.setUnstored(false);
    m_offlineShown = false;
    setWindowTitle(tr("Vandor"));
    // What the board went away with stays said until the user turns to something else.
    m_disconnectNote = unstored || (m_session.readFailed() && !m_session.reading());
    ui->conStatus->setText(unstored ? tr("Disconnected. The board had changes not stored in its memory: "
                                         "they are lost at its next power cycle.")
                           : m_session.readFailed() && !m_session.reading() ? goneIncomplete()
                           : stopped                    ? tr("Disconnected: the board stopped answering.")
                                                        : tr("Disconnected"));
    // What was on the page when the board went is no offline edit.
    m_shown.kept();
    if (m_session.reading())
        enableCommands();
    else
        holdPage(m_session.readFailed());
}

void MainDialog::changeFailed(quint32 key)
{
    qCDebug(lcApp, "Change of %u not written", key);
    m_session.setChangeRefused();
    reportWriteFailure();
}

void MainDialog::changeWritten()
{
    if (!m_session.connected()) {
        markOfflineEdit();
        return;
    }
    m_writeFailureShown = false;
    m_session.setUnstored(true);
}
