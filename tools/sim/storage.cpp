// Files are written with QSaveFile so that a reader never sees half of one.
#include "storage.h"
#include "simworld.h"
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

bool writeFile(const QString &path, const QByteArray &bytes, QString &error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

} // namespace

namespace simstorage {

bool loadInto(const QString &fileName, QByteArray &mem, QString &error)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(fileName, f.errorString());
        return false;
    }
    const QByteArray bytes = f.readAll();
    if (bytes.size() > mem.size()) {
        error = QStringLiteral("%1 has %2 bytes, more than %3").arg(fileName).arg(bytes.size()).arg(mem.size());
        return false;
    }
    mem.replace(0, bytes.size(), bytes);
    return true;
}

bool saveAll(const QString &dir, const SimWorld &world, QString &error)
{
    if (dir.isEmpty())
        return true;
    if (!QDir().mkpath(dir)) {
        error = QStringLiteral("cannot create %1").arg(dir);
        return false;
    }
    const QDir d(dir);
    const SimBoard &b = world.board;
    bool ok = writeFile(d.filePath(QStringLiteral("image.bin")), b.image, error)
              && writeFile(d.filePath(QStringLiteral("nv.bin")), b.nv, error)
              && writeFile(d.filePath(QStringLiteral("setup.bin")), b.setup, error)
              && writeFile(d.filePath(QStringLiteral("serial.txt")), QByteArray(b.serial).append('\n'), error)
              && (b.stored.isEmpty() || writeFile(d.filePath(QStringLiteral("stored.bin")), b.stored, error))
              && (!b.dyn || (writeFile(d.filePath(QStringLiteral("dyn.bin")), b.dyn->dump(), error)
                             && writeFile(d.filePath(QStringLiteral("dynwrites.log")), b.dyn->writeLog(), error)));
    if (ok && world.firmware.started()) {
        const QByteArray log = world.firmware.log().join(QLatin1Char('\n')).toUtf8().append('\n');
        ok = writeFile(d.filePath(QStringLiteral("firmware.bin")), world.firmware.body(), error)
             && writeFile(d.filePath(QStringLiteral("firmware.log")), log, error);
    }
    return ok;
}

} // namespace simstorage
