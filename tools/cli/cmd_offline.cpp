// The offline commands: hexdump and diff of dump files.
#include "cli.h"
#include "base/boundedfile.h"
#include "climachines.h"
#include "climodels.h"
#include "dumpfile.h"
#include "valuelines.h"
#include "devices/modeldiff.h"
#include "devices/imagediff.h"
#include "devices/devcom2.h"
#include "devices/devcom2records.h"
#include <QFileInfo>
#include "devices/fixedlayoutmodel.h"
#include <QFile>
#include <QByteArray>
#include <cstdio>

namespace Cli {

namespace {

QCommandLineOption modelOption()
{
    return QCommandLineOption(QStringLiteral("model"),
                              QStringLiteral("The device model of the dump, by its title (\"Marvek ccTalk\")."),
                              QStringLiteral("TITLE"));
}

// A "DevCom2" dump's records; false after an error line.
bool dynRecords(const QString &path, QList<DevCom2Records::Record> *records)
{
    QFile file(path);
    QString why;
    if (!openBoundedFile(&file, FileBounds::Dump, &why)) {
        err(QStringLiteral("cannot read %1: %2").arg(path, why));
        return false;
    }
    if (!DevCom2Records::parse(file.readAll(), records)) {
        err(QStringLiteral("%1 is not a valid Dynamic Device dump").arg(path));
        return false;
    }
    return true;
}

// The ranges of byte addresses where a and b differ ("0x0100-0x0103, 0x1ffe"), the first few.
QString differingSpans(const QByteArray &a, const QByteArray &b)
{
    constexpr int Listed = 8;
    QStringList spans;
    int more = 0;
    const int n = int(qMin(a.size(), b.size()));
    for (int i = 0; i < n; ++i) {
        if (a.at(i) == b.at(i))
            continue;
        int end = i;
        while (end + 1 < n && a.at(end + 1) != b.at(end + 1))
            ++end;
        if (spans.size() < Listed)
            spans << (end == i ? QStringLiteral("0x%1").arg(i, 4, 16, QLatin1Char('0'))
                               : QStringLiteral("0x%1-0x%2").arg(i, 4, 16, QLatin1Char('0')).arg(end, 4, 16, QLatin1Char('0')));
        else
            ++more;
        i = end;
    }
    QString text = spans.join(QStringLiteral(", "));
    if (more)
        text += QStringLiteral(" and %1 more ranges").arg(more);
    return text;
}

QString uidText(quint32 uid) { return QStringLiteral("%1").arg(uid, 8, 16, QLatin1Char('0')); }

} // namespace

int runHexdump(const QStringList &args)
{
    Parser p(command("hexdump"), "Exit status: 0 done, 2 usage or file errors.");
    p.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The dump file, or a snapshot as BOARD/ID."));
    p.addOption(modelOption());
    p.addOption({QStringLiteral("values"),
                 QStringLiteral("One line per value: address (or UID), [group] and label, and the value decoded; "
                                "the names apply --only takes.")});
    if (const int code = p.parse(args, 1, 1); code >= 0)
        return code;
    const QString path = dumpPathOf(p.positionalArguments().at(0), QString());
    // A snapshot knows its model.
    const QString title = p.value(QStringLiteral("model")).isEmpty() ? snapshotTitle(path) : p.value(QStringLiteral("model"));
    DeviceCfg *model = context().models->require(QStringLiteral("hexdump"), title);
    if (!model)
        return BadInput;
    if (p.isSet(QStringLiteral("values")) && !qobject_cast<DevCom2 *>(model)) {
        QString error;
        QList<ValueLine> lines;
        if (!loadDump(model, path, &error))
            return fail(BadInput, error);
        if (!valueLines(model, ModelDiff::current(model), nullptr, &lines))
            return fail(BadInput, QStringLiteral("hexdump: the model \"%1\" has no parameter table").arg(model->title()));
        outBytes(valuesText(lines));
        return Ok;
    }
    // A described configuration: one line per record, named by the model's tables.
    if (qobject_cast<DevCom2 *>(model)) {
        QList<DevCom2Records::Record> records;
        if (!dynRecords(path, &records))
            return BadInput;
        for (const auto &r : records)
            out(QStringLiteral("%1 %2: %3").arg(uidText(r.uid), DevCom2Records::name(r.uid), QString::fromLatin1(r.value.toHex(' '))));
        return Ok;
    }
    QString error;
    if (!loadDump(model, path, &error))
        return fail(BadInput, error);
    outBytes(model->hexDump().toUtf8());
    return Ok;
}

int runDiff(const QStringList &args)
{
    Parser p(command("diff"), "Exit status: 0 the dumps are equal, 1 they differ, 2 usage or file errors.");
    p.addPositionalArgument(QStringLiteral("A"), QStringLiteral("The first dump file, or a snapshot as BOARD/ID "
                                                                "(ID alone with --machine)."));
    p.addPositionalArgument(QStringLiteral("B"), QStringLiteral("The second dump file, or a snapshot as BOARD/ID."));
    p.addOption(modelOption());
    addMachineOption(p, QStringLiteral("The machine whose snapshots an ID alone names."));
    if (const int code = p.parse(args, 2, 2); code >= 0)
        return code;
    const QString machine = p.value(QStringLiteral("machine"));
    const QString paths[2] = {dumpPathOf(p.positionalArguments().at(0), machine),
                              dumpPathOf(p.positionalArguments().at(1), machine)};
    // A snapshot knows its model.
    QString title = p.value(QStringLiteral("model"));
    if (title.isEmpty())
        title = snapshotTitle(paths[0]).isEmpty() ? snapshotTitle(paths[1]) : snapshotTitle(paths[0]);
    const CliModels &models = *context().models;
    DeviceCfg *model = models.require(QStringLiteral("diff"), title);
    if (!model)
        return BadInput;
    if (qobject_cast<DevCom2 *>(model)) {
        QList<DevCom2Records::Record> a, b;
        if (!dynRecords(paths[0], &a) || !dynRecords(paths[1], &b))
            return BadInput;
        const QString missing = QStringLiteral("(absent)");
        const auto text = [&](const std::optional<QByteArray> &v) {
            return v ? QString::fromLatin1(v->toHex(' ')) : missing;
        };
        const QList<DevCom2Records::Difference> differences = DevCom2Records::differences(a, b);
        for (const DevCom2Records::Difference &d : differences)
            out(QStringLiteral("%1 %2: %3 -> %4").arg(uidText(d.uid), DevCom2Records::name(d.uid), text(d.a), text(d.b)));
        return differences.isEmpty() ? Ok : Failed;
    }
    auto *fixed = qobject_cast<FixedLayoutModel *>(model);
    const FixedTable::Table *table = models.table(model);
    if (!fixed || !table)
        return fail(BadInput, QStringLiteral("diff: the model \"%1\" has no parameter table").arg(model->title()));

    QByteArray images[2];
    for (int i = 0; i < 2; ++i) {
        QString error;
        if (!loadDump(model, paths[i], &error))
            return fail(BadInput, error);
        images[i] = QByteArray(reinterpret_cast<const char *>(model->image()), FixedLayoutModel::ImageSize);
    }
    // Dumps carry no board identity: decode with every feature the model knows switched on.
    BoardFeatures board;
    board.word0 = fixed->layout().word0;
    board.word2 = fixed->layout().word2;
    const BitLists bits = models.bitLists(model, board);
    const auto a = reinterpret_cast<const quint8 *>(images[0].constData());
    const auto b = reinterpret_cast<const quint8 *>(images[1].constData());
    const QList<ParamDifference> diffs = diffImages(a, b, *table, fixed->layout(), board, bits);
    for (const ParamDifference &d : diffs) {
        const QString group = d.site.group.isEmpty() ? QString() : QStringLiteral(" [%1]").arg(d.site.group);
        out(QStringLiteral("%1%2 %3: %4 -> %5").arg(d.site.address).arg(group, d.label, d.a, d.b));
    }
    if (!diffs.isEmpty())
        return Failed;
    // Bytes no parameter names (unused space, a damaged text pool) still make the files differ.
    const QString spans = differingSpans(images[0], images[1]);
    if (spans.isEmpty())
        return Ok;
    out(QStringLiteral("bytes outside the named values differ at %1").arg(spans));
    return Failed;
}

} // namespace Cli
