// The language dialog: two buttons, the chosen code in lang.
#pragma once
#include <QDialog>
#include <memory>

namespace Ui { class SetupDialog; }

class SetupDialog : public QDialog
{
    Q_OBJECT
public:
    // current: the code in use, whose button is shown pressed.
    explicit SetupDialog(QWidget *parent = nullptr, const QString &current = QString());
    ~SetupDialog() override;

    // The chosen language code; empty until a button is clicked.
    QString lang;

public Q_SLOTS:
    void changeLang();

private:
    std::unique_ptr<Ui::SetupDialog> ui;
};
