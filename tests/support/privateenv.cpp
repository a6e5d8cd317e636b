// Linked into every test binary: before main() runs, the binary moves into a temporary
// folder of its own with its own home, settings and data folders, so that a test started by
// hand never touches the user's settings, board history or a "../Vandor/" folder.
#include "privateenv.h"
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Folder
{
    std::string path;

    Folder()
    {
        const char *tmp = std::getenv("TMPDIR");
        std::string t = std::string(tmp && *tmp ? tmp : "/tmp") + "/vandor-test-XXXXXX";
        if (!mkdtemp(&t[0])) {
            std::perror("vandor test folder");
            std::abort();
        }
        path = t;
        const std::string home = path + "/home";
        const std::string run = path + "/run";
        for (const std::string &d : {home, home + "/.config", home + "/.local", home + "/.local/share",
                                     home + "/.cache", run})
            ::mkdir(d.c_str(), 0700);
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (home + "/.cache").c_str(), 1);
        if (::chdir(run.c_str()) != 0) {
            std::perror("vandor test folder");
            std::abort();
        }
    }

    ~Folder()
    {
        // Leave the folder before removing it.
        if (::chdir("/") == 0)
            QDir(QString::fromStdString(path)).removeRecursively();
    }
};

Folder &folder()
{
    static Folder f;
    return f;
}

// Made before main(), whatever the test does first.
const bool made = (folder(), true);

} // namespace

QString PrivateEnv::root() { return QString::fromStdString(folder().path); }

bool PrivateEnv::removeFolder(const QString &path)
{
    const QString abs = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString base = QDir::cleanPath(root());
    if (!abs.startsWith(base + QLatin1Char('/'))) {
        std::fprintf(stderr, "refusing to remove %s: outside the test's own folder\n", qPrintable(abs));
        return false;
    }
    return QDir(abs).removeRecursively();
}
