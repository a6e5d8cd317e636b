#include "base/boundedfile.h"
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

bool openBoundedFile(QFile *file, qint64 maxBytes, QString *why)
{
    const QFileInfo info(file->fileName());
    // Checked before opening: opening a pipe for reading waits for a writer.
    if (!info.exists()) {
        *why = QCoreApplication::translate("BoundedFile", "The file does not exist.");
        return false;
    }
    if (!info.isFile()) {
        *why = QCoreApplication::translate("BoundedFile", "It is not a regular file.");
        return false;
    }
    if (info.size() > maxBytes) {
        *why = QCoreApplication::translate("BoundedFile", "The file is too large: %1 bytes, at most %2.")
                   .arg(info.size())
                   .arg(maxBytes);
        return false;
    }
    if (!file->open(QIODevice::ReadOnly)) {
        *why = file->errorString();
        return false;
    }
    // Swapped for something else between the check and the open: refused all the same.
    if (file->isSequential() || file->size() > maxBytes) {
        file->close();
        *why = QCoreApplication::translate("BoundedFile", "It is not a regular file.");
        return false;
    }
    return true;
}
