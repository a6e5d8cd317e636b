// The model list, model selection, the change path and the page helpers.
#include "devices/devicecfg.h"
#include "devices/devtab.h"
#include "editors/textpool.h"
#include "fakelink.h"
#include "recordinghost.h"
#include "testmodel.h"
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

class TestDeviceCfg : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { DeviceCfg::setCurrent(nullptr); }

    void listKeepsConstructionOrder()
    {
        TestModel a("a", 1, 2, 3), b("b", 1, 2, 3), c("c", 4, 5, 6);
        QCOMPARE(DeviceCfg::first(), &a);
        QCOMPARE(a.next, &b);
        QCOMPARE(b.next, &c);
        QCOMPARE(c.next, nullptr);
    }

    void destroyedModelLeavesList()
    {
        TestModel a("a", 1, 2, 3);
        {
            TestModel b("b", 1, 2, 3);
            TestModel c("c", 1, 2, 3);
            DeviceCfg::setCurrent(&b);
        }
        QCOMPARE(a.next, nullptr);
        QCOMPARE(DeviceCfg::current(), nullptr);
        TestModel d("d", 1, 2, 3);
        QCOMPARE(a.next, &d);
    }

    void firstAcceptingModelWins()
    {
        TestModel other("other", 9, 9, 9), early("early", 1, 2, 3), late("late", 1, 2, 3);
        QVERIFY(DeviceCfg::selectModel(1, 2, 3));
        QCOMPARE(DeviceCfg::current(), &early);
    }

    void noModelAcceptsLeavesCurrentNull()
    {
        TestModel a("a", 1, 2, 3);
        QVERIFY(!DeviceCfg::selectModel(1, 2, 4));
        QCOMPARE(DeviceCfg::current(), nullptr);
    }

    // The model in use keeps a board it accepts; a board of another model goes to that one,
    // and a board no model accepts leaves the model in use.
    void currentModelIsAskedFirst()
    {
        TestModel a("a", 1, 2, 3), b("b", 4, 5, 6), alsoA("also a", 1, 2, 3);
        DeviceCfg::setCurrent(&alsoA);
        QVERIFY(DeviceCfg::selectModel(1, 2, 3));
        QCOMPARE(DeviceCfg::current(), &alsoA);
        QVERIFY(DeviceCfg::selectModel(4, 5, 6));
        QCOMPARE(DeviceCfg::current(), &b);
        QVERIFY(!DeviceCfg::selectModel(7, 8, 9));
        QCOMPARE(DeviceCfg::current(), &b);
    }

    void changesAreHeldWhilePageIsBuilt()
    {
        TestModel a("a", 1, 2, 3);
        DeviceCfg::notifyChange(5, 2); // no current model: nothing to reach, no crash
        DeviceCfg::setCurrent(&a);
        {
            PageBuildGuard building;
            QCOMPARE(DeviceCfg::pageBuilding(), 1);
            DeviceCfg::notifyChange(5, 2);
            {
                PageBuildGuard nested;
                DeviceCfg::notifyChange(6, 1);
            }
            DeviceCfg::notifyChange(7, 1);
        }
        QCOMPARE(DeviceCfg::pageBuilding(), 0);
        QVERIFY(a.changes.isEmpty());
        DeviceCfg::notifyChange(0x8074, 1);
        QCOMPARE(a.changes.size(), 1);
        QCOMPARE(a.changes.first(), qMakePair(quint32(0x8074), 1));
    }

    void helpTextFallsBack()
    {
        TestModel a("a", 1, 2, 3);
        DeviceCfg::clearHelpTexts();
        DeviceCfg::setHelpText(12, QStringLiteral("twelve"));
        QCOMPARE(a.helpText(12), QStringLiteral("twelve"));
        QCOMPARE(a.helpText(13), QStringLiteral("No help for parameter 13"));
    }

    void helpLinkText()
    {
        QCOMPARE(DeviceCfg::helpLink(32884),
                 QStringLiteral(" <a href=\"#ln32884\"><img width=16 src=\":/res/info.png\"/></a>"));
    }

    void addTabTogglesContent()
    {
        QWidget page;
        auto *layout = new QVBoxLayout(&page);
        QWidget *content = DeviceCfg::addTab(&page, layout, QStringLiteral("Programs"));
        page.show();
        auto *button = qobject_cast<QPushButton *>(layout->itemAt(0)->widget());
        QVERIFY(button);
        QCOMPARE(button->objectName(), QStringLiteral("tabButton"));
        QCOMPARE(content->objectName(), QStringLiteral("tabContents"));
        QCOMPARE(layout->itemAt(1)->widget(), content);
        QVERIFY(button->isCheckable());
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QVERIFY(!content->isVisible());
        button->click();
        QVERIFY(content->isVisible());
        button->click();
        QVERIFY(!content->isVisible());
    }

    void devTabSignalsAndTexts()
    {
        QWidget page;
        DevTab tab(QStringLiteral("Show"), QStringLiteral("Hide"), &page);
        QCOMPARE(tab.button->objectName(), QStringLiteral("tab2Button"));
        QCOMPARE(tab.content->objectName(), QStringLiteral("tab2Content"));
        QSignalSpy spy(&tab, &DevTab::slectedArea);
        tab.button->click();
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.first().at(0).value<QWidget *>(), tab.content);
        tab.setAltText(true);
        QCOMPARE(tab.button->text(), QStringLiteral("Hide"));
        tab.setAltText(false);
        QCOMPARE(tab.button->text(), QStringLiteral("Show"));
    }

    // A rename moves the texts after it in the pool: a moved reference word the board did not
    // take is counted and told, like any write, and the words after it are not tried.
    void failedReferenceWriteIsTold()
    {
        struct Connected : RecordingHost
        {
            QList<quint32> failed;
            bool boardConnected() const override { return true; }
            void changeFailed(quint32 key) override { failed.append(key); }
        } host;
        QByteArray image(8192, char(0xFF));
        auto *bytes = reinterpret_cast<quint8 *>(image.data());
        FakeLink link;
        setCurrentLink(&link);
        TextPool pool;
        pool.setDownward(bytes, 0, 6540);
        TextRecord records[3];
        QLineEdit edits[3];
        for (int i = 0; i < 3; ++i) {
            PageBuildGuard building;
            records[i].word = bytes + 6788 + 2 * i;
            pool.add(&records[i]);
            edits[i].setText(QStringLiteral("Program %1").arg(i));
            pool.store(&records[i], &edits[i]);
        }
        link.failOp = "writeCfg";
        link.failAddress = 6790;
        edits[0].setText(QStringLiteral("Wash deluxe"));
        pool.store(&records[0], &edits[0]);
        setCurrentLink(nullptr);
        QCOMPARE(link.callsOf("writeCfg").size(), 1);
        QCOMPARE(host.failed, QList<quint32>{6790});
    }
};

QTEST_MAIN(TestDeviceCfg)
#include "test_devicecfg.moc"
