// The history command: the snapshots the program and the tool keep of the board a link names.
#include "boardlink.h"
#include "app/boardhistory.h"
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace Cli {

QString snapshotPath(const QString &reference)
{
    // BOARD/ID as history prints it; a file of that name is taken first by the caller.
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9._-]+/[0-9-]+$"));
    if (!form.match(reference).hasMatch())
        return QString();
    const QString path = BoardHistory::rootDir() + QLatin1Char('/') + reference + QStringLiteral(".bin");
    return QFileInfo::exists(path) && QFileInfo::exists(path.chopped(4) + QStringLiteral(".json")) ? path : QString();
}

int runHistory(const QStringList &args)
{
    Parser p(command("history"));
    addLinkOptions(p);
    if (const int code = p.parse(args, 0, 0); code >= 0)
        return code;
    BoardLink board;
    if (const int code = board.open(p); code != Ok)
        return code;
    const BoardHistory history(board.origin());
    const QList<Snapshot> snapshots = history.list();
    for (const Snapshot &s : snapshots)
        out(QStringLiteral("%1/%2 %3 \"%4\" %5 version %6")
                .arg(history.boardKey(), s.id, s.time.toString(Qt::ISODate), s.title, s.path, s.version));
    if (snapshots.isEmpty())
        err(QStringLiteral("no snapshots of %1 in %2").arg(board.description(), QDir::toNativeSeparators(history.dir())));
    return Ok;
}

} // namespace Cli
