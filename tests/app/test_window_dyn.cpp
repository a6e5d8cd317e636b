// The real main window against the simulator playing a board that describes itself, over the
// UDP bridge path and over TCP: the description becomes tabs and editors, an edit reaches the
// board as one value-mode record, a dump goes round, write-all sends list 1 in chunks, the
// machine setup keyword and the clear operation reach the board.
#include "app/compareview.h"
#include "app/maindialog.h"
#include "devices/devcom2.h"
#include "devices/devesprelay.h"
#include "devices/devtab.h"
#include "editors/par.h"
#include "fakeusbbus.h"
#include "link/tcpio.h"
#include "link/usbio.h"
#include "registry/cfgpar.h"
#include "scriptedprompt.h"
#include "simprocess.h"
#include "testlanguage.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace {

struct DynWindow
{
    ScriptedPrompt prompt;
    FakeUsbBus bus;
    DevCom2 *model = nullptr;
    UsbIo *usb = nullptr;
    TcpIo *net = nullptr;
    std::unique_ptr<MainDialog> dialog;

    explicit DynWindow(const SimProcess &sim)
    {
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
        qputenv("VANDOR_NET_TARGET", "127.0.0.1");
        qputenv("VANDOR_NET_PORT", QByteArray::number(sim.netPort()));
        qputenv("VANDOR_NET_ANSWER_PORT", "0");
        MainDialog::Parts parts;
        parts.prompt = &prompt;
        parts.makeModels = [this](QObject *parent) {
            model = new DevCom2(parent);
            new DevEspRelay(parent);
            return QList<DeviceCfg *>{};
        };
        parts.makeUsbLink = [this, &sim](QObject *parent) {
            usb = new UsbIo(&bus, parent);
            usb->setBoardPort(sim.udpPort());
            usb->setDiscoveryTarget(QHostAddress());
            return usb;
        };
        parts.makeNetLink = [this](QObject *parent) {
            net = new TcpIo(parent);
            net->setDiscoveryTarget(QHostAddress());
            return net;
        };
        dialog = std::make_unique<MainDialog>(parts);
        dialog->show();
    }

    bool connectUdp()
    {
        usb->setDiscoveryTarget(QHostAddress(QHostAddress::LocalHost));
        usb->scan();
        return QTest::qWaitFor([this] { return dialog->isConnected() && !dialog->pageHeld(); }, 20000);
    }
    bool connectTcp()
    {
        net->setDiscoveryTarget(QHostAddress(QHostAddress::LocalHost));
        net->scan();
        QPushButton *controller = nullptr;
        (void)QTest::qWaitFor([&] {
            for (QPushButton *b : dialog->pageContainer()->findChildren<QPushButton *>("netBoard"))
                if (b->text().contains(QStringLiteral("controller on the network")))
                    controller = b;
            return controller != nullptr;
        }, 10000);
        if (!controller)
            return false;
        QTest::mouseClick(controller, Qt::LeftButton);
        return QTest::qWaitFor([this] { return dialog->isConnected() && !dialog->pageHeld(); }, 20000);
    }
    QList<QPushButton *> tabButtons() const { return dialog->pageContainer()->findChildren<QPushButton *>("tab2Button"); }
    QPushButton *tab(const QString &text) const
    {
        for (QPushButton *b : tabButtons())
            if (b->text() == text)
                return b;
        return nullptr;
    }
    QStringList tabTexts() const
    {
        QStringList out;
        for (QPushButton *b : tabButtons())
            out << b->text();
        return out;
    }
    // The editor whose title begins with label, inside the content of a tab.
    Par *editor(const QString &label, QWidget *in = nullptr) const
    {
        for (Par *p : (in ? in : dialog->pageContainer())->findChildren<Par *>()) {
            auto *title = p->findChild<QLabel *>("label");
            if (title && title->text().startsWith(label))
                return p;
        }
        return nullptr;
    }
    QPushButton *buttonIn(QWidget *w, const QString &text) const
    {
        for (QPushButton *b : w->findChildren<QPushButton *>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
};

// The value-mode chunks the board received since its start: marker, complete count, bytes.
struct Chunk
{
    int marker;
    int complete;
    QByteArray data;
};
QList<Chunk> chunksOf(SimProcess &sim)
{
    QList<Chunk> out;
    if (!sim.save())
        return out;
    for (const QByteArray &line : sim.file(QStringLiteral("dynwrites.log")).split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() >= 2)
            out.append({f[0].toInt(), f[1].toInt(), QByteArray::fromHex(f.value(2))});
    }
    return out;
}

QByteArray le32(quint32 v)
{
    QByteArray b;
    for (int i = 0; i < 4; ++i)
        b.append(char(v >> (8 * i)));
    return b;
}

// Record ends of a value-mode image: each record is a UID and a payload of its type.
QVector<int> recordEnds(const QByteArray &b)
{
    QVector<int> ends;
    int pos = 0;
    auto u16 = [&](int at) { return int(quint8(b[at]) | quint8(b[at + 1]) << 8); };
    while (pos + 4 <= b.size()) {
        const int type = quint8(b[pos + 3]) & 0x3F;
        int at = pos + 4;
        switch (type) {
        case 0x02: case 0x05: case 0x0A: at += 2; break;
        case 0x06: at += 4; break;
        case 0x07: at += 2 + u16(at); break;
        case 0x08: at += 32; break;
        case 0x09: at += 6; break;
        case 0x0B: for (int i = 0; i < 16; ++i) at += 2 + u16(at) + 6; break;
        default: return ends;
        }
        pos = at;
        ends.append(pos);
    }
    return ends;
}

const QStringList FullTitles = {
    "Coin validator", "Coin validator 5", "Banknote validator", "Hopper Token / Primary",
    "Hopper Change / Secondary", "View Startup", "View Idle 1", "View Credit", "WiFi module",
    "System controller", "Fiscal", "Buttons", "POS terminal"};
const QStringList ShortTitles = {"C", "C5", "B", "H1", "H2", "VSt", "VI1", "VCr", "WF", "Cnt", "Fis", "But", "Pos"};

} // namespace

