// Mask parameter editors: presentations from the model's attributes, stores and refresh.
#include "attrmodel.h"
#include "devices/devicecfg.h"
#include "editors/parm16.h"
#include "editors/parm32.h"
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using Changes = QVector<QPair<quint32, int>>;

class TestParMask : public QObject
{
    Q_OBJECT
    AttrModel *model = nullptr;

    static QPushButton *button(QWidget *w, const QString &text)
    {
        for (auto *b : w->findChildren<QPushButton *>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
    static QLineEdit *field(QWidget *w, int base)
    {
        for (auto *e : w->findChildren<QLineEdit *>())
            if (e->property("base").toInt() == base)
                return e;
        return nullptr;
    }

private Q_SLOTS:
    void init()
    {
        model = new AttrModel;
        DeviceCfg::setCurrent(model);
    }
    void cleanup()
    {
        delete model;
        model = nullptr;
    }

    void defaultGridOfSixteen()
    {
        CfgParM16 par;
        par.attach(Uid::make(1, Uid::TypeM16, 0x301));
        QWidget page;
        auto *ed = new ParM16(&page, &par);
        const auto buttons = ed->findChildren<QPushButton *>(QStringLiteral("Sqr"));
        QCOMPARE(buttons.size(), 16);
        auto *grid = ed->findChild<QGridLayout *>(QStringLiteral("gridLayout"));
        int row, col, rs, cs;
        grid->getItemPosition(grid->indexOf(button(ed, QStringLiteral("16"))), &row, &col, &rs, &cs);
        QCOMPARE(row, 1);
        QCOMPARE(col, 8);
        button(ed, QStringLiteral("3"))->click();
        QCOMPARE(par.value(), quint16(0x0004));
        QCOMPARE(model->changes, (Changes{{par.uid(), 0}}));
        button(ed, QStringLiteral("3"))->click();
        QCOMPARE(par.value(), quint16(0));
        par.setValue(0x8001);
        ed->refresh();
        QVERIFY(button(ed, QStringLiteral("1"))->isChecked());
        QVERIFY(button(ed, QStringLiteral("16"))->isChecked());
        QVERIFY(!button(ed, QStringLiteral("2"))->isChecked());
        QCOMPARE(model->changes.size(), 2);
    }

    void buttonsFromMaskBits_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<bool>("grid");
        QTest::newRow("grid") << 0 << true;
        QTest::newRow("list") << 1 << false;
        QTest::newRow("numbers order gives list in 16 bits") << 3 << false;
    }
    void buttonsFromMaskBits()
    {
        QFETCH(int, order);
        QFETCH(bool, grid);
        CfgParM16 par;
        par.attach(Uid::make(1, Uid::TypeM16, 0x302));
        model->setAttr(par.uid(), "MaskOrder", order);
        model->setAttr(par.uid(), "MaskNames", QStringList{"a", "b", "c", "d"});
        model->setAttr(par.uid(), "MaskBits", QByteArray("\x05\x0f\x13", 3));
        QWidget page;
        auto *ed = new ParM16(&page, &par);
        const auto buttons = ed->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 4);
        QVector<uint> ids;
        for (auto *b : buttons) {
            ids.append(b->property("id").toUInt());
            QCOMPARE(b->objectName().isEmpty(), !grid);
        }
        // bit 19 does not fit 16 bits; "d" lies beyond the bits and stands for bit 3
        QCOMPARE(ids, (QVector<uint>{0x20, 0x8000, 0, 0x08}));
        button(ed, "b")->click();
        QCOMPARE(par.value(), quint16(0x8000));
    }

