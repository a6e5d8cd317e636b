// Backing up the boards of a site from the window: each in turn opened, read, kept as a
// snapshot of its machine and left; a board that fails does not stop the others, and the run
// can be stopped between boards. The window does the opening and reading; this keeps the
// order, the outcomes and the summary.
#pragma once
#include "app/startpage.h"
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <functional>

class SiteBackup
{
    Q_DECLARE_TR_FUNCTIONS(SiteBackup)
public:
    enum class Outcome { Done, Unchanged, Failed, Skipped };
    struct Result
    {
        StartPage::Target target;
        Outcome outcome = Outcome::Failed;
        QString machine; // the machine the snapshot went to
        QString model;
        QString why;     // Failed: what went wrong
    };
    // Backs up one board and leaves it.
    using BackUpOne = std::function<Result(const StartPage::Target &)>;
    // Whether the technician asked to stop; asked between boards.
    using Stopped = std::function<bool()>;
    // Told before each board: its place in the run and the row.
    using Progress = std::function<void(int index, int count, const StartPage::Target &)>;

    static QList<Result> run(const QList<StartPage::Target> &targets, const BackUpOne &backUp,
                             const Stopped &stopped, const Progress &progress);
    // One line per board (the row, machine, outcome), then the counts.
    static QString summary(const QList<Result> &results);
    // What a row shows after its backup.
    static QString note(const Result &result);
};
