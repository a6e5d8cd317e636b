// One line per request and answer, in hexadecimal: "<path> <req|ans|drop> <bytes>". An answer's
// line is written before the answer leaves, so whoever received it can already read the line.
#pragma once
#include <QByteArray>
#include <QFile>
#include <QMutex>
#include <QString>

class Transcript
{
public:
    // An empty file name keeps no transcript.
    bool open(const QString &fileName);
    // Safe from any thread (the emulated USB board answers from a thread of its own).
    void line(const char *path, const char *kind, const QByteArray &bytes);

private:
    QMutex mutex;
    QFile file;
};
