// A site with several machines: the window lists every board found, opens none of two by
// itself, opens the one clicked and takes answers from it alone; Disconnect leads back to the
// start page and a board of another generation gets its own page; a board that stops is noticed
// without an edit; gone boards are greyed; an offline page that does not fit the board is built
// again before anything is sent.
#include "app/maindialog.h"
#include "base/nethosts.h"
#include "devices/fixedlayoutmodel.h"
#include "editors/par.h"
#include "fakeusbbus.h"
#include "link/tcpio.h"
#include "link/usbio.h"
#include "scriptedprompt.h"
#include "simprocess.h"
#include "testlanguage.h"
#include "../net/udprelay.h"
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QUdpSocket>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>

namespace {

constexpr int Jitter = 7170; // "Button jitter [ms]" of the 2.0 board

QString imageWithJitter(const QTemporaryDir &dir, int jitter)
{
    QByteArray image(8192, char(0xFF));
    image[Jitter] = char(jitter);
    image[Jitter + 1] = 0;
    const QString path = dir.filePath(QStringLiteral("image%1.bin").arg(jitter));
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(image) == image.size() ? path : QString();
}

// Typed addresses, asked at every scan on path: "udp", "tcp", both ("") or none ("none").
void remember(const QStringList &hosts, const QString &path = QString())
{
    if (path == QLatin1String("none"))
        return;
    QSettings settings(NetHosts::settingsPath(), QSettings::IniFormat);
    for (const QString &h : hosts) {
        if (path != QLatin1String("tcp"))
            NetHosts::remember(settings, QString::fromLatin1(NetHosts::UdpKey), QHostAddress(h));
        if (path != QLatin1String("udp"))
            NetHosts::remember(settings, QString::fromLatin1(NetHosts::NetKey), QHostAddress(h));
    }
}

// Boards at 127.0.0.2 and up, all on the ports of the first, typed on path.
struct Site
{
    explicit Site(const QString &path = QString()) : path(path) {}
    QString path;
    QTemporaryDir dir;
    std::vector<std::unique_ptr<SimProcess>> boards;
    bool add(int host, QStringList args)
    {
        args << QStringLiteral("--bind") << QStringLiteral("127.0.0.%1").arg(host);
        if (!boards.empty())
            args << QStringLiteral("--udp-port") << QString::number(udpPort()) << QStringLiteral("--net-port")
                 << QString::number(netPort());
        boards.push_back(std::make_unique<SimProcess>(args));
        remember({QStringLiteral("127.0.0.%1").arg(host)}, path);
        return boards.back()->start();
    }
    bool addJitter(int host, int jitter) { return add(host, {QStringLiteral("--image"), imageWithJitter(dir, jitter)}); }
    quint16 udpPort() const { return boards.front()->udpPort(); }
    quint16 netPort() const { return boards.front()->netPort(); }
};

struct SiteWindow
{
    ScriptedPrompt prompt;
    FakeUsbBus bus;
    UsbIo *usb = nullptr;
    TcpIo *net = nullptr;
    std::unique_ptr<MainDialog> dialog;

