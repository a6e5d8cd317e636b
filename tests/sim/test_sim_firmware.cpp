// The simulated bridge's firmware transfer: header checks, the blocks it records and refuses,
// and what it reports.
#include "simclient.h"
#include "simprocess.h"
#include <QtTest>

namespace {

constexpr int Block = 240;

QByteArray le16(quint32 v)
{
    QByteArray b;
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
    return b;
}

QByteArray le32(quint32 v)
{
    return le16(v & 0xFFFF) + le16(v >> 16);
}

QByteArray firmwareFrame(quint32 remaining, const QByteArray &block)
{
    return QByteArray(1, char(0xEF)) + char(block.size() + 2) + le16(remaining & 0xFFFF) + block;
}

QByteArray header(const QByteArray &file)
{
    return le32(quint32(file.size())) + file.right(32);
}

// Accepted: status 0, stage (0 header, 1 block), bytes received so far.
QByteArray accepted(int stage, int received)
{
    return QByteArray("\xef\x06", 2) + char(0) + char(stage) + le32(quint32(received));
}

QByteArray refused(int why)
{
    return QByteArray("\xef\x01", 2) + char(why);
}

QByteArray sample(int size)
{
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 31 + i / 256) & 0xFF);
    return b;
}

// The finish frame has no answer: a version query after it proves it has been handled.
bool finish(TcpClient &c)
{
    c.send(QByteArray("\xee\x00", 2));
    return c.exchange(QByteArray("\xe2\x00", 2)).size() == 8;
}

bool login(TcpClient &c)
{
    return c.exchange(QByteArray("\xe0\x04" "1234", 6)) == QByteArray("\xe0\x07" "2.7 sim");
}

} // namespace

class TestSimFirmware : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wholeTransfer_data();
    void wholeTransfer();
    void refusals_data();
    void refusals();
    void incompleteTransferIsKeptAndLogged();
    void trailerMismatchIsLogged();
    void newHeaderRestartsTransfer();
};

void TestSimFirmware::wholeTransfer_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<quint32>("headerRemaining");
    QTest::newRow("1 byte") << 1 << 1u;
    QTest::newRow("20 bytes") << 20 << 20u;
    QTest::newRow("33 bytes, header number 0") << 33 << 0u;
    QTest::newRow("exactly 240 bytes") << 240 << 240u;
    QTest::newRow("241 bytes") << 241 << 241u;
    QTest::newRow("70000 bytes, numbers cut to 16 bits") << 70000 << 70000u;
}

void TestSimFirmware::wholeTransfer()
{
    QFETCH(int, size);
    QFETCH(quint32, headerRemaining);
    const QByteArray file = sample(size);
    SimProcess sim;
    QVERIFY(sim.start());
    TcpClient c;
    QVERIFY(c.connectTo(sim.netPort()));
    QVERIFY(login(c));
    QCOMPARE(c.exchange(firmwareFrame(headerRemaining, header(file))), accepted(0, 0));
    for (int at = 0; at < size; at += Block) {
        const QByteArray block = file.mid(at, Block);
        QCOMPARE(c.exchange(firmwareFrame(quint32(size - at), block)), accepted(1, at + block.size()));
    }
    QVERIFY(finish(c));
    QVERIFY(sim.save());
    QCOMPARE(sim.firmware(), file);
    const QStringList log = QString::fromUtf8(sim.file(QStringLiteral("firmware.log"))).split(
        QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(log.size(), (size + Block - 1) / Block + 2);
    QCOMPARE(log.first(), QStringLiteral("header length=%1 trailer=%2")
                              .arg(size)
                              .arg(QString::fromLatin1(file.right(32).toHex())));
    QCOMPARE(log.at(1), QStringLiteral("block remaining=%1 length=%2 received=%2")
                            .arg(size & 0xFFFF)
                            .arg(qMin(size, Block)));
    QCOMPARE(log.last(), QStringLiteral("finish received=%1 of %1 complete trailer-ok").arg(size));
}

void TestSimFirmware::refusals_data()
{
    const QByteArray file = sample(20);
    QTest::addColumn<bool>("withAccess");
    QTest::addColumn<QByteArray>("first");   // sent first, accepted when withAccess
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("no access exchange") << false << QByteArray() << firmwareFrame(20, header(file)) << refused(1);
    QTest::newRow("length word disagrees with header size")
        << true << QByteArray() << firmwareFrame(100, le32(100) + file) << refused(2);
    QTest::newRow("length word of zero") << true << QByteArray() << firmwareFrame(0, le32(0)) << refused(2);
    QTest::newRow("block before any header") << true << QByteArray() << firmwareFrame(20, file) << refused(2);
    QTest::newRow("wrong remaining number")
        << true << firmwareFrame(20, header(file)) << firmwareFrame(19, file) << refused(3);
    QTest::newRow("block past the announced length")
        << true << firmwareFrame(20, header(file)) << firmwareFrame(20, file + "xy") << refused(4);
    QTest::newRow("empty block") << true << firmwareFrame(20, header(file)) << firmwareFrame(20, {}) << refused(5);
}

void TestSimFirmware::refusals()
{
    QFETCH(bool, withAccess);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, answer);
    SimProcess sim;
    QVERIFY(sim.start());
    TcpClient c;
    QVERIFY(c.connectTo(sim.netPort()));
    if (withAccess)
        QVERIFY(login(c));
    if (!first.isEmpty())
        QCOMPARE(c.exchange(first), accepted(0, 0));
    QCOMPARE(c.exchange(request).toHex(' '), answer.toHex(' '));
    QVERIFY(sim.save());
    QVERIFY(sim.firmware().isEmpty());
}

