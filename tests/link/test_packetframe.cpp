// Packet requests byte for byte, and which answers each operation accepts.
#include "link/packetframe.h"
#include <QtTest>

using namespace PacketFrame;

namespace {

QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text)); }

const quint8 *bytes(const QByteArray &a) { return reinterpret_cast<const quint8 *>(a.constData()); }

// Runs the check of one operation against an answer and returns the copied data part
// (or the identity / chunk fields as bytes), with ok telling acceptance.
QByteArray checkOne(const QByteArray &op, const QByteArray &answer, int address, int length,
                    bool *ok)
{
    QByteArray out(64, char(0xEE));
    quint8 *dst = reinterpret_cast<quint8 *>(out.data());
    if (op == "version") {
        Identity id;
        *ok = checkVersion(answer, &id);
        return *ok ? QByteArray::number(id.word0, 16) + ' ' + QByteArray::number(id.word1, 16)
                + ' ' + QByteArray::number(id.word2, 16)
                   : QByteArray();
    }
    if (op == "readDynCfg") {
        DynChunk c;
        *ok = checkReadDynCfg(answer, &c);
        return *ok ? QByteArray::number(c.flags) + ' ' + QByteArray::number(c.complete) + ' '
                + c.data.toHex()
                   : QByteArray();
    }
    if (op == "readCfg")
        *ok = checkReadCfg(answer, quint16(address), length, dst);
    else if (op == "readNvMem")
        *ok = checkReadNvMem(answer, quint16(address), length, dst);
    else if (op == "readMachineSetup")
        *ok = checkReadMachineSetup(answer, length, dst);
    else {
        if (op == "writeCfg")
            *ok = checkWriteCfg(answer);
        else if (op == "writeDynCfg")
            *ok = checkWriteDynCfg(answer);
        else if (op == "saveCfg")
            *ok = checkSaveCfg(answer);
        else if (op == "writeNvMem")
            *ok = checkWriteNvMem(answer);
        else if (op == "writeSn")
            *ok = checkWriteSn(answer);
        else if (op == "writeMachineSetup")
            *ok = checkWriteMachineSetup(answer);
        else
            qFatal("unknown operation %s", op.constData());
        return QByteArray();
    }
    // The destination is untouched on refusal, and only length bytes are written on success.
    return *ok ? out.left(length).toHex() : out.toHex();
}

} // namespace

