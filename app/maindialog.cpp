#include "app/maindialog.h"
#include "app/barprogress.h"
#include "app/boardhistory.h"
#include "app/factorymarks.h"
#include "app/editundo.h"
#include "app/findbar.h"
#include "base/logging.h"
#include "app/machines.h"
#include "app/operationgate.h"
#include "base/nethosts.h"
#include "app/qtprompt.h"
#include "base/resources.h"
#include "base/scale.h"
#include "app/setupdialog.h"
#include "app/sitebackup.h"
#include "app/startpage.h"
#include "app/stylesheet.h"
#include "base/configwatch.h"
#include "devices/devicecfg.h"
#include "devices/modeldiff.h"
#include "editors/par.h"
#include "link/devio.h"
#include "link/tcpio.h"
#include "link/usbio.h"
#include "ui_maindialog.h"
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScrollBar>
#include <QScrollPrepareEvent>
#include <QScroller>
#include <QShortcut>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

static MainDialog *s_instance = nullptr;

MainDialog *MainDialog::instance() { return s_instance; }

const char *MainDialog::serviceCode() { return "586"; }

MainDialog::MainDialog(const Parts &parts, QWidget *parent)
    : QDialog(parent),
      m_settings(QDir::homePath() + QStringLiteral("/Vandor.ini"), QSettings::IniFormat),
      ui(new Ui::MainDialog)
{
    s_instance = this;
    setHost(this);
    if (parts.prompt) {
        setPrompt(parts.prompt);
    } else {
        m_ownPrompt = std::make_unique<QtPrompt>(this);
        setPrompt(m_ownPrompt.get());
    }
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    m_stylePath = resourcePath(QStringLiteral("res/style.css"));
    loadStyle();
    auto *watcher = new QFileSystemWatcher(this);
    watcher->addPath(m_stylePath);
    connect(watcher, &QFileSystemWatcher::fileChanged, this, [this, watcher](const QString &path) {
        loadStyle();
        // Editors that save by replacing the file drop it from the watch list.
        if (!watcher->files().contains(path) && QFileInfo::exists(path))
            watcher->addPath(path);
    });

    m_dumpDir = startFolder();

    // Installed before the form is built, so that the form's texts come out translated.
    QCoreApplication::installTranslator(&m_qtTranslator);
    QCoreApplication::installTranslator(&m_translator);
    loadLanguage();

    ui->setupUi(this);
    ui->butReread->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    // The buttons shown only while a board is connected keep their room when hidden: nothing
    // in the tool row moves when a board comes or goes.
    for (QPushButton *b : {ui->butReread, ui->butDevSave}) {
        QSizePolicy policy = b->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        b->setSizePolicy(policy);
    }
    // The status names boards by the names they announce: shown as text, never as markup.
    ui->conStatus->setTextFormat(Qt::PlainText);
    setMinimumSize(scaled(MinimumWidth), scaled(MinimumHeight));
    m_progress = std::make_unique<BarProgress>(ui->progressBar);
    ui->progressBar->hide();
    {
        auto *row = new QHBoxLayout;
        delete ui->verticalLayout->takeAt(ui->verticalLayout->indexOf(ui->progressBar));
        ui->verticalLayout->addLayout(row);
        row->addWidget(ui->progressBar, 1);
        auto *cancel = new QPushButton(tr("Cancel"), this);
        cancel->setObjectName(QStringLiteral("butCancel"));
        row->addWidget(cancel);
        m_gate = new OperationGate(this, cancel);
    }
    QScroller::grabGesture(ui->scrollArea->viewport(), QScroller::LeftMouseButtonGesture);
    resize(scaled(500), scaled(700));
    ui->scrollArea->installEventFilter(this);
    ui->scrollArea->viewport()->installEventFilter(this);

    connect(ui->butSetup, &QPushButton::clicked, this, &MainDialog::setup);
    connect(ui->butLoad, &QPushButton::clicked, this, &MainDialog::load);
    connect(ui->butSave, &QPushButton::clicked, this, &MainDialog::save);
    connect(ui->butDevSave, &QPushButton::clicked, this, &MainDialog::saveOnDevice);
    connect(ui->butReread, &QPushButton::clicked, this, &MainDialog::readAgain);
    m_compare = new QPushButton(tr("Compare"), this);
    m_compare->setObjectName(QStringLiteral("butCompare"));
    m_compare->setFocusPolicy(Qt::NoFocus);
    m_compare->setToolTip(tr("Compare with a snapshot, a dump file or the factory defaults, and restore values "
                             "from it. Ctrl+D lists the values changed from factory."));
    ui->horizontalLayout->insertWidget(ui->horizontalLayout->indexOf(ui->butReread), m_compare);
    connect(m_compare, &QPushButton::clicked, this, &MainDialog::compare);
    // Leaves the board for the start page, where any other board can be chosen. An icon, as the
    // row's other commands, so that the smallest window still holds the row.
    m_disconnect = new QPushButton(this);
    m_disconnect->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));
    m_disconnect->setObjectName(QStringLiteral("butDisconnect"));
    m_disconnect->setFocusPolicy(Qt::NoFocus);
    m_disconnect->hide();
    ui->horizontalLayout->addWidget(m_disconnect);
    connect(m_disconnect, &QPushButton::clicked, this, &MainDialog::disconnectBoard);
    auto *marks = new FactoryMarks(ui->scrollAreaWidgetContents, this);
    marks->listAll = [this] { compareWithFactory(); };
    m_factoryKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this);
    connect(m_factoryKey, &QShortcut::activated, this, &MainDialog::compareWithFactory);
    setupEditCommands();

    for (QTimer *t : {&m_longSaveTimer, &m_longLoadTimer}) {
        t->setInterval(3000);
        t->setSingleShot(true);
    }
    connect(ui->butSave, &QPushButton::pressed, &m_longSaveTimer, qOverload<>(&QTimer::start));
    connect(ui->butSave, &QPushButton::released, &m_longSaveTimer, &QTimer::stop);
    connect(&m_longSaveTimer, &QTimer::timeout, this, &MainDialog::hexDump);
    connect(ui->butLoad, &QPushButton::pressed, &m_longLoadTimer, qOverload<>(&QTimer::start));
    connect(ui->butLoad, &QPushButton::released, &m_longLoadTimer, &QTimer::stop);
    connect(&m_longLoadTimer, &QTimer::timeout, this, &MainDialog::sysMenu);

    m_startPage = true;
    m_offered = parts.makeModels ? parts.makeModels(this) : QList<DeviceCfg *>();
    m_start = new StartPage(m_settings, this);
    m_start->setAddressAnswerMs(AddressAnswerMs);
    connect(m_start, &StartPage::modelChosen, this, &MainDialog::selectControls);
    connect(m_start, &StartPage::openRequested, this, &MainDialog::openDevice);
    connect(m_start, &StartPage::installDriver, this, &MainDialog::installUsbDriver);
    connect(m_start, &StartPage::backupRequested, this, &MainDialog::backUpSite);
    connect(m_start, &StartPage::rowsChanged, this, &MainDialog::showFoundBar);
    m_start->build(ui->scrollAreaWidgetContents, m_offered);
    // Below the page, where a board found while an offline page is shown moves nothing on it.
    m_foundBar = new QPushButton(this);
    m_foundBar->setObjectName(QStringLiteral("butFoundBoards"));
    m_foundBar->setFocusPolicy(Qt::NoFocus);
    m_foundBar->hide();
    ui->verticalLayout->insertWidget(ui->verticalLayout->indexOf(ui->scrollArea) + 1, m_foundBar);
    connect(m_foundBar, &QPushButton::clicked, this, &MainDialog::showStartPage);
    // Shown while the site is backed up: asked between boards.
    m_stopBackup = new QPushButton(this);
    m_stopBackup->setObjectName(QStringLiteral("butStopBackup"));
    m_stopBackup->hide();
    ui->verticalLayout->insertWidget(ui->verticalLayout->indexOf(ui->scrollArea) + 1, m_stopBackup);
    connect(m_stopBackup, &QPushButton::clicked, this, [this] {
        m_backupStopped = true;
        m_stopBackup->setEnabled(false);
    });

    m_about = new QLabel(this);
    m_about->setObjectName(QStringLiteral("aboutLabel"));
    m_about->setAlignment(Qt::AlignCenter);
    translateStartPage();
    m_about->setGeometry(0, scaled(560), scaled(500), scaled(60));
    connect(m_about, &QLabel::linkActivated, this, &MainDialog::openBrowser);

    devDisconnect();

    m_usbLink = parts.makeUsbLink ? parts.makeUsbLink(this) : nullptr;
    setCurrentLink(m_usbLink);
    if (m_usbLink)
        connectLink(m_usbLink, &MainDialog::detectedDeviceUsb);
    if (auto *usb = qobject_cast<UsbIo *>(m_usbLink)) {
        connect(usb, &UsbIo::noDriverGone, m_start, &StartPage::noDriverGone);
        // The technician picks among the boards of the UDP bridge path.
        usb->setPeersChosen(true);
    }
    m_netLink = parts.makeNetLink ? parts.makeNetLink(this) : nullptr;
    if (m_netLink)
        connectLink(m_netLink, &MainDialog::detectedDeviceTcp);
    m_start->addLink(m_usbLink, true);
    m_start->addLink(m_netLink, false);
    // A board that goes away while nobody edits is found out by asking it now and then.
    for (DevIo *l : {m_usbLink, m_netLink})
        if (l)
            l->setIdleCheck(parts.idleCheckMs);
}

