// The main window's find bar, undo and redo of live edits, and the redraw of the page in a
// newly chosen language.
#include "app/editundo.h"
#include "app/findbar.h"
#include "app/maindialog.h"
#include "base/prompt.h"
#include "base/scale.h"
#include "base/configwatch.h"
#include "devices/devcom2.h"
#include "devices/devicecfg.h"
#include "devices/fixedlayoutmodel.h"
#include "editors/par.h"
#include "ui_maindialog.h"
#include <QLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

void MainDialog::setupEditCommands()
{
    m_findBar = new FindBar(ui->scrollAreaWidgetContents, ui->scrollArea, this);
    m_findBar->hide();
    ui->verticalLayout->insertWidget(ui->verticalLayout->indexOf(ui->scrollArea), m_findBar);
    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        if (!m_startPage)
            m_findBar->activate();
    });

    m_undo = new EditUndo(this);
    m_undo->refreshEditors = [this] {
        // Editors that answer a refresh with a change of their own send nothing.
        PageBuildGuard quiet;
        refreshEditors();
    };
    m_undo->online = [this] { return m_session.connected(); };
    m_undoButton = new QPushButton(QStringLiteral("\u21B6"), this);
    m_undoButton->setObjectName(QStringLiteral("butUndo"));
    m_redoButton = new QPushButton(QStringLiteral("\u21B7"), this);
    m_redoButton->setObjectName(QStringLiteral("butRedo"));
    for (QPushButton *b : {m_undoButton, m_redoButton}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setMaximumWidth(scaled(36));
        // Beside the find field: the bar above the page holds the commands that act on it.
        m_findBar->layout()->addWidget(b);
    }
    connect(m_undoButton, &QPushButton::clicked, this, &MainDialog::undoChange);
    connect(m_redoButton, &QPushButton::clicked, this, &MainDialog::redoChange);
    auto *undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    connect(undo, &QShortcut::activated, this, &MainDialog::undoChange);
    auto *redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
    connect(redo, &QShortcut::activated, this, &MainDialog::redoChange);
    connect(m_undo->stack(), &QUndoStack::indexChanged, this, &MainDialog::showUndoState);
    connect(m_undo->stack(), &QUndoStack::cleanChanged, this, &MainDialog::showUndoState);
}

void MainDialog::changeSent(quint32 key, const QByteArray &before, const QByteArray &after)
{
    if (DeviceCfg::pageBuilding() == 0 && !m_session.reading())
        m_undo->recordChange(key, before, after);
    markOfflineEdit();
}

void MainDialog::showUndoState()
{
    const bool page = !m_startPage && !m_session.pageHeld() && !m_session.reading();
    QUndoStack *stack = m_undo->stack();
    m_undoButton->setVisible(!m_startPage);
    m_redoButton->setVisible(!m_startPage);
    m_undoButton->setEnabled(page && stack->canUndo());
    m_redoButton->setEnabled(page && stack->canRedo());
    m_undoButton->setToolTip(stack->canUndo() ? tr("Undo: %1 (Ctrl+Z) sends the value before the change to the board")
                                                    .arg(stack->undoText())
                                              : tr("Undo (Ctrl+Z): nothing to undo"));
    m_redoButton->setToolTip(stack->canRedo() ? tr("Redo: %1 (Ctrl+Shift+Z) sends the changed value to the board again")
                                                    .arg(stack->redoText())
                                              : tr("Redo (Ctrl+Shift+Z): nothing to redo"));
}

void MainDialog::undoChange()
{
    if (m_startPage || m_session.pageHeld() || m_session.reading() || !m_undo->stack()->canUndo())
        return;
    if (!m_undo->undo())
        reportStepFailure();
    else
        changeWritten();
    showUndoState();
}

void MainDialog::redoChange()
{
    if (m_startPage || m_session.pageHeld() || m_session.reading() || !m_undo->stack()->canRedo())
        return;
    if (!m_undo->redo())
        reportStepFailure();
    else
        changeWritten();
    showUndoState();
}

void MainDialog::reportStepFailure()
{
    if (m_session.connected())
        ui->conStatus->setText(tr("Connected, but the board did not take the undone or redone change"));
    prompt()->message(Prompt::Icon::Warning, tr("Undo"),
                      tr("The board did not take the change. The page shows what the board has and the "
                         "step stays on the undo stack: check the connection and try again."));
}

void MainDialog::redrawPage()
{
    ui->retranslateUi(this);
    m_compare->setText(tr("Compare"));
    m_compare->setToolTip(tr("Compare with a snapshot, a dump file or the factory defaults, and restore values "
                             "from it. Ctrl+D lists the values changed from factory."));
    m_findBar->retranslate();
    if (m_session.connected())
        showConnectedStatus();
    else if (m_offlineShown)
        showOfflineStatus();
    else
        ui->conStatus->setText(tr("Disconnected"));
    DeviceCfg *model = DeviceCfg::current();
    // A page being read is rebuilt by nothing else.
    if (m_startPage) {
        translateStartPage();
        fillHostList();
    }
    auto *described = qobject_cast<DevCom2 *>(model);
    if (described && !m_startPage && !m_session.reading()) {
        // Its page comes from the parameters the board described: built again from them as
        // they are, the open tab open again.
        m_findBar->clear();
        {
            DeviceCfg::TabsWhenShown whenShown;
            described->rebuildTabs();
        }
        {
            PageBuildGuard building;
            for (Par *p : ui->scrollAreaWidgetContents->findChildren<Par *>())
                p->refresh();
        }
        m_findBar->pageChanged();
        enableCommands();
        return;
    }
    if (m_startPage || m_session.reading() || !qobject_cast<FixedLayoutModel *>(model)) {
        showUndoState();
        return;
    }
    m_findBar->clear();
    QList<int> open;
    const auto buttons = ui->scrollAreaWidgetContents->findChildren<QPushButton *>(
        QStringLiteral("tabButton"), Qt::FindDirectChildrenOnly);
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons.at(i)->isChecked())
            open.append(i);
    const int scroll = ui->scrollArea->verticalScrollBar()->value();
    clearPage();
    {
        PageBuildGuard building;
        DeviceCfg::TabsWhenShown whenShown;
        model->buildPage(ui->scrollAreaWidgetContents);
        // Editors show the model's values, which may differ from what building them assumed.
        const auto editors = ui->scrollAreaWidgetContents->findChildren<Par *>();
        for (Par *p : editors)
            p->refresh();
    }
    const auto rebuilt = ui->scrollAreaWidgetContents->findChildren<QPushButton *>(
        QStringLiteral("tabButton"), Qt::FindDirectChildrenOnly);
    for (int i : qAsConst(open)) {
        if (i < rebuilt.size()) {
            const QSignalBlocker block(rebuilt.at(i));
            rebuilt.at(i)->setChecked(true);
            // The button's own signal would scroll to it: the contents are shown directly.
            if (QWidget *content = ui->scrollAreaWidgetContents->layout()->itemAt(
                    ui->scrollAreaWidgetContents->layout()->indexOf(rebuilt.at(i)) + 1)->widget())
                content->show();
        }
    }
    // The undo steps stay: the values and their keys are the same, only their words changed.
    // The new editors get their marks of values changed from factory, in the new language.
    ConfigWatch::touch();
    for (int i = 0; i < 8; ++i)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    ui->scrollArea->verticalScrollBar()->setValue(scroll);
    enableCommands();
}
