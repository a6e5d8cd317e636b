// Labels of the limited-function view's lines.
#include "devices/limitedlines.h"
#include <QCoreApplication>

namespace LimitedLines {

QString label(const char *context, const Texts &texts, quint32 offset)
{
    const quint32 line = offset >> 3;
    if (line < 4)
        return QCoreApplication::translate(context, texts.general).arg(line + 1);
    const quint32 state = (line - 4) / 2;
    if (state >= 6)
        return QString();
    return QCoreApplication::translate(context, texts.stateLines[state]).arg((line - 4) % 2 + 1);
}

} // namespace LimitedLines
