// The registry lists and the factory: known and unknown type codes, duplicates, separation of
// the lists, order, and removal keeping the list ends right.
#include "registrytestutil.h"
#include <QtTest>
#include <typeinfo>

Q_DECLARE_METATYPE(QList<quint32>)

static QList<quint32> uidsOf(int list)
{
    QList<quint32> out;
    for (CfgPar *p = CfgPar::head(list); p; p = p->next())
        out.append(p->uid());
    return out;
}

class TestRegistry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { CfgPar::destroyAll(); }
    void cleanup() { CfgPar::destroyAll(); }

    void unknownCodesMakeNothing_data()
    {
        QTest::addColumn<quint32>("uid");
        for (quint32 code : {0x00u, 0x01u, 0x03u, 0x04u, 0x0Cu, 0x10u, 0x3Fu})
            QTest::addRow("code %02x", code) << (0x40000000u | (code << 24) | 0x1001u);
    }
    void unknownCodesMakeNothing()
    {
        QFETCH(quint32, uid);
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QString::asprintf("Cannot create UID %x. Loading corrupted.", uid)));
        QCOMPARE(CfgPar::create(uid), nullptr);
        QCOMPARE(CfgPar::count(1), 0);
        QVERIFY(!CfgPar::knownType(Uid::typeCode(uid)));
    }

    void knownCodesMakeTheirKind_data()
    {
        QTest::addColumn<quint32>("uid");
        QTest::addColumn<QByteArray>("kind");
        QTest::newRow("02") << 0x42000001u << QByteArray(typeid(CfgParN16).name());
        QTest::newRow("05") << 0x45000001u << QByteArray(typeid(CfgParM16).name());
        QTest::newRow("06") << 0x86000001u << QByteArray(typeid(CfgParM32).name());
        QTest::newRow("07") << 0x47000001u << QByteArray(typeid(CfgParString).name());
        QTest::newRow("08") << 0xC8000001u << QByteArray(typeid(CfgParValArr16).name());
        QTest::newRow("09") << 0x49000001u << QByteArray(typeid(CfgParArr3).name());
        QTest::newRow("0A") << 0x4A000001u << QByteArray(typeid(CfgParColour).name());
        QTest::newRow("0B") << 0x0B000001u << QByteArray(typeid(CfgParViewText16).name());
    }
    void knownCodesMakeTheirKind()
    {
        QFETCH(quint32, uid);
        QFETCH(QByteArray, kind);
        CfgPar *p = CfgPar::create(uid);
        QVERIFY(p);
        QCOMPARE(QByteArray(typeid(*p).name()), kind);
        QCOMPARE(p->uid(), uid);
        QCOMPARE(CfgPar::find(Uid::list(uid), uid), p);
        QCOMPARE(uidsOf(Uid::list(uid)), QList<quint32>{uid});
    }

    void maskAndColourAreDistinctKinds()
    {
        CfgPar *mask = CfgPar::create(0x45000001u);
        CfgPar *colour = CfgPar::create(0x4A000001u);
        QVERIFY(dynamic_cast<CfgParM16 *>(mask));
        QVERIFY(!dynamic_cast<CfgParColour *>(mask));
        QVERIFY(dynamic_cast<CfgParColour *>(colour));
    }

    void duplicateReturnsTheExistingObject()
    {
        auto *first = static_cast<CfgParM16 *>(CfgPar::create(0x45102003u));
        first->setValue(0x1234);
        QTest::ignoreMessage(QtDebugMsg, "CfgPar UID 45102003 already exsist.");
        QCOMPARE(CfgPar::create(0x45102003u), first);
        QCOMPARE(CfgPar::count(1), 1);
        QCOMPARE(first->value(), quint16(0x1234));
    }

    void sameNumberInTwoListsIsTwoParameters()
    {
        CfgPar *a = CfgPar::create(0x42000005u);
        CfgPar *b = CfgPar::create(0x82000005u);
        QVERIFY(a && b && a != b);
        QCOMPARE(uidsOf(1), QList<quint32>{0x42000005u});
        QCOMPARE(uidsOf(2), QList<quint32>{0x82000005u});
        QCOMPARE(CfgPar::find(1, 0x82000005u), nullptr);
        QCOMPARE(CfgPar::find(2, 0x42000005u), nullptr);
    }

    void listKeepsFirstMeetingOrder()
    {
        const QList<quint32> uids{0x45000003u, 0x42000001u, 0x47000002u, 0x46000009u};
        for (quint32 u : uids)
            CfgPar::create(u);
        CfgPar::create(0x42000001u);
        QCOMPARE(uidsOf(1), uids);
    }

    void removalKeepsTheTailRight_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("removed");
        QTest::newRow("only") << 1 << 0;
        QTest::newRow("first") << 3 << 0;
        QTest::newRow("middle") << 3 << 1;
        QTest::newRow("last") << 3 << 2;
    }
    void removalKeepsTheTailRight()
    {
        QFETCH(int, count);
        QFETCH(int, removed);
        QList<quint32> uids;
        for (int i = 0; i < count; ++i) {
            uids.append(0x45000001u + quint32(i));
            CfgPar::create(uids.last());
        }
        delete CfgPar::find(1, uids.at(removed));
        uids.removeAt(removed);
        QCOMPARE(uidsOf(1), uids);
        // An append after the removal must land at the end.
        uids.append(0x45000100u);
        QVERIFY(CfgPar::create(uids.last()));
        QCOMPARE(uidsOf(1), uids);
        QCOMPARE(CfgPar::count(1), uids.size());
    }

    void removingEverythingEmptiesTheList()
    {
        for (quint32 u : {0x45000001u, 0x45000002u})
            CfgPar::create(u);
        delete CfgPar::find(1, 0x45000002u);
        delete CfgPar::find(1, 0x45000001u);
        QCOMPARE(CfgPar::head(1), nullptr);
        QVERIFY(CfgPar::create(0x45000003u));
        QCOMPARE(uidsOf(1), QList<quint32>{0x45000003u});
    }

    void detachedObjectsAreInNoList()
    {
        CfgPar::create(0x45000001u);
        {
            std::unique_ptr<CfgPar> scratch = CfgPar::makeDetached(Uid::TypeM16);
            QVERIFY(scratch);
            QCOMPARE(scratch->uid(), 0u);
        }
        QCOMPARE(uidsOf(1), QList<quint32>{0x45000001u});
        QCOMPARE(uidsOf(0), QList<quint32>{});
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
