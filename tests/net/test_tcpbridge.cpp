// The bridge board itself over TCP: the access password, its model and page, and firmware
// updates checked against what the simulated bridge received.
#include "devices/devesprelay.h"
#include "devices/devmarvek2_0.h"
#include "devices/firmwareupdate.h"
#include "netfixture.h"
#include "recordinghost.h"
#include "scriptedprompt.h"
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <sys/stat.h>

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

struct Bridge
{
    explicit Bridge(const QStringList &args = {}) : sim(args) {}
    bool start()
    {
        if (!sim.start())
            return false;
        link = makeLoopbackLink(sim.netPort());
        if (!discover(*link, 2))
            return false;
        setCurrentLink(link.get());
        return true;
    }
    bool open(const QString &password)
    {
        prompt.texts.enqueue(password);
        return link->open(1);
    }
    SimProcess sim;
    ScriptedPrompt prompt;
    RecordingHost host;
    DevMarvek2_0 controller;
    DevEspRelay model;
    std::unique_ptr<TcpIo> link;
};

QByteArray sample(int size)
{
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 7 + i / 251) & 0xFF);
    return b;
}

}  // namespace

class TestTcpBridge : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }
    void cleanup() { setCurrentLink(nullptr); }

    void password_data();
    void password();
    void rightPassword();
    void pageShowsName();
    void firmwareUpdate_data();
    void firmwareUpdate();
    void badFiles_data();
    void badFiles();
    void headerRefusedOnController();
    void headerLayout_data();
    void headerLayout();
};

void TestTcpBridge::password_data()
{
    QTest::addColumn<std::optional<QString>>("typed");
    QTest::addColumn<bool>("sent");
    QTest::newRow("cancelled") << std::optional<QString>() << false;
    QTest::newRow("empty") << std::optional<QString>(QString()) << false;
    QTest::newRow("wrong") << std::optional<QString>(QStringLiteral("4321")) << true;
}

void TestTcpBridge::password()
{
    QFETCH(std::optional<QString>, typed);
    QFETCH(bool, sent);
    Bridge b;
    QVERIFY(b.start());
    QSignalSpy connected(b.link.get(), &DevIo::connected);
    b.prompt.texts.enqueue(typed);
    QVERIFY(!b.link->open(1));
    // Named with its address: the technician sees where the password goes.
    const QString label = QStringLiteral("Access password of the network bridge \"Sim bridge\" at 127.0.0.1:");
    QCOMPARE(b.prompt.asked, QStringList{QStringLiteral("Connection|") + label});
    // Typed unseen: a technician's password is not shown to whoever stands beside them.
    QCOMPARE(b.prompt.secret, QStringList{label});
    QCOMPARE(connected.size(), 0);
    QVERIFY(!b.link->isOpen());
    QVERIFY(DeviceCfg::current() == nullptr);
    const QStringList expected =
        sent ? QStringList{"tcp req e0 04 34 33 32 31", "tcp ans e0 00"} : QStringList();
    QTRY_COMPARE_WITH_TIMEOUT(tcpLines(b.sim), expected, 5000);
    // A wrong password is told; a cancelled or empty one is the user's own choice.
    QCOMPARE(b.prompt.messages.size(), sent ? 1 : 0);
}

void TestTcpBridge::rightPassword()
{
    Bridge b({"--password", "geheim", "--version-text", "3.12 relay"});
    QVERIFY(b.start());
    QSignalSpy connected(b.link.get(), &DevIo::connected);
    QVERIFY(b.open(QStringLiteral("geheim")));
    QCOMPARE(connected.size(), 1);
    QCOMPARE(DeviceCfg::current(), &b.model);
    QCOMPARE(b.link->versionText, QStringLiteral("3.12 relay"));
    QCOMPARE(b.link->word0, quint16(0x030C));
    QCOMPARE(b.link->word1, quint16(0xE000));
    QCOMPARE(b.link->word2, quint16(0));
    QCOMPARE(b.link->cmdBase(), quint8(0xE0));
    // Nothing to read from the bridge, and that is no failure.
    QVERIFY(!b.model.readDevice(b.host.progress()));
    QCOMPARE(tcpLines(b.sim).filter("tcp req"), QStringList{"tcp req e0 06 67 65 68 65 69 6d"});
    QVERIFY(b.prompt.messages.isEmpty());
}

void TestTcpBridge::pageShowsName()
{
    Bridge b;
    QVERIFY(b.start());
    QVERIFY(b.open(QStringLiteral("1234")));
    QWidget page;
    b.model.buildPage(&page);
    QCOMPARE(page.findChild<QLabel *>("boardName")->text(), QStringLiteral("2.7 sim"));
    QVERIFY(page.findChild<QPushButton *>("butUpdateFirmware"));
    QCOMPARE(b.model.title(), QStringLiteral("ESP Bridge board"));
}

