// The controller behind a simulated bridge over TCP: opening, the whole 2.0 read, answers in
// single-byte segments, an answer that never comes, the peer closing mid-transfer.
#include "base/progress.h"
#include "devices/devesprelay.h"
#include "devices/devmarvek2_0.h"
#include "netfixture.h"
#include "scriptedprompt.h"

class TestTcpController : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }
    void cleanup() { setCurrentLink(nullptr); }

    void wholeReadOverTcp();
    void singleByteSegments();
    void refusedIdentity();
    void secondOpenFails();
    void openOutOfRange();
    void answerNeverComes();
    void peerClosesMidTransfer();
    void writesAreProved();
    void storeOnAClosedConnectionFails_data();
    void storeOnAClosedConnectionFails();
    void boardThatStopsAnsweringIsDropped();
    void unsupportedFunctions();
};

namespace {

struct Opened
{
    explicit Opened(const QStringList &args) : sim(args) {}
    bool start(int entries = 2)
    {
        if (!sim.start())
            return false;
        link = makeLoopbackLink(sim.netPort());
        if (!discover(*link, entries))
            return false;
        setCurrentLink(link.get());
        return true;
    }
    SimProcess sim;
    ScriptedPrompt prompt;
    DevMarvek2_0 model;
    DevEspRelay bridge;
    std::unique_ptr<TcpIo> link;
};

}  // namespace

void TestTcpController::wholeReadOverTcp()
{
    Opened o({"--default-image"});
    QVERIFY(o.start());
    QSignalSpy connected(o.link.get(), &DevIo::connected);
    QVERIFY(o.link->open(0));
    QCOMPARE(connected.size(), 1);
    QCOMPARE(DeviceCfg::current(), &o.model);
    QCOMPARE(o.link->word0, quint16(0x0242));
    QCOMPARE(o.link->word1, quint16(0x0100));
    QCOMPARE(o.link->word2, quint16(0x9202));
    QVERIFY(o.link->versionText.isEmpty());
    QCOMPARE(o.link->cmdBase(), quint8(0));

    CountingProgress progress;
    QVERIFY(!o.model.readDevice(&progress));
    QVERIFY(o.sim.save());
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(o.model.image()), 8192), o.sim.image());
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(o.model.nvRegion()), 128), o.sim.nvmem());
    QCOMPARE(progress.value(), 8192);
    const QStringList requests = tcpLines(o.sim).filter(QStringLiteral("tcp req"));
    QCOMPARE(requests.size(), 1 + 137 + 3);
    QCOMPARE(requests.at(1), QStringLiteral("tcp req 04 03 00 00 3c"));
    QCOMPARE(requests.at(137), QStringLiteral("tcp req 04 03 e0 1f 20"));
    QCOMPARE(requests.last(), QStringLiteral("tcp req 07 03 78 00 08"));
    QVERIFY(o.prompt.messages.isEmpty());
}

void TestTcpController::singleByteSegments()
{
    Opened o({"--default-image", "--split-tcp"});
    QVERIFY(o.start());
    QVERIFY(o.link->open(0));
    QCOMPARE(o.link->word0, quint16(0x0242));
    QVERIFY(o.sim.save());
    const QByteArray image = o.sim.image();
    const QByteArray nv = o.sim.nvmem();
    QByteArray got(60, '\0');
    for (int address : {0, 8160}) {
        const int n = address ? 32 : 60;
        QVERIFY(o.link->readCfg(reinterpret_cast<quint8 *>(got.data()), quint16(address), n));
        QCOMPARE(got.left(n), image.mid(address, n));
    }
    QVERIFY(o.link->readNvMem(reinterpret_cast<quint8 *>(got.data()), 120, 8));
    QCOMPARE(got.left(8), nv.mid(120, 8));
}

