#include "app/maindialog.h"
#include "app/barprogress.h"
#include "app/boardhistory.h"
#include "app/factorymarks.h"
#include "app/editundo.h"
#include "app/findbar.h"
#include "app/logging.h"
#include "app/nethosts.h"
#include "app/qtprompt.h"
#include "app/resources.h"
#include "app/scale.h"
#include "app/setupdialog.h"
#include "app/stylesheet.h"
#include "devices/configwatch.h"
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
    // Long states (board, path, a failed write) wrap instead of widening the window.
    ui->conStatus->setWordWrap(true);
    setMinimumSize(scaled(MinimumWidth), scaled(MinimumHeight));
    m_progress = std::make_unique<BarProgress>(ui->progressBar);
    ui->progressBar->hide();
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
    auto *marks = new FactoryMarks(ui->scrollAreaWidgetContents, this);
    marks->listAll = [this] { compareWithFactory(); };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this), &QShortcut::activated, this,
            &MainDialog::compareWithFactory);
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
    QWidget *page = ui->scrollAreaWidgetContents;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch();
    const QList<DeviceCfg *> offered = parts.makeModels ? parts.makeModels(this) : QList<DeviceCfg *>();
    if (!offered.isEmpty()) {
        auto *heading = new QLabel(page);
        heading->setObjectName(QStringLiteral("offlineHeading"));
        heading->setWordWrap(true);
        heading->setAlignment(Qt::AlignCenter);
        layout->addWidget(heading);
    }
    for (DeviceCfg *model : offered) {
        auto *button = new QPushButton(model->title(), page);
        button->setProperty("dev", QVariant::fromValue<QObject *>(model));
        connect(button, &QPushButton::clicked, this, &MainDialog::selectControls);
        layout->addWidget(button);
    }
    // For bridges that broadcast discovery does not reach: asked for at every scan. Placed with
    // the boards found on the network, above the offline models.
    auto *findHost = new QPushButton(page);
    findHost->setObjectName(QStringLiteral("butFindHost"));
    connect(findHost, &QPushButton::clicked, this, &MainDialog::findBoardByAddress);
    layout->insertWidget(1, findHost);
    m_hostList = new QWidget(page);
    m_hostList->setObjectName(QStringLiteral("rememberedHosts"));
    layout->insertWidget(2, m_hostList);
    layout->insertSpacing(3, scaled(16));
    fillHostList();
    layout->addStretch();

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
    if (auto *usb = qobject_cast<UsbIo *>(m_usbLink))
        connect(usb, &UsbIo::noDriverGone, this,
                [this] { delete ui->scrollAreaWidgetContents->findChild<QPushButton *>(QStringLiteral("butUsbDriver")); });
    m_netLink = parts.makeNetLink ? parts.makeNetLink(this) : nullptr;
    if (m_netLink)
        connectLink(m_netLink, &MainDialog::detectedDeviceTcp);
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
}

void MainDialog::hideProgress() { ui->progressBar->hide(); }

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
    model->writeDevice(m_progress.get());
    hideProgress();
    if (online && m_connected)
        setUnstored(true);
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
    m_hostList = nullptr;
    // The about label floats over the start page only; it would cover the page's editors.
    m_about->hide();
    {
        PageBuildGuard building;
        model->buildPage(ui->scrollAreaWidgetContents);
    }
    ConfigWatch::touch();
    m_findBar->show();
    m_undo->restart();
    enableCommands();
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
    ui->butLoad->setEnabled(dumps);
    ui->butSave->setEnabled(dumps);
    m_compare->setEnabled(dumps && ModelDiff::comparable(model));
    ui->butDevSave->setVisible(m_connected);
    ui->butDevSave->setEnabled(m_connected && dumps);
    ui->butReread->setVisible(m_connected && configuration);
    ui->butReread->setEnabled(m_connected && configuration && !m_reading);
    showUndoState();
}

void MainDialog::selectControls()
{
    auto *model = qobject_cast<DeviceCfg *>(sender()->property("dev").value<QObject *>());
    if (!model)
        return;
    DeviceCfg::setCurrent(model);
    showPage(model);
}

