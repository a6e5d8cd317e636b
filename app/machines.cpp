// Machines as folders of the history: "<identity>_<name at birth>" with a side file that holds
// the name; folders of the earlier layout are machines too, without the side file.
#include "app/machines.h"
#include "base/prompt.h"
#include "devices/devicecfg.h"
#include "devices/modeldiff.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {

QString hexWord(quint16 w) { return QStringLiteral("%1").arg(w, 4, 16, QLatin1Char('0')); }

// A name as a folder name: anything but plain characters becomes '_'. The earlier layout
// named the folders of network boards so, which keeps them their machines' folders.
QString slug(const QString &name)
{
    QString out = name.left(Machines::NameLength);
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    out.replace(unsafe, QStringLiteral("_"));
    if (out.startsWith(QLatin1Char('.')))
        out[0] = QLatin1Char('_');
    return out;
}

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    // No dump of any model comes near this size.
    return f.open(QIODevice::ReadOnly) && f.size() <= (16 << 20) ? f.readAll() : QByteArray();
}

} // namespace

Machines::Machines(const QString &root) : m_root(root) {}

QString Machines::identityKey(const quint16 words[3])
{
    return hexWord(words[0]) + QLatin1Char('-') + hexWord(words[1]) + QLatin1Char('-') + hexWord(words[2]);
}

QString Machines::cleanName(const QString &name)
{
    QString out;
    for (const QChar c : name)
        out += c.isPrint() ? c : QLatin1Char(' ');
    return out.simplified().left(NameLength).trimmed();
}

QList<Machine> Machines::all() const
{
    static const QRegularExpression form(
        QStringLiteral("^([0-9a-f]{4})-([0-9a-f]{4})-([0-9a-f]{4})(?:_(.+))?$"));
    QList<Machine> out;
    const QDir root(m_root);
    for (const QString &key : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QRegularExpressionMatch m = form.match(key);
        if (!m.hasMatch())
            continue;
        Machine machine;
        machine.key = key;
        for (int i = 0; i < 3; ++i)
            machine.words[i] = quint16(m.captured(i + 1).toUInt(nullptr, 16));
        QFile file(root.filePath(key + QLatin1Char('/') + QLatin1String(BoardHistory::MachineFile)));
        if (file.open(QIODevice::ReadOnly)) {
            const QJsonObject o = QJsonDocument::fromJson(file.read(64 * 1024)).object();
            machine.name = cleanName(o.value(QStringLiteral("name")).toString());
            machine.network = o.value(QStringLiteral("network")).toString();
        }
        if (machine.name.isEmpty()) {
            // The earlier layout: a folder per name announced on the network, and one that
            // every other board of the identity shared.
            const QString announced = m.captured(4);
            machine.sorted = !announced.isEmpty();
            machine.name = machine.sorted ? announced : tr("Earlier boards %1").arg(key);
            machine.network = announced;
        }
        out.append(machine);
    }
    return out;
}

QList<Machine> Machines::ofIdentity(const quint16 words[3]) const
{
    QList<Machine> out;
    for (const Machine &m : all())
        if (std::equal(m.words, m.words + 3, words))
            out.append(m);
    return out;
}

QList<Machine> Machines::named(const QString &name) const
{
    QList<Machine> out;
    for (const Machine &m : all())
        if (sameName(m.name, cleanName(name)) || m.key == name)
            out.append(m);
    return out;
}

