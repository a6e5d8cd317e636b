// The real main window's find bar, undo and redo, and language switch, driven with keys and
// the mouse: finding settings on the 2.0 and 3.0 pages, undo and redo of every kind of edit
// against the board simulator (byte-identical images), a failed undo, a redraw without a read.
#include "app/editundo.h"
#include "app/findbar.h"
#include "devices/devcom2.h"
#include "devices/devmarvek3_0.h"
#include "devices/devtab.h"
#include "editors/colorpickeritem.h"
#include "editors/colorpickerpopup.h"
#include "editors/qtcolorpicker.h"
#include "simwindow.h"
#include "testlanguage.h"
#include <QClipboard>
#include <QLayout>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QGroupBox>
#include <QSlider>
#include <QSpinBox>

namespace {

// The button of the section an editor sits in, or null.
QPushButton *sectionButton(QWidget *editor)
{
    QWidget *content = editor;
    while (content && content->objectName() != QLatin1String("tabContents"))
        content = content->parentWidget();
    if (!content)
        return nullptr;
    QLayout *column = content->parentWidget()->layout();
    return qobject_cast<QPushButton *>(column->itemAt(column->indexOf(content) - 1)->widget());
}

void openSectionOf(QWidget *editor)
{
    QPushButton *button = sectionButton(editor);
    if (!button || button->isChecked())
        return;
    // (A mouse press on the page goes through its flick scrolling, which the offscreen test
    // platform does not always hand on: the button is clicked as a button.)
    button->click();
    QTRY_VERIFY(editor->isVisible() && editor->height() > 0);

}

// True when the editor lies inside the visible part of the page.
bool inView(MainDialog *dialog, QWidget *editor)
{
    auto *area = dialog->findChild<QScrollArea *>(QStringLiteral("scrollArea"));
    const QRect viewport = area->viewport()->rect();
    const QRect at(editor->mapTo(area->viewport(), QPoint(0, 0)), editor->size());
    return editor->isVisible() && viewport.intersects(at);
}

QList<QPushButton *> tabButtons(MainDialog *dialog)
{
    return dialog->pageContainer()->findChildren<QPushButton *>(QStringLiteral("tabButton"),
                                                                Qt::FindDirectChildrenOnly);
}

int markOf(QWidget *editor) { return editor->property(PageSearch::MarkProperty).toInt(); }

// The board's image and NV memory as the simulator saved them.
QByteArray boardState(SimProcess &sim)
{
    if (!sim.save())
        return QByteArray();
    return sim.image() + sim.nvmem();
}

QByteArray modelState(FixedLayoutModel *model)
{
    return QByteArray(reinterpret_cast<const char *>(model->image()), FixedLayoutModel::ImageSize)
         + QByteArray(reinterpret_cast<const char *>(model->nvRegion()), FixedLayoutModel::NvSize);
}

} // namespace

class TestWindowEdits : public QObject
{
    Q_OBJECT

    // Types words into the find field after Ctrl+F, as a user does.
    static void find(MainDialog *dialog, const QString &words)
    {
        QTest::keyClick(dialog, Qt::Key_F, Qt::ControlModifier);
        QLineEdit *field = dialog->findBar()->field();
        QVERIFY(field->hasFocus());
        QTest::keyClicks(field, words);
    }

    // Steps through every match with Enter and Shift+Enter: each is marked as the current one
    // and scrolled into view.
    static void stepThrough(MainDialog *dialog, const QList<Par *> &expected)
    {
        QLineEdit *field = dialog->findBar()->field();
        PageSearch &search = dialog->findBar()->search();
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(search.currentEditor(), expected.at(i));
            QCOMPARE(markOf(expected.at(i)), 2);
            QTRY_VERIFY(inView(dialog, expected.at(i)));
            QTest::keyClick(field, Qt::Key_Return);
        }
        QCOMPARE(search.currentEditor(), expected.first()); // round again
        QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(search.currentEditor(), expected.last());
        QTRY_VERIFY(inView(dialog, expected.last()));
    }

