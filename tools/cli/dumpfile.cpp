#include "dumpfile.h"
#include "base/boundedfile.h"
#include "devices/fixedlayoutmodel.h"
#include <QFile>
#include <QSaveFile>

bool loadDump(DeviceCfg *model, const QString &path, QString *error)
{
    QFile file(path);
    QString why;
    if (!openBoundedFile(&file, FileBounds::Dump, &why)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, why);
        return false;
    }
    const auto *fixed = qobject_cast<const FixedLayoutModel *>(model);
    // A fixed-layout dump is the image itself: exactly its size, nothing before or after it.
    if (fixed && (file.isSequential() || file.size() != FixedLayoutModel::ImageSize)) {
        *error = QStringLiteral("%1 is not a %2 dump: %3 bytes, it must have exactly %4")
                     .arg(path, model->title())
                     .arg(file.size())
                     .arg(FixedLayoutModel::ImageSize);
        return false;
    }
    if (!model->load(&file)) {
        *error = fixed ? QStringLiteral("%1 is not a valid %2 dump: its layout version or check word "
                                        "is wrong (damaged, or a dump of another model)")
                             .arg(path, model->title())
                       : QStringLiteral("%1 is not a valid %2 dump").arg(path, model->title());
        return false;
    }
    return true;
}

bool saveDump(DeviceCfg *model, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    if (!model->save(&file) || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}
