// A fixed-layout model's configuration compared with another image of the same model (a
// snapshot, a dump file), and chosen differences put back through the model's change path.
#pragma once
#include "devices/imagediff.h"
#include <QByteArray>

class DeviceCfg;
class FixedLayoutModel;
class Progress;

namespace ModelDiff {

// The model as a fixed-layout model with a parameter table, else null: only those compare.
FixedLayoutModel *comparable(DeviceCfg *model);
// The decoded differences between the model's image (a) and other (b), in page order.
QList<ParamDifference> compare(FixedLayoutModel *model, const QByteArray &other);
// True when the difference can be put back on its own: text references point into the text
// pool, which only a whole restore brings back.
bool restorable(const ParamDifference &d);
// Copies the values of the chosen differences from other into the model, each sent to the
// board as an editor's change would be. False when a write failed on the way.
bool apply(FixedLayoutModel *model, const QByteArray &other, const QList<ParamDifference> &chosen,
           Progress *progress);

} // namespace ModelDiff
