// Steps through the relay outputs: each relay on alone for 500 ms, all off for 500 ms between.
#pragma once
#include <QDialog>
#include <QTimer>
#include <memory>

namespace Ui { class RelayTest; }

class RelayTest : public QDialog
{
    Q_OBJECT
public:
    explicit RelayTest(QWidget *parent = nullptr);
    ~RelayTest() override;

    int step() const { return m_step; }
    int cycles() const { return m_cycles; }
    QTimer *timer() { return &m_timer; }

public Q_SLOTS:
    void finishTest();
    void timeout();
    // However the dialog is closed, every relay is switched off and the user's relay setting
    // goes back to the board.
    void done(int result) override;

private:
    std::unique_ptr<Ui::RelayTest> ui;
    int m_step = 0;
    int m_cycles = 0;
    bool m_finished = false;
    QTimer m_timer;
};
