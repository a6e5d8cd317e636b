#include "app/sitebackup.h"
#include <QTime>

QList<SiteBackup::Result> SiteBackup::run(const QList<StartPage::Target> &targets, const BackUpOne &backUp,
                                          const Stopped &stopped, const Progress &progress)
{
    QList<Result> results;
    for (int i = 0; i < targets.size(); ++i) {
        if (stopped && stopped()) {
            // The boards not reached are said as such, not dropped from the summary.
            for (int j = i; j < targets.size(); ++j) {
                Result skipped;
                skipped.target = targets.at(j);
                skipped.outcome = Outcome::Skipped;
                skipped.why = tr("stopped before this board");
                results << skipped;
            }
            break;
        }
        if (progress)
            progress(i, int(targets.size()), targets.at(i));
        Result r = backUp(targets.at(i));
        r.target = targets.at(i);
        results << r;
    }
    return results;
}

QString SiteBackup::note(const Result &r)
{
    const QString when = QTime::currentTime().toString(QStringLiteral("HH:mm"));
    const QString machine = r.machine.isEmpty() ? QString() : tr("machine \"%1\": ").arg(r.machine);
    switch (r.outcome) {
    case Outcome::Done: return machine + tr("backed up %1, a new snapshot kept").arg(when);
    case Outcome::Unchanged: return machine + tr("backed up %1, unchanged since its last snapshot").arg(when);
    case Outcome::Skipped: return tr("not backed up: %1").arg(r.why);
    case Outcome::Failed: break;
    }
    return machine + tr("backup failed %1: %2").arg(when, r.why);
}

QString SiteBackup::summary(const QList<Result> &results)
{
    int done = 0, unchanged = 0, failed = 0, skipped = 0;
    QStringList lines;
    for (const Result &r : results) {
        done += r.outcome == Outcome::Done;
        unchanged += r.outcome == Outcome::Unchanged;
        failed += r.outcome == Outcome::Failed;
        skipped += r.outcome == Outcome::Skipped;
        const QString outcome = r.outcome == Outcome::Done        ? tr("done")
                                : r.outcome == Outcome::Unchanged ? tr("unchanged")
                                : r.outcome == Outcome::Skipped   ? tr("not reached")
                                                                  : tr("failed: %1").arg(r.why);
        lines << tr("%1 (%2): %3").arg(r.target.text, r.machine.isEmpty() ? tr("no machine") : r.machine, outcome);
    }
    lines << QString()
          << tr("Done: %1, unchanged: %2, failed: %3, not reached: %4.").arg(done).arg(unchanged).arg(failed).arg(skipped);
    return lines.join(QLatin1Char('\n'));
}
