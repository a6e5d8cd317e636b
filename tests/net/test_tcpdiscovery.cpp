// Finding bridges: the simulator's answers, several bridges, the repeated-name rule, odd
// datagrams, and addresses the user typed for bridges out of broadcast reach.
#include "base/nethosts.h"
#include "devices/devmarvek2_0.h"
#include "netfixture.h"
#include "scriptedprompt.h"
#include <QSettings>
#include <QUdpSocket>

using Entries = QList<QPair<QString, int>>;
Q_DECLARE_METATYPE(Entries)

static Entries entries(const TcpIo &link)
{
    Entries e;
    for (const TcpIo::Entry &b : link.foundBoards())
        e.append({b.name, b.kind});
    return e;
}

class TestTcpDiscovery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        scanEnabled = true;
        QFile::remove(NetHosts::settingsPath());
    }

    void oneBridge_data();
    void oneBridge();
    void twoBridges();
    void repeatedControllerName();
    void movedBridgeIsRefreshed();
    void listIsCappedAndNamesRequired();
    void oddDatagrams();
    void noScanWhileConnected();
    void typedAddressIsScanned();
    void typedAddressCommand_data();
    void typedAddressCommand();
};

void TestTcpDiscovery::oneBridge_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<Entries>("expected");
    QTest::newRow("controller and bridge")
        << QStringList() << Entries{{"Sim 2.0", TcpIo::Controller}, {"Sim bridge", TcpIo::Bridge}};
    QTest::newRow("controller only") << QStringList{"--no-bridge-name"} << Entries{{"Sim 2.0", TcpIo::Controller}};
    QTest::newRow("8-character name taken whole")
        << QStringList{"--controller-name", "Wash0001", "--bridge-name", "Bay 1"}
        << Entries{{"Wash0001", TcpIo::Controller}, {"Bay 1", TcpIo::Bridge}};
    QTest::newRow("UTF-8 bridge name")
        << QStringList{"--bridge-name", QString::fromUtf8("Мост")}
        << Entries{{"Sim 2.0", TcpIo::Controller}, {QString::fromUtf8("Мост"), TcpIo::Bridge}};
}

void TestTcpDiscovery::oneBridge()
{
    QFETCH(QStringList, args);
    QFETCH(Entries, expected);
    SimProcess sim(args);
    QVERIFY(sim.start());
    auto link = makeLoopbackLink(sim.netPort());
    QSignalSpy announced(link.get(), &DevIo::newDevice);
    QVERIFY(discover(*link, expected.size()));
    QCOMPARE(entries(*link), expected);
    QCOMPARE(announced.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(announced.at(i).at(0).toString(), expected.at(i).first);
        QCOMPARE(announced.at(i).at(1).toInt(), i);
        QCOMPARE(link->foundBoards().at(i).address, QHostAddress(QHostAddress::LocalHost));
        QCOMPARE(link->foundBoards().at(i).port, sim.netPort());
    }
    // The request went out from the answer socket itself.
    QVERIFY(sim.transcript().contains(QStringLiteral("dscr req 44 53 43 52")));
}

void TestTcpDiscovery::twoBridges()
{
    SimProcess a({"--controller-name", "Bay A", "--bridge-name", "Bridge A"});
    SimProcess b({"--controller-name", "Bay B", "--no-bridge-name"});
    QVERIFY(a.start());
    QVERIFY(b.start());
    auto link = makeLoopbackLink(a.netPort());
    QVERIFY(discover(*link, 2));
    link->setDiscoveryPort(b.netPort());
    QVERIFY(discover(*link, 3));
    QCOMPARE(entries(*link), (Entries{{"Bay A", 0}, {"Bridge A", 1}, {"Bay B", 0}}));
    QCOMPARE(link->foundBoards().at(1).port, a.netPort());
    QCOMPARE(link->foundBoards().at(2).port, b.netPort());
}

