// The fault matrix on USB: the program's real libusb against the simulated board on an emulated
// bus, every operation crossed with every fault a bulk endpoint can meet and an unplug.
#include "faultmatrix.h"
#include "link/usbio.h"
#include "scriptedprompt.h"
#include "sim/usbboard.h"
#include <QSignalSpy>
#include <QTimer>
#include <QUdpSocket>
#include <QtTest>

using namespace FaultMatrix;

namespace {

constexpr int TimeoutMs = 150;
constexpr int LateMs = 400;

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

FaultOptions faultOptions(Fault fault, Op op)
{
    FaultOptions o;
    o.faultSkip = answersBefore(op);
    o.faultCount = 1;
    switch (fault) {
    case Fault::Dropped: o.dropEvery = 1; break;
    case Fault::Late: o.lateEvery = 1; o.delayMs = LateMs; break;
    case Fault::Direction: o.corruptDirection = true; break;
    case Fault::Address: o.corruptAddress = true; break;
    default: o.faultCount = 0; break;
    }
    return o;
}

int exchanges(UsbBoard *board)
{
    int n = 0;
    for (const QByteArray &r : board->requests())
        n += !r.isEmpty() && quint8(r.at(0)) != 0;
    return n;
}

} // namespace

class TestFaultMatrixUsb : public QObject
{
    Q_OBJECT
    std::unique_ptr<EmulatedUsbBus> bus;
    QUdpSocket udpSink;

private Q_SLOTS:
    void initTestCase()
    {
        if (!EmulatedUsbBus::preloaded())
            QSKIP("not running under umockdev's preload library (LD_PRELOAD=libumockdev-preload.so.0)");
        // Discovery on the UDP bridge path goes to a loopback socket nobody answers from, and
        // each link turns it off at once.
        QVERIFY(udpSink.bind(QHostAddress(QHostAddress::LocalHost), 0));
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_BOARD_PORT", QByteArray::number(udpSink.localPort()));
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
        bus = std::make_unique<EmulatedUsbBus>();
    }
    void cleanupTestCase() { bus.reset(); }
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }

    void cells_data()
    {
        // A USB board takes no firmware, and a bulk transfer carries a packet whole.
        addCells(false, false);
    }

    void cells()
    {
        QFETCH(int, op);
        QFETCH(int, fault);
        const Op o = Op(op);
        const Fault f = Fault(fault);
        UsbBoard *board = bus->plug();
        QVERIFY(board);
        board->withBoard([](SimBoard &b) { b.image = startImage(); });
        board->setFaults(faultOptions(f, o));
        ScriptedPrompt prompt;
        DevMarvek2_0 model;
        UsbIo link;
        link.setDiscoveryTarget(QHostAddress());
        link.setUdpHosts({});
        link.setScanInterval(600000);
        link.setTimeout(TimeoutMs);
        setCurrentLink(&link);
        QSignalSpy found(&link, &UsbIo::newDevice);
        link.scan();
        QTRY_VERIFY(!found.isEmpty());
        const int uid = found.last().at(1).toInt();
        QSignalSpy gone(&link, &DevIo::disconnected);

        if (f == Fault::Closed && o == Op::Open) {
            bus->unplug(board);
            QVERIFY(!link.open(uid));
            setCurrentLink(nullptr);
            return;
        }
        QVERIFY(link.open(uid));
        scanEnabled = false;
        if (o == Op::Open) {
            checkNextRead(link, startImage());
            setCurrentLink(nullptr);
            bus->unplug(board);
            return;
        }
        const bool expected = recovers(o, f, false);
        QByteArray image;
        if (f == Fault::Closed) {
            board->withBoard([&](SimBoard &b) { image = b.image; });
            // Pulled out in the middle of a long transfer, or just before a single exchange.
            const bool single = o == Op::SingleChange || o == Op::Store;
            if (single)
                bus->unplug(board);
            else
                QTimer::singleShot(0, this, [this, board] { bus->unplug(board); });
            QCOMPARE(run(o, model, link), false);
            // Failing exchanges take the board as gone after a bounded number of them.
            if (!single)
                QCOMPARE(gone.size(), 1);
            checkBoard(o, false, image, model);
            setCurrentLink(nullptr);
            return;
        }
        QCOMPARE(run(o, model, link), expected);
        board->withBoard([&](SimBoard &b) { image = b.image; });
        checkBoard(o, expected, image, model);
        checkNextRead(link, image);
        QCOMPARE(gone.size(), 0);
        QVERIFY(prompt.messages.isEmpty());
        QVERIFY(exchanges(board) > 0);
        setCurrentLink(nullptr);
        bus->unplug(board);
    }
};

QTEST_MAIN(TestFaultMatrixUsb)
#include "test_faultmatrix_usb.moc"
