// Loading the board's initial memories and writing them (and what the bridge received) out.
#pragma once
#include "boardimage.h"
#include <QByteArray>
#include <QString>

struct SimWorld;

namespace simstorage {

// Reads at most size bytes from fileName into mem (the rest keeps its erased value);
// false with a message for a missing or larger file.
bool loadInto(const QString &fileName, QByteArray &mem, QString &error);
// Writes image.bin, nv.bin, setup.bin, serial.txt and, once a firmware header came,
// firmware.bin and firmware.log, each atomically. An empty folder writes nothing.
bool saveAll(const QString &dir, const SimWorld &world, QString &error);

} // namespace simstorage