class TestWindowDyn : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setTestLanguage(QStringLiteral("en")); }
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
        CfgPar::destroyAll();
    }

    // A language chosen while the described page is shown builds it again at once from the
    // parameters it has, with the open tab open again, and reads nothing from the board.
    void languageRedrawsDescribedPage()
    {
        SimProcess sim({"--dyn"});
        QVERIFY(sim.start());
        DynWindow w(sim);
        QVERIFY(w.connectUdp());
        QTest::mouseClick(w.tab("Coin validator"), Qt::LeftButton);
        int open = -1;
        for (int i = 0; i < w.tabButtons().size(); ++i)
            if (w.tabButtons().at(i)->isChecked())
                open = i;
        QVERIFY(open >= 0);
        const int requests = sim.transcript().size();

        w.dialog->setLanguage(QStringLiteral("bg"));
        const QString coins = QCoreApplication::translate("DevCom2", "Disabled coins [channel]");
        QVERIFY(coins != QLatin1String("Disabled coins [channel]"));
        QVERIFY(w.tabButtons().value(open)->isChecked());
        auto *area = w.dialog->pageContainer()->findChild<QScrollArea *>("dynArea");
        QVERIFY(area && area->isVisible());
        QVERIFY(w.editor(coins, area->widget()));
        // Only the open tab has its editors again; the others get theirs when first opened.
        QCOMPARE(w.dialog->pageContainer()->findChildren<Par *>().size(), area->widget()->findChildren<Par *>().size());
        w.model->buildAllTabs();
        QCOMPARE(w.dialog->pageContainer()->findChildren<Par *>().size(), 37);
        QCOMPARE(sim.transcript().size(), requests);

        w.dialog->setLanguage(QStringLiteral("en"));
        QTest::mouseClick(w.tabButtons().value(open), Qt::LeftButton);
        QCOMPARE(w.tabTexts(), FullTitles);
        setTestLanguage(QStringLiteral("en"));
    }

    void describedBoardOverUdp()
    {
        SimProcess sim({"--dyn"});
        QVERIFY(sim.start());
        DynWindow w(sim);
        QVERIFY(w.connectUdp());
        QCOMPARE(DeviceCfg::current(), w.model);
        QVERIFY(w.prompt.messages.isEmpty());
        // Answers to a scan sent just before the connection come after the page was built: the
        // boards found stay on the start page, off the connected page and its tabs.
        Q_EMIT w.net->newDevice(QStringLiteral("Late controller\ncontroller on the network at 192.168.100.201"), 8);
        Q_EMIT w.net->newDevice(QStringLiteral("Late bridge\nnetwork bridge at 192.168.100.202"), 9);
        QVERIFY(w.dialog->pageContainer()->findChildren<QPushButton *>("netBoard").isEmpty());

        // One tab per group and instance, in key order, and one editor per parameter of list 1.
        QCOMPARE(w.tabTexts(), FullTitles);
        int params = 0;
        for (CfgPar *p = CfgPar::head(1); p; p = p->next())
            ++params;
        QCOMPARE(params, 37);
        // A tab's editors are made when it is first opened.
        QVERIFY(w.dialog->pageContainer()->findChildren<Par *>().isEmpty());
        w.model->buildAllTabs();
        QCOMPARE(w.dialog->pageContainer()->findChildren<Par *>().size(), params);
        QCOMPARE(w.dialog->pageContainer()->findChildren<Par *>("ParViewText16").size(), 2);
        QCOMPARE(w.dialog->pageContainer()->findChildren<Par *>("ParU16A16").size(), 1);
        QCOMPARE(w.dialog->pageContainer()->findChildren<Par *>("ParBgr").size(), 2);
        QCOMPARE(w.dialog->pageContainer()->findChildren<Par *>("ParM32").size(), 1);
        auto *area = w.dialog->pageContainer()->findChild<QScrollArea *>("dynArea");
        QVERIFY(area && area->isHidden());

        // Selecting a tab shows its content with short titles; the mask buttons of the
        // disabled coins carry the denominations of the same validator.
        QPushButton *coinTab = w.tab("Coin validator");
        QVERIFY(coinTab->isVisible());
        QTest::mouseClick(coinTab, Qt::LeftButton);
        QVERIFY(area->isVisible());
        QCOMPARE(w.tabTexts(), ShortTitles);
        Par *coins = w.editor("Disabled coins [channel]", area->widget());
        QVERIFY(coins && coins->isVisible());
        QVERIFY(w.buttonIn(coins, "5") && w.buttonIn(coins, "10") && w.buttonIn(coins, "200"));

        // One edit: exactly one value-mode record of that parameter, marker 1, complete 6.
        Par *value = w.editor("Coin value - when not used validator set [cents]", area->widget());
        QVERIFY(value);
        QPushButton *plus = w.buttonIn(value, "+");
        // Scrolled to, as the user would; how much of the tab fits depends on the window's layout,
        // which may still settle after the tab opened.
        const auto scrolledTo = [&](QPushButton *b) {
            area->ensureWidgetVisible(b);
            return b->isVisible() && !b->visibleRegion().isEmpty();
        };
        QTRY_VERIFY(scrolledTo(plus));
        QTest::mouseClick(plus, Qt::LeftButton);
        QCOMPARE(value->findChild<QSpinBox *>()->value(), 101);
        QList<Chunk> chunks = chunksOf(sim);
        QCOMPARE(chunks.size(), 1);
        QCOMPARE(chunks[0].marker, 1);
        QCOMPARE(chunks[0].complete, 6);
        QCOMPARE(chunks[0].data.toHex(), QByteArray(le32(0x42102002) + QByteArray::fromHex("6500")).toHex());

        // Undone and redone with the keys: the value before, then the value after, each sent
        // as that parameter's one record and shown by its editor.
        QTest::keyClick(w.dialog.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(value->findChild<QSpinBox *>()->value(), 100);
        QTest::keyClick(w.dialog.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(value->findChild<QSpinBox *>()->value(), 101);
        chunks = chunksOf(sim);
        QCOMPARE(chunks.size(), 3);
        QCOMPARE(chunks[1].data.toHex(), QByteArray(le32(0x42102002) + QByteArray::fromHex("6400")).toHex());
        QCOMPARE(chunks[2].data.toHex(), chunks[0].data.toHex());
        QVERIFY(w.prompt.messages.isEmpty());

        // Unselecting hides the area and brings the full titles back.
        QTest::mouseClick(coinTab, Qt::LeftButton);
        QVERIFY(area->isHidden());
        QCOMPARE(w.tabTexts(), FullTitles);

        // The dump saved through the window is the board's list 1 as the board holds it.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("board.bin"));
        w.prompt.files.enqueue(path);
        QTest::mouseClick(w.dialog->findChild<QPushButton *>("butSave"), Qt::LeftButton);
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray dump = saved.readAll();
        QVERIFY(dump.startsWith(QByteArray("DevCom2", 8)));
        QCOMPARE(dump.toHex(), sim.file(QStringLiteral("dyn.bin")).toHex());

        // Another edit, its tab closed (another one opened), then the dump loaded back: the whole
        // list 1 goes to the board in chunks of at most 60 bytes with markers 1, 2, ... and
        // complete counts on the record boundaries, the page and the commands held meanwhile as
        // during a read (an edit tried then starts no stream); reopened, the tab shows the dump's
        // value, and its next edit starts from it.
        QTest::mouseClick(coinTab, Qt::LeftButton);
        QTRY_VERIFY(scrolledTo(plus));
        QTest::mouseClick(plus, Qt::LeftButton);
        QCOMPARE(value->findChild<QSpinBox *>()->value(), 102);
        QTest::mouseClick(w.tab("C5"), Qt::LeftButton);
        Par *other = w.editor("Coin value - when not used validator set [cents]", area->widget());
        QPushButton *otherPlus = w.buttonIn(other, "+");
        QTRY_VERIFY(scrolledTo(otherPlus));
        auto *load = w.dialog->findChild<QPushButton *>("butLoad");
        bool tried = false, held = false;
        QTimer during;
        QObject::connect(&during, &QTimer::timeout, [&] {
            if (tried || !w.dialog->progressBar()->isVisible())
                return;
            tried = true;
            held = w.dialog->pageHeld() && !load->isEnabled() && !w.dialog->findChild<QPushButton *>("butReread")->isEnabled();
            QTest::mouseClick(otherPlus, Qt::LeftButton);
        });
        during.start(0);
        const int before = chunksOf(sim).size();
        w.prompt.files.enqueue(path);
        w.prompt.choices.enqueue(0); // the overwrite asked first
        QTest::mouseClick(load, Qt::LeftButton);
        during.stop();
        QVERIFY(w.prompt.messages.isEmpty());
        QVERIFY(tried && held && !w.dialog->pageHeld() && load->isEnabled());
        QCOMPARE(other->findChild<QSpinBox *>()->value(), 50);
        QTest::mouseClick(coinTab, Qt::LeftButton);
        QCOMPARE(value->findChild<QSpinBox *>()->value(), 101);
        chunks = chunksOf(sim).mid(before);
        QVERIFY(chunks.size() > 10);
        QByteArray sent;
        const QVector<int> ends = recordEnds(dump.mid(8));
        for (int i = 0; i < chunks.size(); ++i) {
            QCOMPARE(chunks[i].marker, i == 0 ? 1 : 2);
            QVERIFY(chunks[i].data.size() <= 60);
            int complete = 0;
            for (int e : ends)
                if (e > sent.size() && e <= sent.size() + chunks[i].data.size())
                    complete = e - sent.size();
            QCOMPARE(chunks[i].complete, complete);
            sent += chunks[i].data;
        }
        QCOMPARE(sent.toHex(), dump.mid(8).toHex());
        QCOMPARE(sim.file(QStringLiteral("dyn.bin")).toHex(), dump.toHex());
        QTRY_VERIFY(scrolledTo(plus));
        QTest::mouseClick(plus, Qt::LeftButton);
        QCOMPARE(chunksOf(sim).last().data.toHex(), QByteArray(le32(0x42102002) + QByteArray::fromHex("6600")).toHex());

        // The hex dump command offers the machine setup: an erased block shows its first word
        // only, and 4 bytes typed fill words 0-1 and erase the rest before the block is sent.
        w.prompt.texts.enqueue(QStringLiteral("01 02 03 04"));
        QMetaObject::invokeMethod(w.dialog.get(), "hexDump");
        QCOMPARE(w.prompt.asked.last(), QStringLiteral("Machine setup|Setup keyword"));
        QCOMPARE(w.prompt.prefilled.last(), QStringLiteral("ff ff"));
        QPlainTextEdit *shown = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("hexDumpView"))
                shown = static_cast<QPlainTextEdit *>(top);
        QVERIFY(shown);
        QCOMPARE(shown->toPlainText(), QStringLiteral("not applied"));
        shown->close();
        QVERIFY(sim.save());
        QCOMPARE(sim.file(QStringLiteral("setup.bin")).toHex(),
                 QByteArray(QByteArray::fromHex("01020304") + QByteArray(28, char(0xFF))).toHex());

        // Reading again replaces the page: the same tabs and editors, none twice.
        QTest::mouseClick(w.dialog->findChild<QPushButton *>("butReread"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w.dialog->isConnected() && !w.dialog->pageHeld(), 20000);
        QCOMPARE(w.tabTexts(), FullTitles);
        QVERIFY(w.dialog->pageContainer()->findChildren<Par *>().isEmpty());
        w.model->buildAllTabs();
        QCOMPARE(w.dialog->pageContainer()->findChildren<Par *>().size(), params);
        QVERIFY(area->isHidden());

        // Clearing writes the 32-bit counter of list 2 as 0 and leaves the other alone.
        const int beforeClear = chunksOf(sim).size();
        w.model->clearNvm();
        chunks = chunksOf(sim).mid(beforeClear);
        QCOMPARE(chunks.size(), 1);
        QCOMPARE(chunks[0].data.toHex(), QByteArray(le32(0x86F01010) + QByteArray(4, '\0')).toHex());
    }

    // Over TCP: the same description, and each kind of editor sends exactly its one record.
    void describedBoardOverTcp()
    {
        SimProcess sim({"--dyn"});
        QVERIFY(sim.start());
        DynWindow w(sim);
        QVERIFY(w.connectTcp());
        QCOMPARE(w.tabTexts(), FullTitles);
        // The network link has no machine setup command: the read does not try it.
        QVERIFY(w.prompt.messages.isEmpty());
        QTest::mouseClick(w.tab("System controller"), Qt::LeftButton);
        auto *area = w.dialog->pageContainer()->findChild<QScrollArea *>("dynArea");
        Par *language = w.editor("Language", area->widget());
        QVERIFY(language);
        // A drop-down of "BG" and "EN" storing their letters.
        auto *choice = language->findChild<QComboBox *>();
        QVERIFY(choice);
        QCOMPARE(choice->currentText(), QStringLiteral("BG"));
        choice->setCurrentIndex(choice->findText(QStringLiteral("EN")));
        QList<Chunk> chunks = chunksOf(sim);
        QCOMPARE(chunks.size(), 1);
        QCOMPARE(chunks[0].data.toHex(), QByteArray(le32(0x45F0100A) + QByteArray::fromHex("454e")).toHex());

        // Sixteen numbers sharing limits: the whole array goes, the first one stepped up.
        Par *costs = w.editor("Variable costs for quantity [cents]", area->widget());
        QVERIFY(costs);
        QPushButton *plus = w.buttonIn(costs, "+");
        QVERIFY(plus);
        QTRY_VERIFY(plus->isVisible() && !plus->visibleRegion().isEmpty());
        QTest::mouseClick(plus, Qt::LeftButton);
        chunks = chunksOf(sim);
        QCOMPARE(chunks.size(), 2);
        QByteArray costsRecord = le32(0x48F01004);
        for (int v : {101, 200, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})
            costsRecord += QByteArray(1, char(v & 0xFF)) + QByteArray(1, char(v >> 8));
        QCOMPARE(chunks[1].data.toHex(), costsRecord.toHex());
        QCOMPARE(chunks[1].complete, 36);

        // A text, typed and confirmed with Enter.
        QVERIFY2(w.tab("WF"), qPrintable(w.tabTexts().join(',')));
        QTest::mouseClick(w.tab("WF"), Qt::LeftButton);
        Par *key = w.editor("Server write key", area->widget());
        QVERIFY(key);
        auto *edit = key->findChild<QLineEdit *>();
        QTRY_VERIFY(edit->isVisible());
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("NEWKEY"));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(area->isVisible()); // Enter confirms the text and leaves the tab open
        chunks = chunksOf(sim);
        QCOMPARE(chunks.size(), 3);
        QCOMPARE(chunks[2].data.toHex(), QByteArray(le32(0x47501003) + QByteArray::fromHex("0600") + "NEWKEY").toHex());

        // Sixteen view lines are longer than a chunk: one record in several chunks, marker 1 then
        // 2, complete 0 until the chunk where the record ends.
        QVERIFY(w.tab("VI1"));
        QTest::mouseClick(w.tab("VI1"), Qt::LeftButton);
        Par *lines = w.editor("Text", area->widget());
        QVERIFY(lines);
        auto *first = lines->findChild<QLineEdit *>();
        QTRY_VERIFY(first->isVisible());
        first->selectAll();
        QTest::keyClicks(first, QStringLiteral("Hi"));
        QTest::keyClick(first, Qt::Key_Return);
        chunks = chunksOf(sim).mid(3);
        QVERIFY(chunks.size() > 1);
        QByteArray record;
        for (int i = 0; i < chunks.size(); ++i) {
            QCOMPARE(chunks[i].marker, i == 0 ? 1 : 2);
            QCOMPARE(chunks[i].complete, i + 1 == chunks.size() ? chunks[i].data.size() : 0);
            record += chunks[i].data;
        }
        QVERIFY(record.startsWith(le32(0x4B402002) + QByteArray::fromHex("0200") + "Hi"));
        QCOMPARE(recordEnds(record), QVector<int>{record.size()});
        QVERIFY(sim.file(QStringLiteral("dyn.bin")).contains(record));
    }

    // The compare view of the dynamic device: the board against its newest snapshot, "Now"
    // following an edit made while the view is open, values decoded as the page shows them,
    // and a checked row put back on the board as one value-mode record.
    void compareWithSnapshot()
    {
        SimProcess sim({"--dyn"});
        QVERIFY(sim.start());
        DynWindow w(sim);
        QVERIFY(w.connectUdp());
        QTest::mouseClick(w.dialog->findChild<QPushButton *>("butCompare"), Qt::LeftButton);
        auto *view = w.dialog->findChild<CompareView *>();
        QVERIFY(view);
        auto *source = view->findChild<QComboBox *>("compareSource");
        QVERIFY(source->findText(QStringLiteral("Factory defaults")) < 0); // the board's description has none
        QVERIFY(source->itemText(1).startsWith(QStringLiteral("Snapshot of")));
        source->setCurrentIndex(1);
        Q_EMIT source->activated(1);
        QCOMPARE(view->differences(), 0);

        QTest::mouseClick(w.tab("Coin validator"), Qt::LeftButton);
        auto *area = w.dialog->pageContainer()->findChild<QScrollArea *>("dynArea");
        Par *value = w.editor("Coin value - when not used validator set [cents]", area->widget());
        QVERIFY(value);
        QTest::keyClick(value->findChild<QSpinBox *>(), Qt::Key_Up);
        QCOMPARE(value->findChild<QSpinBox *>()->value(), 101);
        QTRY_COMPARE(view->differences(), 1);
        QTreeWidgetItem *row = view->rows()->topLevelItem(0);
        QCOMPARE(row->text(0), QStringLiteral("Coin validator / Coin value - when not used validator set [cents]"));
        QCOMPARE(row->text(1), QStringLiteral("101"));
        QCOMPARE(row->text(2), QStringLiteral("100"));

        row->setCheckState(0, Qt::Checked);
        const int sent = chunksOf(sim).size();
        QTest::mouseClick(view->findChild<QPushButton *>("butApplyChecked"), Qt::LeftButton);
        const QList<Chunk> chunks = chunksOf(sim).mid(sent);
        QCOMPARE(chunks.size(), 1);
        QCOMPARE(chunks[0].data.toHex(), QByteArray(le32(0x42102002) + QByteArray::fromHex("6400")).toHex());
        QCOMPARE(value->findChild<QSpinBox *>()->value(), 100);
        QCOMPARE(view->differences(), 0);
        QVERIFY(w.dialog->pageContainer()->findChildren<QLabel *>("factoryMark").isEmpty());
        QVERIFY(w.prompt.messages.isEmpty());
    }

    // A failed list 1 fails the whole read: the window reports it.
    void brokenFirstListFailsTheRead()
    {
        QTemporaryDir dir;
        const QString desc = dir.filePath(QStringLiteral("d.txt"));
        QFile f(desc);
        QVERIFY(f.open(QIODevice::WriteOnly));
        // A record of a type no board may send ends list 1 as corrupt.
        f.write("42102002 01001027 6400\n4c102003 0000\n");
        f.close();
        SimProcess sim({"--describe", desc});
        QVERIFY(sim.start());
        DynWindow w(sim);
        w.usb->setDiscoveryTarget(QHostAddress(QHostAddress::LocalHost));
        w.usb->scan();
        QTRY_COMPARE_WITH_TIMEOUT(w.prompt.messages.size(), 1, 20000);
        QVERIFY(w.prompt.messages[0].text.startsWith(QStringLiteral("Device error!")));
        QVERIFY(w.tabButtons().isEmpty());
    }
};

QTEST_MAIN(TestWindowDyn)
#include "test_window_dyn.moc"
