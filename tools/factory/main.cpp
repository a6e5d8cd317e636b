// Writes BOARD.bin (sealed image) and BOARD.nv for each fixed-layout board: the values each
// model's page shows for an erased board, so that a simulated board starts where a new one does.
#include "devices/factoryimage.h"
#include "devices/fixedgenerations.h"
#include "devices/fixedimage.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

static bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: vandor-factory DIR\n");
        return 2;
    }
    const QDir dir(app.arguments().at(1));
    // The newest board of each generation: its page has every value.
    for (const FixedGeneration &g : FixedGenerations::all()) {
        const FactoryImage::Defaults defaults = FactoryImage::make(*g.layout, g.word0, g.word1, g.word2);
        const QString name = QString::fromLatin1(g.board);
        if (defaults.image.size() != FixedImage::Size
            || !writeFile(dir.filePath(name + QStringLiteral(".bin")), defaults.image)
            || !writeFile(dir.filePath(name + QStringLiteral(".nv")), defaults.nv)) {
            std::fprintf(stderr, "vandor-factory: cannot write into %s\n", qPrintable(dir.path()));
            return 1;
        }
    }
    return 0;
}
