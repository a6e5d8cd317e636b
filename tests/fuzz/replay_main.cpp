// Replays fuzz inputs without libFuzzer: every file named, and every file in every folder
// named, goes once through LLVMFuzzerTestOneInput. Used by the corpus tests of the normal and
// sanitizer builds, so that every kept input (seeds and past findings) runs in CI.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

static bool runFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return false;
    }
    const QByteArray data = f.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size()));
    return true;
}

int main(int argc, char **argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int runs = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const QFileInfo info(QString::fromLocal8Bit(argv[i]));
        if (info.isDir()) {
            const QDir dir(info.filePath());
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
                ok = runFile(dir.filePath(name)) && ok;
                ++runs;
            }
        } else {
            ok = runFile(info.filePath()) && ok;
            ++runs;
        }
    }
    std::printf("%d inputs replayed\n", runs);
    // An empty corpus means the test points at the wrong folder.
    return ok && runs > 0 ? 0 : 1;
}
