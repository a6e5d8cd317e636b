// Command line of vandor-sim.
#include "simoptions.h"
#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

bool toPort(const QString &text, quint16 &port)
{
    bool ok = false;
    const uint v = text.toUInt(&ok);
    if (!ok || v > 65535)
        return false;
    port = quint16(v);
    return true;
}

bool toCount(const QString &text, int &count)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < 0)
        return false;
    count = v;
    return true;
}

bool toId(const QString &text, std::array<quint16, 3> &id)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3)
        return false;
    for (int i = 0; i < 3; ++i) {
        QString p = parts.at(i).trimmed();
        if (p.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            p = p.mid(2);
        bool ok = false;
        const uint v = p.toUInt(&ok, 16);
        if (!ok || v > 0xFFFF)
            return false;
        id[size_t(i)] = quint16(v);
    }
    return true;
}

} // namespace

bool parseSimOptions(const QCoreApplication &app, SimOptions &o, QString &error)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Board simulator: a 2.0 controller on the UDP bridge path and behind a network bridge.\n"
        "stdin commands: save, quit."));
    p.addHelpOption();
    const QCommandLineOption bind(QStringLiteral("bind"), QStringLiteral("Address to bind (127.0.0.1)."),
                                  QStringLiteral("ADDR"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption udpPort(QStringLiteral("udp-port"),
                                     QStringLiteral("UDP bridge path board port (8964, 0 = any)."),
                                     QStringLiteral("N"), QStringLiteral("8964"));
    const QCommandLineOption netPort(QStringLiteral("net-port"),
                                     QStringLiteral("Network bridge UDP discovery and TCP port (10501, 0 = any)."),
                                     QStringLiteral("N"), QStringLiteral("10501"));
    const QCommandLineOption image(QStringLiteral("image"), QStringLiteral("Initial configuration image."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption nv(QStringLiteral("nv"), QStringLiteral("Initial NV memory."), QStringLiteral("FILE"));
    const QCommandLineOption defImage(QStringLiteral("default-image"),
                                      QStringLiteral("Start from a valid default 2.0 image."));
    const QCommandLineOption board(QStringLiteral("board"),
                                   QStringLiteral("Controller generation 1.1, 2.0 or 3.0, the Robo controller (robo) or the Tokmat machine "
                                                  "(tokmat): its identity and factory image; "
                                                  "dynamic: a board that describes itself (as --dyn)."),
                                   QStringLiteral("KIND"));
    const QCommandLineOption id(QStringLiteral("id"), QStringLiteral("Identity words in hex (0242,0100,9202)."),
                                QStringLiteral("W0,W1,W2"));
    const QCommandLineOption serial(QStringLiteral("serial"), QStringLiteral("Serial number (SIM00001)."),
                                    QStringLiteral("TEXT"));
    const QCommandLineOption ctl(QStringLiteral("controller-name"),
                                 QStringLiteral("Controller name in discovery answers (at most 8 bytes)."),
                                 QStringLiteral("NAME"));
    const QCommandLineOption bridge(QStringLiteral("bridge-name"),
                                    QStringLiteral("Bridge name in discovery answers (at most 12 bytes)."),
                                    QStringLiteral("NAME"));
    const QCommandLineOption noBridge(QStringLiteral("no-bridge-name"),
                                      QStringLiteral("Discovery answers of 12 bytes, naming the controller only."));
    const QCommandLineOption pw(QStringLiteral("password"), QStringLiteral("Bridge access password (1234)."),
                                QStringLiteral("PW"));
    const QCommandLineOption ver(QStringLiteral("version-text"), QStringLiteral("Bridge version text (2.7 sim)."),
                                 QStringLiteral("TEXT"));
    const QCommandLineOption saveDir(QStringLiteral("save-dir"),
                                     QStringLiteral("Folder for image.bin, stored.bin (the image at the last saveCfg), nv.bin, setup.bin, serial.txt, "
                                                    "firmware.bin and firmware.log."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption transcript(QStringLiteral("transcript"),
                                        QStringLiteral("Write one line per request and answer, in hex."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption noStdin(QStringLiteral("ignore-stdin"), QStringLiteral("Read no commands from stdin."));
    const QCommandLineOption usb(QStringLiteral("usb"),
                                 QStringLiteral("Plug the board into an emulated USB bus (umockdev) and print its folder."));
    const QCommandLineOption drop(QStringLiteral("drop-every"), QStringLiteral("Drop every Nth answer."),
                                  QStringLiteral("N"));
    const QCommandLineOption delay(QStringLiteral("delay-ms"), QStringLiteral("Delay every answer."),
                                   QStringLiteral("N"));
    const QCommandLineOption delays(QStringLiteral("delays"),
                                    QStringLiteral("Delay the first answers one by one: N1,N2,... ms (later "
                                                   "ones by --delay-ms)."),
                                    QStringLiteral("LIST"));
    const QCommandLineOption corrupt(QStringLiteral("corrupt"),
                                     QStringLiteral("Corrupt answers: direction or address (may be repeated)."),
                                     QStringLiteral("direction|address"));
    const QCommandLineOption corruptEvery(QStringLiteral("corrupt-every"),
                                          QStringLiteral("Corrupt only every Nth answer (1)."), QStringLiteral("N"));
    const QCommandLineOption skip(QStringLiteral("fault-skip"),
                                  QStringLiteral("Never drop or corrupt the first N answers."), QStringLiteral("N"));
    const QCommandLineOption split(QStringLiteral("split-tcp"),
                                   QStringLiteral("Send TCP answers one byte per segment."));
    const QCommandLineOption closeAfter(QStringLiteral("close-after"),
                                        QStringLiteral("Close a TCP connection after its Nth request frame."),
                                        QStringLiteral("N"));
    const QCommandLineOption lateEvery(QStringLiteral("late-every"),
                                       QStringLiteral("Hold back only every Nth answer, by --delay-ms."),
                                       QStringLiteral("N"));
    const QCommandLineOption faultCount(QStringLiteral("fault-count"),
                                        QStringLiteral("Make at most N faults (drops, corruptions, late answers), then none."),
                                        QStringLiteral("N"));
    const QCommandLineOption slowReads(QStringLiteral("slow-reads"),
                                       QStringLiteral("Hold back every answer to a described read over TCP by N ms more."),
                                       QStringLiteral("N"));
    p.addOptions({lateEvery, faultCount, slowReads});
    const QCommandLineOption dyn(QStringLiteral("dyn"),
                                 QStringLiteral("Play a board that describes its own configuration (word1 0x0200)."));
    const QCommandLineOption describe(QStringLiteral("describe"),
                                      QStringLiteral("The self-describing board's description: one \"<uid> <payload>\" a line, "
                                                     "in hex (implies --dyn)."),
                                      QStringLiteral("FILE"));
    p.addOptions({dyn, describe});
    p.addOptions({bind, udpPort, netPort, image, nv, defImage, board, id, serial, ctl, bridge, noBridge, pw, ver,
                  saveDir, transcript, noStdin, usb, drop, delay, delays, corrupt, corruptEvery, skip, split, closeAfter});
    if (!p.parse(app.arguments())) {
        error = p.errorText();
        return false;
    }
    if (p.isSet(QStringLiteral("help"))) {
        error = p.helpText();
        return false;
    }
    o.describeFile = p.value(describe);
    o.dyn = p.isSet(dyn) || !o.describeFile.isEmpty() || p.value(board) == QLatin1String("dynamic");
    if (o.dyn && !p.isSet(QStringLiteral("id")))
        o.id = {{0x0101, 0x0200, 0x0003}};
    if (!p.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument %1").arg(p.positionalArguments().constFirst());
        return false;
    }

    auto fail = [&](const QCommandLineOption &opt) {
        error = QStringLiteral("bad value for --%1: %2").arg(opt.names().constFirst(), p.value(opt));
        return false;
    };
    if (!o.bind.setAddress(p.value(bind)))
        return fail(bind);
    if (!toPort(p.value(udpPort), o.udpPort))
        return fail(udpPort);
    if (!toPort(p.value(netPort), o.netPort))
        return fail(netPort);
    o.imageFile = p.value(image);
    o.nvFile = p.value(nv);
    o.defaultImage = p.isSet(defImage);
    if (p.isSet(board) && !o.dyn) {
        // Identity of the newest board of each generation.
        static const struct { const char *name; std::array<quint16, 3> id; const char *label; } boards[] = {
            {"1.1", {{0x0103, 0x0100, 0x0202}}, "Sim 1.1"},
            {"2.0", {{0x0242, 0x0100, 0x9202}}, "Sim 2.0"},
            {"3.0", {{0x0304, 0x0100, 0x0201}}, "Sim 3.0"},
            {"robo", {{0x0100, 0x0100, 0x0400}}, "Sim Robo"},
            {"tokmat", {{0x0300, 0x0100, 0x0300}}, "Sim Tkm"},
        };
        for (const auto &b : boards) {
            if (p.value(board) == QLatin1String(b.name)) {
                o.board = p.value(board);
                o.id = b.id;
                o.controllerName = b.label;
            }
        }
        if (o.board.isEmpty())
            return fail(board);
    }
    if (p.isSet(id) && !toId(p.value(id), o.id))
        return fail(id);
    if (p.isSet(serial))
        o.serial = p.value(serial).toLatin1();
    if (p.isSet(ctl))
        o.controllerName = p.value(ctl).toUtf8();
    if (p.isSet(bridge))
        o.bridgeName = p.value(bridge).toUtf8();
    o.noBridge = p.isSet(noBridge);
    if (p.isSet(pw))
        o.password = p.value(pw).toUtf8();
    if (p.isSet(ver))
        o.versionText = p.value(ver).toUtf8();
    if (o.password.size() > 255)
        return fail(pw);
    if (o.versionText.isEmpty() || o.versionText.size() > 255)
        return fail(ver);
    o.saveDir = p.value(saveDir);
    o.transcriptFile = p.value(transcript);
    o.ignoreStdin = p.isSet(noStdin);
    o.usb = p.isSet(usb);

    FaultOptions &f = o.faults;
    if (p.isSet(drop) && !toCount(p.value(drop), f.dropEvery))
        return fail(drop);
    if (p.isSet(delay) && !toCount(p.value(delay), f.delayMs))
        return fail(delay);
    if (p.isSet(delays)) {
        const QStringList list = p.value(delays).split(QLatin1Char(','));
        for (const QString &item : list) {
            int ms = 0;
            if (!toCount(item.trimmed(), ms))
                return fail(delays);
            f.delays.append(ms);
        }
    }
    for (const QString &what : p.values(corrupt)) {
        if (what == QLatin1String("direction"))
            f.corruptDirection = true;
        else if (what == QLatin1String("address"))
            f.corruptAddress = true;
        else {
            error = QStringLiteral("bad value for --corrupt: %1").arg(what);
            return false;
        }
    }
    if (p.isSet(corruptEvery) && !toCount(p.value(corruptEvery), f.corruptEvery))
        return fail(corruptEvery);
    if (p.isSet(skip) && !toCount(p.value(skip), f.faultSkip))
        return fail(skip);
    f.splitTcp = p.isSet(split);
    if (p.isSet(closeAfter) && !toCount(p.value(closeAfter), f.closeAfter))
        return fail(closeAfter);
    if (p.isSet(lateEvery) && !toCount(p.value(lateEvery), f.lateEvery))
        return fail(lateEvery);
    if (p.isSet(faultCount) && !toCount(p.value(faultCount), f.faultCount))
        return fail(faultCount);
    if (p.isSet(slowReads) && !toCount(p.value(slowReads), f.slowReadsMs))
        return fail(slowReads);
    return true;
}
