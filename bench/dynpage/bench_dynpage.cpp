// The dynamic device with a large description (1,000 parameters over 40 tabs) on an
// in-memory link: reading it beside a plain ping-pong of the same exchanges, and building its
// page beside the same number of bare widgets, in interleaved rounds. Run with
// QT_QPA_PLATFORM=offscreen; arguments: parameters per tab (default 25: the board may describe
// at most CfgPar::MaxPerList in one list, all of these are in list 1), --rounds N (or
// VANDOR_BENCH_ROUNDS).
#include "benchrounds.h"
#include "devices/devcom2.h"
#include "fakelink.h"
#include "registry/cfgkinds.h"
#include "registry/cfgstream.h"
#include <QApplication>
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

// The same exchanges with nothing done with the answers.
bool pingPong(const QList<FakeLink::DynAnswer> &answers)
{
    FakeLink plain;
    plain.dynAnswers = answers;
    quint8 buf[256];
    for (int i = 0; i < answers.size(); ++i) {
        quint8 length = 0, flags = 0, complete = 0;
        plain.readDynCfg(buf, i == 0 ? 0x40000000u : 0, &length, &flags, &complete);
        QCoreApplication::processEvents();
    }
    return true;
}

struct Read
{
    bool failed = false;
    int editors = 0;
};

// The model reads the description and builds its page; only the read is timed.
Read readAndBuild(const QList<FakeLink::DynAnswer> &answers, Bench::Series *times)
{
    Read r;
    {
        FakeLink link;
        link.dynAnswers = answers;
        setCurrentLink(&link);
        DevCom2 model;
        DeviceCfg::setCurrent(&model);
        QWidget page;
        model.buildPage(&page);
        page.show();
        times->time([&] {
            r.failed = model.readDevice(nullptr);
            QCoreApplication::processEvents();
            return true;
        });
        r.editors = page.findChildren<QWidget *>("ParU16").size() + page.findChildren<QWidget *>("ParM16").size()
                    + page.findChildren<QWidget *>("ParStr").size() + page.findChildren<QWidget *>("ParCol").size();
        DeviceCfg::setCurrent(nullptr);
        setCurrentLink(nullptr);
    }
    CfgPar::destroyAll();
    return r;
}

// The same number of bare widgets in a shown widget: a label and a spin box per parameter, in
// 40 columns.
bool bareWidgets(QWidget *bare, int perTab)
{
    auto *row = new QHBoxLayout(bare);
    for (int t = 0; t < Tabs; ++t) {
        auto *col = new QWidget(bare);
        auto *layout = new QVBoxLayout(col);
        for (int i = 0; i < perTab; ++i) {
            layout->addWidget(new QLabel(QStringLiteral("Parameter %1").arg(i), col));
            layout->addWidget(new QSpinBox(col));
        }
        row->addWidget(col);
    }
    QCoreApplication::processEvents();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = Bench::withoutRounds(app.arguments());
    const int perTab = args.size() > 1 ? qMax(1, args.at(1).toInt()) : 25;
    const int rounds = Bench::rounds(app.arguments());
    const QList<FakeLink::DynAnswer> answers = describe(perTab);

    Bench::Series plain("ping-pong of the exchanges"), read("read and page build"),
        widgets("bare label + spin box pairs");
    Read last;
    for (int r = 0; r < rounds; ++r) {
        plain.time([&] { return pingPong(answers); });
        last = readAndBuild(answers, &read);
        if (last.failed)
            break;
        QWidget bare;
        bare.show();
        widgets.time([&] { return bareWidgets(&bare, perTab); });
    }
    std::printf("parameters %d over %d tabs, %d answers, %d editors, %d interleaved rounds%s\n", Tabs * perTab, Tabs,
                int(answers.size()), last.editors, rounds, last.failed ? " (read failed)" : "");
    plain.print();
    read.print();
    widgets.print();
    Bench::printRatio("read and page build / ping-pong", read, plain);
    Bench::printRatio("read and page build / bare widgets", read, widgets);
    return last.failed ? 1 : 0;
}
