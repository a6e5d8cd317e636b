#include "link/systemflags.h"
#include "devices/devicecfg.h"
#include "ui_systemflags.h"

SystemFlags::SystemFlags(QWidget *parent) : QDialog(parent), ui(new Ui::SystemFlags)
{
    ui->setupUi(this);
    DeviceCfg *model = DeviceCfg::current();
    ui->fm2bBox->setChecked(model && (model->fmFlag() & 1));
    // A board without the flag shows it as it is, but it cannot be changed here.
    const bool offered = model && model->hasFmFlag();
    ui->fm2bBox->setEnabled(offered);
    if (!offered)
        ui->fm2bBox->setToolTip(tr("This board has no such flag."));
    connect(ui->closeButton, &QPushButton::clicked, this, &SystemFlags::setFlags);
}

SystemFlags::~SystemFlags() = default;

void SystemFlags::setFlags()
{
    DeviceCfg *model = DeviceCfg::current();
    if (model && ui->fm2bBox->isEnabled())
        model->setFmFlag(ui->fm2bBox->isChecked() ? 1 : 0);
    accept();
}
