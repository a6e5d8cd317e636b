// Times a whole 2.0 read through UsbIo's UDP bridge path against the simulator, and the same
// number of readCfg exchanges as a plain blocking ping-pong on one socket; prints the ratio.
#include "devices/devmarvek2_0.h"
#include "fakeusbbus.h"
#include "link/packetframe.h"
#include "link/usbio.h"
#include "simprocess.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QUdpSocket>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
    qputenv("VANDOR_UDP_LOCAL_PORT", "0");
    QCoreApplication app(argc, argv);
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
    const int rounds = 5;
    const int exchanges = 137 + 3;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i)
        if (model.readDevice(nullptr))
            return 3;
    const double linkMs = double(t.nsecsElapsed()) / 1e6 / rounds;

    QUdpSocket plain;
    plain.bind(QHostAddress(QHostAddress::LocalHost), 0);
    char buf[64];
    t.restart();
    for (int i = 0; i < rounds; ++i) {
        for (int n = 0; n < exchanges; ++n) {
            const QByteArray rq = PacketFrame::readCfg(quint16((n % 137) * 60), 32);
            plain.writeDatagram(rq, QHostAddress(QHostAddress::LocalHost), sim.udpPort());
            if (!plain.waitForReadyRead(500) || plain.readDatagram(buf, sizeof buf) <= 0)
                return 4;
        }
    }
    const double plainMs = double(t.nsecsElapsed()) / 1e6 / rounds;
    std::printf("udp: full 2.0 read (%d exchanges) %.2f ms, plain blocking ping-pong %.2f ms, ratio %.2f\n",
                exchanges, linkMs, plainMs, linkMs / plainMs);
    setCurrentLink(nullptr);
    sim.stop();
    return 0;
}
