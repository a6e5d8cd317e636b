#include "fuzz_support.h"
#include <QApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>

namespace Fuzz {

void initApplication(bool widgets)
{
    static int argc = 1;
    static char name[] = "vandor-fuzz";
    static char *argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A link made by a target binds any free port, never the real board ports.
    qputenv("VANDOR_UDP_LOCAL_PORT", "0");
    qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\nqt.*=false"));
    if (widgets)
        new QApplication(argc, argv);
    else
        new QCoreApplication(argc, argv);
}

QString scratchPath(const QString &name)
{
    static QTemporaryDir *dir = nullptr;
    if (!dir) {
        dir = new QTemporaryDir;
        check(dir->isValid());
    }
    return dir->filePath(name);
}

} // namespace Fuzz
