// Offline editing of a Controller 2.0 configuration: the start page choice shows the whole page
// on the default image, and a dump file loaded and saved again comes back byte for byte.
#include "app/maindialog.h"
#include "devices/devmarvek2_0.h"
#include "devices/modeldiff.h"
#include "editors/par.h"
#include "fakelink.h"
#include "scriptedprompt.h"
#include "testlanguage.h"
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

class TestMarvek2_0Offline : public QObject
{
    Q_OBJECT

    struct Window
    {
        ScriptedPrompt prompt;
        DevMarvek2_0 *model = nullptr;
        FakeLink *usb = nullptr;
        std::unique_ptr<MainDialog> dialog;

        Window()
        {
            MainDialog::Parts parts = MainDialog::defaultParts();
            parts.prompt = &prompt;
            parts.makeModels = [this](QObject *parent) {
                model = new DevMarvek2_0(parent);
                return QList<DeviceCfg *>{model};
            };
            parts.makeUsbLink = [this](QObject *parent) { return usb = new FakeLink(parent); };
            parts.makeNetLink = [](QObject *parent) { return new FakeLink(parent); };
            dialog = std::make_unique<MainDialog>(parts);
        }
        QPushButton *button(const char *name) const { return dialog->findChild<QPushButton *>(name); }
        void choose()
        {
            for (auto *b : dialog->pageContainer()->findChildren<QPushButton *>())
                if (b->text() == QLatin1String("Marvek ccTalk")) {
                    b->click();
                    return;
                }
            QFAIL("no start page button");
        }
        QByteArray file(const QString &path)
        {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }
    };

private Q_SLOTS:
    void initTestCase() { setTestLanguage(QStringLiteral("en")); } // the texts below are the built-in ones
    void init() { DeviceCfg::setCurrent(nullptr); }

    void startPageShowsTheWholePage()
    {
        Window w;
        w.choose();
        QCOMPARE(DeviceCfg::current(), w.model);
        QVERIFY(!w.dialog->onStartPage());
        const auto tabs = w.dialog->pageContainer()->findChildren<QPushButton *>(QStringLiteral("tabButton"));
        QCOMPARE(tabs.size(), 14);
        QCOMPARE(tabs.first()->text(), QStringLiteral("Coin validator ccTalk"));
        QCOMPARE(tabs.last()->text(), QStringLiteral("WiFi connection"));
        // The model's own identity words: not an extended board, feature bits of 0x9F0F.
        // Editors are made as their sections are first opened.
        QVERIFY(w.dialog->pageContainer()->findChildren<Par *>().isEmpty());
        for (QPushButton *tab : tabs)
            QTest::mouseClick(tab, Qt::LeftButton);
        QVERIFY(w.dialog->pageContainer()->findChildren<Par *>().size() > 300);
        // The default image carries the table's defaults.
        QCOMPARE(int(w.model->image()[7170]), 30);
        QCOMPARE(int(w.model->image()[7164]), 1);
        QVERIFY(w.usb->calls.isEmpty());
    }

