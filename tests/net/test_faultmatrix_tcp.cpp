// The fault matrix over TCP against the simulator: every operation, the firmware transfer to
// the bridge included, crossed with every fault of an answer or of the connection.
#include "devices/devesprelay.h"
#include "faultmatrix.h"
#include "netfixture.h"
#include "scriptedprompt.h"
#include <QtTest>

using namespace FaultMatrix;

namespace {

constexpr int TimeoutMs = 300;
constexpr int LateMs = 600;

// Answers before the one the fault hits. Writes are not answered: what answers is the query
// that proves them, one per batch.
int answersBefore(Op op)
{
    switch (op) {
    case Op::Open: return 0;
    case Op::WholeRead: return 1 + 50;
    case Op::Firmware: return 1 + 2;
    default: return 1;
    }
}

// Request frames after which the connection closes: in the middle of the operation.
int framesBefore(Op op)
{
    switch (op) {
    case Op::Open: return 1;
    case Op::WholeRead: return 1 + 50;
    case Op::WriteAll: return 1 + 50;
    case Op::TextPool: return 1 + 5;
    default: return 2;
    }
}

QStringList faultArgs(Fault fault, Op op)
{
    const QString s = QString::number(answersBefore(op));
    switch (fault) {
    case Fault::Dropped: return {"--drop-every", "1", "--fault-skip", s, "--fault-count", "1"};
    case Fault::Late:
        return {"--late-every", "1", "--delay-ms", QString::number(LateMs), "--fault-skip", s, "--fault-count", "1"};
    case Fault::Direction: return {"--corrupt", "direction", "--fault-skip", s, "--fault-count", "1"};
    case Fault::Address: return {"--corrupt", "address", "--fault-skip", s, "--fault-count", "1"};
    case Fault::Split: return {"--split-tcp"};
    case Fault::Closed: return {"--close-after", QString::number(framesBefore(op))};
    }
    return {};
}

struct Tcp
{
    QTemporaryDir dir;
    SimProcess sim;
    ScriptedPrompt prompt;
    DevMarvek2_0 model;
    DevEspRelay bridge;
    std::unique_ptr<TcpIo> link;

    explicit Tcp(const QStringList &faults) : sim(QStringList{"--image", writeStartImage(dir)} + faults) {}
    ~Tcp() { setCurrentLink(nullptr); }

    bool start()
    {
        if (!sim.start())
            return false;
        link = makeLoopbackLink(sim.netPort());
        // Discovery once, by hand: no round of it in the middle of a cell.
        link->setScanInterval(600000);
        if (!discover(*link, 2))
            return false;
        link->setTimeout(TimeoutMs);
        setCurrentLink(link.get());
        return true;
    }
    // The controller (uid 0) or the bridge itself with its password (uid 1).
    bool open(bool toBridge)
    {
        if (toBridge)
            prompt.texts.enqueue(QStringLiteral("1234"));
        return link->open(toBridge ? 1 : 0);
    }
    QByteArray board() { return sim.save() ? sim.image() : QByteArray(); }
};

} // namespace

class TestFaultMatrixTcp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }

    void cells_data() { addCells(true, true); }

    void cells()
    {
        QFETCH(int, op);
        QFETCH(int, fault);
        const Op o = Op(op);
        const Fault f = Fault(fault);
        Tcp t(faultArgs(f, o));
        QVERIFY(t.start());
        // A split answer trickles in one byte a millisecond: on a loaded machine its last
        // byte may come long after the first, which is no fault of the board.
        if (f == Fault::Split)
            t.link->setTimeout(TcpIo::DefaultTimeoutMs);
        const bool toBridge = o == Op::Firmware;
        // A store is proved by a version query, which is asked again.
        const bool expected = recovers(o, f, true);
        if (o == Op::Open) {
            const bool opened = t.open(false);
            if (f == Fault::Closed) {
                // Closed right after the identity came: open or not, the link ends closed.
                QTRY_VERIFY(!t.link->isOpen());
                Q_UNUSED(opened);
            } else {
                QVERIFY(opened);
                checkNextRead(*t.link, startImage());
            }
            return;
        }
        QVERIFY(t.open(toBridge));
        QCOMPARE(run(o, t.model, *t.link), expected);
        if (f == Fault::Closed) {
            QTRY_VERIFY(!t.link->isOpen());
        } else if (toBridge) {
            // The bridge takes a whole new transfer on the same connection.
            CountingProgress progress;
            QCOMPARE(FirmwareUpdate::send(t.link.get(), firmwareFile(), &progress).status,
                     FirmwareUpdate::Result::Done);
        }
        const QByteArray board = t.board();
        checkBoard(o, expected, board, t.model);
        if (f != Fault::Closed && !toBridge)
            checkNextRead(*t.link, board);
        if (toBridge && f != Fault::Closed)
            QCOMPARE(t.sim.firmware(), firmwareFile());
    }

    // A board that stops answering while nothing runs is let go by the idle check, with its
    // wait and its answer time shortened: one unanswered version query per check, MaxFailures
    // of them, then nothing more.
    void idleBoardGone()
    {
        Tcp t({"--drop-every", "1", "--fault-skip", "1"});
        QVERIFY(t.start());
        QVERIFY(t.open(false));
        t.link->setIdleAnswer(50);
        t.link->setIdleCheck(50);
        QTRY_VERIFY_WITH_TIMEOUT(!t.link->isOpen(), 5000);
        QVERIFY(t.link->stoppedAnswering());
        // Opening asked the version at least once, again when its answer was slow.
        const int asked = tcpLines(t.sim).filter(QStringLiteral("tcp req 02 00")).size();
        QVERIFY2(asked >= 1 + DevIo::MaxFailures && asked <= DevIo::MaxAttempts + DevIo::MaxFailures,
                 qPrintable(QString::number(asked)));
    }
};

QTEST_MAIN(TestFaultMatrixTcp)
#include "test_faultmatrix_tcp.moc"
