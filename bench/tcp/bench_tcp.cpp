// Times a whole 2.0 read (137 readCfg + 3 readNvMem) through the network link against the
// simulator, and the same request frames as a plain blocking ping-pong on one socket, in
// interleaved rounds. Usage: bench_tcp [rounds] (or --rounds N, or VANDOR_BENCH_ROUNDS)
#include "base/progress.h"
#include "benchrounds.h"
#include "devices/devmarvek2_0.h"
#include "link/streamframe.h"
#include "link/tcpio.h"
#include "simprocess.h"
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTcpSocket>
#include <QTest>
#include <cstdio>

namespace {

QList<QByteArray> readFrames()
{
    QList<QByteArray> frames;
    for (int a = 0; a < 8192; a += 60)
        frames << StreamFrame::readCfg(quint16(a), qMin(60, 8192 - a));
    for (int a = 0; a < 128; a += 60)
        frames << StreamFrame::readNvMem(quint16(a), qMin(60, 128 - a));
    return frames;
}

// One blocking exchange per frame: write, then block until the whole answer is in.
bool pingPong(QTcpSocket &s, const QList<QByteArray> &frames)
{
    for (const QByteArray &f : frames) {
        s.write(f);
        if (!s.waitForBytesWritten(5000))
            return false;
        QByteArray answer;
        while (answer.size() < 2 || answer.size() < 2 + quint8(answer.at(1))) {
            if (!s.bytesAvailable() && !s.waitForReadyRead(5000))
                return false;
            answer += s.read(2 + (answer.size() >= 2 ? quint8(answer.at(1)) : 0) - answer.size());
        }
    }
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The link's per-frame debug lines would be timed too.
    QLoggingCategory::setFilterRules(QStringLiteral("vandor.*.debug=false"));
    const QStringList args = Bench::withoutRounds(app.arguments());
    const int rounds = Bench::rounds(app.arguments(), args.size() > 1 ? args.at(1).toInt() : 0, 20);

    SimProcess sim({QStringLiteral("--default-image")});
    if (!sim.start()) {
        std::fprintf(stderr, "simulator did not start\n");
        return 1;
    }
    qputenv("VANDOR_NET_TARGET", "127.0.0.1");
    qputenv("VANDOR_NET_PORT", QByteArray::number(sim.netPort()));
    qputenv("VANDOR_NET_ANSWER_PORT", "0");
    DevMarvek2_0 model;
    TcpIo link;
    link.scan();
    for (int i = 0; i < 100 && link.foundBoards().isEmpty(); ++i)
        QTest::qWait(50);
    setCurrentLink(&link);
    if (!link.open(0)) {
        std::fprintf(stderr, "open failed\n");
        return 1;
    }
    QTcpSocket plain;
    plain.connectToHost(QHostAddress::LocalHost, sim.netPort());
    if (!plain.waitForConnected(5000))
        return 1;
    plain.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    const QList<QByteArray> frames = readFrames();

    Bench::Series viaLink("TcpIo + DevMarvek2_0::readDevice"), viaPlain("plain blocking ping-pong");
    for (int r = 0; r < rounds; ++r) {
        if (!viaLink.time([&] {
                CountingProgress progress;
                return !model.readDevice(&progress);
            })) {
            std::fprintf(stderr, "read failed in round %d\n", r);
            return 1;
        }
        if (!viaPlain.time([&] { return pingPong(plain, frames); })) {
            std::fprintf(stderr, "ping-pong failed in round %d\n", r);
            return 1;
        }
    }
    std::printf("whole 2.0 read, %d exchanges, %d interleaved rounds\n", int(frames.size()), rounds);
    viaLink.print();
    viaPlain.print();
    Bench::printRatio("link / plain", viaLink, viaPlain);
    return 0;
}