    // Sections never opened hold no editors, yet their values follow a text renamed elsewhere,
    // a dump loaded and the marks of values changed from factory once they are opened.
    void closedSectionsFollowTheData()
    {
        QTemporaryDir dir;
        const QString dump = dir.filePath(QStringLiteral("jitter.bin"));
        Window w;
        w.choose();
        const auto open = [&w](const QString &title) {
            for (auto *b : w.dialog->pageContainer()->findChildren<QPushButton *>(QStringLiteral("tabButton")))
                if (b->text() == title && !b->isChecked())
                    QTest::mouseClick(b, Qt::LeftButton);
        };
        const auto editorAt = [&w](quint32 address) -> Par * {
            for (const auto &p : w.model->placements())
                if (p.address == address)
                    return p.editor;
            return nullptr;
        };
        // A dump whose button jitter is 17, the page itself left at 30.
        w.model->store(7170, QByteArray("\x11\x00", 2));
        w.prompt.files.enqueue(dump);
        w.button("butSave")->click();
        w.model->store(7170, QByteArray("\x1e\x00", 2));

        open(QStringLiteral("Programs"));
        QVERIFY(!editorAt(7342)); // the operator view's first line: not made yet
        auto *name = editorAt(6860)->findChild<QLineEdit *>();
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Foam and brush"));
        QTest::keyClick(name, Qt::Key_Return);
        open(QStringLiteral("Operator view"));
        QCOMPARE(editorAt(7342)->findChild<QLineEdit *>()->text(), QStringLiteral("OPERATOR"));
        QCOMPARE(name->text(), QStringLiteral("Foam and brush"));

        QVERIFY(!editorAt(7170));
        w.prompt.files.enqueue(dump);
        w.prompt.choices.enqueue(1); // the renamed program: discarded
        w.button("butLoad")->click();
        // Listed as changed from factory (Ctrl+D) before its section is made.
        QVERIFY(!editorAt(7170));
        const auto changed = ModelDiff::compareWithFactory(w.model);
        QVERIFY(std::any_of(changed.begin(), changed.end(), [](const ParamDifference &d) { return d.site.address == 7170; }));
        open(QStringLiteral("Buttons and Relays"));
        QCOMPARE(editorAt(7170)->findChild<QSpinBox *>()->value(), 17);
        QTRY_VERIFY(editorAt(7170)->findChild<QLabel *>(QStringLiteral("factoryMark")));
        QCOMPARE(editorAt(7342)->findChild<QLineEdit *>()->text(), QStringLiteral("OPERATOR"));
    }

    // Tab moves down the page whatever order its sections were opened in.
    void focusFollowsThePage()
    {
        Window w;
        w.choose();
        QWidget *page = w.dialog->pageContainer();
        for (const char *title : {"Idle view 2", "Programs", "Coin validator ccTalk", "Buttons and Relays"})
            for (auto *b : page->findChildren<QPushButton *>(QStringLiteral("tabButton")))
                if (b->text() == QLatin1String(title))
                    QTest::mouseClick(b, Qt::LeftButton);
        QVector<int> sections;
        QWidget *start = w.dialog.get();
        for (QWidget *f = start->nextInFocusChain(); f && f != start; f = f->nextInFocusChain()) {
            if (!(f->focusPolicy() & Qt::TabFocus) || !page->isAncestorOf(f))
                continue;
            QWidget *section = f;
            while (section->parentWidget() != page)
                section = section->parentWidget();
            const int at = page->layout()->indexOf(section);
            if (sections.isEmpty() || sections.last() != at)
                sections.append(at);
        }
        QCOMPARE(sections.size(), 4);
        QVERIFY(std::is_sorted(sections.begin(), sections.end()));
    }

    void dumpRoundTrip()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.bin"));
        const QString b = dir.filePath(QStringLiteral("b.bin"));
        {
            Window w;
            w.choose();
            // A few values changed through their editors, as a technician would.
            w.model->buildAllTabs();
            for (const auto &p : w.model->placements()) {
                if (p.address == 7170 || p.address == 6892 + 4 || p.address == 0x8074)
                    p.editor->findChild<QSpinBox *>()->setValue(p.address == 0x8074 ? 99 : 17);
            }
            w.prompt.files.enqueue(a);
            w.button("butSave")->click();
        }
        const QByteArray saved = Window().file(a);
        QCOMPARE(saved.size(), 8192);
        QCOMPARE(int(saved[7170]), 17);
        {
            Window w;
            w.choose();
            w.prompt.files.enqueue(a);
            w.button("butLoad")->click();
            QVERIFY(w.prompt.messages.isEmpty());
            QCOMPARE(int(w.model->image()[6896]), 17);
            w.prompt.files.enqueue(b);
            w.button("butSave")->click();
            QCOMPARE(w.file(b), saved);
        }
    }
};

QTEST_MAIN(TestMarvek2_0Offline)
#include "test_marvek2_0_offline.moc"