void TestTcpController::refusedIdentity()
{
    Opened o({"--id", "0300,0100,0301"});
    QVERIFY(o.start());
    QSignalSpy connected(o.link.get(), &DevIo::connected);
    QVERIFY(!o.link->open(0));
    QCOMPARE(connected.size(), 0);
    QCOMPARE(o.prompt.messages.size(), 1);
    QCOMPARE(o.prompt.messages.at(0).title, QStringLiteral("TCP error"));
    QCOMPARE(o.prompt.messages.at(0).text, QStringLiteral("Incompatible version: 300 100 301.\nThe board answered, but this version of the program has no model for it."));
    // The refused connection is let go, so the user can try again at once.
    QVERIFY(!o.link->isOpen());
    QVERIFY(!o.link->open(0));
    QCOMPARE(o.prompt.messages.size(), 2);
}

void TestTcpController::secondOpenFails()
{
    Opened o({});
    QVERIFY(o.start());
    QVERIFY(o.link->open(0));
    const int lines = o.sim.transcript().size();
    QVERIFY(!o.link->open(0));
    QVERIFY(o.link->isOpen());
    QCOMPARE(o.sim.transcript().size(), lines);
}

void TestTcpController::openOutOfRange()
{
    Opened o({});
    QVERIFY(o.start());
    QVERIFY(!o.link->open(2));
    QVERIFY(!o.link->open(-1));
    QVERIFY(!o.link->isOpen());
    QVERIFY(tcpLines(o.sim).isEmpty());
}

void TestTcpController::answerNeverComes()
{
    // The version query gets through; the answers to every attempt of the first read are lost.
    Opened o({"--drop-every", "1", "--fault-skip", "1", "--fault-count", QString::number(DevIo::MaxAttempts)});
    QVERIFY(o.start());
    QVERIFY(o.link->open(0));
    o.link->setTimeout(300);
    quint8 buf[60];
    QVERIFY(!o.link->readCfg(buf, 0, 60));
    QCOMPARE(tcpLines(o.sim).filter("tcp req 04 03").size(), DevIo::MaxAttempts);
    QVERIFY(o.link->isOpen());
    // The link stays usable: the next exchange starts afresh.
    QVERIFY(o.link->readCfg(buf, 60, 60));
    QVERIFY(o.link->isOpen());
}

void TestTcpController::peerClosesMidTransfer()
{
    // The bridge closes after the version query and four reads. A time limit far beyond the
    // test's own shows that the pending read ends with the connection, not with its time-out.
    Opened o({"--default-image", "--close-after", "5", "--delay-ms", "20"});
    QVERIFY(o.start());
    QSignalSpy disconnected(o.link.get(), &DevIo::disconnected);
    QVERIFY(o.link->open(0));
    o.link->setTimeout(10 * 60 * 1000);
    QVERIFY(o.model.readDevice(nullptr));
    QCOMPARE(disconnected.size(), 1);
    QVERIFY(!o.link->isOpen());
    // Whatever is asked afterwards fails at once, and the link can open again.
    quint8 buf[60];
    QVERIFY(!o.link->readCfg(buf, 0, 60));
    QVERIFY(!o.link->writeCfg(buf, 0, 60));
    QVERIFY(o.link->open(0));
    QVERIFY(o.link->isOpen());
}

void TestTcpController::writesAreProved()
{
    Opened o({"--default-image"});
    QVERIFY(o.start());
    QVERIFY(o.link->open(0));
    const quint8 two[2] = {0x34, 0x12};
    // Alone, each unanswered write is proved by an answered request behind it.
    QVERIFY(o.link->writeCfg(two, 0x0100, 2));
    QVERIFY(o.link->saveCfg());
    QVERIFY(!o.link->writeCfg(two, 0, 61));
    QCOMPARE(tcpLines(o.sim).filter("tcp req").mid(1),
             (QStringList{"tcp req 05 04 00 01 34 12", "tcp req 02 00", "tcp req 06 00", "tcp req 02 00"}));
    // In a batch they are frames only, proved together at its end.
    o.link->beginBatch();
    QVERIFY(o.link->writeCfg(two, 0x0102, 2));
    QVERIFY(o.link->writeNvMem(two, 0x0010, 2));
    QVERIFY(o.link->saveCfg());
    QVERIFY(o.link->endBatch());
    QCOMPARE(tcpLines(o.sim).filter("tcp req").mid(5),
             (QStringList{"tcp req 05 04 02 01 34 12", "tcp req 08 04 10 00 34 12", "tcp req 06 00", "tcp req 02 00"}));
    quint8 back[2] = {};
    QVERIFY(o.link->readCfg(back, 0x0102, 2));
    QCOMPARE(back[0], quint8(0x34));
    QCOMPARE(back[1], quint8(0x12));
}