void TestTcpBridge::firmwareUpdate_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("firstBlock");  // remaining number of the first block, as sent
    QTest::newRow("20 bytes") << 20 << "14 00";
    QTest::newRow("exactly 240 bytes") << 240 << "f0 00";
    QTest::newRow("70,000 bytes") << 70000 << "70 11";
}

void TestTcpBridge::firmwareUpdate()
{
    QFETCH(int, size);
    QFETCH(QString, firstBlock);
    const QByteArray file = sample(size);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bridge.efrm"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file) == size);
    f.close();

    Bridge b;
    QVERIFY(b.start());
    QVERIFY(b.open(QStringLiteral("1234")));
    b.prompt.files.enqueue(path);
    b.model.updateFirmware();
    // The finish frame has no answer: wait until the bridge has seen it.
    QTRY_VERIFY_WITH_TIMEOUT(tcpLines(b.sim).contains(QStringLiteral("tcp req ee 00")), 5000);
    QVERIFY(b.sim.save());
    QCOMPARE(b.sim.firmware(), file);
    QCOMPARE(b.host.progress()->maximum(), size);
    QCOMPARE(b.host.progress()->value(), size);
    QCOMPARE(b.prompt.messages.size(), 1);
    QCOMPARE(b.prompt.messages.at(0).text, QStringLiteral("Firmware update done: %1 bytes sent.").arg(size));

    const QStringList requests = tcpLines(b.sim).filter("tcp req");
    const int blocks = (size + 239) / 240;
    QCOMPARE(requests.size(), 1 + 1 + blocks + 1);
    QVERIFY(requests.at(1).startsWith(QStringLiteral("tcp req ef %1 00 00")
                                          .arg(2 + 4 + qMin(size, 32), 2, 16, QLatin1Char('0'))));
    QVERIFY(requests.at(2).startsWith(QStringLiteral("tcp req ef %1 ")
                                          .arg(2 + qMin(size, 240), 2, 16, QLatin1Char('0'))
                                      + firstBlock));
    QCOMPARE(requests.last(), QStringLiteral("tcp req ee 00"));
    const QString log = QString::fromUtf8(b.sim.file(QStringLiteral("firmware.log")));
    QVERIFY(log.contains(QStringLiteral("finish received=%1 of %1 complete trailer-ok").arg(size)));
}

void TestTcpBridge::badFiles_data()
{
    // What the file is: missing, empty, a pipe nobody writes to, a device without end.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("missing") << "missing" << "Load failed";
    QTest::newRow("empty") << "empty" << "Invalid file";
    QTest::newRow("pipe") << "pipe" << "Load failed";
    QTest::newRow("device") << "/dev/zero" << "Load failed";
}

void TestTcpBridge::badFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("x.efrm"));
    if (kind == QLatin1String("empty")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else if (kind == QLatin1String("pipe")) {
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else if (kind.startsWith(QLatin1Char('/'))) {
        path = kind;
    }
    Bridge b;
    QVERIFY(b.start());
    QVERIFY(b.open(QStringLiteral("1234")));
    const int lines = tcpLines(b.sim).size();
    b.prompt.files.enqueue(path);
    b.model.updateFirmware();
    QCOMPARE(b.prompt.messages.size(), 1);
    QCOMPARE(b.prompt.messages.at(0).text.section(QLatin1Char('\n'), 0, 0), text);
    QCOMPARE(tcpLines(b.sim).size(), lines);
}

void TestTcpBridge::headerRefusedOnController()
{
    // A controller link takes no firmware: the header is refused, nothing more is sent.
    Bridge b({"--default-image"});
    QVERIFY(b.start());
    QVERIFY(b.link->open(0));
    b.link->setTimeout(300);
    const FirmwareUpdate::Result r = FirmwareUpdate::send(b.link.get(), sample(500), b.host.progress());
    QCOMPARE(r.status, FirmwareUpdate::Result::HeaderRefused);
    QCOMPARE(r.blocks, 3);
    QCOMPARE(tcpLines(b.sim).filter("tcp req").size(), 2);
}

void TestTcpBridge::headerLayout_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("header");
    const QByteArray big = sample(70000);
    QTest::newRow("1 byte") << 1 << QByteArray::fromHex("01000000") + sample(1);
    QTest::newRow("20 bytes") << 20 << QByteArray::fromHex("14000000") + sample(20);
    QTest::newRow("32 bytes") << 32 << QByteArray::fromHex("20000000") + sample(32);
    QTest::newRow("70,000 bytes") << 70000 << QByteArray::fromHex("70110100") + big.right(32);
}

void TestTcpBridge::headerLayout()
{
    QFETCH(int, size);
    QFETCH(QByteArray, header);
    const QByteArray file = sample(size);
    QCOMPARE(FirmwareUpdate::header(file), header);
    QCOMPARE(FirmwareUpdate::remainingAt(file, 0), quint16(size & 0xFFFF));
}

QTEST_MAIN(TestTcpBridge)
#include "test_tcpbridge.moc"
