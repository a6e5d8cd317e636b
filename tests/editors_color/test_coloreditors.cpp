// The colour editors: stored words, defaults of an erased background, mode switching and the
// changes sent, allowed modes from the model, and the one- and two-colour forms.
#include "attrmodel.h"
#include "editors/parbackground.h"
#include "editors/parbgr.h"
#include "editors/parcol.h"
#include "editors/parcolor2.h"
#include "editors/qtcolorpicker.h"
#include "editors/rgb565.h"
#include "registry/cfgkinds.h"
#include <QComboBox>
#include <QLabel>
#include <QtEndian>
#include <QtTest>

namespace {

quint16 word(const QByteArray &image, int address)
{
    return qFromLittleEndian<quint16>(image.constData() + address);
}

void setWord(QByteArray &image, int address, quint16 v)
{
    qToLittleEndian<quint16>(v, image.data() + address);
}

QtColorPicker *picker(QWidget *editor, const char *name)
{
    return editor->findChild<QtColorPicker *>(QLatin1String(name));
}


} // namespace

class TestColorEditors : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_model = new AttrModel;
        DeviceCfg::setCurrent(m_model);
        m_model->bytes = QByteArray(8192, char(0xff));
    }
    void cleanup()
    {
        delete m_model;
        m_model = nullptr;
    }

    void chosenColourStored_data()
    {
        QTest::addColumn<QColor>("chosen");
        QTest::addColumn<QColor>("shown");
        QTest::newRow("pure red") << QColor(255, 0, 0) << QColor(248, 0, 0);
        QTest::newRow("low bits dropped") << QColor(100, 150, 200) << QColor(96, 148, 200);
    }
    void chosenColourStored()
    {
        QFETCH(QColor, chosen);
        QFETCH(QColor, shown);
        const quint16 expected = Rgb565::fromColor(chosen);
        QCOMPARE(expected, Rgb565::fromColor(shown));

        CfgParColour col;
        col.attach(Uid::make(1, Uid::TypeColour, 0x301));
        col.setValue(0);
        ParCol parCol(nullptr, &col);
        picker(&parCol, "col")->setCurrentColor(chosen);
        QCOMPARE(col.value(), expected);
        parCol.refresh();
        QCOMPARE(picker(&parCol, "col")->currentColor(), shown);

        setWord(m_model->bytes, 100, 0);
        ParColor2 two(nullptr, m_model, 100);
        picker(&two, "col0")->setCurrentColor(chosen);
        QCOMPARE(word(m_model->bytes, 100), expected);
        two.refresh();
        QCOMPARE(picker(&two, "col0")->currentColor(), shown);

        CfgParArr3 bgr;
        bgr.attach(Uid::make(1, Uid::TypeArr3, 0x302));
        ParBgr parBgr(nullptr, &bgr);
        picker(&parBgr, "col1")->setCurrentColor(chosen);
        QCOMPARE(bgr.at(2), expected);

        ParBackground back(nullptr, m_model, 200, 7);
        picker(&back, "col0")->setCurrentColor(chosen);
        QCOMPARE(word(m_model->bytes, 202), expected);

        QCOMPARE(m_model->changes.size(), 4);
        QCOMPARE(m_model->changes.at(0), qMakePair(col.uid(), 0));
        QCOMPARE(m_model->changes.at(1), qMakePair(100u, 2));
        QCOMPARE(m_model->changes.at(2), qMakePair(bgr.uid(), 0));
        QCOMPARE(m_model->changes.at(3), qMakePair(200u, 6));
    }

    void backgroundKeepsWhatItFinds()
    {
        // An erased background is shown as it is (the page gives it its defaults).
        ParBackground back(nullptr, m_model, 300, 7);
        QCOMPARE(word(m_model->bytes, 300), quint16(0xFFFF));
        QCOMPARE(back.findChild<QComboBox *>("mode")->currentIndex(), -1);
        QVERIFY(m_model->changes.isEmpty());

        // A background that holds a value keeps it.
        setWord(m_model->bytes, 310, 2);
        setWord(m_model->bytes, 312, 0xFFFF);
        setWord(m_model->bytes, 314, 0x0000);
        ParBackground kept(nullptr, m_model, 310, 7);
        QCOMPARE(word(m_model->bytes, 310), quint16(2));
        QCOMPARE(word(m_model->bytes, 312), quint16(0xFFFF));
        QVERIFY(!picker(&kept, "col1")->isHidden());
    }

    void switchingModeShowsSecondColour()
    {
        setWord(m_model->bytes, 400, 1);
        setWord(m_model->bytes, 402, 0);
        setWord(m_model->bytes, 404, 0);
        ParBackground back(nullptr, m_model, 400, 7);
        auto *mode = back.findChild<QComboBox *>("mode");
        QtColorPicker *second = picker(&back, "col1");
        QCOMPARE(second->text(), QStringLiteral("Color2"));
        QCOMPARE(picker(&back, "col0")->text(), QStringLiteral("Color1"));
        QVERIFY(second->isHidden());

        mode->setCurrentIndex(mode->findText(QStringLiteral("Waves")));
        QVERIFY(!second->isHidden());
        QCOMPARE(word(m_model->bytes, 400), quint16(2));
        mode->setCurrentIndex(mode->findText(QStringLiteral("Solid")));
        QVERIFY(second->isHidden());
        mode->setCurrentIndex(mode->findText(QStringLiteral("Timer")));
        QVERIFY(second->isHidden());
        QCOMPARE(word(m_model->bytes, 400), quint16(4));
        QCOMPARE(m_model->changes.size(), 3);
        for (const auto &c : m_model->changes)
            QCOMPARE(c, qMakePair(400u, 6));

        CfgParArr3 bgr;
        bgr.attach(Uid::make(1, Uid::TypeArr3, 0x303));
        bgr.at(0) = 1;
        m_model->setAttr(bgr.uid(), QStringLiteral("BgrModes"), 7);
        ParBgr parBgr(nullptr, &bgr);
        auto *bmode = parBgr.findChild<QComboBox *>("mode");
        bmode->setCurrentIndex(bmode->findData(2));
        QVERIFY(!picker(&parBgr, "col1")->isHidden());
        QCOMPARE(bgr.at(0), quint16(2));
        bmode->setCurrentIndex(bmode->findData(1));
        QVERIFY(picker(&parBgr, "col1")->isHidden());
        QCOMPARE(m_model->changes.size(), 5);
        QCOMPARE(m_model->changes.at(4), qMakePair(bgr.uid(), 0));
    }

    void allowedModes_data()
    {
        QTest::addColumn<QVariant>("attr");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("3") << QVariant(3u) << QStringList{"Solid", "Waves"};
        QTest::newRow("5") << QVariant(5) << QStringList{"Solid", "Timer"};
        QTest::newRow("7") << QVariant(7) << QStringList{"Solid", "Waves", "Timer"};
        QTest::newRow("absent") << QVariant() << QStringList{};
    }
    void allowedModes()
    {
        QFETCH(QVariant, attr);
        QFETCH(QStringList, entries);
        CfgParArr3 bgr;
        bgr.attach(Uid::make(1, Uid::TypeArr3, 0x304));
        bgr.at(0) = 1;
        if (attr.isValid())
            m_model->setAttr(bgr.uid(), QStringLiteral("BgrModes"), attr);
        ParBgr parBgr(nullptr, &bgr);
        auto *mode = parBgr.findChild<QComboBox *>("mode");
        QStringList texts;
        for (int i = 0; i < mode->count(); ++i)
            texts << mode->itemText(i);
        QCOMPARE(texts, entries);
        QCOMPARE(mode->currentIndex(), entries.isEmpty() ? -1 : 0);
    }

    void unknownModeLeavesBoxEmpty()
    {
        setWord(m_model->bytes, 500, 9);
        setWord(m_model->bytes, 502, 0);
        setWord(m_model->bytes, 504, 0);
        ParBackground back(nullptr, m_model, 500, 7);
        QCOMPARE(back.findChild<QComboBox *>("mode")->currentIndex(), -1);
        QVERIFY(picker(&back, "col1")->isHidden());
        QCOMPARE(word(m_model->bytes, 500), quint16(9));
    }

    void refreshFollowsTheValue()
    {
        CfgParArr3 bgr;
        bgr.attach(Uid::make(1, Uid::TypeArr3, 0x305));
        bgr.at(0) = 1;
        m_model->setAttr(bgr.uid(), QStringLiteral("BgrModes"), 7);
        ParBgr parBgr(nullptr, &bgr);
        bgr.at(0) = 2;
        bgr.at(1) = 0x00F8;
        bgr.at(2) = 0x1F00;
        parBgr.refresh();
        QCOMPARE(parBgr.findChild<QComboBox *>("mode")->currentData().toInt(), 2);
        QCOMPARE(picker(&parBgr, "col0")->currentColor(), QColor(248, 0, 0));
        QCOMPARE(picker(&parBgr, "col1")->currentColor(), QColor(0, 0, 248));
        QVERIFY(!picker(&parBgr, "col1")->isHidden());
        // Refreshing sends nothing.
        QVERIFY(m_model->changes.isEmpty());
    }

    void oneColourForm()
    {
        ParColor2 one(nullptr, m_model, 600);
        QVERIFY(!picker(&one, "col0")->isHidden());
        QVERIFY(picker(&one, "col1")->isHidden());
        QVERIFY(!one.findChild<QLabel *>("label0")->isHidden());
        QVERIFY(one.findChild<QLabel *>("label1")->isHidden());
        QVERIFY(one.findChild<QLabel *>("label0")->text().startsWith(QStringLiteral("Parameter 600")));
        // No erased-value check.
        QCOMPARE(word(m_model->bytes, 600), quint16(0xFFFF));
        QCOMPARE(picker(&one, "col0")->currentColor(), QColor(248, 252, 248));
        QCOMPARE(picker(&one, "col0")->colorCount(), 18);
    }

    void twoColourForm()
    {
        setWord(m_model->bytes, 700, 0x00F8);
        setWord(m_model->bytes, 702, 0xE007);
        QWidget compact;
        compact.setProperty("hideTitle", true);
        auto *two = new ParColor2(&compact, m_model, 700, 702u);
        QCOMPARE(picker(two, "col1")->currentColor(), QColor(0, 252, 0));
        QVERIFY(!picker(two, "col1")->isHidden());
        QVERIFY(two->findChild<QLabel *>("label0")->isHidden());
        QVERIFY(two->findChild<QLabel *>("label1")->isHidden());
        picker(two, "col1")->setCurrentColor(Qt::blue);
        QCOMPARE(word(m_model->bytes, 702), quint16(0x1F00));
        QCOMPARE(word(m_model->bytes, 700), quint16(0x00F8));
        QCOMPARE(m_model->changes.size(), 1);
        QCOMPARE(m_model->changes.at(0), qMakePair(702u, 2));
    }

    void hardwareSettingsHidden()
    {
        CfgParColour col;
        col.attach(Uid::make(1, Uid::TypeColour, 0x800 | 0x306));
        ParCol parCol(nullptr, &col);
        QVERIFY(parCol.isHidden());
        CfgParArr3 bgr;
        bgr.attach(Uid::make(1, Uid::TypeArr3, 0x800 | 0x307));
        ParBgr parBgr(nullptr, &bgr);
        QVERIFY(parBgr.isHidden());
    }

private:
    AttrModel *m_model = nullptr;
};

QTEST_MAIN(TestColorEditors)
#include "test_coloreditors.moc"
