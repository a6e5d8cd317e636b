// The fault matrix on the UDP bridge path against the simulator: every operation crossed with
// every fault the path can meet, and the loss rates of a busy network on whole transfers.
#include "devices/devcom2.h"
#include "devices/devcom2transfer.h"
#include "faultmatrix.h"
#include "fakeusbbus.h"
#include "registry/cfgpar.h"
#include "link/usbio.h"
#include "scriptedprompt.h"
#include "simprocess.h"
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

using namespace FaultMatrix;

namespace {

// Short answer time-outs keep the matrix fast; a late answer comes well after its time-out.
constexpr int TimeoutMs = 150;
constexpr int LateMs = 400;

// Answers before the one the fault hits: the version query's, then a piece into the operation.
int answersBefore(Op op)
{
    switch (op) {
    case Op::Open: return 0;
    case Op::WholeRead: return 1 + 50;
    case Op::WriteAll: return 1 + 50;
    case Op::TextPool: return 1 + 3;
    default: return 1;
    }
}

QStringList faultArgs(Fault fault, int skip)
{
    const QString s = QString::number(skip);
    switch (fault) {
    case Fault::Dropped: return {"--drop-every", "1", "--fault-skip", s, "--fault-count", "1"};
    case Fault::Late:
        return {"--late-every", "1", "--delay-ms", QString::number(LateMs), "--fault-skip", s, "--fault-count", "1"};
    case Fault::Direction: return {"--corrupt", "direction", "--fault-skip", s, "--fault-count", "1"};
    case Fault::Address: return {"--corrupt", "address", "--fault-skip", s, "--fault-count", "1"};
    // The board goes away: no answer from here on.
    case Fault::Closed: return {"--drop-every", "1", "--fault-skip", s};
    case Fault::Split: break;
    }
    return {};
}

int requests(const SimProcess &sim)
{
    // Every request but discovery.
    return sim.transcript().filter(QRegularExpression(QStringLiteral("^udp req 0[1-9a-f]"))).size();
}

// Requests but discovery and the version query: how many a slow answer to the version query
// on connecting made is for timing to say, not the protocol.
int operationRequests(const SimProcess &sim)
{
    return sim.transcript().filter(QRegularExpression(QStringLiteral("^udp req 0[2-9a-f]"))).size();
}

// The starts of a list: at least what the losses alone take. An answer slower than the short
// time-out (a loaded machine) costs more, but never more than the retry rules allow: the list
// read at most MaxAttempts times, its first request asked at most MaxAttempts times each.
bool startsWithinRules(int requested, int fewest)
{
    return requested >= fewest && requested <= DevIo::MaxAttempts * DevIo::MaxAttempts;
}

struct Udp
{
    QTemporaryDir dir;
    SimProcess sim;
    ScriptedPrompt prompt;
    DevMarvek2_0 model;
    FakeUsbBus bus;
    std::unique_ptr<UsbIo> link;

    explicit Udp(const QStringList &faults) : sim(QStringList{"--image", writeStartImage(dir)} + faults) {}
    ~Udp() { setCurrentLink(nullptr); }

    bool start()
    {
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
        if (!sim.start())
            return false;
        link = std::make_unique<UsbIo>(&bus);
        link->setBoardPort(sim.udpPort());
        link->setTimeout(TimeoutMs);
        link->setScanInterval(600000);
        setCurrentLink(link.get());
        return true;
    }
    // Discovery and the version query; false when no connection came: every attempt of the
    // version query asked and the board let go, or nothing within three seconds.
    bool connect()
    {
        QSignalSpy up(link.get(), &UsbIo::connected);
        link->scan();
        for (int i = 0; i < 300 && up.isEmpty(); ++i) {
            if (requests(sim) >= DevIo::MaxAttempts && link->udpPeer().isNull())
                break;
            up.wait(10);
        }
        scanEnabled = false;
        return !up.isEmpty();
    }
    QByteArray board()
    {
        return sim.save() ? sim.image() : QByteArray();
    }
};

} // namespace

