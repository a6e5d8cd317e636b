// What a fixed-layout dump is. Every generation writes the same 8192-byte file, so what tells a
// dump of another generation from one of this model is its bytes: the layout block, where the
// texts lie, the values each row allows on the board, the option bits that exist and the words
// one layout leaves erased while another uses them.
#pragma once
#include "devices/boardfeatures.h"
#include <QString>

struct FixedLayout;
class DeviceCfg;
class FixedLayoutModel;
class QByteArray;

// How an image fits one layout on one board.
struct LayoutFit
{
    int checked = 0; // facts looked at: values with a range or known bits, text references, layout words
    int wrong = 0;   // of those, the facts the image contradicts
    int erased = 0;  // values left erased, which fit every layout and are not counted as facts
    // The first contradiction: where, what the layout calls it, what the image holds and what
    // the layout allows there.
    quint32 address = 0;
    QString label;
    QString held;
    QString allowed;

    double misfit() const { return checked ? double(wrong) / checked : 0.0; }
    // "212 of 402 values do not fit, e.g. Startup program at 7164 holds 3000 (1-16)"
    QString describe() const;
};

// image: 8192 bytes. Each value is judged against the row the board's page uses for it.
LayoutFit fitLayout(const FixedLayout &layout, const BoardFeatures &board, const quint8 *image);

// Which generation a dump belongs to, as far as the model is concerned.
struct DumpOrigin
{
    QString model;     // the title of the model it was judged for
    QString looksLike; // the generation it fits clearly better; empty for a dump of the model
    bool unknown = false; // most of it fits neither the model nor any other generation
    LayoutFit fit;     // how it fits the model

    bool foreign() const { return unknown || !looksLike.isEmpty(); }
    // The words the window's question and the companion's refusal share: "This file looks like a
    // configuration of Tokmat, not of Marvek ccTalk: ...".
    QString describe() const;
};

// The image against the model on its board and against every other generation on its newest
// board. A dump of the model is never called foreign for the odd values it may hold: only one
// that another generation clearly explains better, or one that mostly fits nothing (erased or
// overwritten throughout).
DumpOrigin judgeDump(const FixedLayoutModel &model, const quint8 *image);

// Before a dump's bytes are loaded into the model (onto a connected board, or offline): true
// when they are the model's (or cannot be judged); otherwise the user is asked through the
// prompt whether to load them anyway, with No as the answer Enter gives.
bool acceptDumpFit(DeviceCfg *model, const QByteArray &bytes);
