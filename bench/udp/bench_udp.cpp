// Times a whole 2.0 read through UsbIo's UDP bridge path against the simulator, and the same
// number of readCfg exchanges as a plain blocking ping-pong on one socket, in interleaved
// rounds; prints the medians, their spread and their ratio.
// Usage: bench_udp [--rounds N] (or VANDOR_BENCH_ROUNDS)
#include "benchrounds.h"
#include "devices/devmarvek2_0.h"
#include "fakeusbbus.h"
#include "link/packetframe.h"
#include "link/usbio.h"
#include "simprocess.h"
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QUdpSocket>
#include <cstdio>

namespace {

constexpr int Exchanges = 137 + 3;

bool pingPong(QUdpSocket &plain, quint16 port)
{
    char buf[64];
    for (int n = 0; n < Exchanges; ++n) {
        const QByteArray rq = PacketFrame::readCfg(quint16((n % 137) * 60), 32);
        plain.writeDatagram(rq, QHostAddress(QHostAddress::LocalHost), port);
        if (!plain.waitForReadyRead(500) || plain.readDatagram(buf, sizeof buf) <= 0)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
    qputenv("VANDOR_UDP_LOCAL_PORT", "0");
    QCoreApplication app(argc, argv);
    // The link's per-packet debug lines would be timed too.
    QLoggingCategory::setFilterRules(QStringLiteral("vandor.*.debug=false"));
    const int rounds = Bench::rounds(app.arguments());
    SimProcess sim({QStringLiteral("--default-image")});
    if (!sim.start())
        return 1;
    DevMarvek2_0 model;
    FakeUsbBus bus;
    UsbIo link(&bus);
    link.setBoardPort(sim.udpPort());
    setCurrentLink(&link);
    QSignalSpy up(&link, &UsbIo::connected);
    link.scan();
    if (!up.wait(5000))
        return 2;
    scanEnabled = false;
    QUdpSocket plain;
    plain.bind(QHostAddress(QHostAddress::LocalHost), 0);

    // One round of each first, unmeasured: the simulator's and the sockets' first use.
    if (model.readDevice(nullptr) || !pingPong(plain, sim.udpPort()))
        return 3;
    Bench::Series viaLink("UsbIo UDP path + readDevice"), viaPlain("plain blocking ping-pong");
    for (int r = 0; r < rounds; ++r) {
        if (!viaLink.time([&] { return !model.readDevice(nullptr); }))
            return 3;
        if (!viaPlain.time([&] { return pingPong(plain, sim.udpPort()); }))
            return 4;
    }
    std::printf("udp: full 2.0 read, %d exchanges, %d interleaved rounds\n", Exchanges, rounds);
    viaLink.print();
    viaPlain.print();
    Bench::printRatio("link / plain", viaLink, viaPlain);
    setCurrentLink(nullptr);
    sim.stop();
    return 0;
}