void TestTcpDiscovery::repeatedControllerName()
{
    // Bays with factory-default names: every bridge is a target of its own.
    SimProcess a({"--controller-name", "Bay", "--bridge-name", "Bridge"});
    SimProcess b({"--controller-name", "Bay", "--bridge-name", "Bridge"});
    SimProcess c({"--controller-name", "Bay", "--no-bridge-name"});
    QVERIFY(a.start());
    QVERIFY(b.start());
    QVERIFY(c.start());
    auto link = makeLoopbackLink(a.netPort());
    QSignalSpy announced(link.get(), &DevIo::newDevice);
    QVERIFY(discover(*link, 2));
    // The same bridge again announces nothing.
    link->scan();
    QTRY_VERIFY_WITH_TIMEOUT(a.transcript().filter("dscr ans").size() >= 2, 5000);
    link->setDiscoveryPort(b.netPort());
    QVERIFY(discover(*link, 4));
    link->setDiscoveryPort(c.netPort());
    QVERIFY(discover(*link, 5));
    QCOMPARE(entries(*link), (Entries{{"Bay", 0}, {"Bridge", 1}, {"Bay", 0}, {"Bridge", 1}, {"Bay", 0}}));
    QCOMPARE(link->foundBoards().at(1).port, a.netPort());
    QCOMPARE(link->foundBoards().at(3).port, b.netPort());
    QCOMPARE(link->foundBoards().at(4).port, c.netPort());
    QCOMPARE(announced.size(), 5);
    // Each is reachable: the controller behind the second bridge opens there.
    ScriptedPrompt prompt;
    DevMarvek2_0 model;
    DeviceCfg::setCurrent(nullptr);
    QVERIFY(link->open(2));
    QTRY_VERIFY_WITH_TIMEOUT(b.transcript().contains("tcp req 02 00"), 5000);
    QVERIFY(!a.transcript().contains("tcp req 02 00"));
    link->close();
}

void TestTcpDiscovery::movedBridgeIsRefreshed()
{
    SimProcess first({"--controller-name", "Bay 7", "--bridge-name", "Bridge 7"});
    QVERIFY(first.start());
    auto link = makeLoopbackLink(first.netPort());
    QVERIFY(discover(*link, 2));
    // It misses two whole discovery rounds, then answers from another port.
    first.stop();
    link->scan();
    link->scan();
    SimProcess moved({"--controller-name", "Bay 7", "--bridge-name", "Bridge 7"});
    QVERIFY(moved.start());
    QSignalSpy announced(link.get(), &DevIo::newDevice);
    link->setDiscoveryPort(moved.netPort());
    link->scan();
    QTRY_COMPARE_WITH_TIMEOUT(announced.size(), 2, 5000);
    QCOMPARE(link->foundBoards().size(), 2);
    for (int uid = 0; uid < 2; ++uid) {
        QCOMPARE(announced.at(uid).at(1).toInt(), uid);
        QCOMPARE(link->foundBoards().at(uid).port, moved.netPort());
    }
    ScriptedPrompt prompt;
    DevMarvek2_0 model;
    DeviceCfg::setCurrent(nullptr);
    QVERIFY(link->open(0));
    link->close();
}