    void dropDownFromBytePairs()
    {
        CfgParM16 par;
        par.attach(Uid::make(1, Uid::TypeM16, 0x303));
        par.setValue(0x4E45);
        model->setAttr(par.uid(), "MaskOrder", 2);
        model->setAttr(par.uid(), "MaskNames", QStringList{"BG", "EN"});
        model->setAttr(par.uid(), "MaskBits", QByteArray("BGEN\x80\x01", 6));
        QWidget page;
        auto *ed = new ParM16(&page, &par);
        auto *combo = ed->findChild<QComboBox *>();
        QVERIFY(combo);
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->itemData(0).toUInt(), 0x4742u);
        QCOMPARE(combo->itemData(1).toUInt(), 0x4E45u);
        QCOMPARE(combo->itemData(2).toUInt(), 0x0180u);
        QCOMPARE(combo->itemText(2), QStringLiteral("Index 2"));
        QCOMPARE(combo->currentText(), QStringLiteral("EN"));
        QVERIFY(model->changes.isEmpty());
        combo->setCurrentIndex(0);
        QCOMPARE(par.value(), quint16(0x4742));
        QCOMPARE(model->changes, (Changes{{par.uid(), 0}}));
    }

    void dropDownFollowsRefreshWithoutSending()
    {
        CfgParM16 par;
        par.attach(Uid::make(1, Uid::TypeM16, 0x304));
        par.setValue(0x4742);
        model->setAttr(par.uid(), "MaskOrder", 2);
        model->setAttr(par.uid(), "MaskNames", QStringList{"BG", "EN"});
        model->setAttr(par.uid(), "MaskBits", QByteArray("BGEN"));
        QWidget page;
        auto *ed = new ParM16(&page, &par);
        auto *combo = ed->findChild<QComboBox *>();
        QCOMPARE(combo->currentText(), QStringLiteral("BG"));
        par.setValue(0x4E45); // a loaded dump
        ed->refresh();
        QCOMPARE(combo->currentText(), QStringLiteral("EN"));
        par.setValue(0x1234); // no entry holds it
        ed->refresh();
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(par.value(), quint16(0x1234));
        QVERIFY(model->changes.isEmpty());
        combo->setCurrentIndex(0); // every entry can be chosen again
        QCOMPARE(par.value(), quint16(0x4742));
        QCOMPARE(model->changes.size(), 1);
    }

    void dropDownOddByteCount()
    {
        CfgParM32 par;
        par.attach(Uid::make(1, Uid::TypeM32, 0x305));
        model->setAttr(par.uid(), "MaskOrder", 2);
        model->setAttr(par.uid(), "MaskBits", QByteArray("\x01\x02\x03", 3));
        QWidget page;
        auto *ed = new ParM32(&page, &par);
        auto *combo = ed->findChild<QComboBox *>();
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("1"));
        QCOMPARE(combo->itemData(1).toUInt(), 0x03u);
    }

    void m32HexAndDecimal_data()
    {
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<quint32>("stored");
        QTest::addColumn<QString>("other");
        QTest::newRow("hex ff") << true << "ff" << quint32(255) << "255";
        QTest::newRow("hex not a number") << true << "xyz" << quint32(0) << "0";
        QTest::newRow("hex top bit") << true << "80000000" << quint32(0x80000000) << "2147483648";
        QTest::newRow("dec") << false << "4096" << quint32(4096) << "1000";
        QTest::newRow("dec junk") << false << "12a" << quint32(0) << "0";
    }
    void m32HexAndDecimal()
    {
        QFETCH(bool, hex);
        QFETCH(QString, typed);
        QFETCH(quint32, stored);
        QFETCH(QString, other);
        CfgParM32 par;
        par.attach(Uid::make(1, Uid::TypeM32, 0x306));
        par.setValue(0xABC);
        model->setAttr(par.uid(), "MaskOrder", 3);
        QWidget page;
        auto *ed = new ParM32(&page, &par);
        QVERIFY(ed->findChildren<QPushButton *>().isEmpty());
        QLineEdit *in = field(ed, hex ? 16 : 10);
        QLineEdit *out = field(ed, hex ? 10 : 16);
        QCOMPARE(field(ed, 16)->text(), QStringLiteral("abc"));
        QCOMPARE(field(ed, 10)->text(), QStringLiteral("2748"));
        in->setText(typed);
        Q_EMIT in->editingFinished();
        QCOMPARE(par.value(), stored);
        QCOMPARE(out->text(), other);
        QCOMPARE(in->text(), typed);
        QCOMPARE(model->changes, (Changes{{par.uid(), 0}}));
    }

    void m32ButtonsUseAllBits()
    {
        CfgParM32 par;
        par.attach(Uid::make(1, Uid::TypeM32, 0x307));
        QWidget page;
        auto *ed = new ParM32(&page, &par);
        QCOMPARE(ed->findChildren<QPushButton *>().size(), 32);
        button(ed, "32")->click();
        QCOMPARE(par.value(), 0x80000000u);
        par.setValue(0x1);
        ed->refresh();
        QVERIFY(!button(ed, "32")->isChecked());
        QVERIFY(button(ed, "1")->isChecked());
    }

    void nothingSentWhilePageBuilt()
    {
        CfgParM16 par;
        par.attach(Uid::make(1, Uid::TypeM16, 0x308));
        QWidget page;
        PageBuildGuard building;
        auto *ed = new ParM16(&page, &par);
        button(ed, "1")->click();
        QCOMPARE(par.value(), quint16(1));
        QVERIFY(model->changes.isEmpty());
    }
};

QTEST_MAIN(TestParMask)
#include "test_parmask.moc"
