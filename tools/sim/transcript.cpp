// The transcript is a log, appended and flushed line by line so that a reader sees it at once.
#include "transcript.h"
#include <QMutexLocker>

bool Transcript::open(const QString &fileName)
{
    if (fileName.isEmpty())
        return true;
    file.setFileName(fileName);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
}

void Transcript::line(const char *path, const char *kind, const QByteArray &bytes)
{
    QMutexLocker lock(&mutex);
    if (!file.isOpen())
        return;
    QByteArray text(path);
    text.append(' ').append(kind);
    if (!bytes.isEmpty())
        text.append(' ').append(bytes.toHex(' '));
    text.append('\n');
    file.write(text);
    file.flush();
}
