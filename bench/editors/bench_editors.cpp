// Costs that grow with the page: colour pickers with and without their grid made, in
// interleaved rounds, and a full text pool repack with a page's worth of texts.
// Run with QT_QPA_PLATFORM=offscreen; --rounds N or VANDOR_BENCH_ROUNDS.
#include "benchrounds.h"
#include "devices/devicecfg.h"
#include "editors/colorform.h"
#include "editors/qtcolorpicker.h"
#include "editors/textpool.h"
#include <QApplication>
#include <QLineEdit>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// 300 pickers on a page, made and destroyed with it.
bool pickers(bool gridMade)
{
    QWidget page;
    for (int i = 0; i < 300; ++i) {
        QtColorPicker *p = makeColorPicker(&page, QStringLiteral("col"));
        p->setCurrentColor(QColor(i % 256, 0, 0));
        if (gridMade)
            p->popup();
    }
    return true;
}

// A pool of 150 texts; each round times this many repacks, and keeps the time of one.
constexpr int RepacksPerRound = 100;

void repacks(int rounds, Bench::Series *times)
{
    QByteArray image(8192, char(0xff));
    auto *img = reinterpret_cast<quint8 *>(image.data());
    TextPool pool;
    pool.setDownward(img, 0, 6540);
    std::vector<std::unique_ptr<TextRecord>> records;
    std::vector<std::unique_ptr<QLineEdit>> edits;
    for (int i = 0; i < 150; ++i) {
        records.push_back(std::make_unique<TextRecord>());
        edits.push_back(std::make_unique<QLineEdit>(QStringLiteral("Program name %1").arg(i)));
        records.back()->word = img + 6600 + 2 * i;
        records.back()->edit = edits.back().get();
        pool.add(records.back().get());
    }
    PageBuildGuard building;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer clock;
        clock.start();
        for (int n = 0; n < RepacksPerRound; ++n)
            pool.store(records.front().get(), edits.front().get());
        times->add(double(clock.nsecsElapsed()) / 1e6 / RepacksPerRound);
    }
    for (auto &r : records)
        pool.remove(r.get());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rounds = Bench::rounds(app.arguments());
    pickers(true); // warm-up: the style, the first popup
    Bench::Series lazy("300 pickers, grid on first opening"), eager("300 pickers, grid made at once");
    for (int r = 0; r < rounds; ++r) {
        lazy.time([] { return pickers(false); });
        eager.time([] { return pickers(true); });
    }
    Bench::Series repack("text pool repack, 150 texts (one)");
    repacks(rounds, &repack);
    std::printf("editors, %d interleaved rounds\n", rounds);
    lazy.print();
    eager.print();
    Bench::printRatio("grid made at once / on first opening", eager, lazy);
    repack.print();
    return 0;
}
