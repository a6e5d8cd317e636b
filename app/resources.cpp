#include "app/resources.h"
#include <QFileInfo>

QString developmentFolder() { return QStringLiteral("../Vandor/"); }

QString resourcePath(const QString &name)
{
    const QString local = developmentFolder() + name;
    if (QFileInfo::exists(local))
        return local;
    return QStringLiteral(":/") + name;
}
