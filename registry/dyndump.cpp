// Saving and the two-pass loading of the dynamic device's dump file.
#include "registry/dyndump.h"
#include "registry/cfgstream.h"
#include <QFileDevice>
#include <QIODevice>

namespace {

const char s_header[8] = {'D', 'e', 'v', 'C', 'o', 'm', '2', '\0'};
constexpr int SaveChunk = 512;

QString nameOf(QIODevice *file)
{
    auto *f = qobject_cast<QFileDevice *>(file);
    return f ? f->fileName() : QString();
}

} // namespace

QByteArray DynDump::header() { return QByteArray(s_header, sizeof s_header); }

bool DynDump::isHwSettingsName(const QString &fileName)
{
    // The file's own name only: a folder named with the marker says nothing about its files.
    const int slash = qMax(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    return fileName.mid(slash + 1).contains(QLatin1String("_hset_"), Qt::CaseSensitive);
}

bool DynDump::save(QIODevice *file) { return save(file, nameOf(file)); }

bool DynDump::save(QIODevice *file, const QString &fileName)
{
    bool ok = file->write(s_header, sizeof s_header) == qint64(sizeof s_header);
    CfgStream s(isHwSettingsName(fileName) ? quint32(CfgStream::HwFilter) : 0u);
    s.startList(0x40000000u);
    quint8 chunk[SaveChunk];
    while (s.hasMore()) {
        const int n = s.writeChunk(chunk, SaveChunk);
        if (file->write(reinterpret_cast<const char *>(chunk), n) != n)
            ok = false;
    }
    return ok && !s.failed();
}

bool DynDump::load(QIODevice *file) { return load(file, nameOf(file)); }

bool DynDump::load(QIODevice *file, const QString &fileName)
{
    const QByteArray head = file->read(sizeof s_header);
    if (head != header())
        return false;
    return loadBytes(head + file->readAll(), isHwSettingsName(fileName));
}

bool DynDump::loadBytes(const QByteArray &file, bool hwSettingsFile)
{
    if (!file.startsWith(header()))
        return false;
    const QByteArray body = file.mid(int(sizeof s_header));
    if (body.isEmpty())
        return false;
    const auto *data = reinterpret_cast<const quint8 *>(body.constData());
    const quint32 filter = hwSettingsFile ? 0 : quint32(CfgStream::HwFilter);
    // First pass: the whole file must parse before a single value is applied.
    {
        CfgStream check(CfgStream::CheckOnly | filter);
        if (!check.readChunk(data, body.size(), body.size()))
            return false;
    }
    CfgStream apply(filter);
    return apply.readChunk(data, body.size(), body.size());
}
