// firmware: a firmware file sent to the network bridge, after the checks the program makes
// of it: a regular file of bounded size, not empty. Progress goes to standard error.
#include "boardlink.h"
#include "clihost.h"
#include "base/boundedfile.h"
#include "devices/devesprelay.h"
#include "devices/firmwareupdate.h"
#include <QFile>

namespace Cli {

int runFirmware(const QStringList &args)
{
    Parser p(command("firmware"), "Exit status: 0 the bridge took every block, 1 the bridge or link failed or "
                                  "refused the file, 2 usage or file errors.");
    addLinkOptions(p);
    p.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The firmware file (*.efrm)."));
    if (const int code = p.parse(args, 1, 1); code >= 0)
        return code;
    if (!p.isSet(QStringLiteral("tcp")) || !p.isSet(QStringLiteral("bridge")) || p.isSet(QStringLiteral("udp"))
        || p.isSet(QStringLiteral("usb")))
        return fail(BadInput, QStringLiteral("firmware goes to a network bridge: --tcp HOST --bridge"));
    // The file is checked before the bridge is asked anything.
    const QString path = p.positionalArguments().at(0);
    QFile file(path);
    QString why;
    if (!openBoundedFile(&file, FileBounds::Firmware, &why))
        return fail(BadInput, QStringLiteral("cannot read %1: %2").arg(path, why));
    const QByteArray firmware = file.readAll();
    if (firmware.isEmpty())
        return fail(BadInput, QStringLiteral("%1 is empty: not a firmware file").arg(path));

    BoardLink board;
    if (const int code = board.open(p); code != Ok)
        return code;
    if (!qobject_cast<DevEspRelay *>(DeviceCfg::current()))
        return fail(Failed, QStringLiteral("%1 is not a network bridge board").arg(board.description()));
    TerminalProgress *progress = context().host->progress();
    progress->setLabel(QStringLiteral("Sending"));
    const FirmwareUpdate::Result r = FirmwareUpdate::send(board.link(), firmware, progress);
    progress->finish();
    const QString lost = board.lossReason().isEmpty() ? QString() : QStringLiteral(" (%1)").arg(board.lossReason());
    switch (r.status) {
    case FirmwareUpdate::Result::Done:
        err(QStringLiteral("firmware update done: %1 bytes sent in %2 blocks").arg(firmware.size()).arg(r.blocks));
        return Ok;
    case FirmwareUpdate::Result::HeaderRefused:
        return fail(Failed, QStringLiteral("firmware update refused: the bridge did not accept the file%1").arg(lost));
    case FirmwareUpdate::Result::BlockRefused:
        return fail(Failed, QStringLiteral("firmware update refused at block %1 of %2%3").arg(r.block).arg(r.blocks).arg(lost));
    case FirmwareUpdate::Result::FinishFailed:
        break;
    }
    return fail(Failed, QStringLiteral("firmware update incomplete: the bridge did not confirm the end%1").arg(lost));
}

} // namespace Cli
