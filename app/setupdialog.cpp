#include "app/setupdialog.h"
#include "ui_setupdialog.h"

SetupDialog::SetupDialog(QWidget *parent, const QString &current) : QDialog(parent), ui(new Ui::SetupDialog)
{
    ui->setupUi(this);
    for (QPushButton *b : {ui->butLangEn, ui->butLangBg}) {
        b->setCheckable(true);
        b->setChecked(b->property("lang").toString() == current);
    }
    connect(ui->butLangEn, &QPushButton::clicked, this, &SetupDialog::changeLang);
    connect(ui->butLangBg, &QPushButton::clicked, this, &SetupDialog::changeLang);
}

SetupDialog::~SetupDialog() = default;

void SetupDialog::changeLang()
{
    lang = sender()->property("lang").toString();
    accept();
}
