// The real main window with the 1.1, 3.0, Robo and Tokmat boards the simulator plays, over the
// UDP bridge path: the board is recognised, its page built and read, a click on the page reaches
// the board and marks its editor as changed from factory, a saved dump loads back onto it and a
// dump of another layout is refused with the configuration unchanged; a board no model accepts
// is named with its identity words.
#include "app/maindialog.h"
#include "devices/devesprelay.h"
#include "devices/devmarvek1_1.h"
#include "devices/devmarvek2_0.h"
#include "devices/devmarvek3_0.h"
#include "devices/devmarvekrobo1_0.h"
#include "devices/devtokmat1_0.h"
#include "devices/modeldiff.h"
#include "editors/par.h"
#include "fakeusbbus.h"
#include "link/usbio.h"
#include "scriptedprompt.h"
#include "simprocess.h"
#include "testlanguage.h"
#include <QBuffer>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct GenerationWindow
{
    ScriptedPrompt prompt;
    FakeUsbBus bus;
    QList<DeviceCfg *> models;
    UsbIo *usb = nullptr;
    std::unique_ptr<MainDialog> dialog;

    explicit GenerationWindow(const SimProcess &sim)
    {
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
        MainDialog::Parts parts;
        parts.prompt = &prompt;
        parts.makeModels = [this](QObject *parent) {
            models = {new DevMarvek1_1(parent), new DevMarvek2_0(parent), new DevMarvek3_0(parent),
                      new DevTokmat1_0(parent), new DevMarvekRobo1_0(parent)};
            new DevEspRelay(parent);
            return models;
        };
        parts.makeUsbLink = [this, &sim](QObject *parent) {
            usb = new UsbIo(&bus, parent);
            usb->setBoardPort(sim.udpPort());
            usb->setDiscoveryTarget(QHostAddress());
            return usb;
        };
        parts.makeNetLink = nullptr;
        dialog = std::make_unique<MainDialog>(parts);
        dialog->show();
    }
    QPushButton *pageButton(const QString &text) const
    {
        for (QPushButton *b : dialog->pageContainer()->findChildren<QPushButton *>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
};

// The editors marked as changed from factory.
QList<QObject *> factoryMarked(const GenerationWindow &w)
{
    QList<QObject *> out;
    for (QWidget *mark : w.dialog->pageContainer()->findChildren<QWidget *>(QStringLiteral("factoryMark")))
        out.append(mark->parent());
    return out;
}

int boardWord(SimProcess &sim, int address)
{
    if (!sim.save())
        return -1;
    const QByteArray image = sim.image();
    return image.size() < address + 2 ? -1 : quint8(image[address]) | quint8(image[address + 1]) << 8;
}

} // namespace

class TestWindowGenerations : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setTestLanguage(QStringLiteral("en")); }
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }

    void boardIsRecognisedAndEdited_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("section");
        QTest::addColumn<uint>("jitter");
        QTest::newRow("1.1") << "1.1" << 0 << "Buttons and Relays" << 166u;
        QTest::newRow("3.0") << "3.0" << 2 << "Buttons and Programs" << 7176u;
        QTest::newRow("tokmat") << "tokmat" << 3 << "Buttons" << 80u;
        QTest::newRow("robo") << "robo" << 4 << "Programs, Buttons and Relays" << 7046u;
    }
    void boardIsRecognisedAndEdited()
    {
        QFETCH(QString, board);
        QFETCH(int, model);
        QFETCH(QString, section);
        QFETCH(uint, jitter);
        SimProcess sim({QStringLiteral("--board"), board});
        QVERIFY(sim.start());
        GenerationWindow w(sim);
        w.usb->setDiscoveryTarget(QHostAddress(QHostAddress::LocalHost));
        w.usb->scan();
        QVERIFY(QTest::qWaitFor([&w] { return w.dialog->isConnected() && !w.dialog->pageHeld(); }, 20000));
        QCOMPARE(DeviceCfg::current(), w.models.at(model));
        auto *fixed = qobject_cast<FixedLayoutModel *>(w.models.at(model));
        Par *editor = nullptr;
        fixed->buildAllTabs();
        for (const auto &p : fixed->placements())
            if (p.address == jitter)
                editor = p.editor;
        QVERIFY(editor);
        // The factory image holds the page's default, "Button jitter [ms]" 30.
        QCOMPARE(editor->findChild<QSpinBox *>()->value(), 30);
        // Nothing on a board fresh from its factory image differs from the factory defaults.
        QCOMPARE(ModelDiff::compareWithFactory(fixed).size(), 0);
        QCoreApplication::processEvents();
        QVERIFY(factoryMarked(w).isEmpty());
        QTest::mouseClick(w.pageButton(section), Qt::LeftButton);
        QPushButton *plus = nullptr;
        for (QPushButton *b : editor->findChildren<QPushButton *>())
            if (b->text() == QLatin1String("+"))
                plus = b;
        QVERIFY(plus && plus->isVisible());
        // Scrolled to, as the user would; how much of the page fits depends on the window's layout,
        // which may still settle after the section opened.
        const auto scrolledTo = [&] {
            w.dialog->findChild<QScrollArea *>(QStringLiteral("scrollArea"))->ensureWidgetVisible(plus);
            return !plus->visibleRegion().isEmpty();
        };
        QTRY_VERIFY(scrolledTo());
        QTest::mouseClick(plus, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(boardWord(sim, int(jitter)), 31, 5000);
        QTRY_COMPARE(factoryMarked(w), QList<QObject *>{editor});
        QVERIFY(w.prompt.messages.isEmpty());

        // A saved dump loads back onto the board after a change.
        QTemporaryDir dir;
        const QString dump = dir.filePath(QStringLiteral("dump.bin"));
        w.prompt.files.enqueue(dump);
        QTest::mouseClick(w.dialog->findChild<QPushButton *>(QStringLiteral("butSave")), Qt::LeftButton);
        QTest::mouseClick(plus, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(boardWord(sim, int(jitter)), 32, 5000);
        w.prompt.files.enqueue(dump);
        w.prompt.choices.enqueue(0); // the overwrite asked first
        QTest::mouseClick(w.dialog->findChild<QPushButton *>(QStringLiteral("butLoad")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(boardWord(sim, int(jitter)), 31, 5000);
        QCOMPARE(editor->findChild<QSpinBox *>()->value(), 31);
        QVERIFY2(w.prompt.messages.isEmpty(), qPrintable(w.prompt.messages.value(0).text));

        // A dump of another layout is refused; the page and the board keep their values.
        DevTokmat1_0 tokmat;
        DevMarvekRobo1_0 robo;
        FixedLayoutModel &other = board == QLatin1String("tokmat") ? static_cast<FixedLayoutModel &>(robo) : tokmat;
        const QString foreign = dir.filePath(QStringLiteral("foreign.bin"));
        {
            QFile f(foreign);
            QVERIFY(f.open(QIODevice::WriteOnly) && other.save(&f));
        }
        QVERIFY(sim.save());
        const QByteArray boardBefore = sim.image();
        const QByteArray before(reinterpret_cast<const char *>(fixed->image()), FixedLayoutModel::ImageSize);
        w.prompt.files.enqueue(foreign);
        QTest::mouseClick(w.dialog->findChild<QPushButton *>(QStringLiteral("butLoad")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(w.prompt.messages.size(), 1, 5000);
        QCOMPARE(w.prompt.messages.at(0).text, QStringLiteral("Invalid file format. The current configuration was not changed."));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(fixed->image()), FixedLayoutModel::ImageSize), before);
        QCOMPARE(editor->findChild<QSpinBox *>()->value(), 31);
        QVERIFY(sim.save());
        QCOMPARE(sim.image(), boardBefore);
    }

    void boardNoModelAcceptsIsNamed()
    {
        SimProcess sim({QStringLiteral("--id"), QStringLiteral("0305,0100,0201")});
        QVERIFY(sim.start());
        GenerationWindow w(sim);
        w.usb->setDiscoveryTarget(QHostAddress(QHostAddress::LocalHost));
        w.usb->scan();
        QTRY_VERIFY_WITH_TIMEOUT(!w.prompt.messages.isEmpty(), 5000);
        QCOMPARE(w.prompt.messages.at(0).text,
                 QStringLiteral("Incompatible version: 305 100 201.\nThe board answered, but this version of the "
                                "program has no model for it."));
        QVERIFY(!w.dialog->isConnected());
        QCOMPARE(DeviceCfg::current(), nullptr);
    }
};

QTEST_MAIN(TestWindowGenerations)
#include "test_window_generations.moc"