    SiteWindow(quint16 udpPort, quint16 netPort, int idleCheckMs = 0)
    {
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
        qputenv("VANDOR_NET_ANSWER_PORT", "0");
        MainDialog::Parts parts = MainDialog::defaultParts();
        parts.prompt = &prompt;
        parts.idleCheckMs = idleCheckMs;
        parts.makeUsbLink = [this, udpPort](QObject *parent) {
            usb = new UsbIo(&bus, parent);
            usb->setBoardPort(udpPort);
            usb->setDiscoveryTarget(QHostAddress());
            return usb;
        };
        parts.makeNetLink = [this, netPort](QObject *parent) {
            net = new TcpIo(parent);
            net->setDiscoveryTarget(QHostAddress());
            net->setDiscoveryPort(netPort);
            return net;
        };
        dialog = std::make_unique<MainDialog>(parts);
        dialog->show();
    }
    QList<QPushButton *> rows(const QString &path) const
    {
        return dialog->pageContainer()->findChildren<QPushButton *>(path == QLatin1String("udp") ? "udpBoard" : "netBoard");
    }
    // The row of the board (the controller, behind a bridge) at address.
    QPushButton *row(const QString &path, const QString &address) const
    {
        for (QPushButton *b : rows(path))
            if (b->text().contains(QStringLiteral("at ") + address) && !b->text().contains(QStringLiteral("network bridge at")))
                return b;
        return nullptr;
    }
    // Scans path once a second until n boards are listed there.
    bool find(const QString &path, int n)
    {
        for (int i = 0; i < 10 && rows(path).size() < n; ++i) {
            if (path == QLatin1String("udp"))
                usb->scan();
            else
                net->scan();
            (void)QTest::qWaitFor([&] { return rows(path).size() >= n; }, 1000);
        }
        return rows(path).size() == n;
    }
    bool opened() { return QTest::qWaitFor([this] { return dialog->isConnected() && !dialog->pageHeld(); }, 20000); }
    QString status() const { return dialog->findChild<QLabel *>("conStatus")->text(); }
    Par *editor(quint32 address) const
    {
        auto *model = qobject_cast<FixedLayoutModel *>(DeviceCfg::current());
        if (model)
            model->buildAllTabs();
        for (const auto &p : model ? model->placements() : QVector<FixedPage::Placement>())
            if (p.address == address)
                return p.editor;
        return nullptr;
    }
    // The discovery round the board at address last answered.
    int lastRound(const QString &path, const QString &address) const
    {
        if (path == QLatin1String("udp")) {
            for (const UsbIo::Peer &p : usb->peers())
                if (p.address.toString() == address)
                    return p.lastRound;
        }
        for (const TcpIo::Entry &e : net->foundBoards())
            if (path != QLatin1String("udp") && e.address.toString() == address)
                return e.lastRound;
        return -1;
    }
    int jitter() const { return editor(Jitter) ? editor(Jitter)->findChild<QSpinBox *>()->value() : -1; }
};

} // namespace

