// Bit-set editors of fixed-layout images: the union rule, layouts, the channel strip and its dialog.
#include "devices/devicecfg.h"
#include "editors/multistagebutton.h"
#include "editors/parbitmask.h"
#include "editors/parbitmaskbutton.h"
#include "testmodel.h"
#include <QDialog>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

using Changes = QVector<QPair<quint32, int>>;

class TestBitmask : public QObject
{
    Q_OBJECT
    TestModel *model = nullptr;
    quint8 *img() { return reinterpret_cast<quint8 *>(model->bytes.data()); }
    quint16 *at16(int addr) { return reinterpret_cast<quint16 *>(img() + addr); }
    int word(int addr) { return Par::load16(img() + addr); }

    static QPushButton *button(QWidget *w, const QString &text)
    {
        for (auto *b : w->findChildren<QPushButton *>())
            if (b->text() == text)
                return b;
        return nullptr;
    }

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

    void unionRuleClearsUncoveredBits()
    {
        QWidget page;
        Par::store16(img() + 4, 0x0F);
        auto *par = new ParBitmask(&page, model, 4, 2, {0x01, 0x04}, {}, -1);
        auto *first = button(par, QStringLiteral("1"));
        QVERIFY(first && first->isChecked());
        first->click();
        QCOMPARE(word(4), 0x04);
        QCOMPARE(model->changes, (Changes{{4, 2}}));
    }

    void eightBitForm()
    {
        QWidget page;
        img()[9] = 0x82;
        auto *par = new ParBitmask(&page, model, 9, 1, {0x80, 0x02}, {"a", "b"}, -1);
        QVERIFY(button(par, QStringLiteral("a"))->isChecked());
        button(par, QStringLiteral("b"))->click();
        QCOMPARE(int(img()[9]), 0x80);
        QCOMPARE(model->changes, (Changes{{9, 1}}));
        img()[9] = 0x02;
        par->refresh();
        QVERIFY(!button(par, QStringLiteral("a"))->isChecked());
        QVERIFY(button(par, QStringLiteral("b"))->isChecked());
        QCOMPARE(model->changes.size(), 1);
    }