void MainDialog::detectedDeviceUsb(QString name, int key)
{
    if (name == QLatin1String("$NoDriver")) {
        // One button however many driverless boards there are; it goes when the last one does.
        auto *layout = qobject_cast<QBoxLayout *>(ui->scrollAreaWidgetContents->layout());
        if (!layout || ui->scrollAreaWidgetContents->findChild<QPushButton *>(QStringLiteral("butUsbDriver")))
            return;
        auto *button = new QPushButton(tr("Install USB driver"), ui->scrollAreaWidgetContents);
        button->setObjectName(QStringLiteral("butUsbDriver"));
        connect(button, &QPushButton::clicked, this, &MainDialog::installUsbDriver);
        layout->insertWidget(0, button);
        return;
    }
    if (m_usbLink)
        m_usbLink->open(key);
}

void MainDialog::detectedDeviceTcp(QString name, int key)
{
    // A board announced again (after its connection dropped, or from a new address) keeps
    // its one button.
    const auto buttons = ui->scrollAreaWidgetContents->findChildren<QPushButton *>(QStringLiteral("netBoard"));
    for (QPushButton *b : buttons) {
        if (b->property("uid").toInt() == key) {
            b->setText(networkButtonText(name, key));
            return;
        }
    }
    auto *layout = qobject_cast<QBoxLayout *>(ui->scrollAreaWidgetContents->layout());
    if (!layout)
        return;
    auto *button = new QPushButton(networkButtonText(name, key), ui->scrollAreaWidgetContents);
    button->setObjectName(QStringLiteral("netBoard"));
    button->setProperty("uid", key);
    connect(button, &QPushButton::clicked, this, &MainDialog::openDevice);
    layout->insertWidget(0, button);
}

QString MainDialog::networkButtonText(const QString &name, int uid) const
{
    auto *tcp = qobject_cast<TcpIo *>(m_netLink);
    if (!tcp || uid < 0 || uid >= tcp->foundBoards().size())
        return name;
    const TcpIo::Entry &entry = tcp->foundBoards().at(uid);
    const QString where = entry.address.toString();
    return entry.kind == TcpIo::Bridge ? tr("%1\nnetwork bridge at %2").arg(name, where)
                                       : tr("%1\ncontroller on the network at %2").arg(name, where);
}

void MainDialog::openDevice()
{
    if (!m_netLink || !sender())
        return;
    if (m_connected) {
        // One board at a time: everything the window does goes to the connected one.
        prompt()->message(Prompt::Icon::Information, tr("Connection"),
                          tr("A board is already connected (%1). Only one board can be open at a time.")
                              .arg(pathOf(currentLink())));
        return;
    }
    const int uid = sender()->property("uid").toInt();
    m_netUid = uid;
    if (!m_netLink->open(uid) && !m_connected)
        m_netUid = -1;
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
    m_writeFailureShown = false;
    setUnstored(false);
    DeviceCfg *model = DeviceCfg::current();
    if (!model) {
        enableCommands();
        return;
    }
    // No editor takes input from the moment the page is built until it shows the board's values.
    m_reading = true;
    holdPage(true);
    if (m_startPage)
        showPage(model);
    readBoard();
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
    {
        // Whatever an editor does before the board's values are shown stays off the board.
        PageBuildGuard reading;
        showProgress(tr("Loading configuration %p%"));
        failed = model->readDevice(m_progress.get());
        hideProgress();
        if (!failed)
            refreshEditors();
    }
    m_reading = false;
    if (failed) {
        // Held until a read succeeds, unless the board went away meanwhile: the page is then
        // an offline page like any other.
        holdPage(m_connected);
        prompt()->message(Prompt::Icon::Critical, tr("Load"),
                          tr("Device error! The program's copy of the configuration is incomplete; "
                             "the board itself was not changed. Use \"Read again\" to read it once more."));
        return false;
    }
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
    m_connected = false;
    m_netUid = -1;
    setCurrentLink(m_usbLink);
    setUnstored(false);
    ui->conStatus->setText(unstored ? tr("Disconnected. The board had changes not stored in its memory: "
                                         "they are lost at its next power cycle.")
                                    : tr("Disconnected"));
    if (m_reading)
        enableCommands();
    else
        holdPage(false);
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
    if (!path.isEmpty())
        text += QLatin1Char('\n') + path;
    if (m_unstored)
        text += QLatin1Char('\n') + tr("Changes not stored in the board's memory: they are lost at its next power cycle");
    ui->conStatus->setText(text);
}

