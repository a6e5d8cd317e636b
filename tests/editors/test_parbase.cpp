// The shared editor helpers: values by key, title row, compact form, hiding, notification.
#include "editors/par.h"
#include "devices/devicecfg.h"
#include "editors/parbackground.h"
#include "editors/parbitmask.h"
#include "editors/parbitmaskbutton.h"
#include "editors/parcolor2.h"
#include "editors/parinverter.h"
#include "editors/parslider2.h"
#include "editors/parslider2s.h"
#include "editors/partext.h"
#include "editors/qtcolorpicker.h"
#include "recordinghost.h"
#include "testmodel.h"
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

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
    void report() { notifyChange(key, record(key)); }
    void hideFor(quint32 uid) { hideForUid(uid); }
    quint32 key;
    QLabel *title = nullptr;
};
// One kind of fixed-layout editor: how it is made over a model, and a first change by its widgets.
struct Kind
{
    const char *name;
    quint32 key;
    int size;
    std::function<Par *(QWidget *, ParModel *)> make;
    std::function<void(Par *)> change;
};

void spinTo5(Par *par) { par->findChild<QSpinBox *>()->setValue(5); }
void firstButton(Par *par) { par->findChildren<QPushButton *>().first()->click(); }
void pickRed(Par *par) { par->findChild<QtColorPicker *>()->setCurrentColor(Qt::red); }
void secondEntry(Par *par) { par->findChild<QComboBox *>()->setCurrentIndex(1); }

const Kind kinds[] = {
    {"slider", 116, 2, [](QWidget *w, ParModel *m) { return new ParSlider2(w, m, 116, 2, 0, 1000); }, spinTo5},
    {"slider in NV", Par::NvFlag + 4, 2,
     [](QWidget *w, ParModel *m) { return new ParSlider2(w, m, Par::NvFlag + 4, 2, 0, 1000); }, spinTo5},
    {"byte slider", 9, 1, [](QWidget *w, ParModel *m) { return new ParSlider2(w, m, 9, 1, 0, 200); }, spinTo5},
    {"signed slider", 30, 2, [](QWidget *w, ParModel *m) { return new ParSlider2s(w, m, 30, -100, 100); }, spinTo5},
    {"inverter", 40, 1, [](QWidget *w, ParModel *m) { return new ParInverter(w, m, 40); }, spinTo5},
    {"mask", 50, 2,
     [](QWidget *w, ParModel *m) { return new ParBitmask(w, m, 50, 2, {0x01, 0x04}, {}, -1); }, firstButton},
    {"byte mask", 61, 1,
     [](QWidget *w, ParModel *m) { return new ParBitmask(w, m, 61, 1, {0x80, 0x02}, {}, -1); }, firstButton},
    {"colours", 70, 2, [](QWidget *w, ParModel *m) { return new ParColor2(w, m, 70, 72u); }, pickRed},
    {"background", 80, 6, [](QWidget *w, ParModel *m) { return new ParBackground(w, m, 80, 7); }, secondEntry},
    {"view line", 106, 2,
     [](QWidget *w, ParModel *m) { return new ParText(w, m, 100, ParText::Form::ViewLine); }, secondEntry},
};
} // namespace

class TestParBase : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { DeviceCfg::setCurrent(nullptr); }

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

    // Every kind of fixed-layout editor, made over an erased image, leaves the model as it is
    // and sends nothing (the page gives erased values their defaults before any editor is
    // made); its first change reaches the model by key, and the host learns the bytes before
    // and after it.
    void editorsReachValuesByKey_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<quint32>("key");
        QTest::addColumn<int>("size");
        for (int i = 0; i < int(std::size(kinds)); ++i)
            QTest::newRow(kinds[i].name) << i << kinds[i].key << kinds[i].size;
    }
    void editorsReachValuesByKey()
    {
        QFETCH(int, kind);
        QFETCH(quint32, key);
        QFETCH(int, size);
        TestModel model("m", 0, 0, 0);
        model.bytes = QByteArray(256, char(0xFF));
        model.nv = QByteArray(128, char(0xFF));
        DeviceCfg::setCurrent(&model);
        RecordingHost host;
        QWidget page;
        Par *par = kinds[kind].make(&page, &model);
        QCOMPARE(par->model(), &model);
        QCOMPARE(model.bytes, QByteArray(256, char(0xFF)));
        QCOMPARE(model.nv, QByteArray(128, char(0xFF)));
        QVERIFY(model.changes.isEmpty());

        kinds[kind].change(par);
        QCOMPARE(model.changes, (QVector<QPair<quint32, int>>{{key, size}}));
        QCOMPARE(host.sent.size(), 1);
        QCOMPARE(host.sent.first().key, key);
        QCOMPARE(host.sent.first().before, QByteArray(size, char(0xFF)));
        QCOMPARE(host.sent.first().after, model.value(key, size));
        QVERIFY(host.sent.first().after != host.sent.first().before);
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

        // The title paints as a label given the same text does, icon and all.
        QVERIFY(!QPixmap(QLatin1String(ParModel::HelpIcon)).isNull());
        QLabel filled;
        Par::fillTitle(&filled, 32884);
        QLabel same(filled.text());
        filled.resize(240, 60);
        same.resize(240, 60);
        QCOMPARE(filled.grab().toImage(), same.grab().toImage());
        QLabel plain(model.parName(32884));
        plain.resize(240, 60);
        QVERIFY(plain.grab().toImage() != same.grab().toImage());
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
        QCOMPARE(model.changes.first(), qMakePair(quint32(12), 0));
    }
};

QTEST_MAIN(TestParBase)
#include "test_parbase.moc"
