#include "app/sysdialog.h"
#include "base/host.h"
#include "base/prompt.h"
#include "devices/devicecfg.h"
#include "link/devio.h"
#include "link/packetframe.h"
#include "app/relaytest.h"
#include "app/systemflags.h"
#include "link/tcpio.h"
#include "ui_sysdialog.h"

SysDialog::SysDialog(QWidget *parent) : QDialog(parent), ui(new Ui::SysDialog)
{
    ui->setupUi(this);
    connect(ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->clearNvmButton, &QPushButton::clicked, this, &SysDialog::clearNvm);
    connect(ui->serialButton, &QPushButton::clicked, this, &SysDialog::setSetrial);
    connect(ui->relayButton, &QPushButton::clicked, this, &SysDialog::relayTest);
    connect(ui->flagsButton, &QPushButton::clicked, this, &SysDialog::setFlags);
    offerCommands();
}

void SysDialog::offerCommands()
{
    DeviceCfg *model = DeviceCfg::current();
    const bool board = model && host()->boardConnected();
    const bool counters = board && model->keepsConfiguration();
    const bool serial = board && !qobject_cast<TcpIo *>(currentLink());
    const struct
    {
        QPushButton *button;
        bool offered;
        QString why;
    } commands[] = {
        {ui->clearNvmButton, counters, tr("This board keeps no counters.")},
        {ui->serialButton, serial, tr("The serial number is set over USB or the UDP bridge path only.")},
        {ui->relayButton, board && model->hasRelayTest(), tr("This board has no relay test.")},
        {ui->flagsButton, board && model->hasFmFlag(), tr("This board has no system flags.")},
    };
    for (const auto &c : commands) {
        // Nothing is pretended: a command that would reach no board is not offered.
        c.button->setEnabled(c.offered);
        if (!board)
            c.button->setToolTip(tr("No board is connected: service commands act on a connected board only."));
        else if (!c.offered)
            c.button->setToolTip(c.why);
    }
}

SysDialog::~SysDialog() = default;

void SysDialog::clearNvm()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return;
    if (!prompt()->question(windowTitle(), tr("Clear all counters of the board? This cannot be undone.")))
        return;
    if (model->clearNvm()) {
        // Sent like an edit: the board runs with it until its memory is stored.
        host()->changeWritten();
        prompt()->message(Prompt::Icon::Information, windowTitle(), tr("The board's counters were cleared."));
    } else {
        prompt()->message(Prompt::Icon::Warning, windowTitle(),
                          tr("Clearing the counters failed: the board did not take the change."));
    }
    accept();
}

void SysDialog::setSetrial()
{
    DevIo *link = currentLink();
    // Told once, before anything is typed: the network bridge does not pass a serial number on.
    if (link && !link->setsSerial()) {
        prompt()->message(Prompt::Icon::Information, windowTitle(),
                          tr("The serial number cannot be set over the network bridge: connect the board by USB."));
        return;
    }
    const std::optional<QString> serial = prompt()->getText(windowTitle(), QStringLiteral("sn:"));
    // The board's field holds 15 bytes: a serial whose UTF-8 is longer would be cut mid-character.
    const QByteArray bytes = serial ? serial->toUtf8() : QByteArray();
    if (!serial || serial->size() != 15 || bytes.size() > PacketFrame::SerialField - 1) {
        prompt()->message(Prompt::Icon::Information, windowTitle(), QStringLiteral("len"));
        return;
    }
    if (link && link->writeSn(bytes.constData())) {
        prompt()->message(Prompt::Icon::Information, windowTitle(),
                          tr("The board took the serial number %1.").arg(*serial));
        accept();
        return;
    }
    prompt()->message(Prompt::Icon::Information, windowTitle(), QStringLiteral("fail"));
}

void SysDialog::runThenAccept(QDialog *dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, &QDialog::accept);
    dialog->open();
}

void SysDialog::relayTest() { runThenAccept(new RelayTest(this)); }

void SysDialog::setFlags() { runThenAccept(new SystemFlags(this)); }
