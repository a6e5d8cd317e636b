// vandor-sim: a 2.0 controller on the UDP bridge path and behind a simulated network bridge.
// Prints "ready udp=<port> net=<port>" once bound (with " usb=<folder>" under --usb); stdin
// commands "save" and "quit".
#include "console.h"
#include "netbridge.h"
#include "simworld.h"
#include "storage.h"
#include "udpbridge.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <memory>
#ifdef VANDOR_SIM_USB
#include "usbboard.h"
#endif

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
    if (!options.board.isEmpty()) {
        // Beside the binary in a build folder, under share/vandor once installed.
        const QString bin = QCoreApplication::applicationDirPath();
        const QString folder = QFileInfo::exists(bin + QStringLiteral("/factory")) ? bin + QStringLiteral("/factory/")
                                                                                 : bin + QStringLiteral("/../share/vandor/factory/");
        const QString factory = folder + options.board;
        if (!simstorage::loadInto(factory + QStringLiteral(".bin"), world.board.image, error)
            || !simstorage::loadInto(factory + QStringLiteral(".nv"), world.board.nv, error))
            return fail(error + QStringLiteral(" (build the vandor-sim-factory target)"));
    }
    if (!options.imageFile.isEmpty() && !simstorage::loadInto(options.imageFile, world.board.image, error))
        return fail(error, 2);
    if (!options.describeFile.isEmpty() && !world.dyn.loadDescription(options.describeFile, error))
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

    // On USB the board's memories live in the emulated board, which answers from umockdev's
    // worker thread; they are copied back before every save.
    QString usbLine;
#ifdef VANDOR_SIM_USB
    std::unique_ptr<EmulatedUsbBus> usbBus;
    UsbBoard *usbBoard = nullptr;
    if (options.usb) {
        usbBus = std::make_unique<EmulatedUsbBus>();
        usbBoard = usbBus->plug();
        if (!usbBoard)
            return fail(QStringLiteral("cannot plug the board into the emulated USB bus"));
        usbBoard->withBoard([&](SimBoard &b) { b = world.board; });
        usbBoard->setFaults(options.faults);
        usbBoard->setObserver([&world](const QByteArray &request, const QByteArray &answer) {
            world.transcript.line("usb", "req", request);
            if (!answer.isEmpty())
                world.transcript.line("usb", "ans", answer);
        });
        usbLine = QStringLiteral(" usb=%1").arg(usbBus->rootDir());
    }
#else
    if (options.usb)
        return fail(QStringLiteral("built without umockdev: no emulated USB bus"), 2);
#endif
    auto save = [&]() {
#ifdef VANDOR_SIM_USB
        if (usbBoard)
            usbBoard->withBoard([&](SimBoard &b) { world.board = b; });
#endif
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

    say(qPrintable(QStringLiteral("ready udp=%1 net=%2").arg(udp.port()).arg(net.port()) + usbLine));
    return app.exec();
}
