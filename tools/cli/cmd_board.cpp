// The board commands: info, read, write and store, each on the one board its link options name.
#include "boardlink.h"
#include "app/snapshotkeeper.h"
#include "base/boundedfile.h"
#include "clihost.h"
#include "climachines.h"
#include "climodels.h"
#include "dumpfile.h"
#include "devices/devcom2.h"
#include "devices/devcom2records.h"
#include "devices/devicecfg.h"
#include "devices/fixedimage.h"
#include "devices/fixedlayoutmodel.h"
#include "devices/imagediff.h"
#include "devices/imagefit.h"
#include "devices/modeldiff.h"
#include "link/devio.h"
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cstring>

namespace Cli {

namespace {

TerminalProgress *progress(const QString &label)
{
    TerminalProgress *p = context().host->progress();
    p->setLabel(label);
    return p;
}

// The current model when it holds a configuration; the bridge board has none.
DeviceCfg *configurable(const BoardLink &board)
{
    DeviceCfg *model = DeviceCfg::current();
    if (model && model->keepsConfiguration())
        return model;
    err(QStringLiteral("%1 holds no configuration to read, write or store").arg(board.description()));
    return nullptr;
}

// ", because <reason>" when the board is gone, else empty.
QString because(const BoardLink &board)
{
    const QString reason = board.lossReason();
    return reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason);
}

// Reads the whole configuration into the current model; false after an error line.
bool readBoard(const BoardLink &board, DeviceCfg *model, const QString &what)
{
    const bool failed = model->readDevice(progress(QStringLiteral("Reading")));
    context().host->progress()->finish();
    if (failed)
        err(QStringLiteral("reading the configuration from the board failed%1; %2").arg(because(board), what));
    return !failed;
}

// Keeps what the board holds in the history of its machine; a failure to write is one warning
// line per run (a write keeps the board before and after it) and the command goes on. False
// after a usage line when the board alone cannot tell its machine and --machine does not name it.
bool snapshot(const BoardLink &board, DeviceCfg *model, const QString &machineName)
{
    // The window's session keeps its board's snapshots the same way.
    static SnapshotKeeper keeper;
    return keeper.take(model, board.origin(), [&](const BoardOrigin &, DeviceCfg *m) {
        Machine machine;
        return machineOf(board, m, machineName, &machine) == Ok ? std::optional<Machine>(machine) : std::nullopt;
    });
}

void addMachine(Parser &p)
{
    addMachineOption(p, QStringLiteral("The machine whose history keeps the board's configuration, when the board "
                                       "alone cannot tell it (a name not used yet makes a new machine)."));
}

// The configuration as the model's dump, for comparing what was written with what is read back.
QByteArray dumpOf(DeviceCfg *model)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return model->save(&buffer) ? buffer.data() : QByteArray();
}

// The values a read-back differs in from what was written, as diff names them: a few by name,
// then how many more.
QString differingValues(DeviceCfg *model, const QByteArray &wanted, const QByteArray &back, const DevIo *link)
{
    constexpr int Named = 4;
    BoardFeatures board;
    board.word0 = link->word0;
    board.word2 = link->word2;
    const QList<ParamDifference> diffs = ModelDiff::unheld(model, wanted, back, board);
    const int count = diffs.size();
    QStringList names;
    for (int i = 0; i < count && i < Named; ++i) {
        const ParamDifference &d = diffs.at(i);
        names << (d.dynamic ? QStringLiteral("[%1] %2").arg(d.site.group, d.label)
                            : QStringLiteral("%1 (%2)").arg(d.label).arg(d.site.address));
    }
    if (count == 0)
        return QString();
    QString text = names.join(QStringLiteral(", "));
    if (count > names.size())
        text += QStringLiteral(" and %1 more").arg(count - names.size());
    return QStringLiteral(": %1").arg(text);
}

// A verify that failed: what differs, and what still holds.
int verifyFailed(DeviceCfg *model, const QByteArray &wanted, const QByteArray &back, const DevIo *link, bool store)
{
    return fail(Failed, QStringLiteral("the board does not hold what was written%1; %2")
                            .arg(differingValues(model, wanted, back, link),
                                 store ? QStringLiteral("not stored, so the configuration in its memory is untouched")
                                       : QStringLiteral("the configuration in its memory is untouched")));
}

// A Dynamic Device dump onto a board that describes itself: its description is read first, so
// that the dump's values land on the board's own parameters; then list 1 is written whole.
int writeDescribed(const BoardLink &board, DeviceCfg *model, const QString &file, bool store, bool verify,
                   const QString &machine)
{
    QString error;
    if (!readBoard(board, model, QStringLiteral("nothing was written")))
        return Failed;
    if (!snapshot(board, model, machine))
        return BadInput;
    if (!loadDump(model, file, &error))
        return fail(BadInput, QStringLiteral("%1; nothing was written").arg(error));
    DevIo *link = board.link();
    const int failedBefore = link->failedOperations();
    const bool written = model->writeDevice(progress(QStringLiteral("Writing")));
    context().host->progress()->finish();
    const QString notStored = store ? QStringLiteral("; not stored") : QString();
    if (link->failedOperations() != failedBefore || !written)
        return fail(Failed, QStringLiteral("writing %1 to the board failed%2; the board may hold part of it%3")
                                .arg(file, because(board), notStored));
    if (verify) {
        const QByteArray wanted = dumpOf(model);
        if (!readBoard(board, model, QStringLiteral("it could not be checked") + notStored))
            return Failed;
        if (const QByteArray back = dumpOf(model); back != wanted)
            return verifyFailed(model, wanted, back, link, store);
        snapshot(board, model, machine);
    }
    if (store && !link->saveCfg())
        return fail(Failed, QStringLiteral("the board did not confirm the store: it may or may not hold the configuration in its memory%1").arg(because(board)));
    return Ok;
}

} // namespace

