// The offline commands: hexdump and diff of dump files.
#include "cli.h"
#include "climodels.h"
#include "dumpfile.h"
#include "devices/imagediff.h"
#include <QFileInfo>
#include "devices/fixedlayoutmodel.h"
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

} // namespace

int runHexdump(const QStringList &args)
{
    Parser p(command("hexdump"), "Exit status: 0 done, 2 usage or file errors.");
    p.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The dump file."));
    p.addOption(modelOption());
    if (const int code = p.parse(args, 1, 1); code >= 0)
        return code;
    DeviceCfg *model = context().models->require(QStringLiteral("hexdump"), p.value(QStringLiteral("model")));
    if (!model)
        return BadInput;
    QString error;
    if (!loadDump(model, p.positionalArguments().at(0), &error))
        return fail(BadInput, error);
    outBytes(model->hexDump().toUtf8());
    return Ok;
}

int runDiff(const QStringList &args)
{
    Parser p(command("diff"), "Exit status: 0 the dumps are equal, 1 they differ, 2 usage or file errors.");
    p.addPositionalArgument(QStringLiteral("A"), QStringLiteral("The first dump file, or a snapshot as BOARD/ID."));
    p.addPositionalArgument(QStringLiteral("B"), QStringLiteral("The second dump file, or a snapshot as BOARD/ID."));
    p.addOption(modelOption());
    if (const int code = p.parse(args, 2, 2); code >= 0)
        return code;
    const CliModels &models = *context().models;
    DeviceCfg *model = models.require(QStringLiteral("diff"), p.value(QStringLiteral("model")));
    if (!model)
        return BadInput;
    auto *fixed = qobject_cast<FixedLayoutModel *>(model);
    const FixedTable::Table *table = models.table(model);
    if (!fixed || !table)
        return fail(BadInput, QStringLiteral("diff: the model \"%1\" has no parameter table").arg(model->title()));

    QByteArray images[2];
    for (int i = 0; i < 2; ++i) {
        QString error;
        QString path = p.positionalArguments().at(i);
        if (!QFileInfo::exists(path) && !snapshotPath(path).isEmpty())
            path = snapshotPath(path);
        if (!loadDump(model, path, &error))
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
    return diffs.isEmpty() ? Ok : Failed;
}

} // namespace Cli
