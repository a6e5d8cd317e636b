// Nothing reaches the board that was not chosen, in the real window against the simulator: the
// wheel scrolls the page past editors without the focus, a typed number is sent once when typing
// ends, mask buttons are reached with Tab and toggled with Space.
#include "app/editundo.h"
#include "devices/devcom2.h"
#include "registry/cfgpar.h"
#include "simwindow.h"
#include "testlanguage.h"
#include <QDialog>
#include <QMetaProperty>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QtTest/qtestspontaneevent.h>

namespace {

QWidget *underMiddleOf(QWidget *w)
{
    return w->window()->childAt(w->window()->mapFromGlobal(w->mapToGlobal(w->rect().center())));
}

// Puts w in the middle of the page round it: the page's bar, once it can move the way dy turns.
QScrollBar *centred(QWidget *w, int dy)
{
    QScrollArea *area = nullptr;
    for (QWidget *p = w->parentWidget(); p && !area; p = p->parentWidget())
        if (p->objectName() == QLatin1String("scrollArea") || p->objectName() == QLatin1String("dynArea"))
            area = static_cast<QScrollArea *>(p);
    QScrollBar *bar = area ? area->verticalScrollBar() : nullptr;
    if (!bar)
        return nullptr;
    bar->setValue(w->mapTo(area->widget(), w->rect().center()).y() - area->viewport()->height() / 2);
    QWidget *under = underMiddleOf(w);
    const bool free = dy < 0 ? bar->value() < bar->maximum() : bar->value() > 0;
    return (under == w || w->isAncestorOf(under)) && free ? bar : nullptr;
}

// One notch over w as the window system gives it: spontaneous, so that Qt hands it to the parents
// while it is ignored (sendEvent would take that mark off).
void turnWheel(QWidget *over, int dy)
{
    QWidget *to = underMiddleOf(over);
    const QPoint at = over->mapToGlobal(over->rect().center());
    QWheelEvent ev(to->mapFromGlobal(at), at, {}, {0, dy}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&ev);
    qApp->notify(to, &ev);
}

// A board's page in the window, connected, the window active, the sections (or the described
// board's tab) open.
struct Page
{
    bool described;
    SimProcess sim{described ? QStringList{"--dyn"} : QStringList{"--board", "2.0"}};
    std::unique_ptr<SimWindow> w;

    explicit Page(bool dyn) : described(dyn) {}
    bool open()
    {
        w = sim.start() ? std::make_unique<SimWindow>(sim) : nullptr;
        if (!w)
            return false;
        new DevCom2(w->dialog.get());
        w->dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(w->dialog.get()) || !w->connectUdp())
            return false;
        const QStringList fixed{"Buttons and Relays", "Programs", "Operator view"};
        for (const QString &t : described ? QStringList{"System controller"} : fixed)
            if (QPushButton *b = w->pageButton(t); b && !b->isChecked())
                b->click();
        return true;
    }
    int writes() const { return writesOf(sim).size(); }
};

// The first visible widget of a kind in an editor: by address on the fixed page, else by class.
struct WheelCase
{
    int address;
    const char *editor, *kind;
    bool focused;
    int dy;
    bool takes; // the editor takes the wheel, else the page scrolls
};

} // namespace
Q_DECLARE_METATYPE(WheelCase)

