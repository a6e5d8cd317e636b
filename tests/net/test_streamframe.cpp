// The TCP stream frames byte for byte, the answer checks and the reassembly of segments.
#include "link/streamframe.h"
#include <QtTest>

using namespace StreamFrame;

static QByteArray hex(const char *h) { return QByteArray::fromHex(h); }

static QByteArray bytes(int n, int first = 0)
{
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b.append(char(first + i));
    return b;
}

static const quint8 *data(const QByteArray &b) { return reinterpret_cast<const quint8 *>(b.constData()); }

class TestStreamFrame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void requests_data();
    void requests();
    void versionAnswer_data();
    void versionAnswer();
    void readAnswer_data();
    void readAnswer();
    void dynAnswer_data();
    void dynAnswer();
    void accessAnswer_data();
    void accessAnswer();
    void firmwareAnswer_data();
    void firmwareAnswer();
    void reassembly_data();
    void reassembly();
    void reassemblyKeepsFollowingFrame();
};

void TestStreamFrame::requests_data()
{
    QTest::addColumn<QByteArray>("encoded");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray sixty = bytes(60, 1);
    QTest::newRow("version") << versionQuery() << hex("0200");
    QTest::newRow("readCfg") << readCfg(0x1234, 60) << hex("040334123C");
    QTest::newRow("readCfg 0") << readCfg(0, 0) << hex("0403000000");
    QTest::newRow("readCfg 61") << readCfg(0, 61) << QByteArray();
    QTest::newRow("readDynCfg") << readDynCfg(0xC0000000u) << hex("0404000000C0");
    QTest::newRow("readDynCfg next") << readDynCfg(0x01020304u) << hex("040404030201");
    QTest::newRow("writeCfg") << writeCfg(data(hex("AABBCC")), 0x0102, 3) << hex("05050201AABBCC");
    QTest::newRow("writeCfg 60") << writeCfg(data(sixty), 0x1FC0, 60) << hex("053EC01F") + sixty;
    QTest::newRow("writeCfg 61") << writeCfg(data(bytes(61)), 0, 61) << QByteArray();
    QTest::newRow("writeDynCfg") << writeDynCfg(data(hex("1122")), 2, 1, 2) << hex("050401021122");
    QTest::newRow("writeDynCfg later") << writeDynCfg(data(sixty), 60, 2, 57) << hex("053E0239") + sixty;
    QTest::newRow("writeDynCfg 61") << writeDynCfg(data(bytes(61)), 61, 2, 0) << QByteArray();
    QTest::newRow("saveCfg") << saveCfg() << hex("0600");
    QTest::newRow("readNvMem") << readNvMem(0x0040, 16) << hex("0703400010");
    QTest::newRow("readNvMem 61") << readNvMem(0, 61) << QByteArray();
    QTest::newRow("writeNvMem") << writeNvMem(data(hex("5A")), 0x007F, 1) << hex("08037F005A");
    QTest::newRow("writeNvMem 61") << writeNvMem(data(bytes(61)), 0, 61) << QByteArray();
    QTest::newRow("access") << access(BridgeBase, "pässwort") << hex("E009") + QByteArray("pässwort");
    QTest::newRow("access empty") << access(BridgeBase, QByteArray()) << hex("E000");
    QTest::newRow("access 255") << access(BridgeBase, QByteArray(255, 'x')) << hex("E0FF") + QByteArray(255, 'x');
    QTest::newRow("access 256") << access(BridgeBase, QByteArray(256, 'x')) << QByteArray();
    QTest::newRow("finish bridge") << finishFirmware(BridgeBase) << hex("EE00");
    QTest::newRow("finish controller") << finishFirmware(ControllerBase) << hex("0E00");
    QTest::newRow("firmware bridge") << writeFirmware(BridgeBase, 0x1170, hex("0102")) << hex("EF0470110102");
    QTest::newRow("firmware controller") << writeFirmware(ControllerBase, 20, hex("FF")) << hex("0F031400FF");
    QTest::newRow("firmware 240") << writeFirmware(BridgeBase, 240, bytes(240)) << hex("EFF2F000") + bytes(240);
    QTest::newRow("firmware 241") << writeFirmware(BridgeBase, 241, bytes(241)) << QByteArray();
}