class TestPacketFrame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void requests_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray data60(60, char(0x5A));
        const QByteArray abc = hex("a1b2c3");

        QTest::newRow("version") << versionQuery() << hex("0100");
        QTest::newRow("readCfg") << readCfg(0x1234, 60) << hex("030034123c00");
        QTest::newRow("readCfg empty") << readCfg(0x1FF8, 0) << hex("0300f81f0000");
        QTest::newRow("readCfg 61") << readCfg(0, 61) << QByteArray();
        QTest::newRow("readCfg negative") << readCfg(0, -1) << QByteArray();
        QTest::newRow("readDynCfg list") << readDynCfg(0xC0000000u) << hex("0300000000c0");
        QTest::newRow("readDynCfg next") << readDynCfg(0) << hex("030000000000");
        QTest::newRow("writeCfg") << writeCfg(bytes(abc), 0x0102, 3) << hex("04000201a1b2c3");
        QTest::newRow("writeCfg 60") << writeCfg(bytes(data60), 0x2000, 60)
                                     << hex("04000020") + data60;
        QTest::newRow("writeCfg 61") << writeCfg(bytes(QByteArray(61, 'x')), 0, 61) << QByteArray();
        QTest::newRow("writeCfg null source") << writeCfg(nullptr, 0, 2) << QByteArray();
        QTest::newRow("writeDynCfg first") << writeDynCfg(bytes(abc), 3, 1, 2) << hex("04000102a1b2c3");
        QTest::newRow("writeDynCfg later") << writeDynCfg(nullptr, 0, 2, 0) << hex("04000200");
        QTest::newRow("writeDynCfg 61") << writeDynCfg(bytes(QByteArray(61, 'x')), 61, 2, 0)
                                        << QByteArray();
        QTest::newRow("saveCfg") << saveCfg() << hex("0500");
        QTest::newRow("readNvMem") << readNvMem(0x0078, 8) << hex("060078000800");
        QTest::newRow("readNvMem 61") << readNvMem(0, 61) << QByteArray();
        QTest::newRow("writeNvMem") << writeNvMem(bytes(abc), 0x0010, 2) << hex("07001000a1b2");
        QTest::newRow("writeNvMem 61") << writeNvMem(bytes(QByteArray(61, 'x')), 0, 61)
                                       << QByteArray();
        QTest::newRow("writeSn short") << writeSn("AB12")
                                       << hex("0800") + QByteArray("AB12") + QByteArray(12, '\0');
        QTest::newRow("writeSn 20 characters")
            << writeSn("ABCDEFGHIJKLMNOPQRST")
            << hex("0800") + QByteArray("ABCDEFGHIJKLMNO") + QByteArray(1, '\0');
        QTest::newRow("writeSn 15 characters")
            << writeSn("123456789012345") << hex("0800") + QByteArray("123456789012345") + QByteArray(1, '\0');
        QTest::newRow("writeSn never cuts a character")
            << writeSn("12345678901234\xc3\xbc") << hex("0800") + QByteArray("12345678901234") + QByteArray(2, '\0');
        QTest::newRow("writeSn empty") << writeSn("") << hex("0800") + QByteArray(16, '\0');
        QTest::newRow("readMachineSetup") << readMachineSetup() << hex("0900");
        QTest::newRow("writeMachineSetup") << writeMachineSetup(bytes(abc), 3) << hex("0a00a1b2c3");
        QTest::newRow("writeMachineSetup 61")
            << writeMachineSetup(bytes(QByteArray(61, 'x')), 61) << QByteArray();
    }

    void requests()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, expected);
        QCOMPARE(request.toHex(), expected.toHex());
        QVERIFY(request.size() <= MaxPacket);
    }

    void answers_data()
    {
        QTest::addColumn<QByteArray>("op");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QByteArray>("result");

        auto row = [](const char *name, const char *op, const QByteArray &answer, int address,
                      int length, bool accepted, const QByteArray &result = QByteArray()) {
            QTest::newRow(name) << QByteArray(op) << answer << address << length << accepted
                                << result;
        };
        const QByteArray untouched = QByteArray(64, char(0xEE)).toHex();

        row("version", "version", hex("0102010200010003"), 0, 0, true, "201 100 300");
        row("version masked direction", "version", hex("01fe010200010003"), 0, 0, true, "201 100 300");
        row("version wrong command", "version", hex("0202010200010003"), 0, 0, false);
        row("version request echoed", "version", hex("0100010200010003"), 0, 0, false);
        row("version direction 3", "version", hex("0103010200010003"), 0, 0, false);
        row("version short", "version", hex("01020102000100"), 0, 0, false);
        row("version long", "version", hex("010201020001000300"), 0, 0, false);
        row("version empty", "version", QByteArray(), 0, 0, false);

        row("readCfg", "readCfg", hex("03023412aabbcc"), 0x1234, 3, true, "aabbcc");
        row("readCfg direction bits above 1 ignored", "readCfg", hex("03063412aabbcc"), 0x1234, 3,
            true, "aabbcc");
        row("readCfg wrong address", "readCfg", hex("03023512aabbcc"), 0x1234, 3, false, untouched);
        row("readCfg wrong command", "readCfg", hex("06023412aabbcc"), 0x1234, 3, false, untouched);
        row("readCfg wrong direction", "readCfg", hex("03003412aabbcc"), 0x1234, 3, false, untouched);
        row("readCfg short", "readCfg", hex("03023412aabb"), 0x1234, 3, false, untouched);
        row("readCfg long", "readCfg", hex("03023412aabbccdd"), 0x1234, 3, false, untouched);
        row("readCfg header only", "readCfg", hex("0302"), 0x1234, 3, false, untouched);
        row("readCfg 60", "readCfg", hex("03020000") + QByteArray(60, 'q'), 0, 60, true,
            QByteArray(60, 'q').toHex());

        row("readNvMem", "readNvMem", hex("06021000c1c2"), 0x10, 2, true, "c1c2");
        row("readNvMem direction masked", "readNvMem", hex("06821000c1c2"), 0x10, 2, true, "c1c2");
        row("readNvMem wrong address", "readNvMem", hex("06021100c1c2"), 0x10, 2, false, untouched);
        row("readNvMem as readCfg", "readNvMem", hex("03021000c1c2"), 0x10, 2, false, untouched);
        row("readNvMem short", "readNvMem", hex("06021000c1"), 0x10, 2, false, untouched);

        row("readMachineSetup", "readMachineSetup", hex("0902a1a2a3"), 0, 3, true, "a1a2a3");
        row("readMachineSetup short", "readMachineSetup", hex("0902a1a2"), 0, 3, false, untouched);
        row("readMachineSetup long", "readMachineSetup", hex("0902a1a2a3a4"), 0, 3, false, untouched);
        row("readMachineSetup wrong command", "readMachineSetup", hex("0a02a1a2a3"), 0, 3, false,
            untouched);
        row("readMachineSetup wrong direction", "readMachineSetup", hex("0901a1a2a3"), 0, 3, false,
            untouched);

        row("readDynCfg", "readDynCfg", hex("03020103aabbcc"), 0, 0, true, "1 3 aabbcc");
        row("readDynCfg empty data", "readDynCfg", hex("03020200"), 0, 0, true, "2 0 ");
        row("readDynCfg masked", "readDynCfg", hex("03fe0000dd"), 0, 0, true, "0 0 dd");
        row("readDynCfg too short", "readDynCfg", hex("030201"), 0, 0, false);
        row("readDynCfg wrong command", "readDynCfg", hex("04020103aa"), 0, 0, false);
        row("readDynCfg wrong direction", "readDynCfg", hex("03000103aa"), 0, 0, false);

        row("writeCfg", "writeCfg", hex("0402"), 0, 0, true);
        row("writeCfg masked", "writeCfg", hex("04f6"), 0, 0, true);
        row("writeCfg long", "writeCfg", hex("040200"), 0, 0, false);
        row("writeCfg echo of request", "writeCfg", hex("0400"), 0, 0, false);
        row("writeCfg wrong command", "writeCfg", hex("0502"), 0, 0, false);
        row("writeDynCfg", "writeDynCfg", hex("0402"), 0, 0, true);
        row("writeDynCfg any length", "writeDynCfg", hex("04020000"), 0, 0, true);
        row("writeDynCfg wrong command", "writeDynCfg", hex("0302"), 0, 0, false);
        row("writeDynCfg one byte", "writeDynCfg", hex("04"), 0, 0, false);
        row("saveCfg", "saveCfg", hex("0502"), 0, 0, true);
        row("saveCfg long", "saveCfg", hex("050200"), 0, 0, false);
        row("saveCfg wrong direction", "saveCfg", hex("0501"), 0, 0, false);
        row("writeNvMem", "writeNvMem", hex("0702"), 0, 0, true);
        row("writeNvMem wrong command", "writeNvMem", hex("0402"), 0, 0, false);
        row("writeSn confirmed", "writeSn", hex("08020100"), 0, 0, true);
        row("writeSn high status byte", "writeSn", hex("08020001"), 0, 0, true);
        row("writeSn refused", "writeSn", hex("08020000"), 0, 0, false);
        row("writeSn short", "writeSn", hex("080201"), 0, 0, false);
        row("writeSn wrong direction", "writeSn", hex("08000100"), 0, 0, false);
        row("writeMachineSetup", "writeMachineSetup", hex("0a02"), 0, 0, true);
        row("writeMachineSetup long", "writeMachineSetup", hex("0a0200"), 0, 0, false);
        row("writeMachineSetup wrong command", "writeMachineSetup", hex("0902"), 0, 0, false);
    }

    void answers()
    {
        QFETCH(QByteArray, op);
        QFETCH(QByteArray, answer);
        QFETCH(int, address);
        QFETCH(int, length);
        QFETCH(bool, accepted);
        QFETCH(QByteArray, result);
        bool ok = !accepted;
        const QByteArray got = checkOne(op, answer, address, length, &ok);
        QCOMPARE(ok, accepted);
        QCOMPARE(got, result);
    }
};

QTEST_GUILESS_MAIN(TestPacketFrame)
#include "test_packetframe.moc"
