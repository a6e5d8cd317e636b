#include "gitexport.h"
#include "cli.h"
#include "climodels.h"
#include "valuelines.h"
#include "base/boundedfile.h"
#include "app/machines.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <algorithm>

namespace Cli {

namespace {

// The marker of a repository this export made, and the list of what it holds.
const char *const Marker = ".vandor-export";
constexpr int GitMs = 60000;

struct Git
{
    QString program;
    QString dir;
    QString error;
    QByteArray output;

    // Runs git in dir without a shell, as the export's own author and committer (dated when,
    // if valid), never with the user's hooks or signing; false with error set.
    bool run(const QStringList &args, const QDateTime &when = QDateTime())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"GIT_DIR", "GIT_WORK_TREE", "GIT_INDEX_FILE", "GIT_OBJECT_DIRECTORY"})
            env.remove(QString::fromLatin1(name));
        const QString date = when.isValid() ? QStringLiteral("@%1 +0000").arg(when.toSecsSinceEpoch()) : QString();
        const struct
        {
            const char *name;
            QString value;
        } set[] = {{"GIT_AUTHOR_NAME", QStringLiteral("Vandor")},
                   {"GIT_AUTHOR_EMAIL", QStringLiteral("vandor-cli@localhost")},
                   {"GIT_COMMITTER_NAME", QStringLiteral("Vandor")},
                   {"GIT_COMMITTER_EMAIL", QStringLiteral("vandor-cli@localhost")},
                   {"GIT_AUTHOR_DATE", date},
                   {"GIT_COMMITTER_DATE", date},
                   {"GIT_CONFIG_NOSYSTEM", QStringLiteral("1")},
                   {"GIT_TERMINAL_PROMPT", QStringLiteral("0")},
                   {"LC_ALL", QStringLiteral("C")}};
        for (const auto &v : set)
            if (!v.value.isEmpty())
                env.insert(QString::fromLatin1(v.name), v.value);
        QProcess git;
        git.setProcessEnvironment(env);
        git.start(program, QStringList{QStringLiteral("-C"), dir, QStringLiteral("-c"), QStringLiteral("commit.gpgsign=false"),
                                       QStringLiteral("-c"), QStringLiteral("core.hooksPath=/dev/null")}
                               + args);
        git.closeWriteChannel();
        const bool ended = git.waitForStarted(GitMs) && git.waitForFinished(GitMs);
        if (!ended) {
            git.kill();
            git.waitForFinished(GitMs);
        }
        output = git.readAllStandardOutput();
        if (ended && git.exitStatus() == QProcess::NormalExit && git.exitCode() == 0)
            return true;
        const QString said = QString::fromUtf8(git.readAllStandardError()).simplified();
        error = QStringLiteral("git %1 failed%2").arg(args.value(0), said.isEmpty() ? QString() : QStringLiteral(": ") + said);
        return false;
    }
};

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit())
        return true;
    *error = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
    return false;
}

QByteArray readBounded(const QString &path, QString *error)
{
    QFile f(path);
    if (!openBoundedFile(&f, FileBounds::Dump, error))
        return QByteArray();
    return f.readAll();
}

QByteArray markerText(const QStringList &exported)
{
    QString text = QStringLiteral("# Snapshots exported by vandor-cli history --export-git, one BOARD/ID a line.\n");
    for (const QString &ref : exported)
        text += ref + QLatin1Char('\n');
    return text.toUtf8();
}

struct Pending
{
    Snapshot snapshot;
    Machine machine;
    QString ref() const { return machine.key + QLatin1Char('/') + snapshot.id; }
};

QString message(const Pending &p)
{
    const Snapshot &s = p.snapshot;
    const QString version = s.version.isEmpty() ? QStringLiteral("unknown") : s.version;
    return QStringLiteral("%1: %2 snapshot, program version %3\n\nMachine: %1 (%4)\nModel: %2\nReached: %5 (%6)\n"
                          "Taken: %7\nSnapshot: %8\n")
        .arg(p.machine.name, s.title, version, p.machine.key, s.path, s.link, s.time.toString(Qt::ISODateWithMs), p.ref());
}