MainDialog::~MainDialog()
{
    closeOwnWindows();
    setCurrentLink(nullptr);
    if (host() == this)
        setHost(nullptr);
    if (m_ownPrompt)
        setPrompt(nullptr);
    if (s_instance == this)
        s_instance = nullptr;
    QCoreApplication::removeTranslator(&m_translator);
    QCoreApplication::removeTranslator(&m_qtTranslator);
}

void MainDialog::connectLink(DevIo *link, void (MainDialog::*detected)(QString, int))
{
    connect(link, &DevIo::newDevice, this, detected);
    connect(link, &DevIo::connected, this, &MainDialog::devConnect);
    connect(link, &DevIo::disconnected, this, &MainDialog::devDisconnect);
}

DevIo *MainDialog::link() const { return currentLink(); }

Progress *MainDialog::progress() { return m_progress.get(); }

void MainDialog::showProgress(const QString &format)
{
    ui->progressBar->setValue(0);
    ui->progressBar->setFormat(format);
    ui->progressBar->show();
    m_gate->begin();
}

void MainDialog::hideProgress()
{
    ui->progressBar->hide();
    m_gate->end();
    if (m_closeAfter && !m_gate->running()) {
        const int result = *m_closeAfter;
        m_closeAfter.reset();
        QTimer::singleShot(0, this, [this, result] { done(result); });
    }
}

