// The Controller 2.0 page against the simulated board, over TCP and over the UDP bridge
// path: the page shows the board's
// values after the read, nothing is sent while the editors are refreshed, and every kind of
// editor change lands in the board's image at its address.
#include "base/progress.h"
#include "devices/devmarvek2_0.h"
#include "editors/multistagebutton.h"
#include "editors/parbitmaskbutton.h"
#include "editors/parcolor2.h"
#include "editors/parslider2.h"
#include "editors/partext.h"
#include "fakeusbbus.h"
#include "link/usbio.h"
#include "netfixture.h"
#include "recordinghost.h"
#include "scriptedprompt.h"
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>

class TestPage20Sim : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }
    void cleanup() { setCurrentLink(nullptr); }
    void editsReachTheBoard_data();
    void editsReachTheBoard();
};

namespace {

// The main window's part in a text change: send the rebuilt pool.
struct TextHost : RecordingHost
{
    void updateTexts(int count) override { DeviceCfg::current()->writeTexts(progress(), count); }
};

Par *editorAt(const DevMarvek2_0 &model, quint32 address)
{
    for (const auto &p : model.placements())
        if (p.address == address)
            return p.editor;
    return nullptr;
}

} // namespace

void TestPage20Sim::editsReachTheBoard_data()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("tcp") << false;
    QTest::newRow("udp bridge path") << true;
}

void TestPage20Sim::editsReachTheBoard()
{
    QFETCH(bool, udp);
    // A board whose configuration differs from every default.
    QTemporaryDir dir;
    QByteArray start(8192, char(0xFF));
    const auto put = [&start](int a, quint16 v) { start[a] = char(v & 0xFF); start[a + 1] = char(v >> 8); };
    put(7170, 42);
    put(7164, 7);
    put(6892 + 2, 120);
    put(6924 + 4, quint16(-30));
    const QString imageFile = dir.filePath(QStringLiteral("image.bin"));
    QFile f(imageFile);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(start) == 8192);
    f.close();
    SimProcess sim({"--image", imageFile});
    ScriptedPrompt prompt;
    TextHost host;
    DevMarvek2_0 model;
    QVERIFY(sim.start());
    FakeUsbBus bus;
    std::unique_ptr<DevIo> link;
    if (udp) {
        // Discovery to loopback only, from a free local port.
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
        auto usb = std::make_unique<UsbIo>(&bus);
        usb->setBoardPort(sim.udpPort());
        setCurrentLink(usb.get());
        QSignalSpy up(usb.get(), &UsbIo::connected);
        usb->scan();
        QVERIFY(up.wait(5000));
        scanEnabled = false;
        link = std::move(usb);
    } else {
        auto tcp = makeLoopbackLink(sim.netPort());
        QVERIFY(discover(*tcp, 2));
        setCurrentLink(tcp.get());
        QVERIFY(tcp->open(0));
        link = std::move(tcp);
    }
    QCOMPARE(DeviceCfg::current(), &model);
    const QString requests = udp ? QStringLiteral("udp req") : QStringLiteral("tcp req");
    const auto sent = [&sim, &requests] { return sim.transcript().filter(requests).size(); };

    // As the main window does on the first connection: page, read, refresh under the counter.
    QWidget page;
    model.buildPage(&page);
    CountingProgress progress;
    QVERIFY(!model.readDevice(&progress));
    const int before = sent();
    {
        PageBuildGuard refreshing;
        for (Par *p : page.findChildren<Par *>())
            p->refresh();
    }
    QCOMPARE(sent(), before);
    QVERIFY(sim.save());
    const QByteArray board = sim.image();
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(model.image()), 8192), board);
    // The editors show the board's values.
    QCOMPARE(editorAt(model, 7170)->findChild<QSpinBox *>()->value(), 42);
    QCOMPARE(editorAt(model, 7164)->findChild<QSpinBox *>()->value(), 7);
    QCOMPARE(editorAt(model, 6892 + 2)->findChild<QSpinBox *>()->value(), 120);
    QCOMPARE(editorAt(model, 6924 + 4)->findChild<QSpinBox *>()->value(), -30);
    auto *slider = editorAt(model, 7170)->findChild<QSpinBox *>();

    // One change of every kind.
    slider->setValue(slider->value() == 45 ? 46 : 45);
    editorAt(model, 0x8074)->findChild<QSpinBox *>()->setValue(300);
    editorAt(model, 7166)->findChildren<QAbstractButton *>().at(3)->click();
    QDialog *dialog = qobject_cast<ParBitmaskButton *>(editorAt(model, 7086))->openDialog();
    dialog->findChildren<MultiStageButton *>().at(4)->click();
    dialog->close();
    qobject_cast<ParBitmaskButton *>(editorAt(model, 7088))->itemCheck(true); // no sender: no change
    editorAt(model, 6612)->findChild<QAbstractButton *>("Sqr")->click();      // inverter byte
    qobject_cast<ParColor2 *>(editorAt(model, 6776))->col1Change(Qt::blue);
    editorAt(model, 8148)->findChild<QComboBox *>("mode")->setCurrentIndex(0);
    qobject_cast<ParText *>(editorAt(model, 7636 + 8))->colChange(Qt::green);
    auto *name = editorAt(model, 6860)->findChild<QLineEdit *>();
    name->setText(QStringLiteral("Foam"));
    name->setModified(true);
    Q_EMIT name->editingFinished();

    // Writes over the stream are not answered: one read behind them makes sure the board has
    // taken them all before it is asked to save.
    quint8 probe[8];
    QVERIFY(link->readCfg(probe, 0, 8));
    QVERIFY(sim.save());
    const QByteArray after = sim.image();
    // Everything but the check words, which are never sent, is the model's image.
    QCOMPARE(after.left(8184), QByteArray(reinterpret_cast<const char *>(model.image()), 8184));
    QVERIFY(after != board);
    QCOMPARE(quint8(sim.nvmem()[116]), quint8(300 & 0xFF));
    QCOMPARE(quint8(sim.nvmem()[117]), quint8(300 >> 8));
    QCOMPARE(after.mid(6778, 2), QByteArray("\x00\x1f", 2)); // blue: 0x1F00
    QCOMPARE(quint8(after[7636 + 8 + 2]), quint8(0x07)); // green: 0xE007
    QCOMPARE(quint8(after[7636 + 8 + 3]), quint8(0xE0));
    QCOMPARE(quint8(after[8148]), quint8(1));            // Solid
    QVERIFY(after.left(5) == QByteArray("Foam\0", 5));
    QCOMPARE(int(quint8(after[6860]) | quint8(after[6861]) << 8), 6860);
    QVERIFY(prompt.messages.isEmpty());
}

QTEST_MAIN(TestPage20Sim)
#include "test_page20_sim.moc"
