// The companion's USB side against a scripted bus, in-process: the first board or the one at
// BUS:ADDR, boards without a driver or with a refused identity, and discover's USB sweep.
#include "fakeusbbus.h"
#include "devices/devicecfg.h"
#include "link/devio.h"
#include "tools/cli/boardlink.h"
#include "tools/cli/clihost.h"
#include "tools/cli/climodels.h"
#include "tools/cli/cliprompt.h"
#include <QtTest>

class TestCliUsb : public QObject
{
    Q_OBJECT
    QObject owner;
    CliPrompt prompt;
    CliHost host;
    std::unique_ptr<CliModels> models;
    std::unique_ptr<FakeUsbBus> bus;
    Cli::Lines lines;

    int discover(const QStringList &options)
    {
        return Cli::runDiscover(QStringList{QStringLiteral("vandor-cli discover"), QStringLiteral("--timeout"),
                                            QStringLiteral("300")} + options);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The network sweeps ask loopback at a port nothing answers on.
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_BOARD_PORT", "9");
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
        qputenv("VANDOR_NET_TARGET", "127.0.0.1");
        qputenv("VANDOR_NET_PORT", "9");
        qputenv("VANDOR_NET_ANSWER_PORT", "0");
        models = std::make_unique<CliModels>(&owner);
        setPrompt(&prompt);
        setHost(&host);
        Cli::setContext({&prompt, &host, models.get()});
    }

    void init()
    {
        bus = std::make_unique<FakeUsbBus>();
        Cli::setUsbBus(bus.get());
        lines = Cli::Lines();
        Cli::captureLines(&lines);
        DeviceCfg::setCurrent(nullptr);
    }

    void cleanup()
    {
        Cli::captureLines(nullptr);
        Cli::setUsbBus(nullptr);
        // Whatever the command did, every handle and reference went back to the bus.
        QCOMPARE(bus->totalOpenHandles(), 0);
        QCOMPARE(bus->totalRefs(), 0);
        QCOMPARE(currentLink(), nullptr);
    }

    void cleanupTestCase()
    {
        setHost(nullptr);
        setPrompt(nullptr);
    }

    void opensTheFirstBoardOrTheOneNamed_data()
    {
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("description");
        QTest::newRow("first") << QString() << QStringLiteral("usb 1:5 QB14T37");
        QTest::newRow("named") << QStringLiteral("2:7") << QStringLiteral("usb 2:7 QB14T37");
        QTest::newRow("not plugged in") << QStringLiteral("3:3") << QString();
    }

    void opensTheFirstBoardOrTheOneNamed()
    {
        QFETCH(QString, at);
        QFETCH(QString, description);
        bus->plug(1, 5);
        bus->plug(2, 7)->id[2] = 0x9201;
        {
            Cli::BoardLink board;
            const bool opened = board.openUsb(at, 300);
            QCOMPARE(opened, !description.isEmpty());
            if (opened) {
                QCOMPARE(board.description(), description);
                QCOMPARE(board.link()->word2, quint16(at.isEmpty() ? 0x9202 : 0x9201));
                QCOMPARE(DeviceCfg::current()->title(), QStringLiteral("Marvek ccTalk"));
                QVERIFY(lines.err.isEmpty());
            } else {
                QCOMPARE(lines.err, QStringList{QStringLiteral("no USB board found within 300 ms")});
            }
        }
    }

    void discoverListsEveryUsbBoard()
    {
        bus->plug(1, 5);
        bus->plug(1, 9)->id[2] = 0x9201;
        QCOMPARE(discover({}), 0);
        QCOMPARE(lines.out, (QStringList{
                                QStringLiteral("usb 1:5 QB14T37 identity 0242 0100 9202 model \"Marvek ccTalk\""),
                                QStringLiteral("usb 1:9 QB14T37 identity 0242 0100 9201 model \"Marvek ccTalk\""),
                            }));
        QCOMPARE(lines.err, QStringList());
    }

    void discoverReportsBoardsThatDoNotOpen()
    {
        bus->plug(1, 5)->id[0] = 0x1111; // a board no model accepts
        bus->plug(1, 6)->openError = UsbBus::ErrorNotSupported;
        bus->plug(1, 7);
        QCOMPARE(discover({}), 1);
        QCOMPARE(lines.out, QStringList{QStringLiteral("usb 1:7 QB14T37 identity 0242 0100 9202 model \"Marvek ccTalk\"")});
        QVERIFY2(lines.err.contains(QStringLiteral("a USB board was found but it has no usable driver")),
                 qPrintable(lines.err.join(QLatin1Char('\n'))));
        QVERIFY2(lines.err.contains(QStringLiteral("USB error: Incompatible version: 1111 100 9202. The board answered, "
                                                   "but this version of the program has no model for it.")),
                 qPrintable(lines.err.join(QLatin1Char('\n'))));
        QVERIFY2(lines.err.contains(QStringLiteral("the USB board 1:5 answered with the identity words 1111 0100 9202, "
                                                   "but this version of the program has no model for that board")),
                 qPrintable(lines.err.join(QLatin1Char('\n'))));
    }

    void discoverWithoutUsb()
    {
        bus->plug(1, 5);
        QCOMPARE(discover({QStringLiteral("--no-usb")}), 1);
        QCOMPARE(lines.out, QStringList());
        QCOMPARE(lines.err, QStringList{QStringLiteral("no board found within 300 ms")});
        QCOMPARE(bus->inits, 0);
    }
};

QTEST_GUILESS_MAIN(TestCliUsb)
#include "test_cli_usb.moc"
