// The start page itself: the models to edit offline, the addresses typed for boards discovery
// does not reach, and the heading over the boards found (their rows: startrows.cpp).
#include "app/startpage.h"
#include "app/machines.h"
#include "base/logging.h"
#include "base/nethosts.h"
#include "base/prompt.h"
#include "base/scale.h"
#include "devices/devicecfg.h"
#include "link/devio.h"
#include <QBoxLayout>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QTimer>
#include <optional>

namespace {

// Texts the start page had while it was part of the window keep the window's translations.
QString windowText(const char *text) { return QCoreApplication::translate("MainDialog", text); }

} // namespace

StartPage::StartPage(QSettings &settings, QObject *parent) : QObject(parent), m_settings(settings) {}

void StartPage::addLink(DevIo *link, bool opensAlone)
{
    if (!link)
        return;
    m_links << link;
    if (opensAlone)
        m_alone << link;
    connect(link, &DevIo::deviceQuiet, this, [this, link](int uid, const QDateTime &t) { quiet(link, uid, t); });
    connect(link, &DevIo::deviceRemoved, this, [this, link](int uid) { removed(link, uid); });
}

void StartPage::build(QWidget *container, const QList<DeviceCfg *> &models)
{
    m_page = container;
    auto *layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (!models.isEmpty()) {
        auto *heading = new QLabel(container);
        heading->setObjectName(QStringLiteral("offlineHeading"));
        heading->setWordWrap(true);
        heading->setAlignment(Qt::AlignCenter);
        layout->addWidget(heading);
    }
    for (DeviceCfg *model : models) {
        auto *button = new QPushButton(model->title(), container);
        button->setProperty("dev", QVariant::fromValue<QObject *>(model));
        connect(button, &QPushButton::clicked, this, [this, model] { Q_EMIT modelChosen(model); });
        layout->addWidget(button);
    }
    // For bridges that broadcast discovery does not reach: asked for at every scan.
    auto *findHost = new QPushButton(container);
    findHost->setObjectName(QStringLiteral("butFindHost"));
    connect(findHost, &QPushButton::clicked, this, &StartPage::findBoardByAddress);
    layout->addWidget(findHost);
    m_hostList = new QWidget(container);
    m_hostList->setObjectName(QStringLiteral("rememberedHosts"));
    layout->addWidget(m_hostList);
    layout->addSpacing(scaled(16));
    // Last, so that a board found while the technician reaches for a button moves nothing
    // above it; each new one goes to the end of the list.
    m_foundHeading = new QLabel(container);
    m_foundHeading->setObjectName(QStringLiteral("foundHeading"));
    m_foundHeading->setWordWrap(true);
    m_foundHeading->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_foundHeading);
    m_backupAll = new QPushButton(container);
    m_backupAll->setObjectName(QStringLiteral("butBackupAll"));
    connect(m_backupAll, &QPushButton::clicked, this, &StartPage::backupRequested);
    layout->addWidget(m_backupAll);
    m_list = new QWidget(container);
    m_list->setObjectName(QStringLiteral("foundBoards"));
    auto *rows = new QVBoxLayout(m_list);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    layout->addWidget(m_list);
    layout->addStretch();
    if (m_noDriver)
        showDriverButton();
    for (Row &row : m_rows)
        showRow(row);
    translate();
    fillHostList();
}

void StartPage::translate()
{
    if (!m_page)
        return;
    if (auto *heading = m_page->findChild<QLabel *>(QStringLiteral("offlineHeading"), Qt::FindDirectChildrenOnly))
        heading->setText(windowText("Without a board, edit a model's configuration offline:"));
    if (auto *findHost = m_page->findChild<QPushButton *>(QStringLiteral("butFindHost"), Qt::FindDirectChildrenOnly))
        findHost->setText(windowText("Find board by address"));
    for (QPushButton *button : m_page->findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly))
        if (auto *model = qobject_cast<DeviceCfg *>(button->property("dev").value<QObject *>()))
            button->setText(model->title());
    if (m_list) {
        if (auto *driver = m_list->findChild<QPushButton *>(QStringLiteral("butUsbDriver")))
            driver->setText(windowText("Install USB driver"));
    }
    for (Row &row : m_rows)
        if (row.button)
            row.button->setText(textOf(row));
    updateHeading();
}

void StartPage::updateHeading()
{
    if (!m_foundHeading)
        return;
    m_foundHeading->setText(tr("Boards found: click the one to open."));
    m_foundHeading->setVisible(!m_rows.isEmpty());
    if (m_backupAll) {
        m_backupAll->setText(tr("Back up all"));
        m_backupAll->setToolTip(tr("Open each checked board (every board when none is checked) in turn, read it, "
                                   "keep its configuration as a snapshot of its machine and leave it. Nothing is "
                                   "written to any board."));
        m_backupAll->setVisible(!backupTargets().isEmpty());
    }
}

void StartPage::fillHostList()
{
    if (!m_hostList)
        return;
    delete m_hostList->layout();
    qDeleteAll(m_hostList->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly));
    const QStringList hosts = NetHosts::all(m_settings);
    if (hosts.isEmpty())
        return;
    auto *grid = new QGridLayout(m_hostList);
    grid->setContentsMargins(scaled(8), scaled(4), scaled(8), scaled(4));
    auto *heading = new QLabel(windowText("Remembered addresses, asked at every scan:"), m_hostList);
    heading->setWordWrap(true);
    grid->addWidget(heading, 0, 0, 1, 2);
    int row = 1;
    for (const QString &host : hosts) {
        grid->addWidget(new QLabel(host, m_hostList), row, 0);
        auto *forget = new QPushButton(windowText("Forget"), m_hostList);
        forget->setObjectName(QStringLiteral("forgetHost"));
        forget->setProperty("host", host);
        forget->setToolTip(windowText("Stop asking %1 for boards").arg(host));
        connect(forget, &QPushButton::clicked, this, [this, host] {
            if (!prompt()->question(windowText("Find board by address"), windowText("Forget the address %1?").arg(host)))
                return;
            NetHosts::forget(m_settings, host);
            // Rebuilt later: this button is the sender.
            QMetaObject::invokeMethod(this, &StartPage::fillHostList, Qt::QueuedConnection);
        });
        grid->addWidget(forget, row, 1);
        ++row;
    }
}

void StartPage::findBoardByAddress()
{
    QHostAddress typed;
    if (!NetHosts::askAndRemember(m_settings, &typed))
        return;
    fillHostList();
    for (DevIo *link : qAsConst(m_links))
        if (link->metaObject()->indexOfSlot("scan()") >= 0)
            QMetaObject::invokeMethod(link, "scan", Qt::QueuedConnection);
    // Told when nothing answers from there in a few scans' time.
    QTimer::singleShot(m_answerMs, this, [this, typed] {
        if (!answeredFrom(typed.toString()))
            prompt()->message(Prompt::Icon::Information, windowText("Find board by address"),
                              windowText("No board answered at %1. The address stays remembered; "
                                         "it is asked again at every scan.").arg(typed.toString()));
    });
}

bool StartPage::answeredFrom(const QString &host) const
{
    for (const Row &r : m_rows) {
        DevIo::Found f;
        if (r.link->describe(r.uid, &f) && QHostAddress(f.address).isEqual(QHostAddress(host), QHostAddress::TolerantConversion))
            return true;
    }
    return false;
}
