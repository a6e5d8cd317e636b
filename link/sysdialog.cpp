#include "link/sysdialog.h"
#include "app/prompt.h"
#include "devices/devicecfg.h"
#include "link/devio.h"
#include "link/packetframe.h"
#include "link/relaytest.h"
#include "link/systemflags.h"
#include "ui_sysdialog.h"

SysDialog::SysDialog(QWidget *parent) : QDialog(parent), ui(new Ui::SysDialog)
{
    ui->setupUi(this);
    connect(ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->clearNvmButton, &QPushButton::clicked, this, &SysDialog::clearNvm);
    connect(ui->serialButton, &QPushButton::clicked, this, &SysDialog::setSetrial);
    connect(ui->relayButton, &QPushButton::clicked, this, &SysDialog::relayTest);
    connect(ui->flagsButton, &QPushButton::clicked, this, &SysDialog::setFlags);
}

SysDialog::~SysDialog() = default;

void SysDialog::clearNvm()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model)
        return;
    if (!prompt()->question(windowTitle(), tr("Clear all counters of the board? This cannot be undone.")))
        return;
    const int failures = DeviceCfg::writeFailures();
    model->clearNvm();
    if (DeviceCfg::writeFailures() == failures)
        prompt()->message(Prompt::Icon::Information, windowTitle(), tr("The board's counters were cleared."));
    else
        prompt()->message(Prompt::Icon::Warning, windowTitle(),
                          tr("Clearing the counters failed: the board did not take the change."));
    accept();
}

void SysDialog::setSetrial()
{
    const std::optional<QString> serial = prompt()->getText(windowTitle(), QStringLiteral("sn:"));
    // The board's field holds 15 bytes: a serial whose UTF-8 is longer would be cut mid-character.
    const QByteArray bytes = serial ? serial->toUtf8() : QByteArray();
    if (!serial || serial->size() != 15 || bytes.size() > PacketFrame::SerialField - 1) {
        prompt()->message(Prompt::Icon::Information, windowTitle(), QStringLiteral("len"));
        return;
    }
    DevIo *link = currentLink();
    if (link && link->writeSn(bytes.constData())) {
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
