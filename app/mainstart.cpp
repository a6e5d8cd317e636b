// The main window's start page and links: the page of models and boards found, the bar that
// leads back to it, and the open of the board chosen there.
#include "app/maindialog.h"
#include "app/findbar.h"
#include "app/editundo.h"
#include "app/startpage.h"
#include "base/prompt.h"
#include "base/scale.h"
#include "devices/devicecfg.h"
#include "link/devio.h"
#include "link/usbio.h"
#include "ui_maindialog.h"
#include <QCoreApplication>
#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>

void MainDialog::setupStartPage(const Parts &parts)
{
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
}

void MainDialog::setupLinks(const Parts &parts)
{
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

void MainDialog::showStartPage()
{
    if (m_session.connected() || m_session.reading() || !settleUnsavedEdits())
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
    m_foundBar->setVisible(!m_startPage && !m_session.connected() && found > 0);
    m_foundBar->setText(tr("Boards found: %1. Back to the start page to choose one").arg(found));
}

void MainDialog::selectControls(DeviceCfg *model)
{
    if (!model)
        return;
    if (model != DeviceCfg::current() && !settleUnsavedEdits())
        return;
    DeviceCfg::setCurrent(model);
    m_session.modelChosen();
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
    if (!link || m_session.opening() || (m_backingUp && !m_backupOpens))
        return;
    if (m_session.connected()) {
        // One board at a time: everything the window does goes to the connected one.
        prompt()->message(Prompt::Icon::Information, tr("Connection"),
                          tr("A board is already connected (%1). Only one board can be open at a time.")
                              .arg(m_session.path()));
        return;
    }
    m_session.beginOpen(link, uid, link == m_netLink);
    m_session.openEnded(link->open(uid));
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
