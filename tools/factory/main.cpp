// Writes BOARD.bin (sealed image) and BOARD.nv for each controller generation: the values each
// model's page shows for an erased board, so that a simulated board starts where a new one does.
#include "devices/devmarvek1_1.h"
#include "devices/devmarvek2_0.h"
#include "devices/devmarvek3_0.h"
#include "devices/factoryimage.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

static bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The factory defaults of the layout for a board with these words, as BOARD.bin and BOARD.nv.
static bool writeBoard(const FixedLayoutModel &model, quint16 word0, quint16 word2, const QDir &dir,
                       const QString &name)
{
    const FactoryImage::Defaults defaults = FactoryImage::make(model.layout(), word0, model.word1, word2);
    return defaults.image.size() == FixedLayoutModel::ImageSize
        && writeFile(dir.filePath(name + QStringLiteral(".bin")), defaults.image)
        && writeFile(dir.filePath(name + QStringLiteral(".nv")), defaults.nv);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: vandor-factory DIR\n");
        return 2;
    }
    const QDir dir(app.arguments().at(1));
    DevMarvek1_1 m11;
    DevMarvek2_0 m20;
    DevMarvek3_0 m30;
    // The page of the newest board of each generation: it has every value.
    const bool ok = writeBoard(m11, 0x103, m11.word2, dir, QStringLiteral("1.1"))
        && writeBoard(m20, 0x242, 0x9202, dir, QStringLiteral("2.0"))
        && writeBoard(m30, 0x304, m30.word2, dir, QStringLiteral("3.0"));
    if (!ok) {
        std::fprintf(stderr, "vandor-factory: cannot write into %s\n", qPrintable(dir.path()));
        return 1;
    }
    return 0;
}