void TestStreamFrame::requests()
{
    QFETCH(QByteArray, encoded);
    QFETCH(QByteArray, expected);
    QCOMPARE(encoded.toHex(' '), expected.toHex(' '));
}

void TestStreamFrame::versionAnswer_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("good") << hex("0206010200013412") << true;
    QTest::newRow("wrong command") << hex("0306010200013412") << false;
    QTest::newRow("wrong length") << hex("02050102000134") << false;
    QTest::newRow("header only") << hex("0206") << false;
    QTest::newRow("cleared command") << hex("0006010200013412") << false;
}

void TestStreamFrame::versionAnswer()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, accepted);
    Identity id{7, 7, 7};
    QCOMPARE(checkVersion(answer, &id), accepted);
    if (accepted) {
        QCOMPARE(id.word0, quint16(0x0201));
        QCOMPARE(id.word1, quint16(0x0100));
        QCOMPARE(id.word2, quint16(0x1234));
    } else {
        QCOMPARE(id.word0, quint16(7));
    }
}

void TestStreamFrame::readAnswer_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("accepted");
    const int cfg = CmdRead, nv = CmdReadNv;
    QTest::newRow("cfg good") << cfg << hex("04053412AABBCC") << 0x1234 << 3 << true;
    QTest::newRow("cfg other address") << cfg << hex("04053512AABBCC") << 0x1234 << 3 << false;
    QTest::newRow("cfg short") << cfg << hex("04043412AABB") << 0x1234 << 3 << false;
    QTest::newRow("cfg long") << cfg << hex("04063412AABBCCDD") << 0x1234 << 3 << false;
    QTest::newRow("cfg as nv") << cfg << hex("07053412AABBCC") << 0x1234 << 3 << false;
    QTest::newRow("cfg 60") << cfg << hex("043EC01F") + bytes(60) << 0x1FC0 << 60 << true;
    QTest::newRow("nv good") << nv << hex("07034000EE") << 0x40 << 1 << true;
    QTest::newRow("nv as cfg") << nv << hex("04034000EE") << 0x40 << 1 << false;
    QTest::newRow("nv other address") << nv << hex("07034100EE") << 0x40 << 1 << false;
}

void TestStreamFrame::readAnswer()
{
    QFETCH(int, command);
    QFETCH(QByteArray, answer);
    QFETCH(int, address);
    QFETCH(int, length);
    QFETCH(bool, accepted);
    QCOMPARE(checkRead(quint8(command), answer, quint16(address), length), accepted);
}

void TestStreamFrame::dynAnswer_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("complete");
    QTest::addColumn<QByteArray>("payload");
    QTest::newRow("data") << hex("04050102AABBCC") << true << 1 << 2 << hex("AABBCC");
    QTest::newRow("no data") << hex("04020300") << true << 3 << 0 << QByteArray();
    QTest::newRow("60 bytes") << hex("043E0000") + bytes(60) << true << 0 << 0 << bytes(60);
    QTest::newRow("61 bytes") << hex("043F0000") + bytes(61) << false << 0 << 0 << QByteArray();
    QTest::newRow("no flags") << hex("0401AA") << false << 0 << 0 << QByteArray();
    QTest::newRow("wrong command") << hex("05020000") << false << 0 << 0 << QByteArray();
}

void TestStreamFrame::dynAnswer()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, accepted);
    DynPacket p;
    QCOMPARE(checkReadDynCfg(answer, &p), accepted);
    if (!accepted)
        return;
    QFETCH(int, flags);
    QFETCH(int, complete);
    QFETCH(QByteArray, payload);
    QCOMPARE(int(p.flags), flags);
    QCOMPARE(int(p.complete), complete);
    QCOMPARE(p.data, payload);
}

