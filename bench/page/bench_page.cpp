// Time to build, show and refresh a page of several hundred editors (run with
// QT_QPA_PLATFORM=offscreen; arguments: number of editor groups (default 100), then
// "compact" for editors without title rows; --rounds N or VANDOR_BENCH_ROUNDS). Each round
// builds a new page.
#include "base/scale.h"
#include "benchrounds.h"
#include "app/stylesheet.h"
#include "devices/devicecfg.h"
#include "editors/parbitmask.h"
#include "editors/parbitmaskbutton.h"
#include "editors/parinverter.h"
#include "editors/parslider2.h"
#include <QApplication>
#include <QFile>
#include <QVBoxLayout>
#include <cstdio>

namespace {
class BenchModel : public DeviceCfg
{
public:
    QByteArray bytes = QByteArray(8192, char(0xFF));
    QString title() const override { return QStringLiteral("bench"); }
    quint8 *image() override { return reinterpret_cast<quint8 *>(bytes.data()); }
    bool load(QIODevice *) override { return false; }
    bool save(QIODevice *) override { return false; }
    QString hexDump() override { return QString(); }
    bool readDevice(Progress *) override { return false; }
    bool writeDevice(Progress *) override { return true; }
    bool writeTexts(Progress *, int) override { return true; }
    void buildPage(QWidget *) override {}
    QString parName(quint32 key) override { return QStringLiteral("Parameter number %1").arg(key); }
    void saveHelp() override {}
    bool changed(quint32, int) override { return true; }
    QByteArray value(quint32 key, int size) const override
    {
        return int(key) + size <= bytes.size() ? bytes.mid(int(key), size) : QByteArray();
    }
    bool store(quint32 key, const QByteArray &value) override
    {
        if (int(key) + value.size() > bytes.size())
            return false;
        bytes.replace(int(key), value.size(), value);
        return true;
    }
    bool clearNvm() override { return true; }
    void relayTest(int) override {}
};
struct Times
{
    Bench::Series built{"build"};
    Bench::Series shown{"first show"};
    Bench::Series refreshed{"refresh-all"};
};

void round(int groups, bool compact, BenchModel &model, Times *times)
{
    QWidget page;
    page.setProperty("hideTitle", compact);
    auto *layout = new QVBoxLayout(&page);
    times->built.time([&] {
        PageBuildGuard building;
        for (int g = 0; g < groups; ++g) {
            const auto key = quint32(g * 16);
            layout->addWidget(new ParSlider2(&page, &model, key, 2, 0, 1000));
            layout->addWidget(new ParSlider2(&page, &model, key + 2, 1, 0, 100));
            layout->addWidget(new ParInverter(&page, &model, key + 3));
            layout->addWidget(new ParBitmask(&page, &model, key + 4, 2, {1, 2, 4, 8, 16, 32, 64, 128}, {}, -1));
            layout->addWidget(new ParBitmaskButton(&page, &model, key + 6, {1, 2, 4, 8, 16, 32}, 0, {}));
        }
        return true;
    });
    times->shown.time([&] {
        page.show();
        QApplication::processEvents();
        return true;
    });
    times->refreshed.time([&] {
        PageBuildGuard refreshing;
        for (Par *p : page.findChildren<Par *>())
            p->refresh();
        return true;
    });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("fusion"));
    QString css;
    if (readStyleSheet(QStringLiteral(":/res/style.css"), &css))
        app.setStyleSheet(css);
    const QStringList args = Bench::withoutRounds(app.arguments());
    const int groups = args.size() > 1 ? qMax(1, args.at(1).toInt()) : 100;
    const bool compact = args.size() > 2 && args.at(2) == QLatin1String("compact");
    const int rounds = Bench::rounds(app.arguments());
    BenchModel model;
    DeviceCfg::setCurrent(&model);
    Times times;
    for (int r = 0; r < rounds; ++r)
        round(groups, compact, model, &times);
    std::printf("%d editors, %d rounds\n", groups * 5, rounds);
    times.built.print();
    times.shown.print();
    times.refreshed.print();
    DeviceCfg::setCurrent(nullptr);
    return 0;
}
