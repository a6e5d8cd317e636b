// apply: chosen values of one dump or snapshot written to several boards of its model. Each
// board is read and kept as a snapshot first; only the chosen values that differ are sent,
// then read back and checked. Values the board's variant lacks are skipped, with the reason.
#include "site.h"
#include "base/boundedfile.h"
#include "climachines.h"
#include "climodels.h"
#include "clihost.h"
#include "dumpfile.h"
#include "valuelines.h"
#include "devices/devicecfg.h"
#include "devices/fixedlayoutmodel.h"
#include "devices/modeldiff.h"
#include "link/devio.h"
#include <QFile>
#include <QJsonArray>
#include <QSet>

namespace Cli {

namespace {

// The values the keys name in the source, by key (address or UID); BadInput after an error line.
int chosenValues(DeviceCfg *model, const QByteArray &source, const QStringList &keys, QList<ValueLine> *chosen)
{
    QList<ValueLine> all;
    valueLines(model, source, nullptr, &all);
    QSet<quint32> taken;
    for (const QString &key : keys) {
        QList<ValueLine> hits;
        for (const ValueLine &l : qAsConst(all))
            if (names(l, key))
                hits.append(l);
        if (hits.isEmpty())
            return fail(BadInput, QStringLiteral("apply: \"%1\" names no value of %2 (vandor-cli hexdump --values lists them)")
                                      .arg(key, model->title()));
        if (hits.size() > 1) {
            QStringList which;
            for (const ValueLine &l : hits.mid(0, 6))
                which << l.keyText;
            return fail(BadInput, QStringLiteral("apply: \"%1\" names %2 values (%3%4): name one by its address")
                                      .arg(key)
                                      .arg(hits.size())
                                      .arg(which.join(QStringLiteral(", ")), hits.size() > 6 ? QStringLiteral(", ...") : QString()));
        }
        if (!taken.contains(hits.first().key)) {
            taken.insert(hits.first().key);
            chosen->append(hits.first());
        }
    }
    return Ok;
}

// The source: a dump file or snapshot of model (by title); BadInput after an error line.
int sourceOf(const Parser &p, DeviceCfg **model, QByteArray *bytes)
{
    const QString from = p.value(QStringLiteral("from"));
    if (from.isEmpty())
        return fail(BadInput, QStringLiteral("apply: --from DUMP or --from BOARD/ID is required"));
    const QString path = dumpPathOf(from, p.value(QStringLiteral("machine")));
    QString title = p.value(QStringLiteral("model"));
    if (title.isEmpty())
        title = snapshotTitle(path);
    if (title.isEmpty())
        return fail(BadInput, QStringLiteral("apply: name the model of %1 with --model TITLE").arg(from));
    *model = context().models->require(QStringLiteral("apply"), title);
    if (!*model)
        return BadInput;
    QString error;
    if (qobject_cast<FixedLayoutModel *>(*model) && !loadDump(*model, path, &error))
        return fail(BadInput, error);
    QFile file(path);
    if (!openBoundedFile(&file, FileBounds::Dump, &error))
        return fail(BadInput, QStringLiteral("cannot read %1: %2").arg(path, error));
    *bytes = file.readAll();
    QList<ValueLine> lines;
    if (!valueLines(*model, *bytes, nullptr, &lines))
        return fail(BadInput, QStringLiteral("%1 is not a valid %2 dump").arg(path, (*model)->title()));
    return Ok;
}

QString nameOf(const ParamDifference &d)
{
    return d.site.group.isEmpty() ? d.label : QStringLiteral("[%1] %2").arg(d.site.group, d.label);
}

QString keyText(const ParamDifference &d)
{
    return d.dynamic ? QStringLiteral("%1").arg(d.site.address, 8, 16, QLatin1Char('0')) : QString::number(d.site.address);
}

struct Plan
{
    QList<ParamDifference> changes;
    QJsonArray skipped;
};

// What the chosen values change on the board the visit has read, and what its variant lacks.
Plan planFor(Visit &v, const QByteArray &source, const QList<ValueLine> &chosen)
{
    Plan plan;
    QList<ValueLine> onBoard;
    auto *fixed = qobject_cast<FixedLayoutModel *>(v.model);
    const BoardFeatures board = fixed ? fixed->board() : BoardFeatures();
    valueLines(v.model, ModelDiff::current(v.model), fixed ? &board : nullptr, &onBoard);
    QSet<quint32> wanted;
    for (const ValueLine &c : chosen) {
        const auto at = std::find_if(onBoard.cbegin(), onBoard.cend(), [&c](const ValueLine &l) { return l.key == c.key; });
        if (at == onBoard.cend() || !at->offered) {
            plan.skipped.append(QJsonObject{{QStringLiteral("key"), c.keyText},
                                            {QStringLiteral("name"), c.name},
                                            {QStringLiteral("reason"), QStringLiteral("this board's variant has no such value")}});
            continue;
        }
        wanted.insert(c.key);
    }
    for (const ParamDifference &d : ModelDiff::compare(v.model, source)) {
        if (!wanted.contains(d.site.address))
            continue;
        if (!ModelDiff::restorable(d)) {
            plan.skipped.append(QJsonObject{{QStringLiteral("key"), keyText(d)},
                                            {QStringLiteral("name"), nameOf(d)},
                                            {QStringLiteral("reason"), d.dynamic ? QStringLiteral("this board has no such value")
                                                                                 : QStringLiteral("a text: only a whole write brings it")}});
            continue;
        }
        plan.changes.append(d);
    }
    return plan;
}

// Writes the plan's changes, reads back, checks, keeps the snapshot and stores; false with the
// row failed.
bool carryOut(Visit &v, const QByteArray &source, const Plan &plan, bool store)
{
    DevIo *link = v.board.link();
    const int failedBefore = link->failedOperations();
    TerminalProgress *progress = context().host->progress();
    progress->setLabel(QStringLiteral("Writing"));
    const bool sent = ModelDiff::apply(v.model, source, plan.changes, progress);
    progress->finish();
    const QString reason = v.board.lossReason().isEmpty() ? QString() : QStringLiteral(" (%1)").arg(v.board.lossReason());
    if (!sent || link->failedOperations() != failedBefore)
        return v.failed(QStringLiteral("writing the values failed%1; the board may hold some of them").arg(reason));
    if (!v.read(QStringLiteral("reading the values back")))
        return false;
    QSet<quint32> written;
    for (const ParamDifference &d : plan.changes)
        written.insert(d.site.address);
    QStringList differ;
    for (const ParamDifference &d : ModelDiff::compare(v.model, source))
        if (written.contains(d.site.address))
            differ << keyText(d);
    if (!differ.isEmpty())
        return v.failed(QStringLiteral("the board does not hold what was written: %1").arg(differ.join(QStringLiteral(", "))));
    if (!v.keep())
        return false;
    if (store && !link->saveCfg())
        return v.failed(QStringLiteral("the board did not confirm the store%1").arg(reason));
    return true;
}

} // namespace

int runApply(const QStringList &args)
{
    Parser p(command("apply"), "Exit status: 0 every board done, 1 any board failed, 2 usage or file errors.");
    p.addOption({QStringLiteral("from"), QStringLiteral("The dump file, or a snapshot as BOARD/ID (ID alone with --machine)."),
                 QStringLiteral("DUMP")});
    p.addOption({QStringLiteral("only"),
                 QStringLiteral("The values to write: addresses or names as hexdump --values prints them, "
                                "comma-separated (may be repeated)."),
                 QStringLiteral("KEY")});
    p.addOption({QStringLiteral("model"), QStringLiteral("The model of a dump file (a snapshot names its own)."),
                 QStringLiteral("TITLE")});
    addMachineOption(p, QStringLiteral("The machine whose snapshots an ID alone names."));
    p.addOption({QStringLiteral("store"), QStringLiteral("Then store the configuration in each board's memory (saveCfg).")});
    addSiteOptions(p, false);
    if (const int code = p.parse(args, 0, 0); code >= 0)
        return code;
    QStringList keys;
    for (const QString &value : p.values(QStringLiteral("only")))
        for (const QString &key : value.split(QLatin1Char(','), Qt::SkipEmptyParts))
            if (!key.trimmed().isEmpty())
                keys << key.trimmed();
    if (keys.isEmpty())
        return fail(BadInput, QStringLiteral("apply: --only KEY[,KEY...] names the values to write"));
    DeviceCfg *sourceModel = nullptr;
    QByteArray source;
    if (const int code = sourceOf(p, &sourceModel, &source); code != Ok)
        return code;
    const QString title = sourceModel->title();
    QList<ValueLine> chosen;
    if (const int code = chosenValues(sourceModel, source, keys, &chosen); code != Ok)
        return code;
    QList<Found> targets;
    if (const int code = siteTargets(p, args, false, &targets); code != Ok)
        return code;

    const int timeout = siteTimeout(p);
    const bool json = p.isSet(QStringLiteral("json"));
    const bool store = p.isSet(QStringLiteral("store"));
    int failed = 0;
    for (const Found &f : qAsConst(targets)) {
        Visit v;
        bool ok = v.start(f, timeout);
        if (ok && v.model->title() != title)
            ok = v.failed(QStringLiteral("a board of another model: the values are of %1").arg(title));
        if (ok) {
            const Plan plan = planFor(v, source, chosen);
            const QString at = QStringLiteral("%1 %2").arg(v.row.link, v.row.address);
            QJsonArray changes;
            for (const ParamDifference &d : plan.changes) {
                changes.append(QJsonObject{{QStringLiteral("key"), keyText(d)}, {QStringLiteral("name"), nameOf(d)},
                                           {QStringLiteral("from"), d.a}, {QStringLiteral("to"), d.b}});
                if (!json)
                    out(QStringLiteral("%1 change %2 %3: %4 -> %5").arg(at, keyText(d), nameOf(d), d.a, d.b));
            }
            for (const QJsonValue &s : plan.skipped) {
                const QJsonObject o = s.toObject();
                if (!json)
                    out(QStringLiteral("%1 skip %2 %3: %4")
                            .arg(at, o.value(QStringLiteral("key")).toString(), o.value(QStringLiteral("name")).toString(),
                                 o.value(QStringLiteral("reason")).toString()));
            }
            v.row.extra.insert(QStringLiteral("changes"), changes);
            v.row.extra.insert(QStringLiteral("skipped"), plan.skipped);
            if (plan.changes.isEmpty()) {
                v.row.result = QStringLiteral("unchanged");
                v.row.note = plan.skipped.size() == chosen.size() ? QStringLiteral("none of the values is on this board's variant")
                                                                  : QStringLiteral("the board holds these values already");
            } else if ((ok = carryOut(v, source, plan, store))) {
                v.row.result = QStringLiteral("done");
                v.row.note = QStringLiteral("%1 %2 written%3")
                                 .arg(plan.changes.size())
                                 .arg(plan.changes.size() == 1 ? QStringLiteral("value") : QStringLiteral("values"),
                                      store ? QStringLiteral(", stored") : QString());
            }
        }
        failed += ok ? 0 : 1;
        printRow(v.row, json);
    }
    return failed ? Failed : Ok;
}

} // namespace Cli
