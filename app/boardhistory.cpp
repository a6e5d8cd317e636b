// Snapshots as files: <time>.bin (the dump) and <time>.json (the side file, written last, so a
// snapshot counts only once both are complete), in the folder of their machine.
#include "app/boardhistory.h"
#include "base/logging.h"
#include "app/machines.h"
#include "base/prompt.h"
#include "devices/devicecfg.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QString hexWord(quint16 w) { return QStringLiteral("%1").arg(w, 4, 16, QLatin1Char('0')); }

constexpr QFileDevice::Permissions PrivateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions PrivateDir = PrivateFile | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions Others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

QString newId(const QDir &dir, const QDateTime &now)
{
    const QString base = now.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    QString id = base;
    for (int n = 2; QFileInfo::exists(dir.filePath(id + QStringLiteral(".bin")))
                    || QFileInfo::exists(dir.filePath(id + QStringLiteral(".json")));
         ++n)
        id = base + QStringLiteral("-%1").arg(n, 3, 10, QLatin1Char('0'));
    return id;
}

} // namespace

QString BoardHistory::rootDir()
{
    // The window's data folder, whatever program asks: the companion shares the history.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/Vandor/history");
}

const char *const BoardHistory::MachineFile = "machine.json";

QString BoardHistory::programVersion() { return QStringLiteral(VANDOR_VERSION); }

BoardHistory::BoardHistory(const BoardOrigin &origin, const Machine &machine, const QString &root)
    : m_origin(origin), m_machine(machine), m_root(root)
{
}

QString BoardHistory::dir() const { return m_root + QLatin1Char('/') + m_machine.key; }

