#include "app/maindialog.h"
#include "app/barprogress.h"
#include "app/factorymarks.h"
#include "app/editundo.h"
#include "app/findbar.h"
#include "app/maincommands.h"
#include "base/logging.h"
#include "app/operationgate.h"
#include "app/qtprompt.h"
#include "base/resources.h"
#include "base/scale.h"
#include "app/startpage.h"
#include "app/stylesheet.h"
#include "base/configwatch.h"
#include "devices/devicecfg.h"
#include "editors/par.h"
#include "link/devio.h"
#include "ui_maindialog.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScrollBar>
#include <QScrollPrepareEvent>
#include <QScroller>
#include <QShortcut>
#include <QStyle>
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

    m_commands = new MainCommands(this, &m_session);
    connect(m_commands, &MainCommands::pageKept, this, [this] { m_shown.kept(); });
    connect(m_commands, &MainCommands::fileLoaded, this, [this] {
        holdPage(false);
        showOfflineStatus();
    });
    connect(m_commands, &MainCommands::fileSaved, this, &MainDialog::showOfflineStatus);
    connect(m_commands, &MainCommands::editedOffline, this, &MainDialog::markOfflineEdit);

    // Installed before the form is built, so that the form's texts come out translated.
    QCoreApplication::installTranslator(&m_qtTranslator);
    QCoreApplication::installTranslator(&m_translator);
    loadLanguage();

    ui->setupUi(this);
    connect(&m_session, &Session::unstoredChanged, this, &MainDialog::showUnstored);
    connect(&m_session, &Session::pageHeldChanged, this, [this](bool held) {
        ui->scrollAreaWidgetContents->setEnabled(!held);
        enableCommands();
    });
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

    // The start page, the window as it is without a board, then the links that find boards.
    setupStartPage(parts);
    devDisconnect();
    setupLinks(parts);
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
    const bool online = m_session.connected();
    showProgress(tr("Update device %p%"));
    // Events run between the chunks: the page and the commands are held as during a read, so
    // that no edit, dump or read starts another transfer in the middle of this one.
    const bool reading = m_session.reading(), held = m_session.pageHeld();
    m_session.setReading(true);
    holdPage(true);
    const bool written = model->writeDevice(m_progress.get());
    m_session.setReading(reading);
    holdPage(held && m_session.connected());
    hideProgress();
    if (online && m_session.connected())
        m_session.setUnstored(true);
    else if (!online)
        markOfflineEdit();
    if (!written && online)
        reportWriteFailure();
}

void MainDialog::updateTexts(int count)
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return;
    m_undo->recordTexts();
    const bool online = m_session.connected();
    ui->progressBar->setMaximum(count);
    showProgress(tr("Update texts %p%"));
    const bool written = model->writeTexts(m_progress.get(), count);
    hideProgress();
    if (online && m_session.connected())
        m_session.setUnstored(true);
    else if (!online)
        markOfflineEdit();
    if (!written && online)
        reportWriteFailure();
}

void MainDialog::refreshEditors()
{
    const auto editors = ui->scrollAreaWidgetContents->findChildren<Par *>();
    for (Par *p : editors)
        p->refresh();
    ConfigWatch::touch();
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
        // The page shows at once; a section's editors are made when it is first opened.
        PageBuildGuard building;
        DeviceCfg::TabsWhenShown whenShown;
        model->buildPage(ui->scrollAreaWidgetContents);
    }
    // A section opened later gets the marks of its values changed from factory.
    connect(model, &DeviceCfg::tabBuilt, this, &MainDialog::tabBuilt, Qt::UniqueConnection);
    m_shown.built(model);
    ConfigWatch::touch();
    m_findBar->show();
    m_undo->restart();
    enableCommands();
}

void MainDialog::tabBuilt() { ConfigWatch::touch(); }

void MainDialog::closeOwnWindows()
{
    if (m_helpWindow)
        m_helpWindow->close();
    m_commands->closeOwnWindows();
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
    if (!settleUnstoredChanges(tr("The board runs with changes not stored in its memory; they are lost at its next "
                                  "power cycle. Store them before closing?"),
                               tr("Close without storing")))
        return;
    if (m_session.connected())
        m_session.keepLastSnapshot();
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
