// The dump file: header, byte-exact saving, the "_hset_" rules, rejected files, and loads that
// fail leaving every parameter as it was.
#include "cfgfixture.h"
#include "registry/dyndump.h"
#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QtTest>

static QByteArray saved(const QString &name)
{
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    if (!DynDump::save(&b, name))
        return "save failed";
    return b.data();
}

static bool loaded(const QByteArray &bytes, const QString &name)
{
    QBuffer b;
    b.setData(bytes);
    b.open(QIODevice::ReadOnly);
    return DynDump::load(&b, name);
}

// Accepts only the first n bytes written to it.
class ShortDevice : public QIODevice
{
public:
    explicit ShortDevice(qint64 room) : m_room(room) { open(WriteOnly); }
    QByteArray data;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *d, qint64 n) override
    {
        const qint64 k = qMin(n, m_room - qint64(data.size()));
        data.append(d, int(k));
        return k;
    }

private:
    qint64 m_room;
};

class TestDynDump : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { CfgPar::destroyAll(); }
    void cleanup() { CfgPar::destroyAll(); }

    void emptyListIsTheHeaderAlone()
    {
        CfgPar::create(0x85000001u); // other lists do not go into the file
        QCOMPARE(saved("a.bin"), QByteArray("DevCom2", 8));
    }

    void savesTheValueRecordsOfListOne()
    {
        static_cast<CfgParM16 *>(CfgPar::create(0x45000001u))->setValue(0x1234);
        static_cast<CfgParString *>(CfgPar::create(0x47000002u))->value().setText(QByteArray("ab"));
        CfgPar::create(0xC5000001u);
        const QByteArray expected = hex("446576436f6d3200 01000045 3412 02000047 0200 6162");
        QCOMPARE(saved("cfg.bin").toHex(), expected.toHex());
    }

    void longListSpansSaveChunks()
    {
        for (quint32 i = 1; i <= 100; ++i)
            static_cast<CfgParString *>(CfgPar::create(0x47000000u + i))->value().setText(QByteArray(int(i), 'a'));
        QCOMPARE(saved("cfg.bin"), QByteArray("DevCom2", 8) + imageOf(1, false).bytes);
    }

    void hardwareSettingsFileHoldsOnlyThem()
    {
        makeEveryKind();
        const QByteArray file = saved("/x/board_hset_1.bin");
        QCOMPARE(file.toHex(),
                 QByteArray(QByteArray("DevCom2", 8) + u32le(0x45100802u) + hex("c3a5") + u32le(0x49100806u)
                            + hex("0200 00f8 e007")).toHex());
        QCOMPARE(saved("/x/board_HSET_1.bin"), QByteArray("DevCom2", 8) + imageOf(1, false).bytes);
    }

    void loadRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("hwApplied");
        QTest::newRow("plain name") << "cfg.bin" << false;
        QTest::newRow("_hset_ name") << "cfg_hset_.bin" << true;
        QTest::newRow("other case") << "cfg_HSET_.bin" << false;
        QTest::newRow("marker in a folder only") << "/data/old_hset_dumps/cfg.bin" << false;
        QTest::newRow("marker in the name under such a folder") << "/data/old_hset_/cfg_hset_.bin" << true;
    }
    void loadRules()
    {
        QFETCH(QString, name);
        QFETCH(bool, hwApplied);
        makeEveryKind();
        const QByteArray file = saved("all.bin");
        QMap<quint32, QByteArray> original, scrambled;
        for (CfgPar *p = CfgPar::head(1); p; p = p->next())
            original[p->uid()] = valueOf(*p);
        scramble(1);
        for (CfgPar *p = CfgPar::head(1); p; p = p->next()) {
            scrambled[p->uid()] = valueOf(*p);
            QVERIFY(scrambled[p->uid()] != original[p->uid()]);
        }
        QVERIFY(loaded(file, name));
        int hwSeen = 0;
        for (CfgPar *p = CfgPar::head(1); p; p = p->next()) {
            const bool hw = Uid::isHwSetting(p->uid());
            hwSeen += hw;
            QCOMPARE(valueOf(*p).toHex(), (hw && !hwApplied ? scrambled : original)[p->uid()].toHex());
        }
        QCOMPARE(hwSeen, 2);
    }

    void loadClampsNumbers_data()
    {
        QTest::addColumn<int>("in");
        QTest::addColumn<int>("out");
        QTest::newRow("5") << 5 << 10;
        QTest::newRow("500") << 500 << 100;
        QTest::newRow("42") << 42 << 42;
    }
    void loadClampsNumbers()
    {
        QFETCH(int, in);
        QFETCH(int, out);
        auto *n = static_cast<CfgParN16 *>(CfgPar::create(0x42000001u));
        n->setLimits(10, 100);
        QVERIFY(loaded(QByteArray("DevCom2", 8) + u32le(0x42000001u) + u16le(quint16(in)), "c.bin"));
        QCOMPARE(int(n->value()), out);
    }

    void recordsOfAbsentParametersAreSkipped()
    {
        auto *m = static_cast<CfgParM16 *>(CfgPar::create(0x45000001u));
        QVERIFY(loaded(QByteArray("DevCom2", 8) + u32le(0x47000009u) + hex("0300 414243") + u32le(0x45000001u)
                           + hex("0100"),
                       "c.bin"));
        QCOMPARE(m->value(), quint16(1));
    }

    // Files that must be refused, leaving everything as it was.
    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray head("DevCom2", 8);
        const QByteArray good = u32le(0x45000001u) + hex("7777");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("header only") << head;
        QTest::newRow("no zero byte") << QByteArray("DevCom2") + good;
        QTest::newRow("seven bytes") << QByteArray("DevCom2");
        QTest::newRow("other header") << QByteArray("DevCom3", 8) + good;
        QTest::newRow("fixed-layout dump") << QByteArray(8192, '\xff');
        QTest::newRow("unknown type after a good record") << head + good + u32le(0x4C000001u) + hex("0000");
        QTest::newRow("truncated last record") << head + good + u32le(0x46000002u) + hex("010203");
        QTest::newRow("truncated uid") << head + good + hex("020000");
        QTest::newRow("string of 65535 announced") << head + good + u32le(0x47000003u) + hex("ffff")
                                                  + QByteArray(70000, 'x');
        QTest::newRow("hardware record cut short") << head + good + u32le(0x45000801u) + hex("01");
    }
    void refusedFiles()
    {
        QFETCH(QByteArray, file);
        auto *m = static_cast<CfgParM16 *>(CfgPar::create(0x45000001u));
        m->setValue(0x1111);
        CfgPar::create(0x46000002u);
        CfgPar::create(0x47000003u);
        CfgPar::create(0x45000801u);
        const QByteArray before = imageOf(1, true).bytes;
        QVERIFY(!loaded(file, "c.bin"));
        QVERIFY(!loaded(file, "c_hset_.bin"));
        QCOMPARE(imageOf(1, true).bytes.toHex(), before.toHex());
    }

    void fileNameComesFromTheFile()
    {
        QTemporaryDir dir;
        auto *hw = static_cast<CfgParM16 *>(CfgPar::create(0x45000801u));
        auto *plain = static_cast<CfgParM16 *>(CfgPar::create(0x45000001u));
        hw->setValue(0xAAAA);
        plain->setValue(0x5555);
        // Saved the way the program saves: atomically, the name is the final file's.
        QSaveFile out(dir.filePath("m_hset_.bin"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        QVERIFY(DynDump::save(&out));
        QVERIFY(out.commit());
        QFile f(dir.filePath("m_hset_.bin"));
        QCOMPARE(f.size(), 8 + 6);
        hw->setValue(0);
        plain->setValue(0);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(DynDump::load(&f));
        QCOMPARE(hw->value(), quint16(0xAAAA));
        QCOMPARE(plain->value(), quint16(0));
    }

    void shortWriteFailsTheSave_data()
    {
        QTest::addColumn<int>("room");
        QTest::newRow("header cut") << 4;
        QTest::newRow("records cut") << 100;
    }
    void shortWriteFailsTheSave()
    {
        QFETCH(int, room);
        for (quint32 i = 1; i <= 100; ++i)
            CfgPar::create(0x46000000u + i);
        ShortDevice dev(room);
        QVERIFY(!DynDump::save(&dev, "c.bin"));
        QCOMPARE(dev.data.size(), room);
    }
};

QTEST_GUILESS_MAIN(TestDynDump)
#include "test_dyndump.moc"
