#include "app/systemflags.h"
#include "base/host.h"
#include "base/prompt.h"
#include "devices/devicecfg.h"
#include "ui_systemflags.h"

SystemFlags::SystemFlags(QWidget *parent) : QDialog(parent), ui(new Ui::SystemFlags)
{
    ui->setupUi(this);
    DeviceCfg *model = DeviceCfg::current();
    m_opened = model && (model->fmFlag() & 1);
    ui->fm2bBox->setChecked(m_opened);
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
    if (model && ui->fm2bBox->isEnabled() && ui->fm2bBox->isChecked() != m_opened) {
        // Sent like an edit: the board runs with it until its memory is stored.
        if (model->setFmFlag(ui->fm2bBox->isChecked() ? 1 : 0))
            host()->changeWritten();
        else
            prompt()->message(Prompt::Icon::Warning, windowTitle(),
                              tr("The board did not take the flag: check the connection and set it again."));
    }
    accept();
}
