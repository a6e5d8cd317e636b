// The board commands: info, read, write and store, each on the one board its link options name.
#include "boardlink.h"
#include "clihost.h"
#include "climodels.h"
#include "dumpfile.h"
#include "devices/devicecfg.h"
#include "devices/fixedimage.h"
#include "link/devio.h"
#include <QByteArray>
#include <cstring>

namespace Cli {

namespace {

TerminalProgress *progress(const QString &label)
{
    TerminalProgress *p = context().host->progress();
    p->setLabel(label);
    return p;
}

// The current model when it holds a configuration image; the bridge board has none.
DeviceCfg *configurable(const BoardLink &board)
{
    DeviceCfg *model = DeviceCfg::current();
    if (model && model->image())
        return model;
    err(QStringLiteral("%1 holds no configuration to read, write or store").arg(board.description()));
    return nullptr;
}

// Reads the whole configuration into the current model; false after an error line.
bool readBoard(DeviceCfg *model, const QString &what)
{
    const bool failed = model->readDevice(progress(QStringLiteral("Reading")));
    context().host->progress()->finish();
    if (failed)
        err(QStringLiteral("reading the configuration from the board failed; %1").arg(what));
    return !failed;
}

} // namespace

int runInfo(const QStringList &args)
{
    Parser p(command("info"));
    addLinkOptions(p);
    if (const int code = p.parse(args, 0, 0); code >= 0)
        return code;
    BoardLink board;
    if (!board.open(p))
        return Failed;
    out(board.summary());
    return Ok;
}

int runRead(const QStringList &args)
{
    Parser p(command("read"));
    addLinkOptions(p);
    p.addOption({{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("The dump file to write."),
                 QStringLiteral("FILE")});
    if (const int code = p.parse(args, 0, 0); code >= 0)
        return code;
    const QString file = p.value(QStringLiteral("output"));
    if (file.isEmpty())
        return fail(BadInput, QStringLiteral("read: -o FILE is required"));
    BoardLink board;
    if (!board.open(p))
        return Failed;
    DeviceCfg *model = configurable(board);
    if (!model)
        return Failed;
    // An incomplete read never replaces a good backup.
    if (!readBoard(model, file + QStringLiteral(" was not written")))
        return Failed;
    QString error;
    if (!saveDump(model, file, &error))
        return fail(Failed, error);
    return Ok;
}

int runWrite(const QStringList &args)
{
    Parser p(command("write"));
    addLinkOptions(p);
    p.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The dump file to write to the board."));
    p.addOption({QStringLiteral("store"), QStringLiteral("Then store it in the board's memory (saveCfg).")});
    p.addOption({QStringLiteral("no-verify"), QStringLiteral("Do not read the configuration back to check it.")});
    if (const int code = p.parse(args, 1, 1); code >= 0)
        return code;
    const QString file = p.positionalArguments().at(0);
    // The file's checks come first: a damaged dump is refused before anything is sent.
    QString error, firstError;
    bool loadable = false;
    for (DeviceCfg *m = DeviceCfg::first(); m; m = m->next) {
        if (!m->image())
            continue;
        if (loadDump(m, file, &error))
            loadable = true;
        else if (firstError.isEmpty())
            firstError = error;
    }
    if (!loadable)
        return fail(BadInput, firstError + QStringLiteral("; nothing was sent"));

    BoardLink board;
    if (!board.open(p))
        return Failed;
    DeviceCfg *model = configurable(board);
    if (!model)
        return Failed;
    // The board's own configuration first, as the program has it before a dump is loaded.
    if (!readBoard(model, QStringLiteral("nothing was written")))
        return Failed;
    if (!loadDump(model, file, &error))
        return fail(BadInput, QStringLiteral("%1; nothing was written").arg(error));
    model->writeDevice(progress(QStringLiteral("Writing")));
    context().host->progress()->finish();
    if (!p.isSet(QStringLiteral("no-verify"))) {
        const QByteArray written(reinterpret_cast<const char *>(model->image()), FixedImage::WriteEnd);
        const bool failed = model->readDevice(progress(QStringLiteral("Verifying")));
        context().host->progress()->finish();
        const QByteArray back(reinterpret_cast<const char *>(model->image()), FixedImage::WriteEnd);
        if (failed || back != written)
            return fail(Failed, QStringLiteral("the board does not hold what was written%1")
                                    .arg(p.isSet(QStringLiteral("store")) ? QStringLiteral("; not stored") : QString()));
    }
    if (p.isSet(QStringLiteral("store")) && !board.link()->saveCfg())
        return fail(Failed, QStringLiteral("the board did not store the configuration"));
    return Ok;
}

int runStore(const QStringList &args)
{
    Parser p(command("store"));
    addLinkOptions(p);
    if (const int code = p.parse(args, 0, 0); code >= 0)
        return code;
    BoardLink board;
    if (!board.open(p) || !configurable(board))
        return Failed;
    if (!board.link()->saveCfg())
        return fail(Failed, QStringLiteral("the board did not store the configuration"));
    return Ok;
}

} // namespace Cli