void TestTcpDiscovery::listIsCappedAndNamesRequired()
{
    auto link = makeLoopbackLink(9);  // nothing to discover; the test plays the bridges
    QSignalSpy announced(link.get(), &DevIo::newDevice);
    // Nameless answers give no target; a bridge name alone gives the bridge only.
    QUdpSocket nameless, bridgeOnly;
    QVERIFY(nameless.bind(QHostAddress(QHostAddress::LocalHost), 0));
    QVERIFY(bridgeOnly.bind(QHostAddress(QHostAddress::LocalHost), 0));
    nameless.writeDatagram(QByteArray("DSCR\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 24), QHostAddress::LocalHost,
                           link->answerPort());
    bridgeOnly.writeDatagram(QByteArray("DSCR\0\0\0\0\0\0\0\0Lone\0\0\0\0\0\0\0\0", 24), QHostAddress::LocalHost,
                             link->answerPort());
    QTRY_COMPARE_WITH_TIMEOUT(link->foundBoards().size(), 1, 5000);
    QCOMPARE(entries(*link), (Entries{{"Lone", TcpIo::Bridge}}));
    // Many bridges: the list stops at its cap, a controller and its bridge kept together.
    std::vector<std::unique_ptr<QUdpSocket>> bridges;
    for (int i = 0; i < TcpIo::MaxBoards / 2; ++i) {
        auto s = std::make_unique<QUdpSocket>();
        QVERIFY(s->bind(QHostAddress(QHostAddress::LocalHost), 0));
        s->writeDatagram(QByteArray("DSCRBay\0\0\0\0\0Bridge\0\0\0\0\0\0", 24), QHostAddress::LocalHost, link->answerPort());
        bridges.push_back(std::move(s));
    }
    QTRY_COMPARE_WITH_TIMEOUT(announced.size(), TcpIo::MaxBoards - 1, 5000);
    // The last pair would not fit whole; a controller alone still does, then nothing more.
    QUdpSocket last, late;
    QVERIFY(last.bind(QHostAddress(QHostAddress::LocalHost), 0));
    QVERIFY(late.bind(QHostAddress(QHostAddress::LocalHost), 0));
    last.writeDatagram(QByteArray("DSCRLast\0\0\0\0", 12), QHostAddress::LocalHost, link->answerPort());
    QTRY_COMPARE_WITH_TIMEOUT(link->foundBoards().size(), TcpIo::MaxBoards, 5000);
    QCOMPARE(link->foundBoards().constLast().name, QStringLiteral("Last"));
    late.writeDatagram(QByteArray("DSCRLate\0\0\0\0", 12), QHostAddress::LocalHost, link->answerPort());
    // A known target renamed after it shows that the late one has been dealt with.
    last.writeDatagram(QByteArray("DSCRLast 2\0\0", 12), QHostAddress::LocalHost, link->answerPort());
    QTRY_COMPARE_WITH_TIMEOUT(announced.size(), TcpIo::MaxBoards + 1, 5000);
    QCOMPARE(link->foundBoards().size(), TcpIo::MaxBoards);
    QCOMPARE(link->foundBoards().constLast().name, QStringLiteral("Last 2"));
}

void TestTcpDiscovery::oddDatagrams()
{
    auto link = makeLoopbackLink(9);  // nothing to discover; the test plays the bridges
    QSignalSpy announced(link.get(), &DevIo::newDevice);
    const QList<QByteArray> datagrams = {
        QByteArray("DSCRshort", 9),                        // under 12 bytes
        QByteArray("XSCRabcdefgh", 12),                    // wrong tag
        QByteArray("DSCRcut\0junk", 12),                   // name ends at its zero byte
        QByteArray("DSCRcut\0\0\0\0\0Bridge", 18),         // same name elsewhere, bridge part too short
        QByteArray("DSCRtwelve!!Bridge name!", 24),        // 12-byte bridge name, no zero
        QByteArray("DSCRlast\0\0\0\0Br\0xxxxxxxxxtrailing", 32),
    };
    // Each from a bridge of its own.
    std::vector<std::unique_ptr<QUdpSocket>> bridges;
    for (const QByteArray &d : datagrams) {
        auto bridge = std::make_unique<QUdpSocket>();
        QVERIFY(bridge->bind(QHostAddress(QHostAddress::LocalHost), 0));
        QCOMPARE(bridge->writeDatagram(d, QHostAddress::LocalHost, link->answerPort()), qint64(d.size()));
        bridges.push_back(std::move(bridge));
    }
    QTRY_COMPARE_WITH_TIMEOUT(link->foundBoards().size(), 6, 5000);
    QCOMPARE(entries(*link),
             (Entries{{"cut", 0}, {"cut", 0}, {"twelve!!", 0}, {"Bridge name!", 1}, {"last", 0}, {"Br", 1}}));
    QCOMPARE(link->foundBoards().at(0).port, bridges.at(2)->localPort());
    QCOMPARE(announced.size(), 6);
    // The same bridge renamed keeps its uid and is announced again.
    bridges.at(2)->writeDatagram(QByteArray("DSCRnew\0\0\0\0\0", 12), QHostAddress::LocalHost, link->answerPort());
    QTRY_COMPARE_WITH_TIMEOUT(announced.size(), 7, 5000);
    QCOMPARE(announced.constLast().at(1).toInt(), 0);
    QCOMPARE(link->foundBoards().at(0).name, QStringLiteral("new"));
    QCOMPARE(link->foundBoards().size(), 6);
}

void TestTcpDiscovery::noScanWhileConnected()
{
    SimProcess sim;
    QVERIFY(sim.start());
    auto link = makeLoopbackLink(sim.netPort());
    scanEnabled = false;
    link->scan();
    // A request of the test's own, sent after the scan, is the only one the simulator sees.
    QUdpSocket probe;
    QVERIFY(probe.writeDatagram("DSCR", QHostAddress::LocalHost, sim.netPort()) == 4);
    QTRY_COMPARE_WITH_TIMEOUT(sim.transcript().filter("dscr req").size(), 1, 5000);
    QVERIFY(link->foundBoards().isEmpty());
    scanEnabled = true;
    QVERIFY(discover(*link, 2));
}

void TestTcpDiscovery::typedAddressIsScanned()
{
    SimProcess sim;
    QVERIFY(sim.start());
    {
        QSettings settings(NetHosts::settingsPath(), QSettings::IniFormat);
        NetHosts::remember(settings, QString::fromLatin1(NetHosts::NetKey), QHostAddress(QHostAddress::LocalHost));
    }
    auto link = makeLoopbackLink(sim.netPort());
    link->setDiscoveryTarget(QHostAddress());  // the broadcast reaches nothing here
    QVERIFY(discover(*link, 2));
    QCOMPARE(link->foundBoards().at(0).name, QStringLiteral("Sim 2.0"));
}

void TestTcpDiscovery::typedAddressCommand_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<int>("warnings");
    QTest::newRow("one") << QStringList{"192.168.7.20"} << QStringList{"192.168.7.20"} << 0;
    QTest::newRow("spaces trimmed, once") << QStringList{" 10.0.0.5 ", "10.0.0.5"} << QStringList{"10.0.0.5"} << 0;
    QTest::newRow("latest last") << QStringList{"10.0.0.5", "10.0.0.6", "10.0.0.5"}
                                 << QStringList{"10.0.0.6", "10.0.0.5"} << 0;
    QTest::newRow("not an address") << QStringList{"bridge.local", "300.1.1.1"} << QStringList() << 2;
    QTest::newRow("empty") << QStringList{""} << QStringList() << 0;
}

void TestTcpDiscovery::typedAddressCommand()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, stored);
    QFETCH(int, warnings);
    ScriptedPrompt prompt;
    QSettings settings(NetHosts::settingsPath(), QSettings::IniFormat);
    for (const QString &t : typed) {
        prompt.texts.enqueue(t);
        NetHosts::askAndRemember(settings);
    }
    QCOMPARE(settings.value(NetHosts::NetKey).toStringList(), stored);
    QCOMPARE(settings.value(NetHosts::UdpKey).toStringList(), stored);
    QCOMPARE(prompt.messages.size(), warnings);
    // Cancelling stores nothing more.
    QVERIFY(!NetHosts::askAndRemember(settings));
    QCOMPARE(settings.value(NetHosts::NetKey).toStringList(), stored);
}

QTEST_GUILESS_MAIN(TestTcpDiscovery)
#include "test_tcpdiscovery.moc"