QProgressBar *MainDialog::progressBar() const { return ui->progressBar; }

QWidget *MainDialog::pageContainer() const { return ui->scrollAreaWidgetContents; }

void MainDialog::updateDevice()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return;
    const int failures = DeviceCfg::writeFailures();
    const bool online = m_connected;
    showProgress(tr("Update device %p%"));
    // Events run between the chunks: the page and the commands are held as during a read, so
    // that no edit, dump or read starts another transfer in the middle of this one.
    const bool reading = m_reading, held = m_pageHeld;
    m_reading = true;
    holdPage(true);
    model->writeDevice(m_progress.get());
    m_reading = reading;
    holdPage(held && m_connected);
    hideProgress();
    if (online && m_connected)
        setUnstored(true);
    else if (!online)
        markOfflineEdit();
    if (DeviceCfg::writeFailures() != failures && online)
        reportWriteFailure();
}

void MainDialog::updateTexts(int count)
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return;
    m_undo->recordTexts();
    const int failures = DeviceCfg::writeFailures();
    const bool online = m_connected;
    ui->progressBar->setMaximum(count);
    showProgress(tr("Update texts %p%"));
    model->writeTexts(m_progress.get(), count);
    hideProgress();
    if (online && m_connected)
        setUnstored(true);
    else if (!online)
        markOfflineEdit();
    if (DeviceCfg::writeFailures() != failures && online)
        reportWriteFailure();
}

