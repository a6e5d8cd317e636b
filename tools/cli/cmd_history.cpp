// The history command and the machines of the companion: the snapshots the program and the
// tool keep of one machine, named by a link or by --machine.
#include "climachines.h"
#include "boardlink.h"
#include "clihost.h"
#include "gitexport.h"
#include "app/machines.h"
#include "devices/devicecfg.h"
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace Cli {

namespace {

QString quotedNames(const QList<Machine> &machines)
{
    QStringList names;
    for (const Machine &m : machines)
        names << QStringLiteral("\"%1\"").arg(m.name);
    return names.join(QStringLiteral(", "));
}

// The snapshot's dump in the history, or empty when it has none.
QString snapshotIn(const QString &folder, const QString &id)
{
    static const QRegularExpression idForm(QStringLiteral("^[0-9-]+$"));
    static const QRegularExpression folderForm(QStringLiteral("^[A-Za-z0-9._-]+$"));
    if (!idForm.match(id).hasMatch() || !folderForm.match(folder).hasMatch() || folder.startsWith(QLatin1Char('.')))
        return QString();
    const QString path = BoardHistory::rootDir() + QLatin1Char('/') + folder + QLatin1Char('/') + id;
    return QFileInfo::exists(path + QStringLiteral(".bin")) && QFileInfo::exists(path + QStringLiteral(".json"))
               ? path + QStringLiteral(".bin")
               : QString();
}

// The one machine called name, for the commands without a link; BadInput after an error line.
int machineNamed(const QString &name, Machine *machine)
{
    const QList<Machine> found = Machines().named(name);
    if (found.isEmpty())
        return fail(BadInput, QStringLiteral("no machine is called \"%1\"").arg(name));
    if (found.size() > 1) {
        QStringList folders;
        for (const Machine &m : found)
            folders << m.key;
        return fail(BadInput, QStringLiteral("several machines are called \"%1\"; name one by its folder (%2) "
                                             "or name the board with a link")
                                  .arg(name, folders.join(QStringLiteral(", "))));
    }
    *machine = found.first();
    return Ok;
}

} // namespace

void addMachineOption(Parser &p, const QString &what)
{
    p.addOption({QStringLiteral("machine"), what, QStringLiteral("NAME")});
}

bool recognised(const BoardLink &board, DeviceCfg *model, Machine *machine, QString *why)
{
    const Machines::Recognition r = Machines().recognise(board.origin(), model);
    if (r.kind != Machines::Recognition::Unsure) {
        *machine = r.machine;
        return true;
    }
    QList<Machine> candidates;
    for (const Machines::Candidate &c : r.candidates)
        candidates << c.machine;
    *why = QStringLiteral("%1 may be any of the machines %2 (its configuration is not the last snapshot of "
                          "exactly one of them) or a new one")
               .arg(board.description(), quotedNames(candidates));
    return false;
}

int machineOf(const BoardLink &board, DeviceCfg *model, const QString &name, Machine *machine)
{
    if (!name.isEmpty()) {
        if (Machines::cleanName(name).isEmpty())
            return fail(BadInput, QStringLiteral("--machine needs a name"));
        *machine = Machines().withName(board.origin(), name);
        return Ok;
    }
    QString why;
    if (recognised(board, model, machine, &why))
        return Ok;
    return fail(BadInput, why + QStringLiteral(": name it with --machine NAME (a name not used yet makes a new machine)"));
}

QString dumpPathOf(const QString &reference, const QString &machine)
{
    if (QFileInfo::exists(reference))
        return reference;
    QString path;
    if (!machine.isEmpty() && !reference.contains(QLatin1Char('/'))) {
        // Quietly: the file error names the reference when no machine holds it.
        for (const Machine &m : Machines().named(machine))
            if (path.isEmpty())
                path = snapshotIn(m.key, reference);
    } else if (reference.count(QLatin1Char('/')) == 1) {
        path = snapshotIn(reference.section(QLatin1Char('/'), 0, 0), reference.section(QLatin1Char('/'), 1));
    }
    return path.isEmpty() ? reference : path;
}

QString snapshotTitle(const QString &dumpPath)
{
    if (!dumpPath.startsWith(BoardHistory::rootDir() + QLatin1Char('/')) || !dumpPath.endsWith(QLatin1String(".bin")))
        return QString();
    QFile side(dumpPath.chopped(4) + QStringLiteral(".json"));
    if (!side.open(QIODevice::ReadOnly))
        return QString();
    return QJsonDocument::fromJson(side.read(64 * 1024)).object().value(QStringLiteral("model")).toString();
}

int runHistory(const QStringList &args)
{
    Parser p(command("history"));
    addLinkOptions(p);
    addMachineOption(p, QStringLiteral("The machine, by the name history prints or its folder: alone, or to tell "
                                       "which machine of its identity the linked board is."));
    p.addOption({QStringLiteral("rename"), QStringLiteral("Give the machine this name."), QStringLiteral("NEW")});
    p.addOption({QStringLiteral("export-git"),
                 QStringLiteral("Keep every machine's snapshots in the git repository DIR, made on first use: one "
                                "commit per snapshot not yet there, in time order. A folder that is not empty and "
                                "not such a repository is refused."),
                 QStringLiteral("DIR")});
    if (const int code = p.parse(args, 0, 0); code >= 0)
        return code;
    const QString name = p.value(QStringLiteral("machine"));
    const bool linked = p.isSet(QStringLiteral("usb")) || p.isSet(QStringLiteral("udp")) || p.isSet(QStringLiteral("tcp"));
    if (p.isSet(QStringLiteral("export-git"))) {
        if (linked || !name.isEmpty() || p.isSet(QStringLiteral("rename")))
            return fail(BadInput, QStringLiteral("history: --export-git DIR goes alone: it exports every machine"));
        if (p.value(QStringLiteral("export-git")).isEmpty())
            return fail(BadInput, QStringLiteral("history: --export-git needs a folder"));
        return exportGit(p.value(QStringLiteral("export-git")));
    }
    Machine machine;
    QString about; // what the machine was found by, for the line that says it has no snapshots
    if (!linked) {
        if (name.isEmpty())
            return fail(BadInput, QStringLiteral("history: name the board with a link (--usb, --udp HOST, --tcp HOST) "
                                                 "or the machine with --machine NAME"));
        if (const int code = machineNamed(name, &machine); code != Ok)
            return code;
        about = QStringLiteral("\"%1\"").arg(machine.name);
    } else {
        BoardLink board;
        if (const int code = board.open(p); code != Ok)
            return code;
        about = board.description();
        DeviceCfg *model = DeviceCfg::current();
        const BoardOrigin origin = board.origin();
        const Machines machines;
        // On USB and the UDP bridge path the configuration tells the machine: read it when
        // there is a machine of the identity to tell it from.
        const QList<Machine> known = machines.ofIdentity(origin.words);
        const bool sorted = std::any_of(known.begin(), known.end(), [](const Machine &m) { return m.sorted; });
        if (name.isEmpty() && origin.controller.isEmpty() && sorted && model && model->keepsConfiguration()) {
            TerminalProgress *progress = context().host->progress();
            progress->setLabel(QStringLiteral("Reading"));
            const bool failed = model->readDevice(progress);
            progress->finish();
            if (failed)
                return fail(Failed, QStringLiteral("reading the configuration to tell its machine failed; name it with "
                                                   "--machine NAME"));
        }
        if (const int code = machineOf(board, model, name, &machine); code != Ok)
            return code;
        for (const Machine &m : known)
            if (!m.sorted)
                err(QStringLiteral("snapshots of boards of this identity from before machines were told apart: "
                                   "vandor-cli history --machine %1").arg(m.key));
    }
    if (p.isSet(QStringLiteral("rename"))) {
        QString error;
        if (!QFileInfo(BoardHistory::rootDir() + QLatin1Char('/') + machine.key).isDir())
            return fail(BadInput, QStringLiteral("history: %1 has no snapshots to name yet").arg(about));
        if (!Machines().rename(&machine, p.value(QStringLiteral("rename")), &error))
            return fail(BadInput, QStringLiteral("history: %1").arg(error));
    }
    const QList<Snapshot> snapshots = Machines().snapshots(machine);
    for (const Snapshot &s : snapshots)
        out(QStringLiteral("%1/%2 %3 \"%4\" %5 version %6 machine \"%7\"")
                .arg(machine.key, s.id, s.time.toString(Qt::ISODate), s.title, s.path, s.version, machine.name));
    if (snapshots.isEmpty())
        err(QStringLiteral("no snapshots of %1 in %2")
                .arg(about, QDir::toNativeSeparators(BoardHistory::rootDir() + QLatin1Char('/') + machine.key)));
    return Ok;
}

} // namespace Cli
