// The shared editor helpers: keys, erased defaults, title row, compact form, hiding, notification.
#include "editors/par.h"
#include "devices/devicecfg.h"
#include "recordinghost.h"
#include "testmodel.h"
#include <QLabel>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// The smallest editor: a title row for its key, and a change it can be told to report.
class ProbePar : public Par
{
public:
    ProbePar(QWidget *parent, quint32 key) : Par(parent), key(key)
    {
        auto *layout = new QVBoxLayout(this);
        title = makeTitleLabel(this, layout);
        if (!compactParent(parent))
            fillTitle(title, key);
        nameIfUnnamed("ProbePar");
    }
    void refresh() override {}
    void report() { notifyChange(key, 2); }
    void hideFor(quint32 uid) { hideForUid(uid); }
    quint32 key;
    QLabel *title = nullptr;
};
} // namespace

class TestParBase : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { DeviceCfg::setCurrent(nullptr); }

    void memKey_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<quint32>("flags");
        QTest::addColumn<quint32>("key");
        QTest::newRow("plain") << 116 << quint32(0) << quint32(116);
        QTest::newRow("nv") << 116 << Par::NvFlag << quint32(32884);
        QTest::newRow("start") << 0 << quint32(0) << quint32(0);
        QTest::newRow("last") << 8191 << quint32(0) << quint32(8191);
    }
    void memKey()
    {
        QFETCH(int, offset);
        QFETCH(quint32, flags);
        QFETCH(quint32, key);
        QByteArray image(8192, char(0xFF));
        QCOMPARE(Par::memKey(image.constData() + offset, image.constData(), flags), key);
    }

    void littleEndianAtOddAddress()
    {
        QByteArray image(8, 0);
        Par::store16(image.data() + 3, 0x1234);
        QCOMPARE(quint8(image[3]), quint8(0x34));
        QCOMPARE(quint8(image[4]), quint8(0x12));
        QCOMPARE(Par::load16(image.constData() + 3), quint16(0x1234));
        Par::store16(image.data() + 1, quint16(-1800));
        QCOMPARE(Par::load16s(image.constData() + 1), qint16(-1800));
    }

    void erasedDefaultStoredOnce()
    {
        QByteArray image(4, char(0xFF));
        QVERIFY(Par::setErasedDefault16(image.data(), 100));
        QCOMPARE(Par::load16(image.constData()), quint16(100));
        QVERIFY(!Par::setErasedDefault16(image.data(), 7));
        QCOMPARE(Par::load16(image.constData()), quint16(100));
        auto *byte = reinterpret_cast<quint8 *>(image.data() + 2);
        QVERIFY(Par::setErasedDefault8(byte, 5));
        QVERIFY(!Par::setErasedDefault8(byte, 9));
        QCOMPARE(*byte, quint8(5));
    }

    void titleRowCarriesHelpLink()
    {
        TestModel model("m", 0, 0, 0);
        DeviceCfg::setCurrent(&model);
        RecordingHost host;
        QWidget page;
        ProbePar par(&page, 32884);
        QCOMPARE(par.title->objectName(), QStringLiteral("label"));
        QVERIFY(par.title->wordWrap());
        QCOMPARE(par.title->text(), model.parName(32884) + DeviceCfg::helpLink(32884));
        Q_EMIT par.title->linkActivated(QStringLiteral("#ln32884"));
        QCOMPARE(host.helpShown, QStringList{QStringLiteral("#ln32884")});
        QCOMPARE(par.objectName(), QStringLiteral("ProbePar"));
    }

    void compactParentLeavesTitleEmpty()
    {
        TestModel model("m", 0, 0, 0);
        DeviceCfg::setCurrent(&model);
        QWidget page;
        page.setProperty("hideTitle", true);
        ProbePar par(&page, 5);
        QVERIFY(par.title->text().isEmpty());
        QVERIFY(!Par::compactParent(nullptr));
    }

    void hardwareUidHidden_data()
    {
        QTest::addColumn<quint32>("uid");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("bit 11") << quint32(0x02000800) << true;
        QTest::newRow("plain") << quint32(0x020007FF) << false;
    }
    void hardwareUidHidden()
    {
        QFETCH(quint32, uid);
        QFETCH(bool, hidden);
        QWidget page;
        auto *par = new ProbePar(&page, uid);
        par->hideFor(uid);
        page.show();
        QCOMPARE(par->isHidden(), hidden);
    }

    void noChangeWhilePageIsBuilt()
    {
        TestModel model("m", 0, 0, 0);
        DeviceCfg::setCurrent(&model);
        QWidget page;
        ProbePar par(&page, 12);
        {
            PageBuildGuard building;
            par.report();
        }
        QVERIFY(model.changes.isEmpty());
        par.report();
        QCOMPARE(model.changes.size(), 1);
        QCOMPARE(model.changes.first(), qMakePair(quint32(12), 2));
    }
};

QTEST_MAIN(TestParBase)
#include "test_parbase.moc"