class TestFaultMatrixUdp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }

    void cells_data()
    {
        // The UDP bridge path carries no firmware, and a datagram is never split.
        addCells(false, false);
    }

    void cells()
    {
        QFETCH(int, op);
        QFETCH(int, fault);
        const Op o = Op(op);
        const Fault f = Fault(fault);
        Udp u(faultArgs(f, answersBefore(o)));
        QVERIFY(u.start());
        const bool expected = recovers(o, f, false);
        if (o == Op::Open) {
            QCOMPARE(u.connect(), expected);
            if (!expected) {
                // Every attempt asked, then the peer forgotten; nothing else sent.
                QTRY_VERIFY(u.link->udpPeer().isNull());
                QCOMPARE(requests(u.sim), DevIo::MaxAttempts);
                return;
            }
            checkNextRead(*u.link, startImage());
            return;
        }
        QVERIFY(u.connect());
        const int before = requests(u.sim);
        QCOMPARE(run(o, u.model, *u.link), expected);
        const int sent = requests(u.sim) - before;
        if (f == Fault::Closed) {
            // A board that is gone costs a bounded number of requests, so a bounded time: the
            // answered ones, each asked again at most MaxAttempts times when its answer was slow,
            // then at least one unanswered and at most as many as it takes to let the board go.
            const int answered = answersBefore(o) - 1;
            QVERIFY2(sent > answered
                         && sent <= answered * DevIo::MaxAttempts + DevIo::MaxAttempts * DevIo::MaxFailures,
                     qPrintable(QString::number(sent)));
        }
        const QByteArray board = u.board();
        checkBoard(o, expected, board, u.model);
        if (f != Fault::Closed)
            checkNextRead(*u.link, board);
        QVERIFY(u.prompt.messages.isEmpty());
    }

    // One answer in nine lost, or one in seven late: a whole read and a whole write both
    // succeed and the board holds exactly the file.
    void busyNetwork_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::newRow("one answer in nine dropped") << QStringList{"--drop-every", "9", "--fault-skip", "1"};
        QTest::newRow("one answer in seven late")
            << QStringList{"--late-every", "7", "--delay-ms", QString::number(LateMs), "--fault-skip", "1"};
    }

    void busyNetwork()
    {
        QFETCH(QStringList, faults);
        Udp u(faults);
        QVERIFY(u.start());
        QVERIFY(u.connect());
        QVERIFY(run(Op::WholeRead, u.model, *u.link));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(u.model.image()), 8192), startImage());
        QVERIFY(run(Op::WriteAll, u.model, *u.link));
        QCOMPARE(u.board().left(WriteEnd), intended(Op::WriteAll).left(WriteEnd));
        QVERIFY(!u.link->stoppedAnswering());
        QVERIFY(!u.link->udpPeer().isNull());
    }

    // A described list is read again from its start when an answer is lost: the first request's
    // by the link, a next packet's (which the board hands out once) by reading the list again.
    // A list that keeps losing answers fails after its attempts.
    void describedList_data()
    {
        QTest::addColumn<int>("skip");
        QTest::addColumn<int>("faults");
        QTest::addColumn<QString>("retry");
        QTest::addColumn<int>("starts");
        QTest::newRow("first packet of the list lost") << 1 << 1 << "^Retry readDynCfg \\(attempt 2 of 3\\)$" << 2;
        QTest::newRow("second packet of the list lost")
            << 2 << 1 << "^Retry list 40000000 from its start \\(attempt 2 of 3\\)$" << 2;
        QTest::newRow("second packet lost every time") << 2 << 1000 << QString() << 1 + DevIo::MaxAttempts;
    }

    void describedList()
    {
        QFETCH(int, skip);
        QFETCH(int, faults);
        QFETCH(QString, retry);
        QFETCH(int, starts);
        CfgPar::destroyAll();
        // Every answer after the first few is lost, up to the count of faults.
        SimProcess sim({"--dyn", "--drop-every", "1", "--fault-skip", QString::number(skip), "--fault-count",
                        QString::number(faults)});
        QVERIFY(sim.start());
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
        ScriptedPrompt prompt;
        DevCom2 model;
        FakeUsbBus bus;
        UsbIo link(&bus);
        link.setBoardPort(sim.udpPort());
        link.setTimeout(TimeoutMs);
        link.setScanInterval(600000);
        QSignalSpy up(&link, &UsbIo::connected);
        link.scan();
        QVERIFY(up.wait(3000));
        scanEnabled = false;
        // Every retry is logged.
        if (!retry.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(retry));
        const DynReadResult r = DynTransfer::readDescription(&link);
        QCOMPARE(r.list1TransferError, retry.isEmpty());
        QVERIFY(!r.streamError);
        if (!retry.isEmpty()) {
            QVERIFY(!r.transferError);
            int params = 0;
            for (CfgPar *p = CfgPar::head(1); p; p = p->next())
                ++params;
            QCOMPARE(params, 37);
        }
        const QStringList requested = sim.transcript().filter(QStringLiteral("udp req 03 00 00 00 00 40"));
        QVERIFY2(startsWithinRules(requested.size(), starts), qPrintable(QString::number(requested.size())));
        CfgPar::destroyAll();
    }

    // With the board gone both fail after a bounded number of requests, and the link lets go.
    void boardGone()
    {
        Udp u({"--drop-every", "1", "--fault-skip", "1"});
        QVERIFY(u.start());
        QVERIFY(u.connect());
        // Nothing is answered after the version query, so the count is the retry rules' alone.
        QSignalSpy gone(u.link.get(), &DevIo::disconnected);
        QVERIFY(!run(Op::WholeRead, u.model, *u.link));
        QCOMPARE(gone.size(), 1);
        QCOMPARE(operationRequests(u.sim), DevIo::MaxAttempts * DevIo::MaxFailures);
        QVERIFY(!run(Op::WriteAll, u.model, *u.link));
        QCOMPARE(operationRequests(u.sim), DevIo::MaxAttempts * DevIo::MaxFailures);
        QCOMPARE(u.board().left(WriteEnd), startImage().left(WriteEnd));
    }
};

QTEST_MAIN(TestFaultMatrixUdp)
#include "test_faultmatrix_udp.moc"
