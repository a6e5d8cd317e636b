// backup: every board named (or found with --all) in turn opened, read, kept as a snapshot of
// its machine and closed; a board that fails leaves the others to go on.
#include "site.h"

namespace Cli {

int runBackup(const QStringList &args)
{
    Parser p(command("backup"), "Exit status: 0 every board backed up, 1 any board failed, 2 usage errors.");
    addSiteOptions(p, true);
    if (const int code = p.parse(args, 0, 0); code >= 0)
        return code;
    QList<Found> targets;
    if (const int code = siteTargets(p, args, true, &targets); code != Ok)
        return code;
    const int timeout = siteTimeout(p);
    const bool json = p.isSet(QStringLiteral("json"));
    int failed = 0;
    for (const Found &f : qAsConst(targets)) {
        Visit v;
        if (v.start(f, timeout))
            v.row.result = v.kept == BoardHistory::Status::Stored ? QStringLiteral("done") : QStringLiteral("unchanged");
        else
            ++failed;
        printRow(v.row, json);
    }
    return failed ? Failed : Ok;
}

} // namespace Cli
