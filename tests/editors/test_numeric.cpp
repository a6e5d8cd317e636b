// Slider editors of fixed-layout images: stores, notifications, ranges, forms, the protected slider.
#include "devices/devicecfg.h"
#include "editors/parinverter.h"
#include "editors/parslider2.h"
#include "editors/parslider2s.h"
#include "editors/protectedslider.h"
#include "sliderdrive.h"
#include "testmodel.h"
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtTest>

using Changes = QVector<QPair<quint32, int>>;

class TestNumeric : public QObject
{
    Q_OBJECT
    TestModel *model = nullptr;
    quint8 *img() { return reinterpret_cast<quint8 *>(model->bytes.data()); }
    quint16 *at16(int addr) { return reinterpret_cast<quint16 *>(img() + addr); }
    int word(int addr) { return Par::load16(img() + addr); }

private Q_SLOTS:
    void init()
    {
        model = new TestModel("m", 0, 0, 0);
        DeviceCfg::setCurrent(model);
        model->bytes = QByteArray(8192, char(0xFF));
        model->nv = QByteArray(128, char(0xFF));
    }
    void cleanup()
    {
        delete model;
        model = nullptr;
    }

    void sliderMoveStoresAndNotifiesOnce()
    {
        QWidget page;
        auto *par = new ParSlider2(&page, model, 116, 2, 0, 1000);
        auto *slider = par->findChild<ProtectedSlider *>(QStringLiteral("slider"));
        auto *spin = par->findChild<QSpinBox *>(QStringLiteral("spin"));
        QVERIFY(slider && spin);
        slider->setValue(321);
        QCOMPARE(word(116), 321);
        QCOMPARE(spin->value(), 321);
        QCOMPARE(model->changes, (Changes{{116, 2}}));
        spin->setValue(322);
        QCOMPARE(slider->value(), 322);
        QCOMPARE(model->changes.size(), 2);
    }

    void nvValueReadFromTheNvRegion()
    {
        QWidget page;
        Par::store16(model->nv.data() + 116, 7);
        Par::store16(img() + 116, 9);
        auto *par = new ParSlider2(&page, model, Par::NvFlag + 116, 2, 0, 1000);
        QCOMPARE(par->findChild<QSpinBox *>()->value(), 7);
        par->findChild<QSpinBox *>()->setValue(8);
        QCOMPARE(Par::load16(model->nv.constData() + 116), quint16(8));
        QCOMPARE(word(116), 9);
    }

    void nvValueKeyAndBlueTitle()
    {
        QWidget page;
        auto *par = new ParSlider2(&page, model, Par::NvFlag + 116, 2, 0, 1000);
        auto *title = par->findChild<QLabel *>(QStringLiteral("label"));
        QCOMPARE(title->property("nvmem").toInt(), 1);
        QVERIFY(title->text().contains(QStringLiteral("#ln32884")));
        par->findChild<QSpinBox *>()->setValue(5);
        QCOMPARE(model->changes, (Changes{{32884, 2}}));
        QCOMPARE(par->objectName(), QStringLiteral("ParSlider2"));
    }

