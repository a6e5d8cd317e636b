// Resolution of the compiled-in resources with the development folder "../Vandor/" as override.
#pragma once
#include <QString>

// "../Vandor/" + name when that file exists (relative to the working directory), else ":/" + name.
QString resourcePath(const QString &name);
// The folder help files are saved into: "../Vandor/".
QString developmentFolder();
// The folder file dialogs start in: the documents folder, or the home folder when there is none.
QString startFolder();