private Q_SLOTS:
    void initTestCase() { setTestLanguage(QStringLiteral("en")); }
    void init()
    {
        scanEnabled = true;
        DeviceCfg::setCurrent(nullptr);
    }

    // Words pasted into the find field of a page never opened: only the section that holds
    // the matches gets its editors.
    void findMakesOnlyTheSectionsItShows()
    {
        ScriptedPrompt prompt;
        DevMarvek2_0 *m20 = nullptr;
        MainDialog::Parts parts;
        parts.prompt = &prompt;
        parts.makeModels = [&](QObject *parent) { return QList<DeviceCfg *>{m20 = new DevMarvek2_0(parent)}; };
        auto dialog = std::make_unique<MainDialog>(parts);
        dialog->show();
        for (QPushButton *b : dialog->pageContainer()->findChildren<QPushButton *>())
            if (b->text() == m20->title()) {
                QTest::mouseClick(b, Qt::LeftButton);
                break;
            }
        QVERIFY(m20->placements().isEmpty());
        QApplication::clipboard()->setText(QStringLiteral("relay delay"));
        QTest::keyClick(dialog.get(), Qt::Key_F, Qt::ControlModifier);
        QTest::keyClick(dialog->findBar()->field(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dialog->findBar()->search().matchCount(), 2);
        QSet<quint32> made;
        for (const auto &p : m20->placements())
            made.insert(p.address);
        QVERIFY(made.contains(7158) && made.contains(7170)); // Buttons and Relays
        QVERIFY(!made.contains(7334));                      // Coin validator ccTalk
        for (Par *p : dialog->findBar()->search().matches())
            QVERIFY(p && p->isVisible());
    }

    // Offline pages of two generations: the words find exactly the editors they name, the
    // page narrows to their sections and groups, Escape puts it back as it was.
    void findNarrowsStepsAndRestores()
    {
        ScriptedPrompt prompt;
        DevMarvek2_0 *m20 = nullptr;
        DevMarvek3_0 *m30 = nullptr;
        MainDialog::Parts parts;
        parts.prompt = &prompt;
        parts.makeModels = [&](QObject *parent) {
            m20 = new DevMarvek2_0(parent);
            m30 = new DevMarvek3_0(parent);
            return QList<DeviceCfg *>{m20, m30};
        };
        auto dialog = std::make_unique<MainDialog>(parts);
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        const auto pageButton = [&dialog](const QString &text) -> QPushButton * {
            for (QPushButton *b : dialog->pageContainer()->findChildren<QPushButton *>())
                if (b->text() == text)
                    return b;
            return nullptr;
        };
        // The editors made so far: find makes those of the sections that hold a match.
        const auto editorAt = [](FixedLayoutModel *m, quint32 address) -> Par * {
            for (const auto &p : m->placements())
                if (p.address == address)
                    return p.editor;
            return nullptr;
        };

        QTest::mouseClick(pageButton(m20->title()), Qt::LeftButton);
        QVERIFY(dialog->findBar()->isVisible());
        // The page as the user left it: one section open, scrolled a little.
        QTest::mouseClick(pageButton(QStringLiteral("Programs")), Qt::LeftButton);
        auto *area = dialog->findChild<QScrollArea *>(QStringLiteral("scrollArea"));
        QTRY_VERIFY(area->verticalScrollBar()->maximum() > 100);
        area->verticalScrollBar()->setValue(60);
        const QList<QPushButton *> tabs = tabButtons(dialog.get());
        QList<bool> openBefore;
        for (QPushButton *b : tabs)
            openBefore.append(b->isChecked());

        // "relay delay": the relay transaction delay and the relays' delay after the inverter.
        find(dialog.get(), QStringLiteral("Relay DELAY"));
        // (a board without a second inverter: the offline page has one)
        const QList<Par *> relay = {editorAt(m20, 7158), editorAt(m20, 6544)};
        for (Par *p : relay)
            QVERIFY(p);
        QCOMPARE(dialog->findBar()->search().matches(), relay);
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("findCount"))->text(), QStringLiteral("1 of 2"));
        for (QPushButton *b : tabs) {
            const bool holds = b->text() == QLatin1String("Buttons and Relays");
            QCOMPARE(b->isVisible(), holds);
            QCOMPARE(b->isChecked(), holds);
        }
        for (Par *p : relay)
            QVERIFY(markOf(p) > 0);
        QCOMPARE(markOf(editorAt(m20, 7170)), 0); // in the same section, not a match
        stepThrough(dialog.get(), relay);

        // Narrowing further keeps only what still matches; a word found nowhere shows nothing.
        QTest::keyClicks(dialog->findBar()->field(), QStringLiteral(" transaction"));
        QCOMPARE(dialog->findBar()->search().matches(), QList<Par *>{relay.first()});
        QCOMPARE(markOf(relay.at(1)), 0);
        QTest::keyClicks(dialog->findBar()->field(), QStringLiteral("xyz"));
        QCOMPARE(dialog->findBar()->search().matchCount(), 0);
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("findCount"))->text(), QStringLiteral("No match"));
        for (QPushButton *b : tabs)
            QVERIFY(!b->isVisible());

        // Escape: the field empties and the page is as it was.
        QTest::keyClick(dialog->findBar()->field(), Qt::Key_Escape);
        QVERIFY(dialog->findBar()->field()->text().isEmpty());
        for (int i = 0; i < tabs.size(); ++i) {
            QVERIFY(tabs.at(i)->isVisible());
            QCOMPARE(tabs.at(i)->isChecked(), openBefore.at(i));
        }
        QTRY_COMPARE(area->verticalScrollBar()->value(), 60);
        for (Par *p : relay)
            QCOMPARE(markOf(p), 0);
        QVERIFY(dialog->isVisible()); // Escape never closes the window

        // Another generation: "coin value" finds the value of each coin code, one per group.
        dialog.reset();
        DeviceCfg::setCurrent(nullptr);
        dialog = std::make_unique<MainDialog>(parts);
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QTest::mouseClick(pageButton(m30->title()), Qt::LeftButton);
        find(dialog.get(), QStringLiteral("coin value"));
        QList<Par *> coins;
        for (quint32 a = 7178; a < 7178 + 32; a += 2)
            coins.append(editorAt(m30, a));
        // The validator's options, above the groups, speak of coin values in their help.
        const QList<Par *> found = QList<Par *>{editorAt(m30, 7212)} + coins;
        QCOMPARE(dialog->findBar()->search().matches(), found);
        QList<QGroupBox *> groups;
        for (Par *p : coins)
            groups.append(qobject_cast<QGroupBox *>(p->parentWidget()));
        QCOMPARE(groups.size(), 16);
        for (QGroupBox *g : groups)
            QVERIFY(g && g->isVisible());
        stepThrough(dialog.get(), found);
        // The coin channel inhibit mask sits in the same section, outside every coin group.
        QVERIFY(!editorAt(m30, 7210)->isVisible() || markOf(editorAt(m30, 7210)) == 0);
        QTest::keyClick(dialog->findBar()->field(), Qt::Key_Escape);
        for (QPushButton *b : tabButtons(dialog.get())) {
            QVERIFY(b->isVisible());
            QVERIFY(!b->isChecked());
        }
        QVERIFY(prompt.messages.isEmpty());
    }

    // The board that describes itself: only the tabs with matches stay in the column, the
    // match's tab is shown, stepping shows each match; Escape brings back the column with no
    // tab shown, as it was.
    void findOnTheDescribedBoard()
    {
        SimProcess sim({QStringLiteral("--dyn")});
        QVERIFY(sim.start());
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
        ScriptedPrompt prompt;
        FakeUsbBus bus;
        UsbIo *usb = nullptr;
        MainDialog::Parts parts;
        parts.prompt = &prompt;
        parts.makeModels = [](QObject *parent) {
            new DevCom2(parent);
            return QList<DeviceCfg *>{};
        };
        parts.makeUsbLink = [&](QObject *parent) {
            usb = new UsbIo(&bus, parent);
            usb->setBoardPort(sim.udpPort());
            usb->setDiscoveryTarget(QHostAddress(QHostAddress::LocalHost));
            return usb;
        };
        auto dialog = std::make_unique<MainDialog>(parts);
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        usb->scan();
        QVERIFY(QTest::qWaitFor([&] { return dialog->isConnected() && !dialog->pageHeld(); }, 20000));
        const auto tabs = dialog->pageContainer()->findChildren<DevTab *>();
        QVERIFY(tabs.size() > 2);
        auto *area = dialog->pageContainer()->findChild<QScrollArea *>(QStringLiteral("dynArea"));
        QVERIFY(area && area->isHidden());
        // No tab was opened: none has its editors yet, and find still reaches them all.
        QVERIFY(dialog->pageContainer()->findChildren<Par *>().isEmpty());

        find(dialog.get(), QStringLiteral("coin value"));
        const QList<Par *> found = dialog->findBar()->search().matches();
        QVERIFY(!found.isEmpty());
        bool unused = false;
        for (Par *p : found) {
            const QString title = p->findChild<QLabel *>(QStringLiteral("label"))->text().toLower();
            QVERIFY2(title.contains(QLatin1String("coin")) && title.contains(QLatin1String("value")), qPrintable(title));
            unused |= title.startsWith(QLatin1String("coin value - when not used validator set"));
        }
        QVERIFY(unused);
        for (DevTab *tab : tabs) {
            bool holds = false;
            for (Par *p : found)
                holds |= tab->content->isAncestorOf(p);
            QCOMPARE(tab->button->isVisible(), holds);
        }
        for (int i = 0; i < found.size(); ++i) {
            Par *current = dialog->findBar()->search().currentEditor();
            QCOMPARE(current, found.at(i));
            QVERIFY(area->isVisible() && area->widget()->isAncestorOf(current));
            QTRY_VERIFY(current->isVisible() && !current->visibleRegion().isEmpty());
            QTest::keyClick(dialog->findBar()->field(), Qt::Key_Return);
        }
        QTest::keyClick(dialog->findBar()->field(), Qt::Key_Escape);
        for (DevTab *tab : tabs) {
            QVERIFY(tab->button->isVisible());
            QVERIFY(!tab->button->isChecked());
        }
        QVERIFY(area->isHidden());
        QVERIFY(prompt.messages.isEmpty());
    }

    // Every kind of edit on the connected 2.0 board is undone and redone with the keys: the
    // board's image and NV memory become byte for byte what they were before and after it.
    void undoAndRedoReachTheBoard()
    {
        SimProcess sim({QStringLiteral("--board"), QStringLiteral("2.0")});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        QVERIFY(w.connectUdp());
        QUndoStack *stack = w.dialog->editUndo()->stack();
        QCOMPARE(stack->count(), 0);

        const auto check = [&](const std::function<void()> &edit, const char *what) {
            const QByteArray before = boardState(sim);
            QVERIFY2(before.size() == 8192 + 128, what);
            QCOMPARE(modelState(w.model), before);
            const int steps = stack->count();
            edit();
            QTRY_VERIFY2(boardState(sim) != before, what);
            QTRY_VERIFY2(boardState(sim) == modelState(w.model), what);
            const QByteArray after = modelState(w.model);
            QVERIFY2(stack->count() == steps + 1, what); // the whole gesture is one step
            // The keys reach the window once it is active again (a popup took it).
            w.dialog->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(w.dialog.get()));
            QTest::keyClick(w.dialog.get(), Qt::Key_Z, Qt::ControlModifier);
            QTRY_VERIFY2(boardState(sim) == before, what);
            QCOMPARE(modelState(w.model), before);
            QTest::keyClick(w.dialog.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QTRY_VERIFY2(boardState(sim) == after, what);
            QCOMPARE(modelState(w.model), after);
        };

        // A slider dragged in several moves.
        Par *delay = w.editor(7158);
        openSectionOf(delay);
        auto *slider = delay->findChild<QSlider *>();
        QVERIFY(slider && slider->isVisible());

        // The handle held and moved step by step, as the mouse does it (a real mouse drag on the
        // page is taken by its flick scrolling in the offscreen test platform).
        check([&] {
            const int start = slider->value();
            slider->setSliderDown(true);
            for (int v = start + 100; v <= start + 400; v += 100)
                slider->setSliderPosition(v);
            slider->setSliderDown(false);
        }, "slider");
        QCOMPARE(slider->value(), int(Par::load16(w.model->image() + 7158)));

        // Two quick clicks on one mask editor.
        Par *mask = w.editor(7166);
        openSectionOf(mask);
        const auto bits = mask->findChildren<QAbstractButton *>();
        QVERIFY(bits.size() > 4);
        check([&] {
            QTest::mouseClick(bits.at(3), Qt::LeftButton);
            QTest::mouseClick(bits.at(4), Qt::LeftButton);
        }, "mask");

        // A colour picked from the picker's popup.
        Par *colour = w.editor(6776);
        openSectionOf(colour);
        QtColorPicker *picker = nullptr;
        for (QtColorPicker *p : colour->findChildren<QtColorPicker *>())
            if (p->isVisible() && !picker)
                picker = p;
        QVERIFY(picker);
        check([&] {
            picker->click();
            ColorPickerPopup *popup = picker->popup();
            QTRY_VERIFY(popup->isVisible());
            ColorPickerItem *item = nullptr;
            for (int i = 0; i < popup->count() && !item; ++i)
                if (popup->item(i)->color() != picker->currentColor())
                    item = popup->item(i);
            QVERIFY(item);
            QTest::mouseClick(item, Qt::LeftButton);
            QTRY_VERIFY(!popup->isVisible());
        }, "colour");

        // A program renamed: the text pool and the references that moved come back whole.
        Par *program = w.editor(6860);
        openSectionOf(program);
        auto *name = program->findChild<QLineEdit *>();
        QVERIFY(name && name->isVisible());
        const QString original = name->text();
        check([&] {
            name->setFocus();
            name->selectAll();
            QTest::keyClicks(name, QStringLiteral("Foam wash"));
            QTest::keyClick(name, Qt::Key_Return);
            // The keys of the window, not the line edit's own undo.
            w.dialog->setFocus();
        }, "rename");
        QCOMPARE(name->text(), QStringLiteral("Foam wash"));
        QTest::mouseClick(w.button("butUndo"), Qt::LeftButton);
        QCOMPARE(name->text(), original);
        QVERIFY(w.prompt.messages.isEmpty());

        // A read of the board starts over: no steps, and a narrowed page comes back whole.
        w.dialog->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(w.dialog.get()));
        find(w.dialog.get(), QStringLiteral("jitter"));
        QCOMPARE(w.dialog->findBar()->search().matches(), QList<Par *>{w.editor(ButtonJitter)});
        QTest::mouseClick(w.button("butReread"), Qt::LeftButton);
        QTRY_VERIFY(!w.dialog->pageHeld());
        QCOMPARE(stack->count(), 0);
        QVERIFY(w.dialog->findBar()->field()->text().isEmpty());
        for (QPushButton *b : tabButtons(w.dialog.get()))
            QVERIFY(b->isVisible());
    }

    // An undo the board does not take is said, and stays on the stack with the page showing
    // what the board has.
    void failedUndoIsReportedAndKept()
    {
        SimProcess sim({QStringLiteral("--board"), QStringLiteral("2.0")});
        QVERIFY(sim.start());
        SimWindow w(sim);
        w.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        QVERIFY(w.connectUdp());
        openSectionOf(w.editor(ButtonJitter));
        QSpinBox *spin = w.editor(ButtonJitter)->findChild<QSpinBox *>();
        const int was = spin->value();
        w.stepButton(ButtonJitter, "+")->click();
        QTRY_COMPARE(boardWord(sim, ButtonJitter), was + 1);
        QUndoStack *stack = w.dialog->editUndo()->stack();
        QCOMPARE(stack->index(), 1);
        sim.stop();
        QTest::keyClick(w.dialog.get(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_VERIFY(!w.prompt.messages.isEmpty());
        QCOMPARE(w.prompt.messages.last().title, QStringLiteral("Undo"));
        QCOMPARE(stack->index(), 1);
        QVERIFY(stack->canUndo());
        QCOMPARE(spin->value(), was + 1);
        QCOMPARE(int(Par::load16(w.model->image() + ButtonJitter)), was + 1);
    }

    // A language chosen while a board is connected redraws the page at once, with its open
    // sections and the marks of values changed from factory, and reads nothing from the board.
    void languageRedrawsWithoutRead()
    {
        SimProcess sim({QStringLiteral("--board"), QStringLiteral("2.0")});
        QVERIFY(sim.start());
        SimWindow w(sim);
        // The start page too, before a board is there.
        w.dialog->setLanguage(QStringLiteral("bg"));
        const QString findHost = QCoreApplication::translate("MainDialog", "Find board by address");
        QVERIFY(findHost != QLatin1String("Find board by address"));
        QCOMPARE(w.dialog->findChild<QPushButton *>(QStringLiteral("butFindHost"))->text(), findHost);
        w.dialog->setLanguage(QStringLiteral("en"));
        QCOMPARE(w.dialog->findChild<QPushButton *>(QStringLiteral("butFindHost"))->text(), QStringLiteral("Find board by address"));
        QVERIFY(w.connectUdp());
        openSectionOf(w.editor(ButtonJitter));
        const int jitter = w.editor(ButtonJitter)->findChild<QSpinBox *>()->value() + 1;
        w.stepButton(ButtonJitter, "+")->click();
        QTRY_COMPARE(boardWord(sim, ButtonJitter), jitter);
        QTRY_VERIFY(w.editor(ButtonJitter)->findChild<QWidget *>(QStringLiteral("factoryMark")));
        const int requests = sim.transcript().size();
        w.dialog->setLanguage(QStringLiteral("bg"));
        const QString bg = QCoreApplication::translate("DevMarvek2_0", "Buttons and Relays");
        QVERIFY(bg != QLatin1String("Buttons and Relays"));
        QPushButton *section = w.pageButton(bg);
        QVERIFY(section);
        QVERIFY(section->isChecked());
        QVERIFY(w.editor(ButtonJitter)->isVisible());
        QCOMPARE(w.editor(ButtonJitter)->findChild<QSpinBox *>()->value(), jitter);
        QTRY_VERIFY(w.editor(ButtonJitter)->findChild<QWidget *>(QStringLiteral("factoryMark")));
        QCOMPARE(w.dialog->findBar()->field()->placeholderText(),
                 QCoreApplication::translate("FindBar", "Find a setting (Ctrl+F)"));
        QCOMPARE(sim.transcript().size(), requests);
        QVERIFY(w.status().startsWith(QCoreApplication::translate("MainDialog", "Connected: %1").section(QLatin1Char('%'), 0, 0)));
        w.dialog->setLanguage(QStringLiteral("en"));
        QVERIFY(w.pageButton(QStringLiteral("Buttons and Relays")));
        QCOMPARE(sim.transcript().size(), requests);
        setTestLanguage(QStringLiteral("en"));
    }
};

QTEST_MAIN(TestWindowEdits)
#include "test_window_edits.moc"
