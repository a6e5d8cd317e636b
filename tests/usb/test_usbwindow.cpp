// The whole program against a board on an emulated USB bus: the window with its real links and
// the real libusb, the board plugged, unplugged, silent and late as a technician meets it.
#include "devices/devmarvek2_0.h"
#include "editors/par.h"
#include "sim/boardimage.h"
#include "sim/usbboard.h"
#include "testlanguage.h"
#include "usbwindow.h"
#include <QProgressBar>
#include <QSpinBox>
#include <QUdpSocket>
#include <QtTest>

namespace {

constexpr quint8 CmdVersion = 0x01;
constexpr quint8 CmdReadCfg = 0x03;
constexpr quint8 CmdWriteCfg = 0x04;
constexpr quint8 CmdReadNvMem = 0x06;
// A whole read of a 2.0 controller: the image in 60-byte pieces, then the NV memory.
constexpr int WholeReadCfg = 137;
constexpr int WholeReadNv = 3;
// A word the page shows in a spin box.
constexpr int EditedAddress = 7170;

quint16 wordAt(const QByteArray &mem, int at) { return quint16(quint8(mem.at(at)) | (quint8(mem.at(at + 1)) << 8)); }

} // namespace

class TestUsbWindow : public QObject
{
    Q_OBJECT
    // Where the links' discovery datagrams go: nobody answers there.
    QUdpSocket udpSink;
    QUdpSocket netSink;
    std::unique_ptr<EmulatedUsbBus> bus;

    UsbBoard *plugBoard()
    {
        UsbBoard *board = bus->plug();
        if (board)
            board->withBoard([](SimBoard &b) {
                b.image = simstorage::defaultImage();
                b.image[EditedAddress] = char(40);
                b.image[EditedAddress + 1] = char(0);
            });
        return board;
    }

    // Waits until the timer has fired count more times.
    static bool scans(QTimer *timer, int count)
    {
        QSignalSpy ticks(timer, &QTimer::timeout);
        for (int i = 0; i < 100 && ticks.count() < count; ++i)
            ticks.wait(UsbWindow::ScanMs * 4);
        return ticks.count() >= count;
    }

