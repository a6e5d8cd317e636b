// The find bar on the largest page (the 2.0 controller with every feature): time from a
// keystroke in the field to the narrowed page painted, and from Escape to the page painted as
// it was, beside the time to build and paint the page unfiltered and to repaint it.
//   QT_QPA_PLATFORM=offscreen bench_find [rounds] [words]   (or --rounds N, or VANDOR_BENCH_ROUNDS)
// Each figure twice: on a cold page, and after the page was readied while idle (which the
// window starts when the field takes focus); each round runs both, one after the other.
#include "app/findbar.h"
#include "benchrounds.h"
#include "base/resources.h"
#include "app/stylesheet.h"
#include "devices/devmarvek2_0.h"
#include "editors/par.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollArea>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <cstdio>

namespace {

// Counts the paints of the watched widget.
class PaintWatch : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(o, e);
    }
};

// Runs the event loop until the watched widget painted once more (bounded).
void waitForPaint(PaintWatch &watch, int before)
{
    for (int i = 0; i < 1000 && watch.paints == before; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void sendKey(QWidget *to, int key, const QString &text, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(to, &release);
}

struct Round
{
    qint64 build = 0;            // build and first paint, unfiltered
    qint64 repaint = 0;          // repaint of the unfiltered page
    QVector<qint64> keys;        // each keystroke to the narrowed page painted
    qint64 escape = 0;           // Escape to the page painted as it was
    qint64 prepare = 0;          // readying the page while idle, all steps together
    qint64 longestStep = 0;      // the longest of those steps (the window's longest pause)
    int matches = 0;
    int editors = 0;
};

Round round(const QString &words, bool prepared)
{
    Round r;
    DevMarvek2_0 model;
    model.word0 = 0x242;
    model.word2 = 0xE202;
    DeviceCfg::setCurrent(&model);
    QWidget top;
    auto *column = new QVBoxLayout(&top);
    auto *area = new QScrollArea(&top);
    area->setWidgetResizable(true);
    auto *page = new QWidget;
    auto *bar = new FindBar(page, area, &top);
    column->addWidget(bar);
    column->addWidget(area);
    PaintWatch watch;
    QElapsedTimer clock;
    clock.start();
    {
        // As the window builds it: a section's editors are made when it is first shown.
        PageBuildGuard building;
        DeviceCfg::TabsWhenShown whenShown;
        model.buildPage(page);
    }
    area->setWidget(page);
    page->installEventFilter(&watch);
    top.resize(900, 700);
    top.show();
    waitForPaint(watch, 0);
    r.build = clock.nsecsElapsed();

    int before = watch.paints;
    clock.restart();
    page->update();
    waitForPaint(watch, before);
    r.repaint = clock.nsecsElapsed();

    QLineEdit *field = bar->field();
    if (prepared) {
        // As in the window: the field takes focus (Ctrl+F) and the page is readied while idle.
        QElapsedTimer step;
        bool more = true;
        for (int i = 0; i < 200 && more; ++i) {
            step.start();
            more = bar->search().prepareStep(&model);
            const qint64 ns = step.nsecsElapsed();
            r.prepare += ns;
            r.longestStep = qMax(r.longestStep, ns);
            QApplication::processEvents();
        }
    }
    for (const QChar c : words) {
        before = watch.paints;
        clock.restart();
        sendKey(field, c == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key_A + (c.toUpper().unicode() - 'A'), c);
        waitForPaint(watch, before);
        r.keys.append(clock.nsecsElapsed());
    }
    r.matches = bar->search().matchCount();
    r.editors = int(model.placements().size()); // those the search made
    before = watch.paints;
    clock.restart();
    sendKey(field, Qt::Key_Escape, QString());
    waitForPaint(watch, before);
    r.escape = clock.nsecsElapsed();
    DeviceCfg::setCurrent(nullptr);
    return r;
}

// Every figure of one kind of round.
struct Figures
{
    Bench::Series prepare{"readying while idle (all steps)"};
    Bench::Series longest{"  its longest step"};
    Bench::Series build{"build + first paint, unfiltered"};
    Bench::Series repaint{"repaint, unfiltered"};
    Bench::Series first{"first keystroke -> page painted"};
    Bench::Series key{"any keystroke -> page painted (every key)"};
    Bench::Series escape{"Escape -> page painted as it was"};
    Round last;

    void add(const Round &r)
    {
        last = r;
        prepare.addNs(r.prepare);
        longest.addNs(r.longestStep);
        build.addNs(r.build);
        repaint.addNs(r.repaint);
        first.addNs(r.keys.first());
        for (qint64 k : r.keys)
            key.addNs(k);
        escape.addNs(r.escape);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    QApplication app(argc, argv);
    const QStringList args = Bench::withoutRounds(app.arguments());
    const int rounds = Bench::rounds(app.arguments(), args.size() > 1 ? args[1].toInt() : 0);
    const QString words = args.size() > 2 ? args[2] : QStringLiteral("relay delay");
    QString css;
    if (readStyleSheet(resourcePath(QStringLiteral("res/style.css")), &css))
        app.setStyleSheet(css);

    round(words, true); // warm-up: fonts, style, resources
    Figures cold, readied;
    for (int i = 0; i < rounds; ++i) {
        cold.add(round(words, false));
        readied.add(round(words, true));
    }
    for (const Figures *f : {&cold, &readied}) {
        const bool prepared = f == &readied;
        std::printf("2.0 page, %d editors made, %d interleaved rounds, typing \"%s\" (%d matches), %s\n", f->last.editors,
                    rounds, qPrintable(words), f->last.matches,
                    prepared ? "page readied while idle after the field took focus" : "cold page");
        if (prepared) {
            f->prepare.print();
            f->longest.print();
        }
        f->build.print();
        f->repaint.print();
        f->first.print();
        f->key.print();
        f->escape.print();
    }
    Bench::printRatio("first keystroke, cold / readied", cold.first, readied.first);
    Bench::printRatio("first keystroke / repaint, readied", readied.first, readied.repaint);
    return 0;
}