class TestWindowSite : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setTestLanguage(QStringLiteral("en")); }
    void init()
    {
        QSettings settings(NetHosts::settingsPath(), QSettings::IniFormat);
        settings.remove(QString::fromLatin1(NetHosts::NetKey));
        settings.remove(QString::fromLatin1(NetHosts::UdpKey));
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }

    void chosenBoardOfTwo_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("listed");
        QTest::newRow("UDP bridge path, the second") << "udp" << 3 << 2;
        QTest::newRow("UDP bridge path, the first") << "udp" << 2 << 2;
        QTest::newRow("behind bridges") << "tcp" << 3 << 4;
    }
    void chosenBoardOfTwo()
    {
        QFETCH(QString, path);
        QFETCH(int, chosen);
        QFETCH(int, listed);
        Site site(path);
        QVERIFY(site.addJitter(2, 72) && site.addJitter(3, 73));
        SiteWindow w(site.udpPort(), site.netPort());
        QVERIFY(w.find(path, listed));
        const QString at = QStringLiteral("127.0.0.%1").arg(chosen);
        QPushButton *row = w.row(path, at);
        QVERIFY(row);
        QCOMPARE(row->text().section(QLatin1Char('\n'), 0, 1), path == QLatin1String("udp") ? QStringLiteral("Marvek ccTalk\nUDP bridge path at %1").arg(at)
                                                          : QStringLiteral("Sim 2.0\ncontroller on the network at %1").arg(at));
        // Two boards of one kind: none opens by itself, nothing is read from either.
        QCoreApplication::processEvents();
        QVERIFY(!w.dialog->isConnected());
        for (const auto &board : site.boards)
            QVERIFY(board->transcript().filter(QRegularExpression(QStringLiteral("^(udp req 03|tcp )"))).isEmpty());

        QTest::mouseClick(row, Qt::LeftButton);
        QVERIFY(w.opened());
        QCOMPARE(w.jitter(), 70 + chosen);
        QVERIFY(w.status().contains(at));
        const SimProcess &other = *site.boards.at(size_t(5 - chosen - 2));
        QVERIFY(other.transcript().filter(QRegularExpression(QStringLiteral("^(udp req 03|tcp )"))).isEmpty());
        // The boards found stay on the start page, not on the connected one.
        QVERIFY(w.rows(path).isEmpty());
    }

    // Back up all: every board listed is opened, read and left in turn; one that has died is
    // reported in its row and the others go on; a second run finds them unchanged.
    void backUpAllGoesOnPastADeadBoard()
    {
        Site site(QStringLiteral("udp"));
        // Configurations no other test keeps, so that the first backup makes new snapshots.
        QVERIFY(site.addJitter(2, 91) && site.addJitter(3, 92) && site.addJitter(4, 93));
        SiteWindow w(site.udpPort(), site.netPort());
        QVERIFY(w.find(QStringLiteral("udp"), 3));
        site.boards.at(1)->stop();
        auto *backup = w.dialog->pageContainer()->findChild<QPushButton *>(QStringLiteral("butBackupAll"));
        QVERIFY(backup && backup->isVisible());
        const QStringList expected[2] = {{QStringLiteral("done"), QStringLiteral("failed: the board did not open"), QStringLiteral("done")},
                                         {QStringLiteral("unchanged"), QStringLiteral("failed: the board did not open"), QStringLiteral("unchanged")}};
        for (const QStringList &outcomes : expected) {
            w.prompt.messages.clear();
            QTest::mouseClick(w.dialog->pageContainer()->findChild<QPushButton *>(QStringLiteral("butBackupAll")), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!w.prompt.messages.isEmpty() && w.prompt.messages.last().title == QLatin1String("Back up all"), 30000);
            const QStringList lines = w.prompt.messages.last().text.split(QLatin1Char('\n'));
            for (int i = 0; i < 3; ++i) {
                const QStringList line = lines.mid(0, 3).filter(QStringLiteral("at 127.0.0.%1 ").arg(i + 2));
                QCOMPARE(line.size(), 1);
                QVERIFY2(line.at(0).endsWith(outcomes.at(i)), qPrintable(line.at(0)));
            }
            QVERIFY(!w.dialog->isConnected());
            // Each row says how its backup went and, once its machine is known, its last snapshot.
            QVERIFY(w.row(QStringLiteral("udp"), QStringLiteral("127.0.0.2"))->text().contains(QStringLiteral("backed up")));
        }
        // Nothing was written to any board.
        for (const auto &board : site.boards)
            QVERIFY(board->transcript().filter(QRegularExpression(QStringLiteral("^udp req 04"))).isEmpty());
    }

    // A host that answers for the chosen board from another address: listed as a board of its
    // own, and its answers to the chosen board's requests are ignored.
    void answersFromAnotherAddressAreIgnored()
    {
        QTemporaryDir dir;
        SimProcess board({QStringLiteral("--image"), imageWithJitter(dir, 72), QStringLiteral("--delay-ms"), QStringLiteral("5")});
        SimProcess impostor({QStringLiteral("--image"), imageWithJitter(dir, 73)});
        QVERIFY(board.start() && impostor.start());
        UdpRelay relay;
        QVERIFY(relay.listen(QHostAddress(QStringLiteral("127.0.0.2"))));
        QVERIFY(relay.route(board.udpPort(), QHostAddress(QStringLiteral("127.0.0.2"))));
        QVERIFY(relay.route(impostor.udpPort(), QHostAddress(QStringLiteral("127.0.0.3"))));
        remember({QStringLiteral("127.0.0.2")}, QStringLiteral("udp"));
        SiteWindow w(relay.port(), 9);
        QVERIFY(w.find(QStringLiteral("udp"), 2));
        QVERIFY(!w.dialog->isConnected());
        QTest::mouseClick(w.row(QStringLiteral("udp"), QStringLiteral("127.0.0.2")), Qt::LeftButton);
        QVERIFY(w.opened());
        QCOMPARE(w.jitter(), 72);
        QVERIFY(impostor.transcript().filter(QStringLiteral("udp ans 03")).size() > 100);
    }

    void disconnectThenAnotherGeneration()
    {
        Site site(QStringLiteral("udp"));
        QVERIFY(site.addJitter(2, 72) && site.addJitter(3, 73));
        SiteWindow w(site.udpPort(), site.netPort());
        QVERIFY(w.find(QStringLiteral("udp"), 2));
        QTest::mouseClick(w.row(QStringLiteral("udp"), QStringLiteral("127.0.0.2")), Qt::LeftButton);
        QVERIFY(w.opened());
        QPushButton *disconnect = w.dialog->findChild<QPushButton *>("butDisconnect");
        QVERIFY(disconnect->isVisible());
        QTest::mouseClick(disconnect, Qt::LeftButton);
        QVERIFY(!w.dialog->isConnected());
        QVERIFY(w.dialog->onStartPage());
        QVERIFY(!disconnect->isVisible());

        QVERIFY(site.add(4, {QStringLiteral("--board"), QStringLiteral("3.0")}));
        QVERIFY(w.find(QStringLiteral("udp"), 3));
        QVERIFY(!w.dialog->isConnected());
        QTest::mouseClick(w.row(QStringLiteral("udp"), QStringLiteral("127.0.0.4")), Qt::LeftButton);
        QVERIFY(w.opened());
        QCOMPARE(DeviceCfg::current()->title(), QStringLiteral("Marvek Totalizer"));
        QVERIFY(w.editor(7176)); // its button jitter, on its own page
        QVERIFY(w.prompt.messages.isEmpty());
    }

    // A connected board that stops answering is let go while nobody edits.
    void stoppedBoardIsNoticed_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("UDP bridge path") << "udp";
        QTest::newRow("network bridge") << "tcp";
    }
    void stoppedBoardIsNoticed()
    {
        QFETCH(QString, path);
        Site site(path);
        QVERIFY(site.addJitter(2, 72));
        SiteWindow w(site.udpPort(), site.netPort(), 200);
        if (path == QLatin1String("udp")) {
            w.usb->scan(); // found alone: opened at once
        } else {
            QVERIFY(w.find(path, 2));
            QTest::mouseClick(w.row(path, QStringLiteral("127.0.0.2")), Qt::LeftButton);
        }
        QVERIFY(w.opened());
        // Idle, it is asked now and then, and stays connected while it answers.
        const SimProcess &board = *site.boards.front();
        const QString asked = path == QLatin1String("udp") ? QStringLiteral("udp req 01") : QStringLiteral("tcp req 02");
        const int before = board.transcript().filter(asked).size();
        QTRY_VERIFY_WITH_TIMEOUT(board.transcript().filter(asked).size() >= before + 3, 10000);
        QVERIFY(w.dialog->isConnected());
        const qint64 pid = site.boards.front()->process().processId();
        ::kill(pid_t(pid), SIGSTOP);
        QTRY_COMPARE_WITH_TIMEOUT(w.status(), QStringLiteral("Disconnected: the board stopped answering."), 20000);
        ::kill(pid_t(pid), SIGCONT);
    }

    // Missed two discovery rounds: greyed with the time last seen, and a click says why
    // nothing happens.
    void quietBoardLooksGone_data() { stoppedBoardIsNoticed_data(); }
    void quietBoardLooksGone()
    {
        QFETCH(QString, path);
        Site site(path);
        QVERIFY(site.addJitter(2, 72) && site.addJitter(3, 73));
        SiteWindow w(site.udpPort(), site.netPort());
        QVERIFY(w.find(path, path == QLatin1String("udp") ? 2 : 4));
        site.boards.back()->stop();
        for (int round = 0; round < 3; ++round) {
            const int before = w.lastRound(path, QStringLiteral("127.0.0.2"));
            if (path == QLatin1String("udp"))
                w.usb->scan();
            else
                w.net->scan();
            QVERIFY(QTest::qWaitFor([&] { return w.lastRound(path, QStringLiteral("127.0.0.2")) > before; }, 5000));
        }
        QPushButton *gone = w.row(path, QStringLiteral("127.0.0.3"));
        QVERIFY(gone);
        QTRY_VERIFY(gone->property("quiet").toBool());
        QVERIFY(gone->text().contains(QStringLiteral("not answering since")));
        QVERIFY(!w.row(path, QStringLiteral("127.0.0.2"))->property("quiet").toBool());
        QTest::mouseClick(gone, Qt::LeftButton);
        QCOMPARE(w.prompt.messages.size(), 1);
        QVERIFY(w.prompt.messages[0].text.contains(QStringLiteral("nothing was sent to it")));
        QVERIFY(!w.dialog->isConnected());
    }

    // A bridge that answers from a new address keeps its button; it is opened there only once
    // the technician has seen the new address.
    void movedBridgeIsConfirmed()
    {
        SiteWindow w(9, 9);
        QUdpSocket before, after;
        QVERIFY(before.bind(QHostAddress(QStringLiteral("127.0.0.2")), 0));
        QVERIFY(after.bind(QHostAddress(QStringLiteral("127.0.0.3")), before.localPort()));
        const QByteArray answer("DSCRBay 7\0\0\0", 12);
        before.writeDatagram(answer, QHostAddress(QHostAddress::LocalHost), w.net->answerPort());
        QTRY_COMPARE(w.rows(QStringLiteral("tcp")).size(), 1);
        for (int round = 0; round < 3; ++round) // it misses two rounds
            w.net->scan();
        after.writeDatagram(answer, QHostAddress(QHostAddress::LocalHost), w.net->answerPort());
        QTRY_VERIFY(w.rows(QStringLiteral("tcp")).value(0)->text().contains(QStringLiteral("at 127.0.0.3")));
        QCOMPARE(w.rows(QStringLiteral("tcp")).size(), 1);
        QVERIFY(w.rows(QStringLiteral("tcp")).value(0)->text().contains(QStringLiteral("it was at 127.0.0.2")));
        QTest::mouseClick(w.rows(QStringLiteral("tcp")).value(0), Qt::LeftButton); // answered No
        QCOMPARE(w.prompt.asked.size(), 1);
        QVERIFY(w.prompt.asked[0].contains(QStringLiteral("now answers from 127.0.0.3, no longer from 127.0.0.2")));
        QVERIFY(!w.net->isOpen());
    }

    // An offline page that the board needs otherwise is built for it before anything is sent;
    // the changes made offline are offered to be saved first.
    void offlinePageFitsTheBoard_data()
    {
        QTest::addColumn<QString>("identity");
        QTest::addColumn<QByteArray>("editor");
        QTest::addColumn<bool>("rebuilt");
        QTest::newRow("unsigned delays") << "0102,0100,0202" << QByteArray("ParSlider2") << true;
        QTest::newRow("signed delays") << "0103,0100,0202" << QByteArray("ParSlider2s") << false;
    }
    void offlinePageFitsTheBoard()
    {
        QFETCH(QString, identity);
        QFETCH(QByteArray, editor);
        QFETCH(bool, rebuilt);
        constexpr int AfterTimeoutA = 8048;
        Site site(QStringLiteral("none"));
        QVERIFY(site.add(2, {QStringLiteral("--board"), QStringLiteral("1.1"), QStringLiteral("--id"), identity}));
        SiteWindow w(site.udpPort(), site.netPort());
        QPushButton *offlineModel = nullptr;
        for (QPushButton *b : w.dialog->pageContainer()->findChildren<QPushButton *>())
            if (b->text() == QLatin1String("Marvek"))
                offlineModel = b;
        QTest::mouseClick(offlineModel, Qt::LeftButton);
        const QPointer<Par> offline = w.editor(AfterTimeoutA);
        QVERIFY(offline);
        QCOMPARE(offline->metaObject()->className(), "ParSlider2s");
        offline->findChild<QSpinBox *>()->setValue(-5);
        w.prompt.choices.enqueue(1); // discard
        w.usb->setDiscoveryTarget(QHostAddress(QStringLiteral("127.0.0.2")));
        w.usb->scan();
        QVERIFY(w.opened());
        QVERIFY(w.prompt.asked.value(0).startsWith(QStringLiteral("Changes made without a board|")));
        QCOMPARE(w.editor(AfterTimeoutA)->metaObject()->className(), editor.constData());
        QCOMPARE(offline.isNull(), rebuilt);
        QVERIFY(site.boards.front()->transcript().filter(QStringLiteral("udp req 04")).isEmpty());
    }
};

QTEST_MAIN(TestWindowSite)
#include "test_window_site.moc"
