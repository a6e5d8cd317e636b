// One flag of the board's FM memory addressing.
#pragma once
#include <QDialog>
#include <memory>

namespace Ui { class SystemFlags; }

class SystemFlags : public QDialog
{
    Q_OBJECT
public:
    explicit SystemFlags(QWidget *parent = nullptr);
    ~SystemFlags() override;

public Q_SLOTS:
    void setFlags();

private:
    std::unique_ptr<Ui::SystemFlags> ui;
    // The box as it was opened: closing with it unchanged sends nothing.
    bool m_opened = false;
};
