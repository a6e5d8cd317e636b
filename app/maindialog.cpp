#include "app/maindialog.h"
#include "app/logging.h"
#include "app/nethosts.h"
#include "app/qtprompt.h"
#include "app/resources.h"
#include "app/scale.h"
#include "app/setupdialog.h"
#include "app/stylesheet.h"
#include "devices/devicecfg.h"
#include "editors/par.h"
#include "link/devio.h"
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
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScrollBar>
#include <QScrollPrepareEvent>
#include <QScroller>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

static MainDialog *s_instance = nullptr;

// The window's progress bar as a progress sink.
class MainDialog::BarProgress : public Progress
{
public:
    explicit BarProgress(QProgressBar *bar) : m_bar(bar) {}
    void setMaximum(int maximum) override { m_bar->setMaximum(maximum); }
    int maximum() const override { return m_bar->maximum(); }
    void setValue(int value) override { m_bar->setValue(value); }
    int value() const override { return m_bar->value(); }

private:
    QProgressBar *m_bar;
};

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

    m_dumpDir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);

    ui->setupUi(this);
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

    QCoreApplication::installTranslator(&m_translator);
    loadLanguage();

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
    for (DeviceCfg *model : offered) {
        auto *button = new QPushButton(model->title(), page);
        button->setProperty("dev", QVariant::fromValue<QObject *>(model));
        connect(button, &QPushButton::clicked, this, &MainDialog::selectControls);
        layout->addWidget(button);
    }
    // For bridges that broadcast discovery does not reach: asked for at every scan.
    auto *findHost = new QPushButton(tr("Find board by address"), page);
    findHost->setObjectName(QStringLiteral("butFindHost"));
    connect(findHost, &QPushButton::clicked, this, [this] {
        if (!NetHosts::askAndRemember(m_settings))
            return;
        for (DevIo *link : {m_netLink, m_usbLink})
            if (link)
                QMetaObject::invokeMethod(link, "scan", Qt::QueuedConnection);
    });
    layout->addWidget(findHost);
    layout->addStretch();

    m_about = new QLabel(this);
    m_about->setObjectName(QStringLiteral("aboutLabel"));
    m_about->setAlignment(Qt::AlignCenter);
    m_about->setText(tr("Vandor version:%1.%2.%3<br>visit us at %4")
                         .arg(1)
                         .arg(11)
                         .arg(0)
                         .arg(QStringLiteral("<a href=\"https://vandor.example.com\">vandor.example.com</a>")));
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
    if (m_helpWindow)
        m_helpWindow->close();
    setCurrentLink(nullptr);
    if (host() == this)
        setHost(nullptr);
    if (m_ownPrompt)
        setPrompt(nullptr);
    if (s_instance == this)
        s_instance = nullptr;
    QCoreApplication::removeTranslator(&m_translator);
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
    showProgress(tr("Update device %p%"));
    model->writeDevice(m_progress.get());
    hideProgress();
}

void MainDialog::updateTexts(int count)
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return;
    ui->progressBar->setMaximum(count);
    showProgress(tr("Update texts %p%"));
    model->writeTexts(m_progress.get(), count);
    hideProgress();
}

void MainDialog::refreshEditors()
{
    const auto editors = ui->scrollAreaWidgetContents->findChildren<Par *>();
    for (Par *p : editors)
        p->refresh();
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
    ui->butLoad->setEnabled(true);
    ui->butSave->setEnabled(true);
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
    auto *layout = qobject_cast<QBoxLayout *>(ui->scrollAreaWidgetContents->layout());
    if (!layout)
        return;
    auto *button = new QPushButton(name, ui->scrollAreaWidgetContents);
    button->setProperty("uid", key);
    connect(button, &QPushButton::clicked, this, &MainDialog::openDevice);
    layout->insertWidget(0, button);
}

void MainDialog::openDevice()
{
    if (m_netLink && sender())
        m_netLink->open(sender()->property("uid").toInt());
}

void MainDialog::devConnect()
{
    scanEnabled = false;
    if (auto *link = qobject_cast<DevIo *>(sender()))
        setCurrentLink(link);
    ui->conStatus->setText(tr("Connected"));
    ui->butDevSave->show();
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return;
    if (m_startPage)
        showPage(model);
    showProgress(tr("Loading configuration %p%"));
    const bool failed = model->readDevice(m_progress.get());
    hideProgress();
    if (failed) {
        prompt()->message(Prompt::Icon::Critical, tr("Load"),
                          tr("Device error! Load is incomplete and current configuration corrupted."));
        return;
    }
    PageBuildGuard refreshing;
    refreshEditors();
}

void MainDialog::devDisconnect()
{
    scanEnabled = true;
    setCurrentLink(m_usbLink);
    ui->conStatus->setText(tr("Disconnected"));
    ui->butDevSave->hide();
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