bool BoardHistory::writePrivate(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // The new file is the user's alone from its first byte; a replaced one may have been open
    // to others, so the permissions are set whatever the file was.
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(PrivateFile) || file.write(bytes) != bytes.size()
        || !file.commit()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool BoardHistory::makePrivate(const QString &dir, const QString &root)
{
    bool ok = QFile::setPermissions(root, PrivateDir);
    const QFileInfo folder(dir);
    // A folder of an earlier version was open to others, and so were its files.
    if (folder.isDir() && (folder.permissions() & Others)) {
        const QDir d(dir);
        for (const QString &name : d.entryList(QDir::Files | QDir::Hidden))
            ok = QFile::setPermissions(d.filePath(name), PrivateFile) && ok;
    }
    return QFile::setPermissions(dir, PrivateDir) && ok;
}

QList<Snapshot> BoardHistory::list() const
{
    QList<Snapshot> out;
    const QDir d(dir());
    const QStringList sides = d.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString &side : sides) {
        if (side == QLatin1String(MachineFile))
            continue;
        const QString id = side.chopped(5);
        const QString dump = d.filePath(id + QStringLiteral(".bin"));
        QFile f(d.filePath(side));
        if (!QFileInfo::exists(dump) || !f.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject o = QJsonDocument::fromJson(f.read(64 * 1024)).object();
        Snapshot s;
        s.id = id;
        s.dumpPath = dump;
        s.time = QDateTime::fromString(o.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
        s.title = o.value(QStringLiteral("model")).toString();
        const QJsonArray words = o.value(QStringLiteral("identity")).toArray();
        for (int i = 0; i < 3; ++i)
            s.words[i] = quint16(words.at(i).toString().toUInt(nullptr, 16));
        s.link = o.value(QStringLiteral("link")).toString();
        s.path = o.value(QStringLiteral("path")).toString();
        s.controller = o.value(QStringLiteral("controller")).toString();
        s.version = o.value(QStringLiteral("version")).toString();
        s.machineKey = m_machine.key;
        s.machine = m_machine.name;
        out.append(s);
    }
    return out;
}

BoardHistory::Status BoardHistory::take(DeviceCfg *model, QString *error, Snapshot *taken) const
{
    QString why;
    if (!error)
        error = &why;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!model || !model->save(&buffer)) {
        *error = tr("the configuration could not be put into a dump");
        return Status::Failed;
    }
    const QByteArray dump = buffer.data();

    // A folder kept by an earlier version is closed to others whatever happens next.
    if (QFileInfo(dir()).isDir())
        makePrivate(dir(), m_root);
    const QList<Snapshot> existing = list();
    if (!existing.isEmpty()) {
        QFile last(existing.last().dumpPath);
        if (last.open(QIODevice::ReadOnly) && last.size() == dump.size() && last.readAll() == dump)
            return Status::Unchanged;
    }

    QDir d(dir());
    if (!d.exists()) {
        // A peer that shows a new identity at each connection gets a few folders, not the disk.
        const bool newIdentity = Machines(m_root).ofIdentity(m_machine.words).isEmpty();
        if (!Machines::claimFolder(m_machine.words, newIdentity, error))
            return Status::Failed;
    }
    if (!d.mkpath(QStringLiteral(".")) || !makePrivate(d.path(), m_root)) {
        *error = tr("the folder %1 cannot be made").arg(QDir::toNativeSeparators(d.path()));
        return Status::Failed;
    }
    QString fileError;
    const QString machineFile = d.filePath(QLatin1String(MachineFile));
    if (m_machine.sorted && !QFileInfo::exists(machineFile)
        && !writePrivate(machineFile, Machines::fileOf(m_machine), &fileError)) {
        *error = tr("%1 cannot be written: %2").arg(QDir::toNativeSeparators(machineFile), fileError);
        return Status::Failed;
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QString id = newId(d, now);
    const QString dumpPath = d.filePath(id + QStringLiteral(".bin"));
    QJsonObject side{{QStringLiteral("model"), m_origin.title},
                     {QStringLiteral("identity"),
                      QJsonArray{hexWord(m_origin.words[0]), hexWord(m_origin.words[1]), hexWord(m_origin.words[2])}},
                     {QStringLiteral("link"), m_origin.link},
                     {QStringLiteral("path"), m_origin.path},
                     {QStringLiteral("time"), now.toString(Qt::ISODateWithMs)},
                     {QStringLiteral("version"), programVersion()}};
    if (!m_origin.controller.isEmpty())
        side.insert(QStringLiteral("controller"), m_origin.controller);
    if (!writePrivate(dumpPath, dump, &fileError)) {
        *error = tr("%1 cannot be written: %2").arg(QDir::toNativeSeparators(dumpPath), fileError);
        return Status::Failed;
    }
    const QString sidePath = d.filePath(id + QStringLiteral(".json"));
    if (!writePrivate(sidePath, QJsonDocument(side).toJson(), &fileError)) {
        QFile::remove(dumpPath);
        *error = tr("%1 cannot be written: %2").arg(QDir::toNativeSeparators(sidePath), fileError);
        return Status::Failed;
    }

    // The oldest beyond the kept number go; the side file first, so that a half-removed
    // snapshot is never listed.
    const QList<Snapshot> all = list();
    for (int i = 0; i < all.size() - Keep; ++i) {
        QFile::remove(d.filePath(all.at(i).id + QStringLiteral(".json")));
        QFile::remove(all.at(i).dumpPath);
    }
    if (taken) {
        const QList<Snapshot> now2 = list();
        for (const Snapshot &s : now2)
            if (s.id == id)
                *taken = s;
    }
    return Status::Stored;
}

bool BoardHistory::takeReported(DeviceCfg *model, const BoardOrigin &origin, const Machine &machine,
                                bool *reported, Status *taken)
{
    QString error;
    const Status status = BoardHistory(origin, machine).take(model, &error);
    if (taken)
        *taken = status;
    if (status != Status::Failed) {
        qCDebug(lcApp, "Snapshot of %s: %s", qPrintable(origin.title),
                status == Status::Stored ? "stored" : "unchanged");
        return true;
    }
    qCWarning(lcApp, "Snapshot of %s failed: %s", qPrintable(origin.title), qPrintable(error));
    if (!*reported) {
        *reported = true;
        prompt()->message(Prompt::Icon::Warning, tr("History"),
                          tr("The board's configuration could not be kept in its history: %1. "
                             "The work goes on; further failures are not reported again.")
                              .arg(error));
    }
    return false;
}
