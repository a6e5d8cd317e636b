// Time to build, show and refresh a page of several hundred editors (run with
// QT_QPA_PLATFORM=offscreen; arguments: number of editor groups (default 100), then
// "compact" for editors without title rows).
#include "base/scale.h"
#include "app/stylesheet.h"
#include "devices/devicecfg.h"
#include "editors/parbitmask.h"
#include "editors/parbitmaskbutton.h"
#include "editors/parinverter.h"
#include "editors/parslider2.h"
#include <QApplication>
#include <QElapsedTimer>
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
    void writeDevice(Progress *) override {}
    void writeTexts(Progress *, int) override {}
    void buildPage(QWidget *) override {}
    QString parName(quint32 key) override { return QStringLiteral("Parameter number %1").arg(key); }
    void saveHelp() override {}
    bool changed(quint32, int) override { return true; }
    void clearNvm() override {}
    void relayTest(int) override {}
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("fusion"));
    QString css;
    if (readStyleSheet(QStringLiteral(":/res/style.css"), &css))
        app.setStyleSheet(css);
    const int groups = argc > 1 ? qMax(1, atoi(argv[1])) : 100;
    BenchModel model;
    DeviceCfg::setCurrent(&model);
    quint8 *img = model.image();

    QElapsedTimer t;
    QWidget page;
    page.setProperty("hideTitle", argc > 2 && qstrcmp(argv[2], "compact") == 0);
    auto *layout = new QVBoxLayout(&page);
    t.start();
    {
        PageBuildGuard building;
        for (int g = 0; g < groups; ++g) {
            const int a = g * 16;
            layout->addWidget(new ParSlider2(&page, reinterpret_cast<quint16 *>(img + a), img, 0, 1000, 100, 0));
            layout->addWidget(new ParSlider2(&page, img + a + 2, img, 0, 100, 5, 0));
            layout->addWidget(new ParInverter(&page, img + a + 3, img));
            layout->addWidget(new ParBitmask(&page, reinterpret_cast<quint16 *>(img + a + 4), img,
                                             {1, 2, 4, 8, 16, 32, 64, 128}, 0, {}, -1));
            layout->addWidget(new ParBitmaskButton(&page, reinterpret_cast<quint16 *>(img + a + 6), img,
                                                   {1, 2, 4, 8, 16, 32}, 0, {}));
        }
    }
    const qint64 built = t.restart();
    page.show();
    app.processEvents();
    const qint64 shown = t.restart();
    {
        PageBuildGuard refreshing;
        for (Par *p : page.findChildren<Par *>())
            p->refresh();
    }
    const qint64 refreshed = t.elapsed();
    std::printf("%d editors: build %lld ms, first show %lld ms, refresh-all %lld ms\n", groups * 5,
                static_cast<long long>(built), static_cast<long long>(shown), static_cast<long long>(refreshed));
    return 0;
}
