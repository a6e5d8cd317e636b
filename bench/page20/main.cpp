// Time from buildPage to the first paint of a controller page (offscreen), beside the same
// number of bare Qt widgets of the same kinds built and painted in the same round. The page is
// built as the window builds it: a section's editors are made when it is first opened.
//   QT_QPA_PLATFORM=offscreen bench_page20 [rounds] [--open] [--board 1.1|2.0|3.0|robo|tokmat]
// (or --rounds N, or VANDOR_BENCH_ROUNDS)
// Without --open: the page with its sections closed, against bare widgets of the whole page.
// --open: opening the page's largest section, against its bare widgets shown in a section.
// --board chooses the board (the 2.0 controller unless told).
#include "base/resources.h"
#include "benchrounds.h"
#include "app/stylesheet.h"
#include "devices/devmarvek1_1.h"
#include "devices/devmarvek2_0.h"
#include "devices/devmarvek3_0.h"
#include "devices/devmarvekrobo1_0.h"
#include "devices/devtokmat1_0.h"
#include <memory>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <cstdio>

namespace {

// Stops the clock at the first paint of the watched widget.
class PaintWatch : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(o, e);
    }
};

qint64 showAndPaint(QWidget *top, const QElapsedTimer &clock)
{
    PaintWatch watch;
    top->installEventFilter(&watch);
    top->resize(900, 700);
    top->show();
    for (int i = 0; i < 1000 && !watch.painted; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    const qint64 ns = clock.nsecsElapsed();
    top->removeEventFilter(&watch);
    return ns;
}

// The Qt class a widget is made of: the nearest standard class in its meta-object chain.
QString qtKind(const QWidget *w)
{
    static const QStringList known = {"QLabel", "QPushButton", "QSlider", "QSpinBox", "QComboBox",
                                      "QLineEdit", "QGroupBox"};
    for (const QMetaObject *m = w->metaObject(); m; m = m->superClass()) {
        const QString name = QString::fromLatin1(m->className());
        if (known.contains(name))
            return name;
    }
    return QStringLiteral("QWidget");
}

QWidget *bareWidget(const QString &kind, QWidget *parent)
{
    if (kind == QLatin1String("QLabel")) return new QLabel(QStringLiteral("Label text"), parent);
    if (kind == QLatin1String("QPushButton")) return new QPushButton(QStringLiteral("1"), parent);
    if (kind == QLatin1String("QSlider")) return new QSlider(Qt::Horizontal, parent);
    if (kind == QLatin1String("QSpinBox")) return new QSpinBox(parent);
    if (kind == QLatin1String("QComboBox")) {
        auto *c = new QComboBox(parent);
        c->addItems({QStringLiteral("Size 1/16"), QStringLiteral("Size 1/8"), QStringLiteral("Size 1/4")});
        return c;
    }
    if (kind == QLatin1String("QLineEdit")) return new QLineEdit(parent);
    if (kind == QLatin1String("QGroupBox")) return new QGroupBox(QStringLiteral("Group"), parent);
    auto *w = new QWidget(parent);
    new QHBoxLayout(w); // a container, as every editor is
    return w;
}

struct Result
{
    qint64 page = 0;
    qint64 bare = 0;
    int widgets = 0;
};

// The largest page of each generation: every feature its newest board has.
std::unique_ptr<FixedLayoutModel> makeModel(const QString &board)
{
    std::unique_ptr<FixedLayoutModel> model;
    if (board == QLatin1String("1.1")) {
        model = std::make_unique<DevMarvek1_1>();
        model->word0 = 0x103;
    } else if (board == QLatin1String("robo")) {
        model = std::make_unique<DevMarvekRobo1_0>();
    } else if (board == QLatin1String("tokmat")) {
        model = std::make_unique<DevTokmat1_0>();
        model->word0 = 0x300;
    } else if (board == QLatin1String("3.0")) {
        model = std::make_unique<DevMarvek3_0>();
        model->word0 = 0x304;
    } else {
        model = std::make_unique<DevMarvek2_0>();
        model->word0 = 0x242;
        model->word2 = 0xE202;
    }
    return model;
}

QList<QPushButton *> tabButtons(QWidget *top)
{
    return top->findChildren<QPushButton *>(QStringLiteral("tabButton"), Qt::FindDirectChildrenOnly);
}

// The contents under a section's button.
QWidget *contentsOf(QWidget *top, QPushButton *button)
{
    QLayout *column = top->layout();
    const int at = column->indexOf(button);
    return at >= 0 && at + 1 < column->count() ? column->itemAt(at + 1)->widget() : nullptr;
}

// Opens a section and waits for the first paint of its contents.
qint64 openAndPaint(QPushButton *button, QWidget *contents, const QElapsedTimer &clock)
{
    PaintWatch watch;
    contents->installEventFilter(&watch);
    button->setChecked(true);
    for (int i = 0; i < 1000 && !watch.painted; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    const qint64 ns = clock.nsecsElapsed();
    contents->removeEventFilter(&watch);
    return ns;
}

// The section with the most widgets once all are made, and its title.
int largestSection(const QString &board, QString *title)
{
    const std::unique_ptr<FixedLayoutModel> model = makeModel(board);
    DeviceCfg::setCurrent(model.get());
    QWidget top;
    model->buildPage(&top);
    const auto buttons = tabButtons(&top);
    int best = 0, most = -1;
    for (int i = 0; i < buttons.size(); ++i) {
        const int n = contentsOf(&top, buttons[i])->findChildren<QWidget *>().size();
        if (n > most) {
            most = n;
            best = i;
            *title = buttons[i]->text();
        }
    }
    return best;
}

Result round(bool open, const QString &board, int largest)
{
    Result r;
    QMap<QString, int> kinds;
    int tabs = 0;
    {
        const std::unique_ptr<FixedLayoutModel> model = makeModel(board);
        DeviceCfg::setCurrent(model.get());
        QWidget top;
        QElapsedTimer clock;
        clock.start();
        {
            DeviceCfg::TabsWhenShown whenShown;
            model->buildPage(&top);
        }
        r.page = showAndPaint(&top, clock);
        QWidget *counted = &top;
        if (open) {
            QPushButton *button = tabButtons(&top).value(largest);
            counted = contentsOf(&top, button);
            clock.restart();
            r.page = openAndPaint(button, counted, clock);
        }
        model->buildAllTabs();
        for (const QWidget *w : counted->findChildren<QWidget *>())
            ++kinds[qtKind(w)];
        tabs = open ? 1 : tabButtons(&top).size();
        r.widgets = counted->findChildren<QWidget *>().size();
    }
    {
        // The same widgets, bare, spread over the same number of collapsible sections: all
        // built and the closed page painted, or the one section built and opened on a page
        // already shown.
        QWidget top;
        QElapsedTimer clock;
        clock.start();
        auto *page = new QVBoxLayout(&top);
        QVector<QVBoxLayout *> contents;
        QVector<QWidget *> holders;
        QPushButton *first = nullptr;
        for (int t = 0; t < tabs; ++t) {
            auto *b = new QPushButton(QStringLiteral("Tab"), &top);
            b->setObjectName(QStringLiteral("tabButton"));
            b->setCheckable(true);
            first = first ? first : b;
            auto *c = new QWidget(&top);
            c->setVisible(false);
            QObject::connect(b, &QPushButton::toggled, c, &QWidget::setVisible);
            page->addWidget(b);
            page->addWidget(c);
            contents.append(new QVBoxLayout(c));
            holders.append(c);
        }
        page->addStretch();
        if (open) {
            showAndPaint(&top, clock);
            clock.restart();
        } else {
            kinds[QStringLiteral("QPushButton")] -= tabs;
            kinds[QStringLiteral("QWidget")] -= tabs;
        }
        int i = 0;
        for (auto it = kinds.cbegin(); it != kinds.cend(); ++it) {
            for (int n = 0; n < it.value(); ++n, ++i)
                contents[i % tabs]->addWidget(bareWidget(it.key(), holders[i % tabs]));
        }
        r.bare = open ? openAndPaint(first, holders.first(), clock) : showAndPaint(&top, clock);
    }
    return r;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    QApplication app(argc, argv);
    const QStringList args = Bench::withoutRounds(app.arguments());
    const int rounds = Bench::rounds(app.arguments(), args.size() > 1 ? args[1].toInt() : 0);
    const bool open = args.contains(QStringLiteral("--open"));
    const int at = args.indexOf(QStringLiteral("--board"));
    const QString board = at > 0 && at + 1 < args.size() ? args[at + 1] : QStringLiteral("2.0");
    QString css;
    if (readStyleSheet(resourcePath(QStringLiteral("res/style.css")), &css))
        app.setStyleSheet(css);

    QString title;
    const int largest = open ? largestSection(board, &title) : 0;
    round(open, board, largest); // warm-up: fonts, style, resources
    Bench::Series page(open ? "page  section opened to first paint" : "page  buildPage to first paint");
    Bench::Series bare(open ? "bare  same widgets opened to first paint" : "bare  same widgets to first paint");
    int widgets = 0;
    for (int i = 0; i < rounds; ++i) {
        const Result r = round(open, board, largest);
        page.addNs(r.page);
        bare.addNs(r.bare);
        widgets = r.widgets;
    }
    std::printf("board %s, widgets %d, %s, %d interleaved rounds\n", qPrintable(board), widgets,
                open ? qPrintable(QStringLiteral("largest section \"%1\" opened").arg(title)) : "sections closed", rounds);
    page.print();
    bare.print();
    Bench::printRatio("page / bare", page, bare);
    // The aims: the page shows before its closed sections' editors cost anything, and a section
    // opens about as fast as its bare widgets.
    const double ratio = page.median() / bare.median();
    const double goal = open ? 1.1 : 0.5;
    std::printf("  goal page / bare at most %.2f: %s\n", goal, ratio <= goal ? "met" : "not met");
    return 0;
}