class TestWindowInput : public QObject
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

    // Without the focus the wheel scrolls the page and sends nothing (over a spin box at its
    // minimum too); with it the editor takes the wheel, unless at its limit that way.
    void wheel_data()
    {
        QTest::addColumn<WheelCase>("c");
        QTest::newRow("slider") << WheelCase{6774, nullptr, "QSlider", false, -120, false};
        QTest::newRow("spin box") << WheelCase{7154, nullptr, "QSpinBox", false, 120, false};
        QTest::newRow("grid spin box at minimum") << WheelCase{6892, nullptr, "QSpinBox", false, -120, false};
        QTest::newRow("drop-down") << WheelCase{7336, nullptr, "QComboBox", false, 120, false};
        QTest::newRow("focused spin box") << WheelCase{7154, nullptr, "QSpinBox", true, -120, true};
        QTest::newRow("focused drop-down") << WheelCase{7336, nullptr, "QComboBox", true, 120, true};
        QTest::newRow("focused at minimum") << WheelCase{6892, nullptr, "QSpinBox", true, -120, false};
        QTest::newRow("focused at its end") << WheelCase{7336, nullptr, "QComboBox", true, -120, false};
        QTest::newRow("described slider") << WheelCase{-1, "ParU16", "QSlider", false, -120, false};
        QTest::newRow("described array") << WheelCase{-1, "ParU16A16", "QSpinBox", false, -120, false};
        QTest::newRow("described drop-down") << WheelCase{-1, "ParM16", "QComboBox", false, 120, false};
    }
    void wheel()
    {
        QFETCH(WheelCase, c);
        Page page(c.address < 0);
        QVERIFY(page.open());
        Par *at = c.address >= 0 ? page.w->editor(quint32(c.address)) : nullptr;
        QWidget *input = nullptr;
        for (Par *p : page.w->dialog->pageContainer()->findChildren<Par *>(c.editor))
            for (QWidget *x : p->findChildren<QWidget *>())
                if (!input && (!at || p == at) && x->inherits(c.kind) && x->isVisible())
                    input = x;
        QScrollBar *bar = nullptr;
        QTRY_VERIFY(input && (bar = centred(input, c.dy)));
        if (c.focused)
            input->setFocus(Qt::TabFocusReason);
        const int scrolled = bar->value(), sent = page.writes();
        const QVariant value = input->metaObject()->userProperty().read(input);
        turnWheel(input, c.dy);
        QCOMPARE(input->hasFocus(), c.focused); // the wheel gives no focus
        QCOMPARE(input->metaObject()->userProperty().read(input) != value, c.takes);
        QCOMPARE(page.writes(), sent + (c.takes ? 1 : 0));
        QCOMPARE(bar->value() != scrolled, !c.takes);
        QCOMPARE(bar->value() > scrolled, !c.takes && c.dy < 0);
    }

    // A number typed into a spin box is sent once, when typing ends, and is one step to undo.
    void typedNumber_data()
    {
        QTest::addColumn<int>("end");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Tab") << int(Qt::Key_Tab);
        QTest::newRow("pause") << 0;
    }
    void typedNumber()
    {
        QFETCH(int, end);
        Page page(false);
        QVERIFY(page.open());
        SimWindow &w = *page.w;
        auto *spin = w.editor(7154)->findChild<QSpinBox *>(); // credit reset timeout
        const int steps = w.dialog->editUndo()->stack()->count(), sent = page.writes();
        spin->setFocus(Qt::TabFocusReason);
        spin->selectAll();
        QTest::keyClicks(spin, QStringLiteral("45"));
        QCOMPARE(page.writes(), sent);
        if (end)
            QTest::keyClick(spin, Qt::Key(end));
        QTRY_COMPARE(page.writes(), sent + 1);
        w.dialog->setFocus(); // after a pause, the focus leaving sends nothing more
        QCOMPARE(page.writes(), sent + 1);
        QCOMPARE(boardWord(page.sim, 7154), 45);
        QCOMPARE(w.dialog->editUndo()->stack()->count(), steps + 1);
        QVERIFY(w.prompt.messages.isEmpty());
    }

    // Tab reaches a mask button and Space toggles it; Space on a channel strip opens its dialog,
    // whose buttons take the same keys.
    void maskKeys_data()
    {
        QTest::addColumn<int>("address");
        QTest::newRow("mask button") << 7166;
        QTest::newRow("channel strip") << 7116;
    }
    void maskKeys()
    {
        QFETCH(int, address);
        Page page(false);
        QVERIFY(page.open());
        Par *editor = page.w->editor(quint32(address));
        const int word = boardWord(page.sim, address), sent = page.writes();
        // Reached by Tab from the stop before it (focus set on a widget that refuses Tab is passed by).
        const auto tabbedTo = [](QWidget *target) {
            target->setFocus(Qt::TabFocusReason);
            QTest::keyClick(target, Qt::Key_Backtab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            return target->hasFocus();
        };
        QWidget *bit = editor->findChild<QPushButton *>();
        if (!bit) { // the strip
            QVERIFY(tabbedTo(editor));
            QTest::keyClick(editor, Qt::Key_Space);
            QTRY_VERIFY(editor->findChild<QDialog *>() && editor->findChild<QDialog *>()->isActiveWindow());
            bit = editor->findChild<QDialog *>()->findChild<QPushButton *>("Sqr");
        }
        QVERIFY(tabbedTo(bit));
        QTest::keyClick(bit, Qt::Key_Space);
        QCOMPARE(page.writes(), sent + 1);
        QCOMPARE(boardWord(page.sim, address), word ^ int(bit->property("id").toUInt()));
    }
};

QTEST_MAIN(TestWindowInput)
#include "test_window_input.moc"
