// The service commands against the simulator through the window: the relay test gives the
// user's relay invert setting back however it ends (Finish, closing, a quit signal), and
// clearing the counters keeps the model's NV setting; the board's image and NV memory are
// compared before and after, and the editors show what the board holds.
#include "app/quitsignals.h"
#include "app/relaytest.h"
#include "app/sysdialog.h"
#include "simwindow.h"
#include "testlanguage.h"
#include <QAbstractButton>
#include <QSpinBox>
#include <csignal>

namespace {

constexpr int RelayInvert = 7166;     // "Relay signal invert"
constexpr quint16 UserInvert = 0x0015;
constexpr int NvSetting = 116;        // "Coin default time [sec]", NV offset
constexpr quint16 UserSeconds = 300;

QByteArray startImage()
{
    QByteArray image(8192, char(0xFF));
    image[RelayInvert] = char(UserInvert & 0xFF);
    image[RelayInvert + 1] = char(UserInvert >> 8);
    return image;
}

QByteArray startNv()
{
    QByteArray nv(128, '\0');
    for (int i = 0; i < nv.size(); ++i)
        nv[i] = char(0x10 + i);
    nv[NvSetting] = char(UserSeconds & 0xFF);
    nv[NvSetting + 1] = char(UserSeconds >> 8);
    return nv;
}

QString writeFile(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    return path;
}

int checkedButtons(Par *editor)
{
    int n = 0;
    for (QAbstractButton *b : editor->findChildren<QAbstractButton *>())
        n += b->isCheckable() && b->isChecked();
    return n;
}

struct Bench
{
    QTemporaryDir dir;
    SimProcess sim;
    std::unique_ptr<SimWindow> w;

    Bench()
        : sim({"--image", writeFile(dir, "image.bin", startImage()), "--nv", writeFile(dir, "nv.bin", startNv())})
    {
    }
    bool start()
    {
        if (!sim.start())
            return false;
        w = std::make_unique<SimWindow>(sim);
        return w->connectUdp();
    }
    // The service menu behind its code.
    SysDialog *menu()
    {
        w->prompt.texts.enqueue(QStringLiteral("586"));
        w->dialog->sysMenu();
        return w->dialog->findChild<SysDialog *>();
    }
    // Starts the relay test and waits until it has driven a relay.
    RelayTest *relayTest()
    {
        SysDialog *m = menu();
        if (!m)
            return nullptr;
        QTest::mouseClick(m->findChild<QPushButton *>(QStringLiteral("relayButton")), Qt::LeftButton);
        RelayTest *r = m->findChild<RelayTest *>();
        if (!r || !QTest::qWaitFor([&] { return r->step() >= 1; }, 5000))
            return nullptr;
        return r;
    }
    // The image and NV memory as the board holds them now.
    bool saved(QByteArray *image, QByteArray *nv)
    {
        if (!sim.save())
            return false;
        *image = sim.image();
        *nv = sim.nvmem();
        return image->size() == 8192 && nv->size() == 128;
    }
};

quint16 word(const QByteArray &b, int at) { return quint16(quint8(b[at]) | (quint8(b[at + 1]) << 8)); }

} // namespace

class TestServiceCmdsSim : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setTestLanguage(QStringLiteral("en")); }
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }

    void relayTestGivesTheSettingBack_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Finish") << 0;
        QTest::newRow("dialog closed") << 1;
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void relayTestGivesTheSettingBack()
    {
        QFETCH(int, how);
        Bench b;
        QVERIFY(b.start());
        int quits = 0;
        QuitSignals onSignals([&quits] { ++quits; });
        onSignals.setKeep(b.w->dialog.get());
        QCOMPARE(checkedButtons(b.w->editor(RelayInvert)), 3);
        QPointer<RelayTest> relays = b.relayTest();
        QVERIFY(relays);
        // The test drives the relays through the setting: the board holds a test mask now.
        QTRY_VERIFY(b.w->model->image()[RelayInvert] != char(UserInvert & 0xFF));
        if (how == 0)
            QTest::mouseClick(relays->findChild<QPushButton *>(QStringLiteral("closeButton")), Qt::LeftButton);
        else if (how == 1)
            relays->close();
        else
            QCOMPARE(::raise(how), 0);
        QTRY_VERIFY(!relays || !relays->isVisible());
        if (how > 1) {
            QCOMPARE(quits, 1);
            QVERIFY(!b.w->dialog->findChild<SysDialog *>() || !b.w->dialog->findChild<SysDialog *>()->isVisible());
        }
        QByteArray image, nv;
        QVERIFY(b.saved(&image, &nv));
        QCOMPARE(word(image, RelayInvert), UserInvert);
        QCOMPARE(image, startImage());
        QCOMPARE(nv, startNv());
        QCOMPARE(FixedImage::word16(b.w->model->image(), RelayInvert), UserInvert);
        QCOMPARE(checkedButtons(b.w->editor(RelayInvert)), 3);
        // The last masks sent: all relays off, then the user's setting.
        const QStringList writes = writesOf(b.sim);
        QVERIFY(writes.size() >= 2);
        QVERIFY(writes.last().endsWith(QStringLiteral("fe 1b 15 00")));
        QVERIFY(writes.at(writes.size() - 2).endsWith(QStringLiteral("fe 1b 00 00")));
    }

    void clearingCountersKeepsTheNvSetting()
    {
        Bench b;
        QVERIFY(b.start());
        Par *seconds = b.w->editor(0x8074);
        QVERIFY(seconds);
        QCOMPARE(seconds->findChild<QSpinBox *>()->value(), int(UserSeconds));
        SysDialog *m = b.menu();
        QVERIFY(m);
        b.w->prompt.answers.enqueue(true);
        QTest::mouseClick(m->findChild<QPushButton *>(QStringLiteral("clearNvmButton")), Qt::LeftButton);
        QByteArray image, nv;
        QVERIFY(b.saved(&image, &nv));
        QByteArray want(128, '\0');
        want[NvSetting] = char(UserSeconds & 0xFF);
        want[NvSetting + 1] = char(UserSeconds >> 8);
        QCOMPARE(nv, want);
        QCOMPARE(image, startImage());
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(b.w->model->nvRegion()), 128), want);
        QCOMPARE(seconds->findChild<QSpinBox *>()->value(), int(UserSeconds));
        QCOMPARE(b.w->prompt.messages.last().text, QStringLiteral("The board's counters were cleared."));
    }
};

QTEST_MAIN(TestServiceCmdsSim)
#include "test_servicecmds_sim.moc"