// Puts one snapshot into the work tree and commits it; false with error set.
bool commit(Git &git, const Pending &p, QStringList *exported, QString *error)
{
    const QDir root(git.dir);
    const QString folder = p.machine.key;
    if (!root.mkpath(folder)) {
        *error = QStringLiteral("cannot make %1").arg(root.filePath(folder));
        return false;
    }
    const QByteArray dump = readBounded(p.snapshot.dumpPath, error);
    if (dump.isEmpty()) {
        *error = QStringLiteral("cannot read the snapshot %1: %2").arg(p.ref(), *error);
        return false;
    }
    QByteArray text;
    QList<ValueLine> lines;
    DeviceCfg *model = context().models->find(p.snapshot.title);
    if (model && valueLines(model, dump, nullptr, &lines))
        text = valuesText(lines);
    else
        text = QStringLiteral("(no values: the model \"%1\" is unknown to this version, or the dump is damaged)\n")
                   .arg(p.snapshot.title)
                   .toUtf8();
    const QByteArray side = readBounded(p.snapshot.dumpPath.chopped(4) + QStringLiteral(".json"), error);
    exported->append(p.ref());
    return writeFile(root.filePath(folder + QStringLiteral("/dump.bin")), dump, error)
           && writeFile(root.filePath(folder + QStringLiteral("/values.txt")), text, error)
           && writeFile(root.filePath(folder + QStringLiteral("/snapshot.json")), side, error)
           && writeFile(root.filePath(QLatin1String(Marker)), markerText(*exported), error)
           && (git.run({QStringLiteral("add"), QStringLiteral("--"), folder, QLatin1String(Marker)}) || (*error = git.error, false))
           && (git.run({QStringLiteral("commit"), QStringLiteral("-q"), QStringLiteral("-m"), message(p)}, p.snapshot.time)
               || (*error = git.error, false));
}

} // namespace

int exportGit(const QString &dirName)
{
    Git git;
    git.dir = QDir(dirName).absolutePath();
    const QDir dir(git.dir);
    const QFileInfo info(git.dir);
    if (info.exists() && !info.isDir())
        return fail(BadInput, QStringLiteral("%1 is not a folder; nothing was written").arg(dirName));
    const bool fresh = !info.exists() || dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    const QString markerPath = dir.filePath(QLatin1String(Marker));
    if (!fresh && (!QFileInfo(dir.filePath(QStringLiteral(".git"))).exists() || !QFileInfo(markerPath).isFile()))
        return fail(BadInput, QStringLiteral("%1 is not empty and is not a repository made by vandor-cli history "
                                             "--export-git; nothing was written (name a new or empty folder)")
                                  .arg(dirName));
    git.program = QStandardPaths::findExecutable(QStringLiteral("git"));
    if (git.program.isEmpty())
        return fail(Failed, QStringLiteral("the git program was not found (Debian package git); nothing was written"));

    QStringList exported;
    QString error;
    if (!fresh) {
        // What the last commit holds counts, whatever an export that failed left in the work tree.
        if (git.run({QStringLiteral("rev-parse"), QStringLiteral("-q"), QStringLiteral("--verify"), QStringLiteral("HEAD")})) {
            if (!git.run({QStringLiteral("show"), QStringLiteral("HEAD:") + QLatin1String(Marker)}))
                return fail(Failed, QStringLiteral("cannot read what %1 holds: %2").arg(dirName, git.error));
            for (const QByteArray &line : git.output.split('\n'))
                if (!line.trimmed().isEmpty() && !line.startsWith('#'))
                    exported << QString::fromUtf8(line.trimmed());
        }
    } else if (!QDir().mkpath(git.dir)
               || !git.run({QStringLiteral("-c"), QStringLiteral("init.defaultBranch=main"), QStringLiteral("init"), QStringLiteral("-q")})
               || !writeFile(markerPath, markerText({}), &error)) {
        return fail(Failed, QStringLiteral("cannot make the repository %1: %2").arg(dirName, error.isEmpty() ? git.error : error));
    }
    const QSet<QString> done(exported.cbegin(), exported.cend());
    QList<Pending> pending;
    const Machines machines;
    for (const Machine &m : machines.all())
        for (const Snapshot &s : machines.snapshots(m))
            if (!done.contains(m.key + QLatin1Char('/') + s.id))
                pending.append({s, m});
    std::stable_sort(pending.begin(), pending.end(), [](const Pending &a, const Pending &b) {
        return a.snapshot.time != b.snapshot.time ? a.snapshot.time < b.snapshot.time : a.ref() < b.ref();
    });
    int count = 0;
    for (const Pending &p : qAsConst(pending)) {
        if (!commit(git, p, &exported, &error))
            return fail(Failed, QStringLiteral("exporting %1 failed: %2; the %3 snapshots before it are exported")
                                    .arg(p.ref(), error)
                                    .arg(count));
        ++count;
    }
    out(QStringLiteral("%1 snapshots exported to %2, %3 there already").arg(count).arg(dirName).arg(done.size()));
    return Ok;
}

} // namespace Cli
