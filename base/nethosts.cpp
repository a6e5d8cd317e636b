#include "base/nethosts.h"
#include "base/prompt.h"
#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <algorithm>

namespace NetHosts {

namespace {

// Entries are compared as the links read them: blanks around an address, or another spelling
// of the same address, do not make it another host.
bool sameEntry(const QString &text, const QString &host)
{
    if (text.trimmed() == host.trimmed())
        return true;
    const QHostAddress a(text.trimmed());
    return !a.isNull() && a.isEqual(QHostAddress(host.trimmed()));
}

void removeEntries(QStringList &texts, const QString &host)
{
    texts.erase(std::remove_if(texts.begin(), texts.end(), [&](const QString &t) { return sameEntry(t, host); }),
                texts.end());
}

}  // namespace

QString settingsPath() { return QDir::homePath() + QStringLiteral("/Vandor.ini"); }

QList<QHostAddress> remembered(const QString &key)
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    QList<QHostAddress> hosts;
    const QStringList texts = settings.value(key).toStringList();
    for (const QString &t : texts) {
        const QHostAddress a(t.trimmed());
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !hosts.contains(a))
            hosts.append(a);
    }
    return hosts;
}

void remember(QSettings &settings, const QString &key, const QHostAddress &host)
{
    QStringList texts = settings.value(key).toStringList();
    const QString text = host.toString();
    removeEntries(texts, text);
    texts.append(text);
    while (texts.size() > MaxHosts)
        texts.removeFirst();
    settings.setValue(key, texts);
    settings.sync();
}

bool askAndRemember(QSettings &settings, QHostAddress *typed)
{
    const QString title = QCoreApplication::translate("NetHosts", "Connection");
    const std::optional<QString> text =
        prompt()->getText(title, QCoreApplication::translate("NetHosts", "Board address:"));
    if (!text || text->trimmed().isEmpty())
        return false;
    const QHostAddress host(text->trimmed());
    if (host.protocol() != QAbstractSocket::IPv4Protocol) {
        prompt()->message(Prompt::Icon::Warning, title,
                          QCoreApplication::translate("NetHosts", "Invalid address: %1").arg(text->trimmed()));
        return false;
    }
    remember(settings, QString::fromLatin1(NetKey), host);
    remember(settings, QString::fromLatin1(UdpKey), host);
    if (typed)
        *typed = host;
    return true;
}

QStringList all(QSettings &settings)
{
    QStringList hosts;
    for (const char *key : {NetKey, UdpKey}) {
        const QStringList texts = settings.value(QString::fromLatin1(key)).toStringList();
        for (const QString &t : texts)
            if (!t.trimmed().isEmpty() && !hosts.contains(t.trimmed()))
                hosts.append(t.trimmed());
    }
    return hosts;
}

void forget(QSettings &settings, const QString &host)
{
    for (const char *key : {NetKey, UdpKey}) {
        QStringList texts = settings.value(QString::fromLatin1(key)).toStringList();
        removeEntries(texts, host);
        settings.setValue(QString::fromLatin1(key), texts);
    }
    settings.sync();
}

}  // namespace NetHosts
