// How well a fixed-layout image fits a model's parameter table: the values that lie outside
// their slider ranges or option lists. Dumps of every generation share one file format, so
// this is what tells a dump of another generation from one of this model.
#pragma once
#include "devices/fixedtable.h"
#include <QString>

struct ImageFit
{
    int checked = 0; // values with a range or an option list, erased ones left out
    int outside = 0; // of those, the values outside it
    // The first value outside: its address, its label, what it holds and what is allowed.
    quint32 address = 0;
    QString label;
    int value = 0;
    QString allowed;

    // Many values outside: the image belongs to another model or generation.
    bool foreign() const { return outside >= MinForeign && outside * 10 >= checked; }
    // "17 of 402 values lie outside their ranges, e.g. Coin default time at 7310 holds 900 (1-600)"
    QString describe() const;

    static constexpr int MinForeign = 8;
};

// image: the 8192 bytes of the configuration image.
ImageFit checkImageFit(const FixedTable::Table &table, const quint8 *image);

class DeviceCfg;
class QByteArray;

// Before a dump's bytes are loaded onto a connected board: true when they fit the model's
// table (or the model has none); otherwise the user is asked through the prompt whether to
// load them anyway.
bool acceptDumpFit(DeviceCfg *model, const QByteArray &bytes);
