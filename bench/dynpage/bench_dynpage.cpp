// The dynamic device with a large description (about 2,000 parameters over 40 tabs) on an
// in-memory link: reading it beside a plain ping-pong of the same exchanges, and building its
// page beside the same number of bare widgets. Run with QT_QPA_PLATFORM=offscreen; argument:
// parameters per tab (default 50).
#include "devices/devcom2.h"
#include "fakelink.h"
#include "registry/cfgkinds.h"
#include "registry/cfgstream.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cstdio>

namespace {

constexpr int Tabs = 40;

// Makes the description in the registry, captures what a board would answer, and empties it.
QList<FakeLink::DynAnswer> describe(int perTab)
{
    for (int t = 0; t < Tabs; ++t) {
        const quint32 tab = (quint32(1 + t % 5) << 20) | (quint32(1 + t) << 12);
        for (int i = 1; i <= perTab; ++i) {
            const quint32 item = quint32(i);
            switch (i % 4) {
            case 0: {
                auto *n = static_cast<CfgParN16 *>(CfgPar::create(0x42000000u | tab | item));
                n->setLimits(0, 1000);
                n->setValue(quint16(i));
                break;
            }
            case 1:
                static_cast<CfgParM16 *>(CfgPar::create(0x45000000u | tab | item))->setValue(quint16(i));
                break;
            case 2:
                static_cast<CfgParString *>(CfgPar::create(0x47000000u | tab | item))->value().setText(QByteArray("text"));
                break;
            default:
                static_cast<CfgParColour *>(CfgPar::create(0x4A000000u | tab | item))->setValue(0xF800);
                break;
            }
        }
    }
    QList<FakeLink::DynAnswer> out;
    for (int list = 1; list <= 3; ++list) {
        CfgStream s(CfgStream::Describe);
        s.startList(quint32(list) << 30);
        quint8 chunk[60];
        do {
            const int n = s.writeChunk(chunk, 60);
            out.append({QByteArray(reinterpret_cast<const char *>(chunk), n), quint8(s.hasMore() ? 0 : 1),
                        quint8(s.complete()), true});
        } while (s.hasMore());
    }
    CfgPar::destroyAll();
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int perTab = argc > 1 ? qMax(1, atoi(argv[1])) : 50;
    const QList<FakeLink::DynAnswer> answers = describe(perTab);

    // The same exchanges with nothing done with the answers.
    FakeLink plain;
    plain.dynAnswers = answers;
    QElapsedTimer clock;
    clock.start();
    quint8 buf[256];
    for (int i = 0; i < answers.size(); ++i) {
        quint8 length = 0, flags = 0, complete = 0;
        plain.readDynCfg(buf, i == 0 ? 0x40000000u : 0, &length, &flags, &complete);
        QCoreApplication::processEvents();
    }
    const qint64 pingPong = clock.nsecsElapsed();

    // The model reads the description and builds its page.
    FakeLink link;
    link.dynAnswers = answers;
    setCurrentLink(&link);
    DevCom2 model;
    DeviceCfg::setCurrent(&model);
    QWidget page;
    model.buildPage(&page);
    page.show();
    clock.restart();
    const bool failed = model.readDevice(nullptr);
    QCoreApplication::processEvents();
    const qint64 read = clock.nsecsElapsed();
    const int editors = page.findChildren<QWidget *>("ParU16").size() + page.findChildren<QWidget *>("ParM16").size()
                        + page.findChildren<QWidget *>("ParStr").size() + page.findChildren<QWidget *>("ParCol").size();

    // The same number of bare widgets: a label and a spin box per parameter, in 40 columns.
    QWidget bare;
    auto *row = new QHBoxLayout(&bare);
    bare.show();
    clock.restart();
    for (int t = 0; t < Tabs; ++t) {
        auto *col = new QWidget(&bare);
        auto *layout = new QVBoxLayout(col);
        for (int i = 0; i < perTab; ++i) {
            layout->addWidget(new QLabel(QStringLiteral("Parameter %1").arg(i), col));
            layout->addWidget(new QSpinBox(col));
        }
        row->addWidget(col);
    }
    QCoreApplication::processEvents();
    const qint64 widgets = clock.nsecsElapsed();

    std::printf("parameters %d over %d tabs, %d answers, %d editors%s\n", Tabs * perTab, Tabs, int(answers.size()),
                editors, failed ? " (read failed)" : "");
    std::printf("ping-pong of the exchanges   %8.1f ms\n", pingPong / 1e6);
    std::printf("read and page build          %8.1f ms  (%.1fx the ping-pong)\n", read / 1e6, double(read) / double(pingPong));
    std::printf("bare label + spin box pairs  %8.1f ms  (page build and read is %.1fx)\n", widgets / 1e6,
                double(read) / double(widgets));
    return failed ? 1 : 0;
}
