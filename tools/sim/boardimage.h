// The image a freshly erased 2.0 controller holds.
#pragma once
#include <QByteArray>

namespace simstorage {

// Erased image with the layout word and check word a 2.0 dump file needs.
QByteArray defaultImage();

} // namespace simstorage
