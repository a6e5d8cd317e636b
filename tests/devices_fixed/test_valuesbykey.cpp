// Values reached by key through their model, as editors, undo and "Reset to default" reach them:
// the bytes a key names, what a change sends, and whether the board took it.
#include "devices/devcom2.h"
#include "devices/devmarvek1_1.h"
#include "devices/devmarvek2_0.h"
#include "devices/devmarvek3_0.h"
#include "devices/devmarvekrobo1_0.h"
#include "devices/devtokmat1_0.h"
#include "fakelink.h"
#include "link/devio.h"
#include "registry/cfgkinds.h"
#include "registry/uid.h"
#include <QtEndian>
#include <QtTest>
#include <memory>

class TestValuesByKey : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { setCurrentLink(nullptr); }

    // Every fixed-layout model names its image and NV bytes alike; keys that run past either
    // name nothing and take nothing.
    void fixedKeys_data()
    {
        QTest::addColumn<quint32>("key");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("held");
        const quint32 nv = FixedLayoutModel::NvKey;
        QTest::newRow("first image word") << 0u << 2 << true;
        QTest::newRow("last image byte") << quint32(FixedLayoutModel::ImageSize - 1) << 1 << true;
        QTest::newRow("past the image end") << quint32(FixedLayoutModel::ImageSize - 1) << 2 << false;
        QTest::newRow("beyond the image") << quint32(FixedLayoutModel::ImageSize) << 1 << false;
        QTest::newRow("NV counter") << nv + 4 << 4 << true;
        QTest::newRow("past the NV end") << nv + FixedLayoutModel::NvSize - 2 << 4 << false;
        QTest::newRow("key out of range") << 0x10000u << 2 << false;
        QTest::newRow("no bytes") << 100u << 0 << false;
    }
    void fixedKeys()
    {
        QFETCH(quint32, key);
        QFETCH(int, size);
        QFETCH(bool, held);
        std::unique_ptr<FixedLayoutModel> models[] = {
            std::make_unique<DevMarvek1_1>(), std::make_unique<DevMarvek2_0>(), std::make_unique<DevMarvek3_0>(),
            std::make_unique<DevMarvekRobo1_0>(), std::make_unique<DevTokmat1_0>()};
        for (const auto &m : models) {
            const QByteArray bytes(size, '\x5A');
            QCOMPARE(m->store(key, bytes), held);
            QCOMPARE(m->value(key, size), held ? bytes : QByteArray());
            const bool nv = key & FixedLayoutModel::NvKey;
            if (held)
                QCOMPARE((nv ? m->nvRegion() : m->image())[key & ~FixedLayoutModel::NvKey], quint8(0x5A));
        }
    }

    // set() puts the bytes into the model, sends exactly them, and says whether the board took
    // them; a board that refuses leaves them in the model for the page to mark.
    void setReportsTheBoardsAnswer_data()
    {
        QTest::addColumn<bool>("linked");
        QTest::addColumn<bool>("refuses");
        QTest::newRow("taken") << true << false;
        QTest::newRow("refused") << true << true;
        QTest::newRow("no board") << false << false;
    }
    void setReportsTheBoardsAnswer()
    {
        QFETCH(bool, linked);
        QFETCH(bool, refuses);
        DevMarvek2_0 model;
        DeviceCfg::setCurrent(&model);
        FakeLink link;
        if (refuses)
            link.failOp = "writeCfg";
        if (linked)
            setCurrentLink(&link);
        const QByteArray bytes("\x34\x12", 2);
        QCOMPARE(model.set(0x0300, bytes), linked && !refuses);
        QCOMPARE(model.value(0x0300, 2), bytes);
        if (linked)
            QCOMPARE(link.callsOf("writeCfg").size(), 1);
        if (linked && !refuses)
            QCOMPARE(link.callsOf("writeCfg").first().data, bytes);
        QVERIFY(!model.set(0x3000, bytes));
        DeviceCfg::setCurrent(nullptr);
    }

    // A described parameter's value is its record (UID first); only a record of that very
    // parameter is taken back.
    void describedRecords()
    {
        CfgPar::destroyAll();
        DevCom2 model;
        const quint32 uid = Uid::make(1, Uid::TypeN16, 0x10);
        const quint32 other = Uid::make(1, Uid::TypeN16, 0x11);
        auto *par = static_cast<CfgParN16 *>(CfgPar::create(uid));
        QVERIFY(par && CfgPar::create(other));
        par->setValue(7);
        const QByteArray seven = model.value(uid, 0);
        QVERIFY(seven.size() > 4);
        QCOMPARE(qFromLittleEndian<quint32>(seven.constData()), uid);
        par->setValue(9);
        QVERIFY(model.store(uid, seven));
        QCOMPARE(par->value(), quint16(7));
        QVERIFY(!model.store(other, seven));
        QVERIFY(!model.store(uid, seven.left(3)));
        QVERIFY(model.value(Uid::make(1, Uid::TypeN16, 0x12), 0).isEmpty());
        CfgPar::destroyAll();
    }
};

QTEST_MAIN(TestValuesByKey)
#include "test_valuesbykey.moc"