int runInfo(const QStringList &args)
{
    Parser p(command("info"));
    addLinkOptions(p);
    p.addOption({QStringLiteral("json"), QStringLiteral("Print the board as one JSON object.")});
    if (const int code = p.parse(args, 0, 0); code >= 0)
        return code;
    BoardLink board;
    const int code = board.open(p);
    const bool json = p.isSet(QStringLiteral("json"));
    // The fields of discover --json, the link and address as they were asked also on failure.
    const QString kind = p.isSet(QStringLiteral("bridge")) ? QStringLiteral("bridge") : QStringLiteral("controller");
    if (code != Ok) {
        if (json && code == Failed) {
            const QString link = p.isSet(QStringLiteral("tcp")) ? QStringLiteral("tcp")
                : p.isSet(QStringLiteral("udp"))                 ? QStringLiteral("udp")
                                                                 : QStringLiteral("usb");
            const QString address = link == QLatin1String("usb") ? p.value(QStringLiteral("usb-device")) : p.value(link);
            out(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("link"), link},
                                                             {QStringLiteral("address"), address},
                                                             {QStringLiteral("name"), QString()},
                                                             {QStringLiteral("kind"), kind},
                                                             {QStringLiteral("opened"), false},
                                                             {QStringLiteral("error"), board.error()}})
                                      .toJson(QJsonDocument::Compact)));
        }
        return code;
    }
    QJsonObject o = board.json();
    o.insert(QStringLiteral("kind"), kind);
    out(json ? QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) : board.summary());
    return Ok;
}

int runRead(const QStringList &args)
{
    Parser p(command("read"));
    addLinkOptions(p);
    p.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                 QStringLiteral("The dump file to write: a regular file, replaced only by a complete new "
                                "one, or - for standard output."),
                 QStringLiteral("FILE")});
    addMachine(p);
    if (const int code = p.parse(args, 0, 0); code >= 0)
        return code;
    const QString file = p.value(QStringLiteral("output"));
    if (file.isEmpty())
        return fail(BadInput, QStringLiteral("read: -o FILE is required"));
    // The output is checked before the board is asked anything.
    const bool toStdout = file == QLatin1String("-");
    QSaveFile saved(file);
    if (!toStdout) {
        const QFileInfo info(file);
        if (info.exists() && !info.isFile())
            return fail(BadInput, QStringLiteral("%1 is not a regular file; only regular files are written (or - for standard output)").arg(file));
        if (!saved.open(QIODevice::WriteOnly))
            return fail(BadInput, QStringLiteral("cannot write %1: %2").arg(file, saved.errorString()));
    }
    BoardLink board;
    if (const int code = board.open(p); code != Ok)
        return code;
    DeviceCfg *model = configurable(board);
    if (!model)
        return Failed;
    // An incomplete read never replaces a good backup.
    if (!readBoard(board, model, file + QStringLiteral(" was not written")))
        return Failed;
    if (!snapshot(board, model, p.value(QStringLiteral("machine"))))
        return BadInput;
    if (toStdout) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!model->save(&buffer))
            return fail(Failed, QStringLiteral("the configuration could not be put into a dump"));
        outBytes(buffer.data());
        return outFailed() ? fail(BadInput, QStringLiteral("writing the dump to standard output failed")) : Ok;
    }
    if (!model->save(&saved) || !saved.commit())
        return fail(BadInput, QStringLiteral("cannot write %1: %2").arg(file, saved.errorString()));
    return Ok;
}

