// Takes screenshots of the main window for the documentation:
//   vandor-shot OUT.png [--model TITLE] [--open TAB]... [--lang CODE] [--net-port PORT [--connect]]
//               [--compare ADDR=WORD,... [--factory] [--page]] [--find WORDS]
// Runs on any Qt platform (offscreen included); no board is needed.
#include "app/compareview.h"
#include "app/findbar.h"
#include "app/maindialog.h"
#include "base/prompt.h"
#include "base/scale.h"
#include "devices/devicecfg.h"
#include "devices/fixedimage.h"
#include "link/tcpio.h"
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Messages go to the log and questions are declined: a screenshot never waits on a dialog.
class LogPrompt : public Prompt
{
public:
    void message(Icon, const QString &title, const QString &text) override { qInfo("%s: %s", qPrintable(title), qPrintable(text)); }
    bool question(const QString &, const QString &) override { return false; }
    std::optional<QString> getText(const QString &, const QString &, const QString &, bool) override { return std::nullopt; }
    QString openFileName(const QString &, const QString &, const QString &) override { return QString(); }
    QString saveFileName(const QString &, const QString &, const QString &) override { return QString(); }
};

} // namespace

int main(int argc, char *argv[])
{
    // A home folder of its own: the screenshots never touch the user's settings file.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("out"), QStringLiteral("PNG file to write"));
    parser.addOption({QStringLiteral("model"), QStringLiteral("Start-page model to open"), QStringLiteral("title")});
    parser.addOption({QStringLiteral("open"), QStringLiteral("Section to open (repeatable)"), QStringLiteral("tab")});
    parser.addOption({QStringLiteral("lang"), QStringLiteral("Language code"), QStringLiteral("code"), QStringLiteral("en")});
    parser.addOption({QStringLiteral("size"), QStringLiteral("Window size, e.g. 420x400 (before scaling)"),
                      QStringLiteral("WxH")});
    parser.addOption({QStringLiteral("net-port"), QStringLiteral("Discovery port of a simulated bridge on 127.0.0.1"),
                      QStringLiteral("port")});
    parser.addOption({QStringLiteral("connect"), QStringLiteral("Open the first controller found behind the bridge "
                                                                "and read it before the sections are opened")});
    parser.addOption({QStringLiteral("compare"),
                      QStringLiteral("Shoot the compare view: the model's configuration is kept as a dump, these "
                                     "16-bit words are changed, and the two are compared"),
                      QStringLiteral("ADDR=WORD,...")});
    parser.addOption({QStringLiteral("factory"), QStringLiteral("With --compare: compare with the model's factory defaults")});
    parser.addOption({QStringLiteral("page"), QStringLiteral("With --compare: shoot the page, its changed values marked")});
    parser.addOption({QStringLiteral("find"), QStringLiteral("Words typed into the find field"), QStringLiteral("words")});
    parser.addHelpOption();
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    // The language is chosen before the window is made: its form is built translated.
    {
        QSettings settings(QDir::homePath() + QStringLiteral("/Vandor.ini"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("lang"), parser.value(QStringLiteral("lang")));
    }
    MainDialog::Parts parts = MainDialog::defaultParts();
    parts.makeUsbLink = nullptr;
    parts.makeNetLink = nullptr;
    if (parser.isSet(QStringLiteral("net-port"))) {
        // Boards behind a simulated bridge on loopback, found the way the program finds them.
        qputenv("VANDOR_NET_TARGET", "127.0.0.1");
        qputenv("VANDOR_NET_PORT", parser.value(QStringLiteral("net-port")).toLatin1());
        qputenv("VANDOR_NET_ANSWER_PORT", "0");
        parts.makeNetLink = [](QObject *parent) -> DevIo * { return new TcpIo(parent); };
    }
    LogPrompt logPrompt;
    const bool connectBoard = parser.isSet(QStringLiteral("connect")) && parser.isSet(QStringLiteral("net-port"));
    if (connectBoard)
        parts.prompt = &logPrompt;
    MainDialog window(parts);
    const QStringList size = parser.value(QStringLiteral("size")).split(QLatin1Char('x'));
    if (size.size() == 2)
        window.resize(scaled(size[0].toInt()), scaled(size[1].toInt()));
    window.show();

    auto buttons = [&window] { return window.findChildren<QPushButton *>(); };
    if (parser.isSet(QStringLiteral("model"))) {
        for (QPushButton *b : buttons())
            if (b->text() == parser.value(QStringLiteral("model"))) {
                b->click();
                break;
            }
    }
    QPushButton *last = nullptr;
    auto openTabs = [&] {
        for (const QString &tab : parser.values(QStringLiteral("open"))) {
            for (QPushButton *b : buttons())
                if (b->isCheckable() && b->text() == tab && !b->isChecked()) {
                    b->click();
                    last = b;
                    break;
                }
        }
    };
    if (!connectBoard)
        openTabs();
    QWidget *shot = &window;
    const QString kept = home.filePath(QStringLiteral("kept.bin"));
    if (parser.isSet(QStringLiteral("compare")) && DeviceCfg::current() && DeviceCfg::current()->image()) {
        DeviceCfg *model = DeviceCfg::current();
        QFile file(kept);
        if (!file.open(QIODevice::WriteOnly) || !model->save(&file))
            return 1;
        file.close();
        for (const QString &change : parser.value(QStringLiteral("compare")).split(QLatin1Char(','))) {
            const int address = change.section(QLatin1Char('='), 0, 0).toInt(nullptr, 0);
            const int word = change.section(QLatin1Char('='), 1).toInt(nullptr, 0);
            if (address >= 0 && address + 2 <= FixedImage::WriteEnd)
                FixedImage::setWord16(model->image(), address, quint16(word));
        }
        window.refreshEditors();
        if (!parser.isSet(QStringLiteral("page"))) {
            window.compare();
            auto *view = window.findChild<CompareView *>();
            const bool compared = view
                && (parser.isSet(QStringLiteral("factory")) ? view->compareWithFactory() : view->compareWith(kept));
            if (!compared)
                return 1;
            shot = view;
        }
    }
    const QString out = parser.positionalArguments().first();
    int rc = 1;
    // Long enough for a discovery answer from loopback.
    QTimer::singleShot(parser.isSet(QStringLiteral("net-port")) ? 1500 : 300, &window, [&] {
        if (connectBoard) {
            for (QPushButton *b : window.findChildren<QPushButton *>(QStringLiteral("netBoard")))
                if (b->text().contains(QStringLiteral("controller"))) {
                    b->click();
                    break;
                }
            // The read runs inside the click; a slow board gets a bounded wait more.
            for (int i = 0; i < 100 && (!window.isConnected() || window.pageHeld()); ++i) {
                QEventLoop pause;
                QTimer::singleShot(100, &pause, &QEventLoop::quit);
                pause.exec();
            }
            openTabs();
        }
        if (parser.isSet(QStringLiteral("find"))) {
            window.findBar()->activate();
            window.findBar()->field()->setText(parser.value(QStringLiteral("find")));
            last = nullptr;
        }
        if (last) {
            auto *area = window.findChild<QScrollArea *>(QStringLiteral("scrollArea"));
            area->verticalScrollBar()->setValue(last->y());
        }
        QTimer::singleShot(100, &window, [&] {
            rc = shot->grab().save(out) ? 0 : 1;
            app.quit();
        });
    });
    app.exec();
    return rc;
}