void MainDialog::refreshEditors()
{
    const auto editors = ui->scrollAreaWidgetContents->findChildren<Par *>();
    for (Par *p : editors)
        p->refresh();
    ConfigWatch::touch();
    m_undo->resync();
}

void MainDialog::scrollToTab(QWidget *tabButton)
{
    if (tabButton)
        ui->scrollArea->verticalScrollBar()->setValue(tabButton->y());
}

void MainDialog::loadStyle()
{
    QString css;
    if (readStyleSheet(m_stylePath, &css))
        setStyleSheet(css);
}

void MainDialog::clearPage()
{
    m_findBar->pageChanged();
    QWidget *page = ui->scrollAreaWidgetContents;
    const auto children = page->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *w : children)
        delete w;
    delete page->layout();
}

void MainDialog::showPage(DeviceCfg *model)
{
    m_startPage = false;
    clearPage();
    // The about label floats over the start page only; it would cover the page's editors.
    m_about->hide();
    {
        PageBuildGuard building;
        model->buildPage(ui->scrollAreaWidgetContents);
    }
    m_shown.built(model);
    ConfigWatch::touch();
    m_findBar->show();
    m_undo->restart();
    enableCommands();
}

void MainDialog::showOfflineStatus()
{
    DeviceCfg *model = DeviceCfg::current();
    if (m_connected || m_startPage || !model)
        return;
    m_offlineShown = true;
    m_disconnectNote = false;
    const QString what = m_offlineEdited ? tr("%1, offline, changes not saved to a file").arg(model->title())
                                         : tr("%1, offline").arg(model->title());
    const QString from = !m_offlineFile.isEmpty() ? tr("File: %1").arg(QFileInfo(m_offlineFile).fileName())
                         : m_pageFromBoard        ? tr("No file: as read from the board")
                                                  : tr("No file: the built-in defaults");
    ui->conStatus->setText(what + QLatin1Char('\n') + from);
    // The window's title names it too, as an editor's does: "*" while it has unsaved changes.
    const QString file = m_offlineFile.isEmpty() ? QString() : QStringLiteral(", ") + QFileInfo(m_offlineFile).fileName();
    setWindowTitle((m_offlineEdited ? QStringLiteral("*") : QString()) + tr("%1, offline").arg(model->title()) + file
                   + QStringLiteral(" \u2014 ") + tr("Vandor"));
}

void MainDialog::markOfflineEdit()
{
    if (m_connected || m_startPage || m_reading || DeviceCfg::pageBuilding() != 0)
        return;
    m_offlineEdited = true;
    if (!m_disconnectNote)
        showOfflineStatus();
}

bool MainDialog::settleUnsavedEdits()
{
    if (m_connected || !m_offlineEdited)
        return true;
    DeviceCfg *model = DeviceCfg::current();
    const QString file = m_offlineFile.isEmpty() ? QString() : QFileInfo(m_offlineFile).fileName();
    const int answer = prompt()->choice(
        tr("Unsaved changes"),
        file.isEmpty() ? tr("The offline configuration of %1 has changes not saved to a file. Save them?")
                             .arg(model ? model->title() : QString())
                       : tr("The offline configuration of %1 has changes not saved to %2. Save them?")
                             .arg(model ? model->title() : QString(), file),
        {tr("Save"), tr("Discard"), tr("Cancel")});
    if (answer == 0)
        return saveToFile();
    if (answer != 1)
        return false;
    m_offlineEdited = false;
    showOfflineStatus();
    return true;
}

