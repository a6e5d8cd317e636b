// The dynamic device's tables: parameter labels, tab titles and editor attributes, keyed by the
// group (bits 23-20), instance (bits 19-12) and item (bits 11-0) of a parameter's UID.
#pragma once
#include <QString>
#include <QVariant>

namespace DevCom2Tables {

constexpr int group(quint32 uid) { return int((uid >> 20) & 0xF); }
constexpr int instance(quint32 uid) { return int((uid >> 12) & 0xFF); }
constexpr int item(quint32 uid) { return int(uid & 0xFFF); }
// Key of the tab a parameter sits on: its group and instance.
constexpr quint32 tabKey(quint32 uid) { return uid & 0xFFF000u; }

QString label(quint32 uid);
// Full and short title of the tab of key.
QString tabTitle(quint32 key);
QString tabShortTitle(quint32 key);
// An editor attribute ("MaskOrder", "MaskNames", "MaskBits", "BgrModes"); invalid when none.
QVariant attribute(quint32 uid, const QString &name);

} // namespace DevCom2Tables
