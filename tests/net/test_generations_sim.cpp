// The 1.1, 3.0, Robo and Tokmat pages against the simulator playing that board from its
// factory image, over TCP and over the UDP bridge path: the board is recognised and read,
// every kind of editor changes exactly the bytes it owns on the board, the FM flag goes
// through the system flags dialog, a dump round-trips without taking the board's FM flag, and
// a dump of another layout is refused with the configuration unchanged.
#include "base/progress.h"
#include "devices/devmarvek1_1.h"
#include "devices/devmarvek2_0.h"
#include "devices/devmarvek3_0.h"
#include "devices/devmarvekrobo1_0.h"
#include "devices/devtokmat1_0.h"
#include "editors/parcolor2.h"
#include "editors/partext.h"
#include "fakeusbbus.h"
#include "app/systemflags.h"
#include "link/usbio.h"
#include "netfixture.h"
#include "recordinghost.h"
#include "scriptedprompt.h"
#include <QAbstractButton>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSet>
#include <QSpinBox>
#include <functional>

namespace {

struct TextHost : RecordingHost
{
    void updateTexts(int count) override { DeviceCfg::current()->writeTexts(progress(), count); }
};

Par *editorAt(const FixedLayoutModel &model, quint32 address)
{
    for (const auto &p : model.placements())
        if (p.address == address)
            return p.editor;
    return nullptr;
}

QByteArray imageOf(FixedLayoutModel &model)
{
    return QByteArray(reinterpret_cast<const char *>(model.image()), FixedLayoutModel::ImageSize);
}

// One change of one kind of editor and the bytes it may touch: [first, first + size) and, for
// names, the text pool.
struct Change
{
    const char *what;
    quint32 address;
    int size;
    std::function<void(Par *)> apply;
    bool pool = false;
    quint32 owned = 0; // the bytes changed when not the editor's first value
};

void spin(Par *p, int v) { p->findChild<QSpinBox *>()->setValue(v); }
void toggle(Par *p, int i) { p->findChildren<QAbstractButton *>().at(i)->click(); }
void rename(Par *p, const QString &text)
{
    auto *edit = p->findChild<QLineEdit *>();
    edit->setText(text);
    edit->setModified(true);
    Q_EMIT edit->editingFinished();
}

QVector<Change> changesOf(const QString &board)
{
    const auto colour = [](Par *p) { qobject_cast<ParColor2 *>(p)->col0Change(Qt::blue); };
    const auto second = [](Par *p) { qobject_cast<ParColor2 *>(p)->col1Change(Qt::blue); };
    const auto solid = [](Par *p) { p->findChild<QComboBox *>(QStringLiteral("mode"))->setCurrentIndex(0); };
    const auto green = [](Par *p) { qobject_cast<ParText *>(p)->colChange(Qt::green); };
    if (board == QLatin1String("robo")) {
        return {
            {"slider", 7046, 2, [](Par *p) { spin(p, 55); }},
            {"cost", 6972 + 2, 2, [](Par *p) { spin(p, 750); }},
            {"relay mask", 7042, 2, [](Par *p) { toggle(p, 2); }},
            {"relays while active", 6864 + 4, 2, [](Par *p) { toggle(p, 1); }},
            {"fiscal options", 6898, 2, [](Par *p) { toggle(p, 0); }},
            {"single colour", 7346, 2, colour},
            {"second colour", 7344, 2, second, false, 7342},
            {"background", 7482, 6, solid},
            {"limited line by rule", 7488 + 8 * 5, 8, green},
            {"name", 6940 + 2, 2, [](Par *p) { rename(p, QStringLiteral("Wax")); }, true},
        };
    }
    if (board == QLatin1String("tokmat")) {
        return {
            {"slider", 80, 2, [](Par *p) { spin(p, 55); }},
            {"byte slider", 37, 1, [](Par *p) { spin(p, 7); }},
            {"byte options", 36, 1, [](Par *p) { toggle(p, 1); }},
            {"byte float", 8090 + 3, 1, [](Par *p) { spin(p, 42); }},
            {"channel mask", 2, 2, [](Par *p) { toggle(p, 3); }},
            {"fiscal options", 8126, 2, [](Par *p) { toggle(p, 0); }},
            {"single colour", 916, 2, colour},
            {"second colour", 918, 2, second, false, 920},
            {"background", 232, 6, solid},
            {"limited line by rule", 238 + 8 * 6, 8, green},
            {"view line text", 104 + 8, 8, [](Par *p) { rename(p, QStringLiteral("CLOSED")); }, true},
        };
    }
    if (board == QLatin1String("1.1")) {
        return {
            {"slider", 0, 2, [](Par *p) { spin(p, 55); }},
            {"signed slider", 8048 + 8, 2, [](Par *p) { spin(p, -30); }},
            {"relay mask", 170, 2, [](Par *p) { toggle(p, 2); }},
            {"coin input mask", 16, 2, [](Par *p) { toggle(p, 4); }},
            {"options", 8176, 2, [](Par *p) { toggle(p, 1); }},
            {"colour pair", 686, 2, colour},
            {"second colour far away", 704, 2, second, false, 8044},
            {"background", 680, 6, solid},
            {"view line", 284 + 8, 8, green},
            {"name", 708 + 8, 2, [](Par *p) { rename(p, QStringLiteral("Foam")); }, true},
            {"NV slider", 0x8074, 2, [](Par *p) { spin(p, 300); }},
        };
    }
    return {
        {"slider", 7176, 2, [](Par *p) { spin(p, 55); }},
        {"cost", 7032 + 2, 2, [](Par *p) { spin(p, 750); }},
        {"relay mask", 7172, 2, [](Par *p) { toggle(p, 2); }},
        {"credit flags", 7162, 2, [](Par *p) { toggle(p, 5); }},
        {"single colour", 8026, 2, colour},
        {"background", 7214, 6, solid},
        {"view line", 7220 + 8, 8, green},
        {"name", 7000 + 2, 2, [](Par *p) { rename(p, QStringLiteral("Wax")); }, true},
        {"NV slider", 0x8074, 2, [](Par *p) { spin(p, 300); }},
    };
}

} // namespace