    void eightBitRangeTruncated_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("lo");
        QTest::addColumn<int>("hi");
        QTest::newRow("300") << 0 << 300 << 0 << 44;
        QTest::newRow("255") << 1 << 255 << 1 << 255;
        QTest::newRow("260..511") << 260 << 511 << 4 << 255;
    }
    void eightBitRangeTruncated()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, lo);
        QFETCH(int, hi);
        QWidget page;
        auto *par = new ParSlider2(&page, model, 40, 1, min, max);
        auto *spin = par->findChild<QSpinBox *>();
        auto *slider = par->findChild<QSlider *>();
        QCOMPARE(spin->minimum(), lo);
        QCOMPARE(spin->maximum(), hi);
        QCOMPARE(slider->maximum(), hi);
        spin->setValue(hi - 1);
        QCOMPARE(int(img()[40]), hi - 1);
        QCOMPARE(int(img()[41]), 0xFF);
        QCOMPARE(model->changes, (Changes{{40, 1}}));
    }

    void stepButtonsMoveBySingleStep()
    {
        QWidget page;
        Par::store16(img() + 10, 50);
        auto *par = new ParSlider2(&page, model, 10, 2, 0, 51);
        const auto buttons = par->findChildren<QPushButton *>(QStringLiteral("Sqr"));
        QCOMPARE(buttons.size(), 2);
        QCOMPARE(buttons[0]->text(), QStringLiteral("-"));
        QTest::mouseClick(buttons[1], Qt::LeftButton);
        QTest::mouseClick(buttons[1], Qt::LeftButton);
        QCOMPARE(word(10), 51);
        QTest::mouseClick(buttons[0], Qt::LeftButton);
        QCOMPARE(word(10), 50);
        QCOMPARE(model->changes.size(), 2);
    }

    void compactFormShowsSpinOnly()
    {
        QWidget page;
        page.setProperty("hideTitle", true);
        auto *layout = new QVBoxLayout(&page);
        auto *par = new ParSlider2(&page, model, 10, 2, 0, 100);
        layout->addWidget(par);
        page.show();
        QVERIFY(par->findChildren<QPushButton *>().isEmpty());
        QVERIFY(!par->findChild<QSlider *>()->isVisible());
        QVERIFY(!par->findChild<QLabel *>()->isVisible());
        QVERIFY(par->findChild<QLabel *>()->text().isEmpty());
        QVERIFY(par->findChild<QSpinBox *>()->isVisible());
    }

    void refreshShowsWithoutStoring()
    {
        QWidget page;
        Par::store16(img() + 20, 30);
        auto *par = new ParSlider2(&page, model, 20, 2, 10, 50);
        Par::store16(img() + 20, 5); // loaded from a file, below the range
        par->refresh();
        QCOMPARE(par->findChild<QSpinBox *>()->value(), 10);
        QCOMPARE(word(20), 5);
        QVERIFY(model->changes.isEmpty());
    }

    void signedSlider()
    {
        QWidget page;
        Par::store16(img() + 30, quint16(qint16(-100)));
        auto *par = new ParSlider2s(&page, model, 30, -1800, 1800);
        auto *spin = par->findChild<QSpinBox *>();
        QCOMPARE(spin->minimum(), -1800);
        QCOMPARE(spin->value(), -100);
        spin->setValue(-1800);
        QCOMPARE(Par::load16s(img() + 30), qint16(-1800));
        QCOMPARE(model->changes, (Changes{{30, 2}}));
        QCOMPARE(par->objectName(), QStringLiteral("ParSlider2"));
    }

    void signedSliderNoErasedCheck()
    {
        QWidget page;
        auto *par = new ParSlider2s(&page, model, 30, -1800, 1800);
        QCOMPARE(Par::load16s(img() + 30), qint16(-1));
        QCOMPARE(par->findChild<QSpinBox *>()->value(), -1);
    }

    void inverterByte()
    {
        QWidget page;
        img()[7] = 0x85;
        auto *par = new ParInverter(&page, model, 7);
        auto *spin = par->findChild<QSpinBox *>(QStringLiteral("spin"));
        QPushButton *on = nullptr;
        for (auto *b : par->findChildren<QPushButton *>())
            if (b->text() == QLatin1String("ON"))
                on = b;
        QVERIFY(on);
        QCOMPARE(spin->value(), 5);
        QCOMPARE(spin->maximum(), 100);
        QVERIFY(on->isChecked());
        par->findChild<QSlider *>()->setValue(40);
        QCOMPARE(int(img()[7]), 0xA8);
        on->click();
        QCOMPARE(int(img()[7]), 0x28);
        on->click();
        QCOMPARE(int(img()[7]), 0xA8);
        QCOMPARE(model->changes, (Changes{{7, 1}, {7, 1}, {7, 1}}));
        img()[7] = 0x03;
        par->refresh();
        QCOMPARE(spin->value(), 3);
        QVERIFY(!on->isChecked());
        QCOMPARE(model->changes.size(), 3);
    }

    void inverterCompactKeepsEnableAndSpin()
    {
        QWidget page;
        page.setProperty("hideTitle", true);
        auto *par = new ParInverter(&page, model, 7);
        const auto buttons = par->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons[0]->text(), QStringLiteral("ON"));
        QVERIFY(par->findChild<QSpinBox *>());
    }

    void grooveClickChangesNothingHandleDrags()
    {
        QWidget page;
        auto *layout = new QVBoxLayout(&page);
        Par::store16(img() + 50, 50);
        auto *par = new ParSlider2(&page, model, 50, 2, 0, 100);
        layout->addWidget(par);
        page.resize(500, 120);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        auto *slider = par->findChild<ProtectedSlider *>();
        QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, sliderGroovePoint(slider));
        QCOMPARE(slider->value(), 50);
        QCOMPARE(word(50), 50);
        QVERIFY(model->changes.isEmpty());
        dragSliderHandle(slider, slider->width() / 4);
        QVERIFY(slider->value() > 50);
        QCOMPARE(word(50), slider->value());
        QVERIFY(!model->changes.isEmpty());
    }

    void nothingSentWhilePageBuilt()
    {
        QWidget page;
        PageBuildGuard building;
        auto *par = new ParSlider2(&page, model, 60, 2, 0, 100);
        par->findChild<QSpinBox *>()->setValue(9);
        auto *inv = new ParInverter(&page, model, 70);
        inv->findChild<QSpinBox *>()->setValue(9);
        QCOMPARE(word(60), 9);
        QVERIFY(model->changes.isEmpty());
    }
};

QTEST_MAIN(TestNumeric)
#include "test_numeric.moc"
