#include "base/logging.h"
#include "app/maindialog.h"
#include "app/quitsignals.h"
#include "base/scale.h"
#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vandor"));
    // The desktop entry's name, so that window managers pair the window with its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vandor.Vandor"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/vandor.png")));
    // A logout, kill or Ctrl+C closes the open dialogs as the user would, then quits; a signal
    // that comes while the window is being made is taken once the event loop runs.
    QuitSignals onSignals([] { QCoreApplication::quit(); });

    const double dpi = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->physicalDotsPerInch() : 96.0;
    qCDebug(lcApp, "DPI: %f", dpi);
    setDisplayScale(scaleForDpi(dpi));

    MainDialog window;
    // Closing the main window ends the program, whatever other window is still open.
    QObject::connect(&window, &QDialog::finished, &app, &QCoreApplication::quit);
    onSignals.setKeep(&window);
    window.show();
    return app.exec();
}