void MainDialog::showStartPage()
{
    if (m_connected || m_reading || !settleUnsavedEdits())
        return;
    clearPage();
    m_startPage = true;
    m_start->build(ui->scrollAreaWidgetContents, m_offered);
    m_about->show();
    m_findBar->hide();
    m_undo->restart();
    holdPage(false);
}

void MainDialog::showFoundBar()
{
    if (!m_foundBar || !m_start)
        return;
    const int found = m_start->answering();
    // Only over an offline page: the start page lists them itself, a connected page has no use for them.
    m_foundBar->setVisible(!m_startPage && !m_connected && found > 0);
    m_foundBar->setText(tr("Boards found: %1. Back to the start page to choose one").arg(found));
}

void MainDialog::holdPage(bool held)
{
    m_pageHeld = held;
    ui->scrollAreaWidgetContents->setEnabled(!held);
    enableCommands();
}

void MainDialog::enableCommands()
{
    DeviceCfg *model = DeviceCfg::current();
    const bool configuration = model && model->keepsConfiguration();
    const bool dumps = !m_startPage && configuration && !m_pageHeld && !m_reading;
    // Offline, a dump file may take the place of a read that failed.
    const bool replace = !m_startPage && configuration && !m_reading && !m_connected && m_readFailed;
    ui->butLoad->setEnabled(dumps || replace);
    ui->butSave->setEnabled(dumps);
    m_compare->setEnabled(dumps && ModelDiff::comparable(model));
    m_factoryKey->setEnabled(m_compare->isEnabled() && ModelDiff::hasFactory(model));
    ui->butDevSave->setVisible(m_connected);
    ui->butDevSave->setEnabled(m_connected && dumps);
    ui->butReread->setVisible(m_connected && configuration);
    ui->butReread->setEnabled(m_connected && configuration && !m_reading);
    m_disconnect->setToolTip(tr("Disconnect: leave the board for the start page, where any board can be chosen"));
    m_disconnect->setAccessibleName(tr("Disconnect"));
    m_disconnect->setVisible(m_connected);
    m_disconnect->setEnabled(m_connected && !m_reading);
    showFoundBar();
    showUndoState();
}

void MainDialog::selectControls(DeviceCfg *model)
{
    if (!model)
        return;
    if (model != DeviceCfg::current() && !settleUnsavedEdits())
        return;
    DeviceCfg::setCurrent(model);
    m_offlineFile.clear();
    m_pageFromBoard = false;
    m_offlineEdited = false;
    m_readFailed = false;
    showPage(model);
    showOfflineStatus();
}

void MainDialog::detectedDeviceUsb(QString name, int key)
{
    // Listed on the start page ("$NoDriver": the driver installer); a board found alone opens.
    m_start->announce(m_usbLink, name, key);
}

void MainDialog::detectedDeviceTcp(QString name, int key) { m_start->announce(m_netLink, name, key); }

void MainDialog::openDevice(DevIo *link, int uid)
{
    // While the site is backed up, boards are opened by the backup alone.
    if (!link || m_opening || (m_backingUp && !m_backupOpens))
        return;
    if (m_connected) {
        // One board at a time: everything the window does goes to the connected one.
        prompt()->message(Prompt::Icon::Information, tr("Connection"),
                          tr("A board is already connected (%1). Only one board can be open at a time.")
                              .arg(pathOf(currentLink())));
        return;
    }
    m_opening = true;
    m_openLink = link;
    m_openUid = uid;
    m_netUid = link == m_netLink ? uid : -1;
    const bool opened = link->open(uid);
    m_opening = false;
    if (!opened && !m_connected) {
        m_netUid = -1;
        m_openLink = nullptr;
    }
}

void MainDialog::disconnectBoard()
{
    if (!m_connected || m_reading)
        return;
    if (m_unstored) {
        const int answer = prompt()->choice(
            tr("Unstored changes"),
            tr("The board runs with changes not stored in its memory; they are lost at its next "
               "power cycle. Store them before disconnecting?"),
            {tr("Store"), tr("Disconnect without storing"), tr("Cancel")});
        if (answer == 0 ? !storeOnBoard() : answer != 1)
            return;
    }
    // What the board holds now is its machine's latest snapshot, so that it is known again
    // when it is connected next, edits and all.
    keepLastSnapshot();
    DevIo *l = currentLink();
    // Left on purpose: it does not open by itself again while it stays where it is.
    m_start->leave(m_openLink ? m_openLink : l, m_openLink ? m_openUid : -1);
    if (l)
        l->closeLink();
    // A link with nothing to close takes its leave here.
    if (m_connected)
        devDisconnect();
    showStartPage();
}