int runWrite(const QStringList &args)
{
    Parser p(command("write"));
    addLinkOptions(p);
    p.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The dump file to write to the board."));
    p.addOption({QStringLiteral("store"), QStringLiteral("Then store it in the board's memory (saveCfg).")});
    p.addOption({QStringLiteral("no-verify"), QStringLiteral("Do not read the configuration back to check it.")});
    p.addOption({QStringLiteral("force"),
                 QStringLiteral("Write a dump even when it looks like a configuration of another board "
                                "generation.")});
    addMachine(p);
    if (const int code = p.parse(args, 1, 1); code >= 0)
        return code;
    const QString file = p.positionalArguments().at(0);
    // The file's checks come first: a damaged dump is refused before anything is written.
    QString error;
    bool loadable = false;
    for (DeviceCfg *m = DeviceCfg::first(); m; m = m->next) {
        if (!m->image())
            continue;
        loadable = loadable || loadDump(m, file, &error);
    }
    QFile dynFile(file);
    QList<DevCom2Records::Record> records;
    QString why;
    if (!openBoundedFile(&dynFile, FileBounds::Dump, &why))
        return fail(BadInput, QStringLiteral("cannot read %1: %2; nothing was sent").arg(file, why));
    const bool described = DevCom2Records::parse(dynFile.readAll(), &records);
    // Nothing goes to the board for a file no model can take; as the board is not asked, the
    // file is described by the formats it fails, not by one model's name.
    if (!loadable && !described) {
        const qint64 size = dynFile.size();
        if (size != FixedImage::Size)
            return fail(BadInput, QStringLiteral("%1 is not a configuration dump: %2 bytes, it must have exactly %3 (the "
                                                 "image of a fixed-layout board) or be the records of a board that "
                                                 "describes its configuration; nothing was sent")
                                      .arg(file).arg(size).arg(FixedImage::Size));
        return fail(BadInput, QStringLiteral("%1 is not a valid dump of any fixed-layout board: its layout version or "
                                             "check word is wrong (damaged, or not a configuration dump); nothing was sent")
                                  .arg(file));
    }

    BoardLink board;
    if (const int code = board.open(p); code != Ok)
        return code;
    DeviceCfg *model = configurable(board);
    if (!model)
        return Failed;
    if (qobject_cast<DevCom2 *>(model)) {
        if (!described)
            return fail(BadInput, QStringLiteral("%1 is not a valid %2 dump; nothing was written").arg(file, model->title()));
        return writeDescribed(board, model, file, p.isSet(QStringLiteral("store")), !p.isSet(QStringLiteral("no-verify")),
                              p.value(QStringLiteral("machine")));
    }
    // Every generation writes the same file format: a dump of another one is told by its bytes.
    if (auto *fixed = qobject_cast<FixedLayoutModel *>(model); fixed && !p.isSet(QStringLiteral("force"))) {
        QFile dump(file);
        const QByteArray bytes = dump.open(QIODevice::ReadOnly) ? dump.read(FixedImage::Size + 1) : QByteArray();
        const DumpOrigin origin = bytes.size() == FixedImage::Size
            ? judgeDump(*fixed, reinterpret_cast<const quint8 *>(bytes.constData()))
            : DumpOrigin();
        if (origin.foreign())
            return fail(BadInput, QStringLiteral("%1: %2; nothing was written (--force writes it anyway)")
                                      .arg(file, origin.describe()));
    }
    if (!loadDump(model, file, &error))
        return fail(BadInput, QStringLiteral("%1; nothing was written").arg(error));
    // The board's own configuration first, as the program has it before a dump is loaded.
    if (!readBoard(board, model, QStringLiteral("nothing was written")))
        return Failed;
    if (!snapshot(board, model, p.value(QStringLiteral("machine"))))
        return BadInput;
    if (!loadDump(model, file, &error))
        return fail(BadInput, QStringLiteral("%1; nothing was written").arg(error));
    DevIo *link = board.link();
    const int failedBefore = link->failedOperations();
    // The model sends the image as one batch, proved at its end on links without acknowledgements.
    const bool written = model->writeDevice(progress(QStringLiteral("Writing"))) && link->failedOperations() == failedBefore;
    context().host->progress()->finish();
    const QString notStored = p.isSet(QStringLiteral("store")) ? QStringLiteral("; not stored") : QString();
    if (!written)
        return fail(Failed, QStringLiteral("writing %1 to the board failed%2; the board may hold part of it%3")
                                .arg(file, because(board), notStored));
    if (!p.isSet(QStringLiteral("no-verify"))) {
        const QByteArray wanted(reinterpret_cast<const char *>(model->image()), FixedImage::Size);
        const bool failed = model->readDevice(progress(QStringLiteral("Verifying")));
        context().host->progress()->finish();
        const QByteArray back(reinterpret_cast<const char *>(model->image()), FixedImage::Size);
        if (failed)
            return fail(Failed, QStringLiteral("reading the configuration back failed%1%2").arg(because(board), notStored));
        if (back.left(FixedImage::WriteEnd) != wanted.left(FixedImage::WriteEnd))
            return verifyFailed(model, wanted, back, link, p.isSet(QStringLiteral("store")));
        snapshot(board, model, p.value(QStringLiteral("machine")));
    }
    if (p.isSet(QStringLiteral("store")) && !link->saveCfg())
        return fail(Failed, QStringLiteral("the board did not confirm the store: it may or may not hold the configuration in its memory%1").arg(because(board)));
    return Ok;
}

int runStore(const QStringList &args)
{
    Parser p(command("store"));
    addLinkOptions(p);
    if (const int code = p.parse(args, 0, 0); code >= 0)
        return code;
    BoardLink board;
    if (const int code = board.open(p); code != Ok)
        return code;
    if (!configurable(board))
        return Failed;
    if (!board.link()->saveCfg())
        return fail(Failed, QStringLiteral("the board did not confirm the store: it may or may not hold the configuration in its memory%1").arg(because(board)));
    return Ok;
}

} // namespace Cli