    void layouts_data()
    {
        QTest::addColumn<int>("selector");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("compact");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<QString>("buttonName");
        QTest::newRow("auto unnamed") << -1 << QStringList() << false << true << "Sqr";
        QTest::newRow("auto named") << -1 << QStringList{"x", "y"} << false << false << "";
        QTest::newRow("grid named") << 0 << QStringList{"x", "y"} << false << true << "Sqr";
        QTest::newRow("list") << 1 << QStringList() << false << false << "";
        QTest::newRow("compact grid") << 0 << QStringList() << true << true << "Msq";
    }
    void layouts()
    {
        QFETCH(int, selector);
        QFETCH(QStringList, names);
        QFETCH(bool, compact);
        QFETCH(bool, grid);
        QFETCH(QString, buttonName);
        QWidget page;
        page.setProperty("hideTitle", compact);
        QVector<quint16> masks;
        for (int i = 0; i < 10; ++i)
            masks.append(quint16(1u << i));
        auto *par = new ParBitmask(&page, model, 0, 2, masks, names, selector);
        auto *layout = par->findChild<QGridLayout *>(QStringLiteral("gridLayout"));
        QVERIFY(layout);
        const auto buttons = par->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 10);
        for (int i = 0; i < buttons.size(); ++i) {
            int row, col, rs, cs;
            layout->getItemPosition(layout->indexOf(buttons[i]), &row, &col, &rs, &cs);
            QCOMPARE(row, grid ? i / 8 : i);
            QCOMPARE(col, grid ? i % 8 + 1 : 0);
            QCOMPARE(buttons[i]->objectName(), buttonName);
            QCOMPARE(buttons[i]->property("id").toUInt(), 1u << i);
            QCOMPARE(buttons[i]->focusPolicy(), Qt::TabFocus);
        }
        QCOMPARE(layout->horizontalSpacing() == 1, compact);
        QCOMPARE(par->findChild<QLabel *>()->text().isEmpty(), compact);
        if (!names.isEmpty())
            QCOMPARE(buttons[2]->text(), QStringLiteral("3"));
    }

    void stripSizeHint_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QSize>("hint");
        QTest::newRow("6") << 6 << QSize(98, 18);
        QTest::newRow("8") << 8 << QSize(130, 18);
        QTest::newRow("12") << 12 << QSize(98, 34);
        QTest::newRow("13") << 13 << QSize(114, 34);
    }
    void stripSizeHint()
    {
        QFETCH(int, count);
        QFETCH(QSize, hint);
        QWidget page;
        QVector<quint16> masks;
        for (int i = 0; i < count; ++i)
            masks.append(quint16(1u << i));
        ParBitmaskButton strip(&page, model, 0, masks, 0, {});
        QCOMPARE(strip.sizeHint(), hint);
        QCOMPARE(strip.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    }

    void stripPaintsTwoRowsOfCells()
    {
        QWidget page;
        QVector<quint16> masks;
        for (int i = 0; i < 12; ++i)
            masks.append(quint16(1u << i));
        Par::store16(img(), 0x0001 | 0x0080);
        ParBitmaskButton strip(&page, model, 0, masks, 0, {});
        strip.resize(strip.sizeHint());
        QImage pic(strip.size(), QImage::Format_RGB32);
        strip.render(&pic);
        const QColor on(78, 166, 222), off(230, 230, 230);
        // Cell k of row r: x from k*96/6+1 to (k+1)*96/6, y from r*32/2+1 to (r+1)*32/2.
        QCOMPARE(pic.pixelColor(3, 3), on);   // mask 0, row 0 cell 0
        QCOMPARE(pic.pixelColor(19, 3), off); // mask 1
        QCOMPARE(pic.pixelColor(19, 19), on); // mask 7, row 1 cell 1
        QCOMPARE(pic.pixelColor(3, 19), off); // mask 6
    }

    void twoValueCellColours()
    {
        QWidget page;
        Par::store16(img() + 20, 0x0006); // first: masks 1 and 2
        Par::store16(img() + 22, 0x000C); // second: masks 2 and 3
        ParBitmaskButton strip(&page, model, 20, {0x01, 0x02, 0x04, 0x08}, 0x10000, {}, 22);
        strip.resize(strip.sizeHint());
        QImage pic(strip.size(), QImage::Format_RGB32);
        strip.render(&pic);
        QCOMPARE(pic.pixelColor(3, 3), QColor(255, 64, 64));    // neither
        QCOMPARE(pic.pixelColor(19, 3), QColor(0, 212, 0));     // first only
        QCOMPARE(pic.pixelColor(35, 3), QColor(255, 192, 0));   // both
        QCOMPARE(pic.pixelColor(51, 3), QColor(230, 230, 230)); // second only
        QCOMPARE(pic.pixelColor(0, 9), QColor(128, 128, 128));  // the frame
    }

    void singleMaskDialog()
    {
        QWidget page;
        Par::store16(img() + 2, 0x0005);
        auto *strip = new ParBitmaskButton(&page, model, 2, {0x01, 0x02, 0x04}, 0x10000, {"A"});
        QTest::mouseRelease(strip, Qt::LeftButton);
        auto *dlg = strip->findChild<QDialog *>();
        QVERIFY(dlg);
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Select channels"));
        QVERIFY(!(dlg->windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(dlg->findChild<QLabel *>()->text().contains(QStringLiteral("#ln2\"")));
        auto *a = button(dlg, QStringLiteral("A"));
        auto *two = button(dlg, QStringLiteral("2"));
        QVERIFY(a && two && button(dlg, QStringLiteral("3")));
        QVERIFY(a->isChecked() && !two->isChecked());
        QCOMPARE(a->property("orangeBut").toInt(), 1);
        QCOMPARE(a->objectName(), QStringLiteral("Sqr"));
        a->click();
        QCOMPARE(word(2), 0x04);
        two->click();
        QCOMPARE(word(2), 0x06);
        QCOMPARE(model->changes, (Changes{{2, 2}, {2, 2}}));
        QPointer<QDialog> guard(dlg);
        button(dlg, QStringLiteral("Close"))->click();
        QTRY_VERIFY(guard.isNull());
    }

    void fourStageCycleSendsTwoChangesPerClick()
    {
        QWidget page;
        Par::store16(img() + 10, 0x0000);
        Par::store16(img() + 12, 0x0000);
        auto *strip = new ParBitmaskButton(&page, model, 10, {0x01, 0x02}, 0, {}, 12);
        QDialog *dlg = strip->openDialog();
        QCOMPARE(dlg->findChildren<QLabel *>().size(), 2);
        const auto stages = dlg->findChildren<MultiStageButton *>();
        QCOMPARE(stages.size(), 2);
        MultiStageButton *b = stages[0];
        QCOMPARE(b->property("id").toUInt(), 1u);
        QCOMPARE(b->stage(), 0);
        struct Step { int stage, first, second; };
        const Step steps[] = {{1, 1, 0}, {2, 0, 1}, {3, 1, 1}, {0, 0, 0}};
        int sent = 0;
        for (const Step &s : steps) {
            QTest::mouseClick(b, Qt::LeftButton);
            QCOMPARE(b->stage(), s.stage);
            QCOMPARE(b->property("stage").toInt(), s.stage);
            QCOMPARE(word(10), s.first);
            QCOMPARE(word(12), s.second);
            sent += 2;
            QCOMPARE(model->changes.size(), sent);
            QCOMPARE(model->changes.mid(sent - 2), (Changes{{10, 2}, {12, 2}}));
        }
        dlg->close();
    }

    void dialogStagesFromBothValues()
    {
        QWidget page;
        Par::store16(img() + 10, 0x0003);
        Par::store16(img() + 12, 0x0006);
        auto *strip = new ParBitmaskButton(&page, model, 10, {0x01, 0x02, 0x04, 0x08}, 0, {}, 12);
        QDialog *dlg = strip->openDialog();
        QVector<int> got;
        for (auto *b : dlg->findChildren<MultiStageButton *>())
            got.append(b->stage());
        QCOMPARE(got, (QVector<int>{1, 3, 2, 0}));
        QVERIFY(model->changes.isEmpty());
        dlg->close();
    }

    void multiStageSetStage()
    {
        MultiStageButton b(3);
        QSignalSpy spy(&b, &MultiStageButton::stageChanged);
        b.setStage(0);
        QCOMPARE(spy.count(), 0);
        b.setProperty("stage", 2);
        QCOMPARE(b.stage(), 2);
        QCOMPARE(spy.count(), 1);
        b.click();
        QCOMPARE(b.stage(), 0);
        QCOMPARE(spy.last().first().toInt(), 0);
    }

    void nothingSentWhilePageBuilt()
    {
        QWidget page;
        PageBuildGuard building;
        Par::store16(img() + 4, 0);
        auto *par = new ParBitmask(&page, model, 4, 2, {0x01}, {}, 0);
        par->findChild<QPushButton *>()->click();
        QCOMPARE(word(4), 1);
        QVERIFY(model->changes.isEmpty());
    }
};

QTEST_MAIN(TestBitmask)
#include "test_bitmask.moc"
