// Costs that grow with the page: colour pickers with and without their grid made, and a full
// text pool repack with a page's worth of texts.
#include "devices/devicecfg.h"
#include "editors/colorform.h"
#include "editors/qtcolorpicker.h"
#include "editors/textpool.h"
#include <QLineEdit>
#include <QtTest>
#include <memory>
#include <vector>

class BenchEditors : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pickers_data()
    {
        QTest::addColumn<bool>("gridMade");
        QTest::newRow("grid on first opening") << false;
        QTest::newRow("grid made at once") << true;
    }
    void pickers()
    {
        QFETCH(bool, gridMade);
        QBENCHMARK {
            QWidget page;
            for (int i = 0; i < 300; ++i) {
                QtColorPicker *p = makeColorPicker(&page, QStringLiteral("col"));
                p->setCurrentColor(QColor(i % 256, 0, 0));
                if (gridMade)
                    p->popup();
            }
        }
    }

    void repack()
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
        QBENCHMARK {
            pool.store(records.front().get(), edits.front().get());
        }
        for (auto &r : records)
            pool.remove(r.get());
    }
};

QTEST_MAIN(BenchEditors)
#include "bench_editors.moc"
