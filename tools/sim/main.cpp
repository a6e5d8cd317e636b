// vandor-sim: a 2.0 controller on the UDP bridge path and behind a simulated network bridge.
// Prints "ready udp=<port> net=<port>" once bound; stdin commands "save" and "quit".
#include "console.h"
#include "netbridge.h"
#include "simworld.h"
#include "storage.h"
#include "udpbridge.h"
#include <QCoreApplication>
#include <cstdio>

namespace {

int fail(const QString &text, int code = 1)
{
    std::fprintf(stderr, "vandor-sim: %s\n", qPrintable(text));
    return code;
}

void say(const char *line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vandor-sim"));

    SimOptions options;
    QString error;
    if (!parseSimOptions(app, options, error)) {
        if (app.arguments().contains(QStringLiteral("--help")) || app.arguments().contains(QStringLiteral("-h"))) {
            std::printf("%s", qPrintable(error));
            return 0;
        }
        return fail(error, 2);
    }

    SimWorld world(options);
    if (options.defaultImage)
        world.board.image = simstorage::defaultImage();
    if (!options.imageFile.isEmpty() && !simstorage::loadInto(options.imageFile, world.board.image, error))
        return fail(error, 2);
    if (!options.nvFile.isEmpty() && !simstorage::loadInto(options.nvFile, world.board.nv, error))
        return fail(error, 2);
    if (!world.transcript.open(options.transcriptFile))
        return fail(QStringLiteral("cannot write %1").arg(options.transcriptFile), 2);

    UdpBridge udp(world);
    if (!udp.bind(options.bind, options.udpPort))
        return fail(QStringLiteral("UDP port %1: %2").arg(options.udpPort).arg(udp.errorText()));
    NetBridge net(world);
    if (!net.bind(options.bind, options.netPort))
        return fail(QStringLiteral("network port %1: %2").arg(options.netPort).arg(net.errorText()));

    auto save = [&]() {
        QString why;
        if (simstorage::saveAll(options.saveDir, world, why))
            return true;
        fail(why);
        return false;
    };
    Console console(!options.ignoreStdin);
    QObject::connect(&console, &Console::command, &app, [&](const QString &line) {
        if (line == QLatin1String("save")) {
            say(save() ? "saved" : "save failed");
        } else if (line == QLatin1String("quit")) {
            QCoreApplication::exit(save() ? 0 : 1);
        } else {
            fail(QStringLiteral("unknown command: %1").arg(line));
        }
    });
    QObject::connect(&console, &Console::ended, &app, [&]() { QCoreApplication::exit(save() ? 0 : 1); });

    say(qPrintable(QStringLiteral("ready udp=%1 net=%2").arg(udp.port()).arg(net.port())));
    return app.exec();
}
