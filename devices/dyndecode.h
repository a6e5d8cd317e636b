// Turns the value-mode payload of a dynamic device's parameter into the text its editor shows:
// numbers, masks as the names of their bits, colours as #rrggbb, texts and view lines as text.
#pragma once
#include <QByteArray>
#include <QString>

namespace DynDecode {

QString decode(quint32 uid, const QByteArray &value);

} // namespace DynDecode