void TestSimFirmware::incompleteTransferIsKeptAndLogged()
{
    const QByteArray file = sample(300);
    SimProcess sim;
    QVERIFY(sim.start());
    TcpClient c;
    QVERIFY(c.connectTo(sim.netPort()));
    QVERIFY(login(c));
    QCOMPARE(c.exchange(firmwareFrame(300, header(file))), accepted(0, 0));
    QCOMPARE(c.exchange(firmwareFrame(300, file.left(Block))), accepted(1, Block));
    QVERIFY(finish(c));
    sim.stop();
    QCOMPARE(sim.firmware(), file.left(Block));
    QVERIFY(sim.file(QStringLiteral("firmware.log"))
                .endsWith("finish received=240 of 300 incomplete trailer-mismatch\n"));
}

void TestSimFirmware::trailerMismatchIsLogged()
{
    const QByteArray file = sample(40);
    QByteArray wrongTrailer = header(file);
    wrongTrailer[10] = char(wrongTrailer.at(10) ^ 0x55);
    SimProcess sim;
    QVERIFY(sim.start());
    TcpClient c;
    QVERIFY(c.connectTo(sim.netPort()));
    QVERIFY(login(c));
    QCOMPARE(c.exchange(firmwareFrame(40, wrongTrailer)), accepted(0, 0));
    QCOMPARE(c.exchange(firmwareFrame(40, file)), accepted(1, 40));
    QVERIFY(finish(c));
    QVERIFY(sim.save());
    QVERIFY(sim.file(QStringLiteral("firmware.log")).endsWith("finish received=40 of 40 complete trailer-mismatch\n"));
}

void TestSimFirmware::newHeaderRestartsTransfer()
{
    const QByteArray first = sample(500), second = sample(30);
    SimProcess sim;
    QVERIFY(sim.start());
    TcpClient c;
    QVERIFY(c.connectTo(sim.netPort()));
    QVERIFY(login(c));
    QCOMPARE(c.exchange(firmwareFrame(500, header(first))), accepted(0, 0));
    QCOMPARE(c.exchange(firmwareFrame(500, first.left(Block))), accepted(1, Block));
    // An update abandoned half-way: the next header starts afresh.
    QCOMPARE(c.exchange(firmwareFrame(30, header(second))), accepted(0, 0));
    QCOMPARE(c.exchange(firmwareFrame(30, second)), accepted(1, 30));
    QVERIFY(finish(c));
    QVERIFY(sim.save());
    QCOMPARE(sim.firmware(), second);
}

QTEST_GUILESS_MAIN(TestSimFirmware)
#include "test_sim_firmware.moc"
