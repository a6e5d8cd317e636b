// Takes screenshots of the main window for the documentation:
//   vandor-shot OUT.png [--model TITLE] [--open TAB]... [--scroll-to TAB]
// Runs on any Qt platform (offscreen included); no board is needed.
#include "app/maindialog.h"
#include "app/scale.h"
#include <QApplication>
#include <QCommandLineParser>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>

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
    parser.addHelpOption();
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    MainDialog::Parts parts = MainDialog::defaultParts();
    parts.makeUsbLink = nullptr;
    parts.makeNetLink = nullptr;
    MainDialog window(parts);
    window.settings().setValue(QStringLiteral("lang"), parser.value(QStringLiteral("lang")));
    window.loadLanguage();
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
    for (const QString &tab : parser.values(QStringLiteral("open"))) {
        for (QPushButton *b : buttons())
            if (b->isCheckable() && b->text() == tab && !b->isChecked()) {
                b->click();
                last = b;
                break;
            }
    }
    const QString out = parser.positionalArguments().first();
    int rc = 1;
    QTimer::singleShot(300, &window, [&] {
        if (last) {
            auto *area = window.findChild<QScrollArea *>(QStringLiteral("scrollArea"));
            area->verticalScrollBar()->setValue(last->y());
        }
        QTimer::singleShot(100, &window, [&] {
            rc = window.grab().save(out) ? 0 : 1;
            app.quit();
        });
    });
    app.exec();
    return rc;
}
