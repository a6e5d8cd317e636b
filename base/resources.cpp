#include "base/resources.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

QString developmentFolder() { return QStringLiteral("../Vandor/"); }

bool developmentFolderUsable()
{
    // Started from a subfolder of a shared folder (the temporary folder, say), "../Vandor" may
    // be anybody's: it counts only when it is the user's own and nobody else can write to it.
    const QFileInfo folder(QDir(developmentFolder()).canonicalPath());
    if (!folder.exists() || !folder.isDir() || folder.ownerId() != uint(geteuid()))
        return false;
    const QFile::Permissions perms = folder.permissions();
    if (perms & QFile::WriteOther)
        return false;
    // A folder writable by the user's own private group (umask 002) is still the user's.
    return !(perms & QFile::WriteGroup) || folder.groupId() == uint(getegid());
}

QString resourcePath(const QString &name)
{
    const QString local = developmentFolder() + name;
    if (developmentFolderUsable() && QFileInfo::exists(local))
        return local;
    return QStringLiteral(":/") + name;
}

QString developmentSavePath(const QString &name)
{
    // A folder the user owns but made before, with looser rights, is not written into.
    if (!QFileInfo::exists(developmentFolder()) && !QDir().mkpath(developmentFolder()))
        return QString();
    if (!developmentFolderUsable())
        return QString();
    const QString path = developmentFolder() + name;
    // A saved file replaces the one there; it never follows a link to somewhere else.
    if (QFileInfo(path).isSymLink())
        return QString();
    return path;
}

QString startFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A folder that is not there would be taken by the dialogs as a file name to pre-fill.
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

static QString &languageStore()
{
    static QString code = QStringLiteral("bg");
    return code;
}

QString textLanguage() { return languageStore(); }

void setTextLanguage(const QString &code) { languageStore() = code; }

QLocale textLocale() { return QLocale(textLanguage()); }
