// A model's configuration compared with another of the same model (a snapshot, a dump file,
// the model's factory defaults), and chosen differences put back through the model's change
// path. Fixed-layout models compare their images; the dynamic device its dump's records.
#pragma once
#include "devices/imagediff.h"
#include <QByteArray>

class DeviceCfg;
class Progress;

namespace ModelDiff {

// The model when its configuration compares: a fixed-layout model with a parameter table, or
// the dynamic device; else null.
DeviceCfg *comparable(DeviceCfg *model);
// The model's configuration as its dump file holds it.
QByteArray current(DeviceCfg *model);
// True when bytes are a dump of the model.
bool isDump(DeviceCfg *model, const QByteArray &bytes);
// The model's factory defaults as a dump for the board it stands for now; empty for a model
// without them (the dynamic device: its board's description carries none).
QByteArray factory(DeviceCfg *model);
// True when the model has factory defaults (without computing them).
bool hasFactory(DeviceCfg *model);

// The decoded differences between the model's configuration (a) and other (b), in page order.
QList<ParamDifference> compare(DeviceCfg *model, const QByteArray &other);
// The values written to a board (a dump of the model) that a read-back of it does not hold,
// decoded for the board, in page order; what a described board holds beyond what was written
// is its own and left out.
QList<ParamDifference> unheld(DeviceCfg *model, const QByteArray &written, const QByteArray &back,
                              const BoardFeatures &board);
// The values of the model's page that differ from its factory defaults (b), in page order:
// only values with an editor on the page built last, decoded for the model's board.
QList<ParamDifference> compareWithFactory(DeviceCfg *model);
// True when the difference can be put back on its own: text references point into the text
// pool, which only a whole restore brings back.
bool restorable(const ParamDifference &d);
// Copies the values of the chosen differences from other into the model, each sent to the
// board as an editor's change would be. False when a write failed on the way.
bool apply(DeviceCfg *model, const QByteArray &other, const QList<ParamDifference> &chosen,
           Progress *progress);
// The bytes of one restorable difference of a fixed-layout model as other (a whole image)
// has them; empty for any other difference.
QByteArray fixedBytes(DeviceCfg *model, const QByteArray &other, const ParamDifference &d);

} // namespace ModelDiff
