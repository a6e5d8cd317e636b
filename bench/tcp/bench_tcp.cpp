// Times a whole 2.0 read (137 readCfg + 3 readNvMem) through the network link against the
// simulator, and the same request frames as a plain blocking ping-pong on one socket.
// Usage: bench_tcp [rounds]
#include "base/progress.h"
#include "devices/devmarvek2_0.h"
#include "link/streamframe.h"
#include "link/tcpio.h"
#include "simprocess.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTcpSocket>
#include <QTest>
#include <algorithm>
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

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The link's per-frame debug lines would be timed too.
    QLoggingCategory::setFilterRules(QStringLiteral("vandor.*.debug=false"));
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 20;

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

    QVector<double> viaLink, viaPlain;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        CountingProgress progress;
        if (model.readDevice(&progress)) {
            std::fprintf(stderr, "read failed in round %d\n", r);
            return 1;
        }
        viaLink << t.nsecsElapsed() / 1e6;
        t.restart();
        if (!pingPong(plain, frames)) {
            std::fprintf(stderr, "ping-pong failed in round %d\n", r);
            return 1;
        }
        viaPlain << t.nsecsElapsed() / 1e6;
    }
    const double l = median(viaLink), p = median(viaPlain);
    std::printf("whole 2.0 read, %d exchanges, %d rounds (median)\n", int(frames.size()), rounds);
    std::printf("  TcpIo + DevMarvek2_0::readDevice : %8.2f ms\n", l);
    std::printf("  plain blocking ping-pong         : %8.2f ms\n", p);
    std::printf("  ratio link / plain               : %8.2f\n", p > 0 ? l / p : 0.0);
    return 0;
}
