#include "app/setupdialog.h"
#include "ui_setupdialog.h"

SetupDialog::SetupDialog(QWidget *parent) : QDialog(parent), ui(new Ui::SetupDialog)
{
    ui->setupUi(this);
    connect(ui->butLangEn, &QPushButton::clicked, this, &SetupDialog::changeLang);
    connect(ui->butLangBg, &QPushButton::clicked, this, &SetupDialog::changeLang);
}

SetupDialog::~SetupDialog() = default;

void SetupDialog::changeLang()
{
    lang = sender()->property("lang").toString();
    accept();
}
