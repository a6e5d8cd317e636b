// A board that describes itself, played by the simulator on loopback, misbehaving: it describes
// far more parameters than any board has, or answers each described read just before the time
// limit. The read fails fast and bounded, or ends at once when cancelled; the program goes on.
#include "app/maindialog.h"
#include "app/quitsignals.h"
#include "devices/devcom2.h"
#include "devices/devcom2transfer.h"
#include "devices/devesprelay.h"
#include "editors/par.h"
#include "fakeusbbus.h"
#include "link/linkcancel.h"
#include "link/usbio.h"
#include "netfixture.h"
#include "registry/cfgpar.h"
#include "residentmemory.h"
#include "scriptedprompt.h"
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <csignal>

namespace {

// A description of count 16-bit masks in one list, for the simulator's --describe.
QString describeFile(const QTemporaryDir &dir, int list, int count)
{
    const QString name = dir.filePath(QStringLiteral("describe.txt"));
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    for (int i = 0; i < count; ++i)
        f.write(QByteArray::number(Uid::make(list, Uid::TypeM16, quint32(((i / 1000 + 1) << 12) | (i % 1000 + 1))), 16)
                + " 0000\n");
    return name;
}

} // namespace

class TestHostileDyn : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { scanEnabled = true; }
    void cleanup()
    {
        setCurrentLink(nullptr);
        CfgPar::destroyAll();
    }

    void oversizedDescriptionFailsFast_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("refused");
        QTest::newRow("list 1, one too many") << 1 << CfgPar::MaxPerList + 1 << true;
        QTest::newRow("list 3, a hundred times too many") << 3 << 100 * CfgPar::MaxPerList << true;
        QTest::newRow("list 1 full") << 1 << CfgPar::MaxPerList << false;
    }
    void oversizedDescriptionFailsFast()
    {
        QFETCH(int, list);
        QFETCH(int, count);
        QFETCH(bool, refused);
        QTemporaryDir dir;
        SimProcess sim({QStringLiteral("--describe"), describeFile(dir, list, count)});
        QVERIFY(sim.start());
        ScriptedPrompt prompt;
        DevCom2 model;
        auto link = makeLoopbackLink(sim.netPort());
        QVERIFY(discover(*link, 2));
        setCurrentLink(link.get());
        QVERIFY(link->open(0));
        QWidget page;
        model.buildPage(&page);
        const qint64 before = ResidentMemory::kb();

        QElapsedTimer clock;
        clock.start();
        QCOMPARE(model.readDevice(nullptr), refused);
        qInfo("%d parameters in list %d: %s in %lld ms, %lld kB more", count, list, refused ? "refused" : "read",
              clock.elapsed(), ResidentMemory::kb() - before);
        if (refused) {
            QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
            if (ResidentMemory::Tells)
                QVERIFY2(ResidentMemory::kb() - before < 8 * 1024, qPrintable(QString::number(ResidentMemory::kb() - before)));
            QVERIFY(model.readProblem().contains(QString::number(CfgPar::MaxPerList)));
            QCOMPARE(CfgPar::count(list), 0);
            QVERIFY(page.findChildren<Par *>().isEmpty());
        } else {
            QCOMPARE(page.findChildren<Par *>().size(), count);
        }
        // The link goes on: the board answers the next request.
        quint8 packet[256];
        quint8 length = 0;
        QVERIFY(link->isOpen());
        QVERIFY(link->readDynCfg(packet, Uid::List2, &length, nullptr, nullptr));
    }

    // The real window reading a board that answers each described read after 4 s (its limit is
    // 5 s): the read ends within a moment of Cancel, of the window closing, of a quit signal.
    void slowReadEndsAtOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel") << QStringLiteral("cancel");
        QTest::newRow("window closed") << QStringLiteral("close");
        QTest::newRow("SIGTERM") << QStringLiteral("signal");
    }
    void slowReadEndsAtOnce()
    {
        QFETCH(QString, how);
        SimProcess sim({QStringLiteral("--dyn"), QStringLiteral("--slow-reads"), QStringLiteral("4000")});
        QVERIFY(sim.start());
        makeLoopbackLink(sim.netPort());
        ScriptedPrompt prompt;
        FakeUsbBus bus;
        MainDialog::Parts parts;
        parts.prompt = &prompt;
        parts.makeModels = [](QObject *parent) {
            new DevCom2(parent);
            new DevEspRelay(parent);
            return QList<DeviceCfg *>{};
        };
        parts.makeUsbLink = [&bus](QObject *parent) { return new UsbIo(&bus, parent); };
        TcpIo *net = nullptr;
        parts.makeNetLink = [&net](QObject *parent) { return net = new TcpIo(parent); };
        MainDialog dialog(parts);
        dialog.show();
        int quits = 0;
        QuitSignals onSignals([&quits] { ++quits; });
        onSignals.setKeep(&dialog);
        auto *cancel = dialog.findChild<QPushButton *>(QStringLiteral("butCancel"));
        QVERIFY(cancel && !cancel->isVisible());

        // Acts as soon as the read shows its progress: from inside the read's waits.
        QElapsedTimer clock;
        QTimer act;
        connect(&act, &QTimer::timeout, &dialog, [&] {
            if (!cancel->isVisible() || clock.isValid())
                return;
            clock.start();
            if (how == QLatin1String("cancel"))
                QTest::mouseClick(cancel, Qt::LeftButton);
            else if (how == QLatin1String("close"))
                dialog.close();
            else
                ::raise(SIGTERM);
        });
        act.start(50);
        QPushButton *board = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((board = dialog.pageContainer()->findChild<QPushButton *>(QStringLiteral("netBoard"))), 10000);
        QTest::mouseClick(board, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(clock.isValid() && !dialog.progressBar()->isVisible(), 20000);
        qInfo("%s: the read ended %lld ms later", qPrintable(how), clock.elapsed());
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!cancel->isVisible());
        QCOMPARE(LinkCancel::waitFlags(), QEventLoop::ProcessEventsFlags(QEventLoop::ExcludeUserInputEvents));
        if (how == QLatin1String("cancel")) {
            // Nothing of the board's failing was made of it: still connected, and input reaches
            // the window again (Disconnect takes effect).
            QCOMPARE(prompt.messages.size(), 1);
            QVERIFY(prompt.messages.at(0).text.startsWith(QStringLiteral("The read was cancelled")));
            QVERIFY(dialog.isConnected());
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("butDisconnect")), Qt::LeftButton);
            QTRY_VERIFY(!dialog.isConnected());
        } else if (how == QLatin1String("close")) {
            QTRY_VERIFY(!dialog.isVisible());
            QVERIFY(prompt.messages.isEmpty());
        } else {
            QTRY_COMPARE(quits, 1);
        }
    }
};

QTEST_MAIN(TestHostileDyn)
#include "test_hostiledyn.moc"
