// The process-wide help map and the help file format: a decimal key line, the text lines, "---".
#include "devices/devicecfg.h"
#include "base/logging.h"
#include "base/resources.h"
#include <QFileInfo>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

static QMap<quint32, QString> &helpStore()
{
    static QMap<quint32, QString> map;
    return map;
}

static QString &mapLanguage()
{
    static QString code;
    return code;
}

const QMap<quint32, QString> &DeviceCfg::helpMap() { return helpStore(); }

QString DeviceCfg::helpMapLanguage() { return mapLanguage(); }

QString DeviceCfg::helpLanguage()
{
    const QString code = textLanguage();
    if (code == QLatin1String("bg") || QFileInfo::exists(QStringLiteral(":/help_") + code))
        return code;
    return QStringLiteral("en");
}

QString DeviceCfg::helpFileName(const QString &bulgarianName, const QString &language)
{
    if (!bulgarianName.endsWith(QLatin1String("_bg")))
        return bulgarianName;
    return bulgarianName.chopped(2) + language;
}

void DeviceCfg::setHelpText(quint32 key, const QString &text) { helpStore().insert(key, text); }

void DeviceCfg::clearHelpTexts()
{
    helpStore().clear();
    mapLanguage().clear();
}

bool DeviceCfg::readHelpFile(const QString &path, const QString &language)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCDebug(lcDevice, "Load failed");
        return false;
    }
    QMap<quint32, QString> &map = helpStore();
    map.clear();
    mapLanguage() = language;
    QTextStream in(&file);
    in.setCodec("UTF-8");
    bool haveKey = false;
    quint32 key = 0;
    QString text;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.isEmpty())
            continue;
        if (!haveKey) {
            bool ok = false;
            const qlonglong n = line.toLongLong(&ok);
            if (ok && n >= 0 && n <= 0xFFFFFFFFLL) {
                key = static_cast<quint32>(n);
                haveKey = true;
            }
            continue;
        }
        // Blanks around the separator do not make it text: a text saved with a last line of
        // "--- " would otherwise come back cut after its own trimming.
        if (line.trimmed() == QLatin1String("---")) {
            map.insert(key, text.trimmed());
            haveKey = false;
            text.clear();
            continue;
        }
        text += line;
        text += QLatin1Char('\n');
    }
    return true;
}

bool DeviceCfg::writeHelpFile(const QString &path)
{
    // Written atomically: a failed save never destroys the previous file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qCDebug(lcDevice, "Save failed");
        return false;
    }
    QTextStream out(&file);
    out.setCodec("UTF-8");
    const QMap<quint32, QString> &map = helpStore();
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        out << it.key() << '\n' << it.value() << '\n' << "---" << '\n';
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit()) {
        qCDebug(lcDevice, "Save failed");
        return false;
    }
    return true;
}
