// Chooses the interface language a MainDialog made by a test loads ("lang" in the settings file
// of the test's own home folder); "en" keeps the built-in English texts.
#pragma once
#include <QDir>
#include <QSettings>
#include <QString>

inline void setTestLanguage(const QString &code)
{
    QSettings settings(QDir::homePath() + QStringLiteral("/Vandor.ini"), QSettings::IniFormat);
    if (code.isEmpty())
        settings.remove(QStringLiteral("lang"));
    else
        settings.setValue(QStringLiteral("lang"), code);
}