void MainDialog::devConnect()
{
    auto *from = qobject_cast<DevIo *>(sender());
    if (m_connected && from && from != currentLink()) {
        qCDebug(lcApp, "A second board connected while one is open: ignored");
        return;
    }
    scanEnabled = false;
    if (from)
        setCurrentLink(from);
    m_connected = true;
    m_machine.reset();
    m_start->setConnected(true);
    m_writeFailureShown = false;
    m_offlineShown = false;
    setWindowTitle(tr("Vandor"));
    setUnstored(false);
    DeviceCfg *model = DeviceCfg::current();
    if (!model) {
        enableCommands();
        return;
    }
    // No editor takes input from the moment the page is built until it shows the board's values.
    m_reading = true;
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
    if (m_connected && !m_reading)
        readBoard();
}

bool MainDialog::readBoard()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return false;
    m_reading = true;
    holdPage(true);
    bool failed = true;
    bool cancelled = false, closing = false;
    {
        // Whatever an editor does before the board's values are shown stays off the board.
        PageBuildGuard reading;
        showProgress(tr("Loading configuration %p%"));
        failed = model->readDevice(m_progress.get());
        cancelled = LinkCancel::requested();
        closing = m_closeAfter.has_value();
        hideProgress();
        if (!failed)
            refreshEditors();
    }
    m_reading = false;
    if (!failed)
        m_shown.kept();
    if (failed) {
        // Nothing on the page is the board's: held until a read succeeds, also when the board
        // went away meanwhile (nothing of it may be edited or saved as if it were complete).
        m_readFailed = true;
        holdPage(true);
        const QString problem = model->readProblem();
        const QString why = problem.isEmpty() ? QString() : QLatin1Char('\n') + problem;
        // A window closing during the read says nothing more.
        if (cancelled || closing) {
            if (!closing)
                prompt()->message(Prompt::Icon::Information, tr("Load"),
                                  tr("The read was cancelled: the program's copy of the configuration is incomplete; "
                                     "the board itself was not changed. Use \"Read again\" to read it once more."));
        } else if (m_connected)
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
    m_readFailed = false;
    m_changeRefused = false;
    m_pageFromBoard = true;
    m_offlineFile.clear();
    m_offlineEdited = false;
    for (Par *p : ui->scrollAreaWidgetContents->findChildren<Par *>())
        p->setUnsent(false);
    // A board that describes itself may have brought other editors.
    m_findBar->pageChanged();
    m_undo->restart();
    if (m_connected) {
        showConnectedStatus();
        takeSnapshot();
    }
    holdPage(false);
    return true;
}

void MainDialog::devDisconnect()
{
    auto *from = qobject_cast<DevIo *>(sender());
    // A link that is not the connected one has nothing of ours to take down.
    if (m_connected && from && from != currentLink())
        return;
    scanEnabled = true;
    const bool unstored = m_connected && m_unstored;
    const bool stopped = m_connected && currentLink() && currentLink()->stoppedAnswering();
    m_connected = false;
    m_start->setConnected(false);
    m_netUid = -1;
    m_openLink = nullptr;
    setCurrentLink(m_usbLink);
    setUnstored(false);
    m_offlineShown = false;
    setWindowTitle(tr("Vandor"));
    // What the board went away with stays said until the user turns to something else.
    m_disconnectNote = unstored || (m_readFailed && !m_reading);
    ui->conStatus->setText(unstored ? tr("Disconnected. The board had changes not stored in its memory: "
                                         "they are lost at its next power cycle.")
                           : m_readFailed && !m_reading ? goneIncomplete()
                           : stopped                    ? tr("Disconnected: the board stopped answering.")
                                                        : tr("Disconnected"));
    // What was on the page when the board went is no offline edit.
    m_shown.kept();
    if (m_reading)
        enableCommands();
    else
        holdPage(m_readFailed);
}

