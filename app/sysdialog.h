// The protected service menu: clear counters, serial number, relay test, system flags.
#pragma once
#include <QDialog>
#include <memory>

namespace Ui { class SysDialog; }

class SysDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SysDialog(QWidget *parent = nullptr);
    ~SysDialog() override;

public Q_SLOTS:
    void clearNvm();
    void setSetrial();
    void relayTest();
    void setFlags();

private:
    // Disables each command the board, its model or its link cannot carry out, saying why.
    void offerCommands();
    // Shows a sub-dialog window-modally; when it closes the service menu closes too.
    void runThenAccept(QDialog *dialog);

    std::unique_ptr<Ui::SysDialog> ui;
};