void TestStreamFrame::accessAnswer_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("word0");
    QTest::newRow("version") << QByteArray("\xE0\x09" "2.7 relay") << true << "2.7 relay" << 0x0207;
    QTest::newRow("zero ends text") << QByteArray("\xE0\x07" "3.12\0xx", 9) << true << "3.12" << 0x030C;
    QTest::newRow("no version") << QByteArray("\xE0\x05" "relay") << true << "relay" << 0;
    QTest::newRow("one number") << QByteArray("\xE0\x02" "v2") << true << "v2" << 0;
    QTest::newRow("kept to 16 bits") << QByteArray("\xE0\x07" "300.400") << true << "300.400" << 0x2D90;
    QTest::newRow("utf8") << QByteArray("\xE0\x07" "1.0 \xC3\xA4!") << true << QString::fromUtf8("1.0 ä!") << 0x0100;
    QTest::newRow("empty") << hex("E000") << false << QString() << 0;
    QTest::newRow("controller base") << QByteArray("\x00\x03" "1.0", 5) << false << QString() << 0;
}

void TestStreamFrame::accessAnswer()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, accepted);
    QString got = QStringLiteral("old");
    QCOMPARE(checkAccess(BridgeBase, answer, &got), accepted);
    if (!accepted) {
        QCOMPARE(got, QStringLiteral("old"));
        return;
    }
    QFETCH(QString, text);
    QFETCH(int, word0);
    QCOMPARE(got, text);
    QCOMPARE(int(versionWord(got)), word0);
}

void TestStreamFrame::firmwareAnswer_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("bridge") << int(BridgeBase) << hex("EF06000000000000") << true;
    QTest::newRow("content not examined") << int(BridgeBase) << hex("EF06FFFFFFFFFFFF") << true;
    QTest::newRow("controller") << int(ControllerBase) << hex("0F06010203040506") << true;
    QTest::newRow("other base") << int(BridgeBase) << hex("0F06010203040506") << false;
    QTest::newRow("short") << int(BridgeBase) << hex("EF050000000000") << false;
    QTest::newRow("timed out") << int(BridgeBase) << hex("0000") << false;
}

void TestStreamFrame::firmwareAnswer()
{
    QFETCH(int, base);
    QFETCH(QByteArray, answer);
    QFETCH(bool, accepted);
    QCOMPARE(checkWriteFirmware(quint8(base), answer), accepted);
}

void TestStreamFrame::reassembly_data()
{
    QTest::addColumn<int>("segment");
    QTest::newRow("single bytes") << 1;
    QTest::newRow("pairs") << 2;
    QTest::newRow("threes") << 3;
    QTest::newRow("whole") << 1000;
}

void TestStreamFrame::reassembly()
{
    QFETCH(int, segment);
    const QList<QByteArray> frames = {hex("0206010200013412"), hex("0600"), hex("043EC01F") + bytes(60),
                                      hex("E0FF") + QByteArray(255, 'v')};
    QByteArray stream;
    for (const QByteArray &f : frames)
        stream += f;
    Reassembler r;
    QList<QByteArray> got;
    for (int at = 0; at < stream.size(); at += segment) {
        r.feed(stream.mid(at, segment));
        QByteArray f;
        while (r.take(&f))
            got.append(f);
    }
    QCOMPARE(got, frames);
    QCOMPARE(r.buffered(), 0);
    QCOMPARE(r.missing(), 2);
}

void TestStreamFrame::reassemblyKeepsFollowingFrame()
{
    Reassembler r;
    r.feed(hex("04"));
    QCOMPARE(r.missing(), 1);
    QVERIFY(!r.take(nullptr));
    r.feed(hex("0234"));
    QCOMPARE(r.missing(), 1);
    r.feed(hex("1206"));
    QByteArray f;
    QVERIFY(r.take(&f));
    QCOMPARE(f, hex("04023412"));
    QCOMPARE(r.missing(), 1);
    QCOMPARE(r.drain(), hex("06"));
    QCOMPARE(r.buffered(), 0);
}

QTEST_GUILESS_MAIN(TestStreamFrame)
#include "test_streamframe.moc"