QString MainDialog::goneIncomplete() const
{
    return tr("Disconnected. The page holds no complete configuration of the board: connect it again to "
              "read it, or load a dump file.");
}

QString MainDialog::pathOf(DevIo *link) const
{
    if (auto *usb = qobject_cast<UsbIo *>(link)) {
        if (!usb->udpPeer().isNull())
            return tr("UDP bridge path, %1").arg(usb->udpPeer().toString());
        return tr("USB");
    }
    if (auto *tcp = qobject_cast<TcpIo *>(link)) {
        const QList<TcpIo::Entry> &found = tcp->foundBoards();
        if (m_netUid >= 0 && m_netUid < found.size())
            return tr("network bridge, %1").arg(found.at(m_netUid).address.toString());
        return tr("network bridge");
    }
    return QString();
}

QString MainDialog::boardName() const
{
    DeviceCfg *model = DeviceCfg::current();
    const QString title = model ? model->title() : QString();
    QString name;
    if (auto *tcp = qobject_cast<TcpIo *>(currentLink())) {
        if (m_netUid >= 0 && m_netUid < tcp->foundBoards().size())
            name = tcp->foundBoards().at(m_netUid).name;
    }
    if (name.isEmpty() || name == title)
        return title;
    return title.isEmpty() ? name : tr("%1 (%2)").arg(name, title);
}

void MainDialog::showConnectedStatus()
{
    const QString board = boardName();
    const QString path = pathOf(currentLink());
    QString text = board.isEmpty() ? tr("Connected") : tr("Connected: %1").arg(board);
    // The mark of changes not stored takes no line of its own: the status keeps its height.
    QString second = path;
    if (m_unstored) {
        const QString mark = tr("Not stored in the board's memory");
        second = second.isEmpty() ? mark : second + QStringLiteral(" \u00b7 ") + mark;
    }
    if (!second.isEmpty())
        text += QLatin1Char('\n') + second;
    ui->conStatus->setText(text);
}

void MainDialog::takeSnapshot()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model || !currentLink() || !model->keepsConfiguration())
        return;
    const BoardOrigin origin = currentOrigin();
    // Which machine it is is settled at the first snapshot of the connection, asked if need be.
    if (!m_machine)
        m_machine = Machines().resolve(origin, model);
    BoardHistory::Status status = BoardHistory::Status::Failed;
    BoardHistory::takeReported(model, origin, *m_machine, &m_snapshotFailureShown, &status);
    m_snapshotStatus = status;
}

void MainDialog::keepLastSnapshot()
{
    // Only a configuration read whole and edited since is kept; one the board did not take
    // whole (a change it refused) is not its configuration.
    if (!m_machine || m_readFailed || !m_pageFromBoard || m_changeRefused)
        return;
    takeSnapshot();
}

BoardOrigin MainDialog::currentOrigin() const
{
    DeviceCfg *model = DeviceCfg::current();
    DevIo *l = currentLink();
    BoardOrigin origin;
    if (!model || !l)
        return origin;
    origin.title = model->title();
    origin.words[0] = l->word0;
    origin.words[1] = l->word1;
    origin.words[2] = l->word2;
    origin.path = pathOf(l);
    if (auto *usb = qobject_cast<UsbIo *>(l)) {
        origin.link = usb->udpPeer().isNull() ? QStringLiteral("usb") : QStringLiteral("udp");
    } else if (auto *tcp = qobject_cast<TcpIo *>(l)) {
        origin.link = QStringLiteral("tcp");
        if (m_netUid >= 0 && m_netUid < tcp->foundBoards().size())
            origin.controller = tcp->foundBoards().at(m_netUid).name;
    }
    return origin;
}

