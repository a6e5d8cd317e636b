// The compare view: the differences between the configuration in the program (the board's, or
// the offline one) and a snapshot from the board's history, a dump file or the model's factory
// defaults, value by value as the page names them, with the chosen ones or all of them put back.
// The program's side follows every change of the model's values while the view is open.
#pragma once
#include "app/boardhistory.h"
#include "devices/imagediff.h"
#include <QDialog>
#include <functional>

class DeviceCfg;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

class CompareView : public QDialog
{
    Q_OBJECT
public:
    // history: snapshots of the board's kind in the order offered, each named by its machine
    // (empty offline).
    CompareView(DeviceCfg *model, const QList<Snapshot> &history, QWidget *parent = nullptr);
    // The machine connected: shown with a way to rename it; a snapshot of another one is put
    // on its board only after asking.
    void setMachine(const Machine &machine);

    // Called before anything is applied (to keep the board in its history) and after it (to
    // show the values on the page).
    std::function<void()> beforeApply;
    std::function<void()> afterApply;
    // Puts a whole image back: loads it into the model and sends it; set by the window.
    std::function<void(const QByteArray &image)> applyWhole;

    // The configuration compared with: false when the file is no dump of the model.
    bool compareWith(const QString &dumpPath);
    // Compared with the factory defaults of the model's board: false for a model without them.
    bool compareWithFactory();
    QTreeWidget *rows() const { return m_rows; }
    int differences() const { return m_diffs.size(); }

public Q_SLOTS:
    void applyChecked();
    void applyAll();

private:
    void sourceChosen(int index);
    void refill();
    void select(int index);
    void renameMachine();
    // True when what is compared with is no other machine's snapshot, or the user said so.
    bool otherMachineAccepted();
    QString snapshotText(const Snapshot &s) const;

    DeviceCfg *m_model;
    QComboBox *m_source;
    QLabel *m_summary;
    QTreeWidget *m_rows;
    QProgressBar *m_bar;
    QPushButton *m_applyChecked;
    QPushButton *m_applyAll;
    QLabel *m_machineLabel;
    QPushButton *m_rename;
    Machine m_machine;
    QString m_otherMachine; // the machine of the snapshot compared with, else empty
    QByteArray m_other;
    bool m_factory = false;
    QList<ParamDifference> m_diffs;
};
