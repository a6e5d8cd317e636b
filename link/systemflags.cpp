#include "link/systemflags.h"
#include "devices/devicecfg.h"
#include "ui_systemflags.h"

SystemFlags::SystemFlags(QWidget *parent) : QDialog(parent), ui(new Ui::SystemFlags)
{
    ui->setupUi(this);
    DeviceCfg *model = DeviceCfg::current();
    ui->fm2bBox->setChecked(model && (model->fmFlag() & 1));
    connect(ui->closeButton, &QPushButton::clicked, this, &SystemFlags::setFlags);
}

SystemFlags::~SystemFlags() = default;

void SystemFlags::setFlags()
{
    if (DeviceCfg *model = DeviceCfg::current())
        model->setFmFlag(ui->fm2bBox->isChecked() ? 1 : 0);
    accept();
}