void MainDialog::changeFailed(quint32 key)
{
    qCDebug(lcApp, "Change of %u not written", key);
    m_changeRefused = true;
    reportWriteFailure();
}

void MainDialog::changeWritten()
{
    if (!m_connected) {
        markOfflineEdit();
        return;
    }
    m_writeFailureShown = false;
    setUnstored(true);
}

void MainDialog::setUnstored(bool unstored)
{
    m_unstored = unstored && m_connected;
    ui->butDevSave->setProperty("unstored", m_unstored);
    ui->butDevSave->setToolTip(m_unstored ? tr("Store in the board's memory: it runs with changes that are lost at its next power cycle")
                                          : tr("Store in the board's memory"));
    ui->butDevSave->style()->unpolish(ui->butDevSave);
    ui->butDevSave->style()->polish(ui->butDevSave);
    if (m_connected)
        showConnectedStatus();
}

void MainDialog::reportWriteFailure()
{
    // A board taken as gone already shows "Disconnected".
    if (m_connected)
        ui->conStatus->setText(tr("Connected, but the board did not take the last change"));
    // Told once: a slider dragged over a board that stopped answering fails at every step.
    if (m_writeFailureShown)
        return;
    m_writeFailureShown = true;
    prompt()->message(Prompt::Icon::Warning, tr("Write"),
                      tr("The change was not written to the board. Values marked in red are not on "
                         "the board; check the connection and change them again."));
}

QList<QWidget *> MainDialog::ownWindows() const
{
    QList<QWidget *> windows;
    for (const QPointer<QWidget> &w : m_ownWindows)
        if (w)
            windows.append(w);
    return windows;
}

void MainDialog::closeOwnWindows()
{
    if (m_helpWindow)
        m_helpWindow->close();
    const QList<QWidget *> windows = ownWindows();
    for (QWidget *w : windows) {
        w->close();
        delete w;
    }
    m_ownWindows.clear();
}

void MainDialog::done(int result)
{
    // The operation under way ends first, at its next exchange; then the window closes.
    if (m_gate->running()) {
        m_closeAfter = result;
        LinkCancel::request();
        return;
    }
    if (!settleUnsavedEdits())
        return;
    if (m_connected && m_unstored) {
        const int answer = prompt()->choice(
            tr("Unstored changes"),
            tr("The board runs with changes not stored in its memory; they are lost at its next "
               "power cycle. Store them before closing?"),
            {tr("Store"), tr("Close without storing"), tr("Cancel")});
        if (answer == 0 ? !storeOnBoard() : answer != 1)
            return;
    }
    if (m_connected)
        keepLastSnapshot();
    // Closing the main window ends the program: nothing it opened may outlive it.
    closeOwnWindows();
    QDialog::done(result);
}

void MainDialog::keyPressEvent(QKeyEvent *event)
{
    // Esc must not close the one main window (and with it the program).
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainDialog::translateStartPage()
{
    m_start->translate();
    m_about->setText(tr("Vandor version:%1.%2.%3<br>visit us at %4")
                         .arg(1)
                         .arg(11)
                         .arg(0)
                         .arg(QStringLiteral("<a href=\"https://vandor.example.com\">vandor.example.com</a>")));
}

void MainDialog::fillHostList() { m_start->fillHostList(); }

void MainDialog::openBrowser(const QString &url) { QDesktopServices::openUrl(QUrl(url)); }

void MainDialog::installUsbDriver()
{
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + QStringLiteral("/zadig-2.5.exe")));
}

bool MainDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ScrollPrepare
        && (watched == ui->scrollArea || watched == ui->scrollArea->viewport())) {
        auto *se = static_cast<QScrollPrepareEvent *>(event);
        QScrollBar *h = ui->scrollArea->horizontalScrollBar();
        QScrollBar *v = ui->scrollArea->verticalScrollBar();
        se->setViewportSize(ui->scrollArea->viewport()->size());
        se->setContentPosRange(QRectF(0, 0, h->maximum(), v->maximum()));
        se->setContentPos(QPointF(h->value(), v->value()));
        se->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
