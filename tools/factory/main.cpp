// Writes BOARD.bin (sealed image) and BOARD.nv for each fixed-layout board: the values each
// model's page shows for an erased board, so that a simulated board starts where a new one does.
#include "devices/devmarvek1_1.h"
#include "devices/devmarvek2_0.h"
#include "devices/devmarvek3_0.h"
#include "devices/devmarvekrobo1_0.h"
#include "devices/devtokmat1_0.h"
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

// The factory defaults of the model's layout for the board its words stand for, as BOARD.bin
// and BOARD.nv.
static bool writeBoard(const FixedLayoutModel &model, const QDir &dir, const QString &name)
{
    const FactoryImage::Defaults defaults = FactoryImage::make(model.layout(), model.word0, model.word1, model.word2);
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
    m11.word0 = 0x103;
    m20.word0 = 0x242;
    m20.word2 = 0x9202;
    m30.word0 = 0x304;
    DevMarvekRobo1_0 robo;
    DevTokmat1_0 tokmat; // 0x300: floats and the newer banknote options
    const bool ok = writeBoard(m11, dir, QStringLiteral("1.1")) && writeBoard(m20, dir, QStringLiteral("2.0"))
        && writeBoard(m30, dir, QStringLiteral("3.0")) && writeBoard(robo, dir, QStringLiteral("robo"))
        && writeBoard(tokmat, dir, QStringLiteral("tokmat"));
    if (!ok) {
        std::fprintf(stderr, "vandor-factory: cannot write into %s\n", qPrintable(dir.path()));
        return 1;
    }
    return 0;
}