    static bool wholeRead(UsbBoard *board, int times)
    {
        return board->requestCount(CmdVersion) == times && board->requestCount(CmdReadCfg) == WholeReadCfg * times
            && board->requestCount(CmdReadNvMem) == WholeReadNv * times;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!EmulatedUsbBus::preloaded())
            QSKIP("not running under umockdev's preload library (LD_PRELOAD=libumockdev-preload.so.0)");
        setTestLanguage(QStringLiteral("en"));
        QVERIFY(udpSink.bind(QHostAddress(QHostAddress::LocalHost), 0));
        QVERIFY(netSink.bind(QHostAddress(QHostAddress::LocalHost), 0));
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_BOARD_PORT", QByteArray::number(udpSink.localPort()));
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
        qputenv("VANDOR_NET_TARGET", "127.0.0.1");
        qputenv("VANDOR_NET_PORT", QByteArray::number(netSink.localPort()));
        qputenv("VANDOR_NET_ANSWER_PORT", "0");
        bus = std::make_unique<EmulatedUsbBus>();
    }

    void cleanupTestCase() { bus.reset(); }

    // A plugged board is opened and read once, stays connected, takes edits; unplugged it
    // shows as gone, plugged back it is read once more.
    void plugReadEditUnplugReplug()
    {
        UsbBoard *board = plugBoard();
        QVERIFY(board);
        UsbWindow w;
        QSignalSpy up(w.usb(), &UsbIo::connected);
        QSignalSpy down(w.usb(), &UsbIo::disconnected);
        QTRY_VERIFY_WITH_TIMEOUT(wholeRead(board, 1), 20000);
        QTRY_VERIFY(w.dialog->progressBar()->isHidden());
        QVERIFY(w.status().startsWith(QLatin1String("Connected")));
        QVERIFY(scans(w.scanTimer(), 3));
        QVERIFY(wholeRead(board, 1));
        QCOMPARE(up.count(), 1);
        QCOMPARE(down.count(), 0);
        QCOMPARE(w.usb()->currentUid(), board->uid());
        QVERIFY(w.prompt.messages.isEmpty());

        auto *model = qobject_cast<DevMarvek2_0 *>(DeviceCfg::current());
        QVERIFY(model);
        Par *editor = nullptr;
        model->buildAllTabs();
        for (const auto &p : model->placements())
            if (p.address == EditedAddress)
                editor = p.editor;
        QVERIFY(editor);
        auto *spin = editor->findChild<QSpinBox *>();
        QVERIFY(spin);
        QCOMPARE(spin->value(), 40);
        QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(spin->value(), 41);
        QTRY_COMPARE(board->requestCount(CmdWriteCfg), 1);
        QByteArray image;
        board->withBoard([&](SimBoard &b) { image = b.image; });
        QCOMPARE(wordAt(image, EditedAddress), quint16(41));

        bus->unplug(board);
        QTRY_COMPARE(down.count(), 1);
        // The edit was never stored in the board's memory: said with the status.
        QCOMPARE(w.status(), QStringLiteral("Disconnected. The board had changes not stored in its memory: "
                                            "they are lost at its next power cycle."));
        QCOMPARE(w.usb()->currentUid(), -1);

        UsbBoard *again = plugBoard();
        QVERIFY(again);
        QTRY_VERIFY_WITH_TIMEOUT(wholeRead(again, 1), 20000);
        QTRY_VERIFY(w.status().startsWith(QLatin1String("Connected")));
        QVERIFY(scans(w.scanTimer(), 3));
        QVERIFY(wholeRead(again, 1));
        QCOMPARE(up.count(), 2);
        QCOMPARE(down.count(), 1);
        QVERIFY(w.prompt.messages.isEmpty());
        bus->unplug(again);
        QTRY_COMPARE(down.count(), 2);
    }

    // A board that does not answer its version query is asked again at the next scans, and the
    // user hears of it once while it stays plugged in.
    void silentBoardIsRetriedAndReportedOnce()
    {
        UsbWindow w;
        UsbBoard *board = plugBoard();
        QVERIFY(board);
        board->setSilentVersion(true);
        const QString told = QStringLiteral("The board did not answer.");
        QTRY_VERIFY_WITH_TIMEOUT(board->requestCount(CmdVersion) >= 3, 20000);
        QCOMPARE(w.messages(told), 1);
        QCOMPARE(w.prompt.messages.size(), 1);
        QCOMPARE(w.status(), QStringLiteral("Disconnected"));

        board->setSilentVersion(false);
        QTRY_VERIFY_WITH_TIMEOUT(board->requestCount(CmdReadCfg) == WholeReadCfg, 20000);
        QTRY_VERIFY(w.status().startsWith(QLatin1String("Connected")));
        QCOMPARE(w.prompt.messages.size(), 1);
        bus->unplug(board);
        QTRY_COMPARE(w.status(), QStringLiteral("Disconnected"));

        // Plugged in again, still silent: told once more.
        UsbBoard *again = plugBoard();
        again->setSilentVersion(true);
        QTRY_VERIFY_WITH_TIMEOUT(again->requestCount(CmdVersion) >= 3, 20000);
        QCOMPARE(w.messages(told), 2);
        bus->unplug(again);
    }

    // Two boards on the cable: neither opens by itself; each is listed with its model, asked
    // nothing but its version; the one clicked is opened and read, the other is left alone.
    void twoBoardsWaitForTheChoice()
    {
        UsbBoard *first = plugBoard();
        UsbBoard *second = plugBoard();
        QVERIFY(first && second);
        second->withBoard([](SimBoard &b) { b.id = {{0x0304, 0x0100, 0x0201}}; });
        UsbWindow w;
        auto listed = [&] {
            const auto buttons = w.dialog->pageContainer()->findChildren<QPushButton *>(QStringLiteral("usbBoard"));
            QStringList texts;
            for (const QPushButton *b : buttons)
                texts << b->text();
            return texts;
        };
        QTRY_COMPARE_WITH_TIMEOUT(listed().size(), 2, 20000);
        QTRY_VERIFY(listed().join(QLatin1Char('|')).contains(QLatin1String("Marvek Totalizer")));
        QVERIFY(scans(w.scanTimer(), 2));
        QCOMPARE(first->requestCount(CmdReadCfg) + second->requestCount(CmdReadCfg), 0);
        QCOMPARE(w.status(), QStringLiteral("Disconnected"));

        QPushButton *pick = nullptr;
        for (QPushButton *b : w.dialog->pageContainer()->findChildren<QPushButton *>(QStringLiteral("usbBoard")))
            if (b->text().contains(QLatin1String("Marvek Totalizer")))
                pick = b;
        QVERIFY(pick);
        QTest::mouseClick(pick, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(second->requestCount(CmdReadCfg) == WholeReadCfg, 20000);
        QTRY_VERIFY(w.status().startsWith(QLatin1String("Connected")));
        QCOMPARE(w.usb()->currentUid(), second->uid());
        QCOMPARE(first->requestCount(CmdReadCfg), 0);
        QCOMPARE(first->requestCount(CmdWriteCfg), 0);
        bus->unplug(second);
        bus->unplug(first);
        QTRY_COMPARE(w.status(), QStringLiteral("Disconnected"));
    }

    // An answer that comes after its time-out serves the same request asked again, and is not
    // taken for the answer to a later request.
    void lateAnswerDoesNotShiftLaterOnes()
    {
        UsbBoard *board = plugBoard();
        QVERIFY(board);
        UsbWindow w;
        QTRY_VERIFY_WITH_TIMEOUT(wholeRead(board, 1), 20000);
        QTRY_VERIFY(w.dialog->progressBar()->isHidden());
        UsbIo *link = w.usb();
        QByteArray image;
        board->withBoard([&](SimBoard &b) { image = b.image; });

        quint8 buf[60];
        board->holdNextAnswer(int(UsbIo::TimeoutMs) + 200);
        QVERIFY(link->readCfg(buf, 0, 60));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(buf), 60), image.left(60));
        // The second answer to address 0 arrives while this one is awaited.
        QVERIFY(link->readCfg(buf, 60, 60));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(buf), 60), image.mid(60, 60));

        // A write's acknowledgement is its own, not the one of a read that came late.
        board->holdNextAnswer(int(UsbIo::TimeoutMs) + 200);
        QVERIFY(link->readCfg(buf, 120, 60));
        const quint8 value[2] = {0x34, 0x12};
        QVERIFY(link->writeCfg(value, EditedAddress, 2));
        QVERIFY(link->readCfg(buf, EditedAddress, 2));
        QCOMPARE(buf[0], quint8(0x34));
        QCOMPARE(buf[1], quint8(0x12));
        QVERIFY(link->readNvMem(buf, 0, 60));
        board->withBoard([&](SimBoard &b) { image = b.nv; });
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(buf), 60), image.left(60));
        QVERIFY(w.status().startsWith(QLatin1String("Connected")));
        bus->unplug(board);
        QTRY_COMPARE(w.status(), QStringLiteral("Disconnected"));
    }
};

QTEST_MAIN(TestUsbWindow)
#include "test_usbwindow.moc"