void TestTcpController::storeOnAClosedConnectionFails_data()
{
    QTest::addColumn<bool>("batch");
    QTest::newRow("store") << false;
    QTest::newRow("writes and store in a batch") << true;
}

void TestTcpController::storeOnAClosedConnectionFails()
{
    QFETCH(bool, batch);
    // The bridge hangs up right after answering the version query of the open.
    Opened o({"--default-image", "--close-after", "1"});
    QVERIFY(o.start());
    QSignalSpy disconnected(o.link.get(), &DevIo::disconnected);
    QVERIFY(o.link->open(0));
    const int failedBefore = o.link->failedOperations();
    const quint8 two[2] = {0x34, 0x12};
    if (batch) {
        o.link->beginBatch();
        o.link->writeCfg(two, 0x0100, 2);
        o.link->saveCfg();
        QVERIFY(!o.link->endBatch());
    } else {
        QVERIFY(!o.link->saveCfg());
    }
    QVERIFY(o.link->failedOperations() > failedBefore);
    QTRY_COMPARE_WITH_TIMEOUT(disconnected.size(), 1, 5000);
    // Nothing was stored.
    QVERIFY(o.sim.save());
    QVERIFY(!o.sim.transcript().contains("tcp req 06 00"));
}

void TestTcpController::boardThatStopsAnsweringIsDropped()
{
    // Every answer after the open's version query is lost.
    Opened o({"--default-image", "--drop-every", "1", "--fault-skip", "1"});
    QVERIFY(o.start());
    QVERIFY(o.link->open(0));
    o.link->setTimeout(300);
    QSignalSpy disconnected(o.link.get(), &DevIo::disconnected);
    QSignalSpy announced(o.link.get(), &DevIo::newDevice);
    QVERIFY(o.model.readDevice(nullptr));
    // Every attempt of MaxFailures pieces, then every further piece fails at once.
    QCOMPARE(disconnected.size(), 1);
    QVERIFY(o.link->stoppedAnswering());
    QCOMPARE(tcpLines(o.sim).filter("tcp req 04 03").size(), DevIo::MaxAttempts * DevIo::MaxFailures);
    // Both targets of the bridge are offered again.
    QTRY_COMPARE_WITH_TIMEOUT(announced.size(), 2, 5000);
    QCOMPARE(announced.at(0).at(1).toInt(), 0);
    QCOMPARE(announced.at(1).at(1).toInt(), 1);
}

void TestTcpController::unsupportedFunctions()
{
    ScriptedPrompt prompt;
    auto link = makeLoopbackLink(9);
    quint8 buf[32] = {};
    QVERIFY(!link->writeSn("SN1"));
    QVERIFY(!link->readMachineSetup(buf, 32));
    QVERIFY(!link->writeMachineSetup(buf, 32));
    QCOMPARE(prompt.messages.size(), 3);
    for (const ScriptedPrompt::Shown &m : prompt.messages) {
        QCOMPARE(m.icon, Prompt::Icon::Critical);
        QCOMPARE(m.title, QStringLiteral("Unspported"));
        QCOMPARE(m.text, QStringLiteral("Unsupported function"));
    }
    QVERIFY(!link->finishFirmware());
    QVERIFY(!link->writeFirmware(0, QByteArray(241, 'x')));
}

QTEST_MAIN(TestTcpController)
#include "test_tcpcontroller.moc"
