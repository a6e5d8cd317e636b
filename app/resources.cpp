#include "app/resources.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString developmentFolder() { return QStringLiteral("../Vandor/"); }

QString resourcePath(const QString &name)
{
    const QString local = developmentFolder() + name;
    if (QFileInfo::exists(local))
        return local;
    return QStringLiteral(":/") + name;
}

QString startFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A folder that is not there would be taken by the dialogs as a file name to pre-fill.
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}
