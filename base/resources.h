// Resolution of the compiled-in resources with the development folder "../Vandor/" as override.
#pragma once
#include <QLocale>
#include <QString>

// "../Vandor/" + name when that file exists (relative to the working directory) in a usable
// development folder, else ":/" + name.
QString resourcePath(const QString &name);
// The folder help files are saved into: "../Vandor/".
QString developmentFolder();
// True when "../Vandor/" exists, belongs to the user and nobody else can write to it.
bool developmentFolderUsable();
// Where a file called name is saved in the development folder (made when missing); empty when
// the folder is not usable or the file there is a symbolic link.
QString developmentSavePath(const QString &name);
// The folder file dialogs start in: the documents folder, or the home folder when there is none.
QString startFolder();
// The language the program's texts are shown in: "bg", or "en" for the built-in texts. Set by
// the main window whenever it loads a translation; "bg" until then, as the setting's default.
QString textLanguage();
void setTextLanguage(const QString &code);
// The locale of that language: dates and month names follow it.
QLocale textLocale();
