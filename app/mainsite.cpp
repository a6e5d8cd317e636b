// The main window's site backup: every checked board of the start page in turn, opened with
// the window's own links, read, kept as a snapshot of its machine and left.
#include "app/maindialog.h"
#include "base/prompt.h"
#include "devices/devicecfg.h"
#include "link/devio.h"
#include "ui_maindialog.h"
#include <QCoreApplication>
#include <QPushButton>

void MainDialog::backUpSite()
{
    if (m_session.connected() || m_session.reading() || m_backingUp)
        return;
    const QList<StartPage::Target> targets = m_start->backupTargets();
    if (targets.isEmpty())
        return;
    m_backingUp = true;
    m_backupStopped = false;
    m_stopBackup->setEnabled(true);
    m_stopBackup->show();
    const QList<SiteBackup::Result> results = SiteBackup::run(
        targets, [this](const StartPage::Target &t) { return backUpBoard(t); },
        [this] {
            // A click on the stop button waits while a link excludes input: it is taken here.
            QCoreApplication::processEvents();
            return m_backupStopped;
        },
        [this](int index, int count, const StartPage::Target &) {
            m_stopBackup->setText(tr("Stop the backup after this board (%1 of %2)").arg(index + 1).arg(count));
        });
    m_stopBackup->hide();
    m_backingUp = false;
    for (const SiteBackup::Result &r : results)
        m_start->setRowNote(r.target.link, r.target.uid, SiteBackup::note(r));
    prompt()->message(Prompt::Icon::Information, tr("Back up all"), SiteBackup::summary(results));
}

SiteBackup::Result MainDialog::backUpBoard(const StartPage::Target &target)
{
    SiteBackup::Result r;
    m_session.forgetSnapshotStatus();
    m_backupOpens = true;
    openDevice(target.link, target.uid);
    m_backupOpens = false;
    if (!m_session.connected()) {
        r.why = tr("the board did not open");
        showStartPage();
        return r;
    }
    if (DeviceCfg *model = DeviceCfg::current())
        r.model = model->title();
    if (m_session.machine())
        r.machine = m_session.machine()->name;
    if (m_session.readFailed())
        r.why = tr("its configuration could not be read whole");
    else if (!m_session.snapshotStatus() || *m_session.snapshotStatus() == BoardHistory::Status::Failed)
        r.why = tr("its snapshot could not be kept");
    else
        r.outcome = *m_session.snapshotStatus() == BoardHistory::Status::Stored ? SiteBackup::Outcome::Done
                                                                       : SiteBackup::Outcome::Unchanged;
    // Nothing was changed on it: left without a question, and not opened by itself again.
    m_start->leave(target.link, target.uid);
    if (DevIo *l = currentLink())
        l->closeLink();
    if (m_session.connected())
        devDisconnect();
    showStartPage();
    return r;
}