Machines::Recognition Machines::recognise(const BoardOrigin &origin, DeviceCfg *model) const
{
    Recognition r;
    QList<Machine> mine;
    for (const Machine &m : ofIdentity(origin.words))
        if (m.sorted)
            mine.append(m);
    // On the network the board says which one it is.
    if (!origin.controller.isEmpty()) {
        for (const Machine &m : qAsConst(mine)) {
            if (!m.network.isEmpty() && slug(m.network) == slug(origin.controller)) {
                r.kind = Recognition::Known;
                r.machine = m;
                // A folder of the earlier layout knows the name only as its folder does.
                if (m.network != origin.controller) {
                    if (m.name == m.network)
                        r.machine.name = cleanName(origin.controller);
                    r.machine.network = origin.controller;
                }
                return r;
            }
        }
        r.machine = make(origin);
        return r;
    }
    if (mine.isEmpty()) {
        r.machine = make(origin);
        return r;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QByteArray now = model && model->save(&buffer) ? buffer.data() : QByteArray();
    const bool countable = model && ModelDiff::comparable(model);
    int same = 0;
    for (const Machine &m : qAsConst(mine)) {
        Candidate c;
        c.machine = m;
        const QList<Snapshot> list = snapshots(m);
        if (!list.isEmpty()) {
            c.last = list.last().time;
            const QByteArray last = fileBytes(list.last().dumpPath);
            c.same = !now.isEmpty() && last == now;
            if (countable && ModelDiff::isDump(model, last))
                c.differences = ModelDiff::compare(model, last).size();
        }
        if (c.same) {
            ++same;
            r.machine = m;
        }
        r.candidates.append(c);
    }
    if (same == 1) {
        r.kind = Recognition::Known;
        r.candidates.clear();
        return r;
    }
    r.kind = Recognition::Unsure;
    r.machine = Machine();
    // The likeliest first: the same values, then the fewest differences, then the newest.
    std::stable_sort(r.candidates.begin(), r.candidates.end(), [](const Candidate &a, const Candidate &b) {
        if (a.same != b.same)
            return a.same;
        const uint da = uint(a.differences), db = uint(b.differences); // -1 last
        if (da != db)
            return da < db;
        return a.last > b.last;
    });
    return r;
}

Machine Machines::resolve(const BoardOrigin &origin, DeviceCfg *model) const
{
    const Recognition r = recognise(origin, model);
    if (r.kind != Recognition::Unsure)
        return r.machine;
    // The closest ones: a box of buttons holds only so many.
    const QList<Candidate> offered = r.candidates.mid(0, Offered);
    QStringList answers;
    for (const Candidate &c : offered) {
        const QString when = QLocale().toString(c.last.toLocalTime(), QLocale::ShortFormat);
        answers << (!c.last.isValid()       ? tr("%1: no snapshot").arg(c.machine.name)
                    : c.same                ? tr("%1: last snapshot %2, the same values").arg(c.machine.name, when)
                    : c.differences > 0     ? tr("%1: last snapshot %2, values differing: %3")
                                                  .arg(c.machine.name, when).arg(c.differences)
                                            : tr("%1: last snapshot %2").arg(c.machine.name, when));
    }
    answers << tr("A new machine");
    const int chosen = prompt()->choice(
        tr("Machine"),
        tr("Which machine is this board (%1, %2)? Its configuration is not the last snapshot of exactly "
           "one machine of its kind. Its snapshots are kept with the machine chosen here.")
            .arg(origin.title, origin.path),
        answers);
    if (chosen >= 0 && chosen < offered.size())
        return offered.at(chosen).machine;
    return make(origin);
}

Machine Machines::withName(const BoardOrigin &origin, const QString &name) const
{
    for (const Machine &m : ofIdentity(origin.words))
        if (m.sorted && (sameName(m.name, cleanName(name)) || m.key == name))
            return m;
    return make(origin, name);
}

Machine Machines::make(const BoardOrigin &origin, const QString &name) const
{
    Machine m;
    std::copy(origin.words, origin.words + 3, m.words);
    m.network = origin.controller;
    const QList<Machine> mine = ofIdentity(origin.words);
    const auto taken = [&mine](const QString &n) {
        return std::any_of(mine.begin(), mine.end(), [&n](const Machine &o) { return sameName(o.name, n); });
    };
    m.name = cleanName(name);
    if (m.name.isEmpty()) {
        // Each try that is taken is one machine's name: the loops end within mine.size() + 1.
        const QString announced = cleanName(origin.controller);
        if (!announced.isEmpty()) {
            m.name = announced;
            for (int n = 2; taken(m.name); ++n)
                m.name = QStringLiteral("%1 (%2)").arg(announced).arg(n);
        } else {
            const QString title = origin.title.isEmpty() ? tr("Machine") : origin.title;
            for (int n = 1; m.name.isEmpty() || taken(m.name); ++n)
                m.name = QStringLiteral("%1 %2").arg(title).arg(n);
        }
    }
    const QString stem = identityKey(origin.words) + QLatin1Char('_') + slug(m.name);
    m.key = stem;
    for (int n = 2; QFileInfo::exists(m_root + QLatin1Char('/') + m.key); ++n)
        m.key = stem + QStringLiteral("-%1").arg(n);
    return m;
}

bool Machines::rename(Machine *machine, const QString &name, QString *error) const
{
    const QString clean = cleanName(name);
    if (!machine->sorted) {
        *error = tr("the earlier boards' snapshots belong to no one machine");
        return false;
    }
    if (clean.isEmpty()) {
        *error = tr("a machine needs a name");
        return false;
    }
    for (const Machine &m : ofIdentity(machine->words)) {
        if (m.key != machine->key && sameName(m.name, clean)) {
            *error = tr("another machine is called %1").arg(m.name);
            return false;
        }
    }
    Machine renamed = *machine;
    renamed.name = clean;
    // A machine without a snapshot yet gets its folder, and the name, with the first one.
    const QString dir = m_root + QLatin1Char('/') + machine->key;
    if (QFileInfo(dir).isDir()
        && !BoardHistory::writePrivate(dir + QLatin1Char('/') + QLatin1String(BoardHistory::MachineFile),
                                       fileOf(renamed), error))
        return false;
    *machine = renamed;
    return true;
}

QList<Snapshot> Machines::snapshots(const Machine &machine) const
{
    return BoardHistory(BoardOrigin(), machine, m_root).list();
}

QList<Snapshot> Machines::snapshotsOf(const quint16 words[3], const QString &first) const
{
    QList<Machine> mine = ofIdentity(words);
    std::stable_partition(mine.begin(), mine.end(), [&first](const Machine &m) { return m.key == first; });
    QList<Snapshot> out;
    for (const Machine &m : qAsConst(mine)) {
        const QList<Snapshot> list = snapshots(m);
        std::copy(list.rbegin(), list.rend(), std::back_inserter(out));
    }
    return out;
}

QByteArray Machines::fileOf(const Machine &machine)
{
    QJsonObject o{{QStringLiteral("name"), machine.name},
                  {QStringLiteral("identity"),
                   QJsonArray{hexWord(machine.words[0]), hexWord(machine.words[1]), hexWord(machine.words[2])}}};
    if (!machine.network.isEmpty())
        o.insert(QStringLiteral("network"), machine.network);
    return QJsonDocument(o).toJson();
}

bool Machines::claimFolder(const quint16 words[3], bool newIdentity, QString *error)
{
    static QSet<QString> identities;
    const QString key = identityKey(words);
    if (!newIdentity || identities.contains(key))
        return true;
    if (identities.size() >= NewIdentitiesPerRun) {
        *error = tr("this run has made history folders for %1 boards never seen before, as many as it may; "
                    "the next run keeps more")
                     .arg(NewIdentitiesPerRun);
        return false;
    }
    identities.insert(key);
    return true;
}
