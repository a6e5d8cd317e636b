// Parameter-bound number editors: clamping through the value kind, the array editor, hiding.
#include "devices/devicecfg.h"
#include "editors/paru16.h"
#include "editors/paru16a16.h"
#include "editors/protectedslider.h"
#include "testmodel.h"
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

using Changes = QVector<QPair<quint32, int>>;

class TestParBound : public QObject
{
    Q_OBJECT
    TestModel *model = nullptr;

    static QSpinBox *spinWithId(QWidget *w, int id)
    {
        for (auto *s : w->findChildren<QSpinBox *>())
            if (s->property("id").toInt() == id)
                return s;
        return nullptr;
    }
    static QSlider *sliderWithId(QWidget *w, int id)
    {
        for (auto *s : w->findChildren<QSlider *>())
            if (s->property("id").toInt() == id)
                return s;
        return nullptr;
    }

private Q_SLOTS:
    void init()
    {
        model = new TestModel("m", 0, 0, 0);
        DeviceCfg::setCurrent(model);
    }
    void cleanup()
    {
        delete model;
        model = nullptr;
    }

    void u16ShowsClampedStoresOnMove()
    {
        CfgParN16 par;
        par.attach(Uid::make(1, Uid::TypeN16, 0x101));
        par.setLimits(10, 20);
        QWidget page;
        auto *ed = new ParU16(&page, &par);
        QCOMPARE(ed->objectName(), QStringLiteral("ParU16"));
        auto *spin = ed->findChild<QSpinBox *>(QStringLiteral("spin"));
        auto *slider = ed->findChild<ProtectedSlider *>(QStringLiteral("slider"));
        QCOMPARE(par.value(), quint16(0)); // as loaded, below the range
        QCOMPARE(spin->value(), 10);
        QCOMPARE(slider->value(), 10);
        slider->setValue(12);
        QCOMPARE(par.value(), quint16(12));
        QCOMPARE(spin->value(), 12);
        QCOMPARE(model->changes, (Changes{{par.uid(), 0}}));
        QVERIFY(ed->findChild<QLabel *>(QStringLiteral("label"))->text().contains(
            QStringLiteral("#ln%1\"").arg(par.uid())));
    }

    void u16ClampsThroughValueKind()
    {
        CfgParN16 par;
        par.attach(Uid::make(1, Uid::TypeN16, 0x102));
        par.setLimits(50, 20); // reversed by the board: the upper limit wins
        par.setValue(20);
        QWidget page;
        auto *ed = new ParU16(&page, &par);
        ed->setValue(35);
        QCOMPARE(par.value(), quint16(20));
        ed->setValue(20);
        QCOMPARE(model->changes.size(), 1);
    }

    void u16RefreshShowsClampedLeavesValue()
    {
        CfgParN16 par;
        par.attach(Uid::make(1, Uid::TypeN16, 0x103));
        par.setLimits(10, 20);
        par.setValue(15);
        QWidget page;
        auto *ed = new ParU16(&page, &par);
        par.setLimits(0, 20); // a value loaded from a file, below the editor's range
        par.setValue(5);
        par.setLimits(10, 20);
        ed->refresh();
        QCOMPARE(ed->findChild<QSpinBox *>()->value(), 10);
        QCOMPARE(ed->findChild<QSlider *>()->value(), 10);
        QCOMPARE(par.value(), quint16(5));
        QVERIFY(model->changes.isEmpty());
    }

    void hiddenWhenHardwareSetting_data()
    {
        QTest::addColumn<quint32>("number");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("hardware") << quint32(0x800 | 4) << true;
        QTest::newRow("plain") << quint32(4) << false;
    }
    void hiddenWhenHardwareSetting()
    {
        QFETCH(quint32, number);
        QFETCH(bool, hidden);
        CfgParN16 n;
        n.attach(Uid::make(1, Uid::TypeN16, number));
        CfgParValArr16 a;
        a.attach(Uid::make(1, Uid::TypeValArr16, number));
        QWidget page;
        auto *e1 = new ParU16(&page, &n);
        auto *e2 = new ParU16A16(&page, &a);
        page.show();
        QCOMPARE(e1->isHidden(), hidden);
        QCOMPARE(e2->isHidden(), hidden);
    }

    void arrayRowChangesOnlyItsElement()
    {
        CfgParValArr16 par;
        par.attach(Uid::make(1, Uid::TypeValArr16, 0x201));
        par.setLimits(0, 500);
        for (int i = 0; i < 16; ++i)
            par.setAt(i, quint16(i * 10));
        QWidget page;
        auto *ed = new ParU16A16(&page, &par);
        QCOMPARE(ed->findChildren<QSpinBox *>().size(), 16);
        QCOMPARE(ed->findChildren<ProtectedSlider *>().size(), 0);
        QCOMPARE(sliderWithId(ed, 3)->orientation(), Qt::Vertical);
        QCOMPARE(spinWithId(ed, 7)->value(), 70);
        spinWithId(ed, 3)->setValue(333);
        QCOMPARE(par.at(3), quint16(333));
        QCOMPARE(sliderWithId(ed, 3)->value(), 333);
        QCOMPARE(sliderWithId(ed, 4)->value(), 40);
        QCOMPARE(par.at(4), quint16(40));
        QCOMPARE(model->changes, (Changes{{par.uid(), 0}}));
        par.setAt(5, 1);
        ed->refresh();
        QCOMPARE(spinWithId(ed, 5)->value(), 1);
        QCOMPARE(model->changes.size(), 1);
    }

    void arrayStepButtons()
    {
        CfgParValArr16 par;
        par.attach(Uid::make(1, Uid::TypeValArr16, 0x202));
        par.setLimits(0, 500);
        QWidget page;
        auto *ed = new ParU16A16(&page, &par);
        const auto buttons = ed->findChildren<QPushButton *>(QStringLiteral("Sqr"));
        QCOMPARE(buttons.size(), 32);
        QTest::mouseClick(buttons[1], Qt::LeftButton); // row 0 "+"
        QCOMPARE(par.at(0), quint16(1));
        QTest::mouseClick(buttons[0], Qt::LeftButton); // row 0 "-"
        QCOMPARE(par.at(0), quint16(0));
    }

    void nothingSentWhilePageBuilt()
    {
        CfgParN16 par;
        par.attach(Uid::make(1, Uid::TypeN16, 0x104));
        par.setLimits(0, 100);
        QWidget page;
        PageBuildGuard building;
        auto *ed = new ParU16(&page, &par);
        ed->findChild<QSpinBox *>()->setValue(7);
        QCOMPARE(par.value(), quint16(7));
        QVERIFY(model->changes.isEmpty());
    }
};

QTEST_MAIN(TestParBound)
#include "test_parbound.moc"