void MainDialog::takeSnapshot()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model || !currentLink() || !model->keepsConfiguration())
        return;
    BoardHistory::takeReported(model, currentOrigin(), &m_snapshotFailureShown);
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
    reportWriteFailure();
}

void MainDialog::changeWritten()
{
    if (!m_connected)
        return;
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
    if (m_connected && m_unstored) {
        const int answer = prompt()->choice(
            tr("Unstored changes"),
            tr("The board runs with changes not stored in its memory; they are lost at its next "
               "power cycle. Store them before closing?"),
            {tr("Store"), tr("Close without storing"), tr("Cancel")});
        if (answer == 0 ? !storeOnBoard() : answer != 1)
            return;
    }
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

void MainDialog::findBoardByAddress()
{
    QHostAddress typed;
    if (!NetHosts::askAndRemember(m_settings, &typed))
        return;
    fillHostList();
    for (DevIo *link : {m_netLink, m_usbLink})
        if (link && link->metaObject()->indexOfSlot("scan()") >= 0)
            QMetaObject::invokeMethod(link, "scan", Qt::QueuedConnection);
    // Told when nothing answers from there in a few scans' time.
    QTimer::singleShot(AddressAnswerMs, this, [this, typed] {
        if (!boardAnsweredFrom(typed))
            prompt()->message(Prompt::Icon::Information, tr("Find board by address"),
                              tr("No board answered at %1. The address stays remembered; "
                                 "it is asked again at every scan.").arg(typed.toString()));
    });
}

bool MainDialog::boardAnsweredFrom(const QHostAddress &host) const
{
    const auto same = [&host](const QHostAddress &a) { return a.isEqual(host, QHostAddress::TolerantConversion); };
    if (auto *tcp = qobject_cast<TcpIo *>(m_netLink)) {
        for (const TcpIo::Entry &e : tcp->foundBoards())
            if (same(e.address))
                return true;
    }
    if (auto *usb = qobject_cast<UsbIo *>(m_usbLink))
        return same(usb->udpPeer());
    return false;
}

void MainDialog::translateStartPage()
{
    QWidget *page = ui->scrollAreaWidgetContents;
    if (auto *heading = page->findChild<QLabel *>(QStringLiteral("offlineHeading"), Qt::FindDirectChildrenOnly))
        heading->setText(tr("Without a board, edit a model's configuration offline:"));
    if (auto *findHost = page->findChild<QPushButton *>(QStringLiteral("butFindHost"), Qt::FindDirectChildrenOnly))
        findHost->setText(tr("Find board by address"));
    for (QPushButton *button : page->findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly))
        if (auto *model = qobject_cast<DeviceCfg *>(button->property("dev").value<QObject *>()))
            button->setText(model->title());
    m_about->setText(tr("Vandor version:%1.%2.%3<br>visit us at %4")
                         .arg(1)
                         .arg(11)
                         .arg(0)
                         .arg(QStringLiteral("<a href=\"https://vandor.example.com\">vandor.example.com</a>")));
}

void MainDialog::fillHostList()
{
    if (!m_hostList)
        return;
    delete m_hostList->layout();
    qDeleteAll(m_hostList->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly));
    const QStringList hosts = NetHosts::all(m_settings);
    if (hosts.isEmpty())
        return;
    auto *grid = new QGridLayout(m_hostList);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *heading = new QLabel(tr("Remembered addresses, asked at every scan:"), m_hostList);
    heading->setWordWrap(true);
    grid->addWidget(heading, 0, 0, 1, 2);
    int row = 1;
    for (const QString &host : hosts) {
        grid->addWidget(new QLabel(host, m_hostList), row, 0);
        auto *forget = new QPushButton(tr("Forget"), m_hostList);
        forget->setObjectName(QStringLiteral("forgetHost"));
        forget->setProperty("host", host);
        forget->setToolTip(tr("Stop asking %1 for boards").arg(host));
        connect(forget, &QPushButton::clicked, this, [this, host] {
            if (!prompt()->question(tr("Find board by address"), tr("Forget the address %1?").arg(host)))
                return;
            NetHosts::forget(m_settings, host);
            // Rebuilt later: this button is the sender.
            QMetaObject::invokeMethod(this, &MainDialog::fillHostList, Qt::QueuedConnection);
        });
        grid->addWidget(forget, row, 1);
        ++row;
    }
}

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