class TestGenerationsSim : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }
    void cleanup() { setCurrentLink(nullptr); }

    void boardRoundTrip_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<bool>("udp");
        QTest::newRow("1.1 tcp") << "1.1" << false;
        QTest::newRow("1.1 udp bridge path") << "1.1" << true;
        QTest::newRow("3.0 tcp") << "3.0" << false;
        QTest::newRow("3.0 udp bridge path") << "3.0" << true;
        QTest::newRow("robo tcp") << "robo" << false;
        QTest::newRow("robo udp bridge path") << "robo" << true;
        QTest::newRow("tokmat tcp") << "tokmat" << false;
        QTest::newRow("tokmat udp bridge path") << "tokmat" << true;
    }

    void boardRoundTrip()
    {
        QFETCH(QString, board);
        QFETCH(bool, udp);
        SimProcess sim({"--board", board});
        ScriptedPrompt prompt;
        TextHost host;
        // The model list in the program's order.
        DevMarvek1_1 m11;
        DevMarvek2_0 m20;
        DevMarvek3_0 m30;
        DevTokmat1_0 tokmat;
        DevMarvekRobo1_0 robo;
        FixedLayoutModel &model = board == QLatin1String("1.1")    ? static_cast<FixedLayoutModel &>(m11)
                                  : board == QLatin1String("robo")   ? static_cast<FixedLayoutModel &>(robo)
                                  : board == QLatin1String("tokmat") ? static_cast<FixedLayoutModel &>(tokmat)
                                                                     : m30;
        // A never-connected model of another layout makes the foreign dump.
        FixedLayoutModel &other = &model == &tokmat ? static_cast<FixedLayoutModel &>(robo) : tokmat;
        const int layoutAt = model.layout().layoutAddress;
        QVERIFY(sim.start());
        QVERIFY(sim.save());
        const QByteArray factory = sim.image();
        FakeUsbBus bus;
        std::unique_ptr<DevIo> link;
        if (udp) {
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
        // Recognised and read: the page shows the factory image, whose values are the defaults.
        QCOMPARE(DeviceCfg::current(), &model);
        QWidget page;
        model.buildPage(&page);
        const QByteArray built = imageOf(model);
        CountingProgress progress;
        QVERIFY(!model.readDevice(&progress));
        QCOMPARE(imageOf(model), factory);
        QCOMPARE(imageOf(model).left(layoutAt), built.left(layoutAt));

        // Every kind of editor: the model's image changes in the bytes it owns and nowhere else.
        const int poolFirst = model.layout().textBase;
        const int poolEnd = poolFirst + model.layout().textSize;
        // Repacking the pool may move every text: their reference words change with it.
        QSet<int> textWords;
        for (const FixedTable::Row &row : *model.table()) {
            const bool text = row.editor == FixedTable::Editor::Name || row.editor == FixedTable::Editor::ViewLine;
            for (int k = 0; row.kind == FixedTable::Kind::Param && text && k < row.count; ++k)
                textWords << int(row.valueAddress(k)) << int(row.valueAddress(k)) + 1;
        }
        for (const Change &c : changesOf(board)) {
            Par *editor = editorAt(model, c.address);
            QVERIFY2(editor, c.what);
            const QByteArray before = imageOf(model);
            const QByteArray nvBefore(reinterpret_cast<const char *>(model.nvRegion()), FixedLayoutModel::NvSize);
            c.apply(editor);
            const QByteArray after = imageOf(model);
            const QByteArray nvAfter(reinterpret_cast<const char *>(model.nvRegion()), FixedLayoutModel::NvSize);
            const bool nv = c.address & FixedLayoutModel::NvKey;
            const quint32 first = nv ? c.address - FixedLayoutModel::NvKey : c.owned ? c.owned : c.address;
            const QByteArray &b = nv ? nvBefore : before;
            const QByteArray &a = nv ? nvAfter : after;
            QVERIFY2(a.mid(int(first), c.size) != b.mid(int(first), c.size), c.what);
            for (int i = 0; i < a.size(); ++i) {
                const bool owned = quint32(i) >= first && quint32(i) < first + quint32(c.size);
                const bool inPool = c.pool && !nv && ((i >= poolFirst && i < poolEnd) || textWords.contains(i));
                if (!owned && !inPool)
                    QVERIFY2(a[i] == b[i], qPrintable(QStringLiteral("%1 touched %2").arg(c.what).arg(i)));
            }
            if (nv)
                QCOMPARE(after, before);
            else
                QCOMPARE(nvAfter, nvBefore);
        }
        quint8 probe[8];
        QVERIFY(link->readCfg(probe, 0, 8));
        QVERIFY(sim.save());
        QCOMPARE(sim.image().left(8184), imageOf(model).left(8184));
        if (board == QLatin1String("1.1") || board == QLatin1String("3.0"))
            QCOMPARE(sim.nvmem().mid(116, 2), QByteArray("\x2c\x01", 2));

        // A dump of another layout is refused: the configuration and the board stay as they are.
        {
            QBuffer foreign;
            QVERIFY(foreign.open(QIODevice::WriteOnly) && other.save(&foreign));
            foreign.close();
            const QByteArray before = imageOf(model);
            QVERIFY(foreign.open(QIODevice::ReadOnly));
            QVERIFY(!model.load(&foreign));
            QCOMPARE(imageOf(model), before);
            QVERIFY(sim.save());
            QCOMPARE(sim.image().left(8184), before.left(8184));
        }

        if (!model.hasFmFlag()) {
            QCOMPARE(model.fmFlag(), 0);
            // A dump saved and loaded again is identical, its layout block sealed.
            QBuffer dump;
            QVERIFY(dump.open(QIODevice::WriteOnly) && model.save(&dump));
            dump.close();
            QCOMPARE(quint8(dump.data()[layoutAt]), quint8(1));
            QVERIFY(dump.open(QIODevice::ReadOnly) && model.load(&dump));
            QBuffer again;
            QVERIFY(again.open(QIODevice::WriteOnly) && model.save(&again));
            QCOMPARE(again.data(), dump.data());
            QVERIFY(prompt.messages.isEmpty());
            return;
        }

        // The FM flag through the system flags dialog: the factory board has it set.
        QCOMPARE(model.fmFlag(), 1);
        {
            SystemFlags flags;
            auto *box = flags.findChild<QCheckBox *>(QStringLiteral("fm2bBox"));
            QVERIFY(box->isEnabled() && box->isChecked());
            box->click();
            flags.findChild<QAbstractButton *>(QStringLiteral("closeButton"))->click();
        }
        QVERIFY(link->readCfg(probe, 0, 8));
        QVERIFY(sim.save());
        QCOMPARE(quint8(sim.image()[8181]) & 0x80, 0);
        QCOMPARE(model.fmFlag(), 0);

        // A dump saved and loaded again is identical.
        QBuffer dump;
        QVERIFY(dump.open(QIODevice::WriteOnly) && model.save(&dump));
        dump.close();
        QVERIFY(dump.open(QIODevice::ReadOnly) && model.load(&dump));
        dump.close();
        QBuffer again;
        QVERIFY(again.open(QIODevice::WriteOnly) && model.save(&again));
        QCOMPARE(again.data(), dump.data());

        // Loading it on a board whose flag is set keeps the board's flag.
        {
            SystemFlags flags;
            auto *box = flags.findChild<QCheckBox *>(QStringLiteral("fm2bBox"));
            QVERIFY(!box->isChecked());
            box->click();
            flags.findChild<QAbstractButton *>(QStringLiteral("closeButton"))->click();
        }
        QCOMPARE(model.fmFlag(), 1);
        QVERIFY(dump.open(QIODevice::ReadOnly) && model.load(&dump));
        QCOMPARE(model.fmFlag(), 1);
        QCOMPARE(imageOf(model).left(8181), dump.data().left(8181));
        QVERIFY(prompt.messages.isEmpty());
    }
};

QTEST_MAIN(TestGenerationsSim)
#include "test_generations_sim.moc"
