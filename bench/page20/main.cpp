// Time from buildPage to the first paint of a controller page (offscreen), beside the same
// number of bare Qt widgets of the same kinds built and painted in the same round.
//   QT_QPA_PLATFORM=offscreen bench_page20 [rounds] [--open] [--board 1.1|2.0|3.0|robo|tokmat]
// (or --rounds N, or VANDOR_BENCH_ROUNDS)
// --open shows every tab's contents, so that every editor is laid out and painted; --board
// chooses the board (the 2.0 controller unless told).
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

void openTabs(QWidget *top)
{
    for (auto *b : top->findChildren<QPushButton *>(QStringLiteral("tabButton"), Qt::FindDirectChildrenOnly))
        b->setChecked(true);
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

Result round(bool open, const QString &board)
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
        model->buildPage(&top);
        if (open)
            openTabs(&top);
        r.page = showAndPaint(&top, clock);
        for (const QWidget *w : top.findChildren<QWidget *>())
            ++kinds[qtKind(w)];
        tabs = top.findChildren<QPushButton *>(QStringLiteral("tabButton"), Qt::FindDirectChildrenOnly).size();
        r.widgets = top.findChildren<QWidget *>().size();
    }
    {
        // The same widgets, bare, spread over the same number of collapsible sections.
        QWidget top;
        QElapsedTimer clock;
        clock.start();
        auto *page = new QVBoxLayout(&top);
        QVector<QVBoxLayout *> contents;
        QVector<QWidget *> holders;
        for (int t = 0; t < tabs; ++t) {
            auto *b = new QPushButton(QStringLiteral("Tab"), &top);
            b->setObjectName(QStringLiteral("tabButton"));
            b->setCheckable(true);
            auto *c = new QWidget(&top);
            c->setVisible(false);
            QObject::connect(b, &QPushButton::toggled, c, &QWidget::setVisible);
            page->addWidget(b);
            page->addWidget(c);
            contents.append(new QVBoxLayout(c));
            holders.append(c);
        }
        page->addStretch();
        kinds[QStringLiteral("QPushButton")] -= tabs;
        kinds[QStringLiteral("QWidget")] -= tabs;
        int i = 0;
        for (auto it = kinds.cbegin(); it != kinds.cend(); ++it) {
            for (int n = 0; n < it.value(); ++n, ++i)
                contents[i % tabs]->addWidget(bareWidget(it.key(), holders[i % tabs]));
        }
        if (open)
            openTabs(&top);
        r.bare = showAndPaint(&top, clock);
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

    round(open, board); // warm-up: fonts, style, resources
    Bench::Series page("page  buildPage to first paint"), bare("bare  same widgets to first paint");
    int widgets = 0;
    for (int i = 0; i < rounds; ++i) {
        const Result r = round(open, board);
        page.addNs(r.page);
        bare.addNs(r.bare);
        widgets = r.widgets;
    }
    std::printf("board %s, widgets %d, tabs %s, %d interleaved rounds\n", qPrintable(board), widgets,
                open ? "open" : "closed", rounds);
    page.print();
    bare.print();
    Bench::printRatio("page / bare", page, bare);
    // The aim: the page shows before its closed sections' editors cost anything.
    const double ratio = page.median() / bare.median();
    const double goal = open ? 1.1 : 0.5;
    std::printf("  goal page / bare at most %.2f: %s\n", goal, ratio <= goal ? "met" : "not met");
    return 0;
}
