// The few facts that tell one fixed-layout board generation from another: identity, title,
// where the layout block sits, the text pool, the relay mask and the help files.
#pragma once
#include <QtGlobal>

struct BitLists;
struct BoardFeatures;
namespace FixedTable { struct Table; }

struct FixedLayout
{
    // Shown on the start page and in tab titles; translated in the model class's context
    // (mark it with QT_TRANSLATE_NOOP).
    const char *title;
    // Identity words the model starts with.
    quint16 word0;
    quint16 word1;
    quint16 word2;
    // Byte address of the 32-bit layout word; the check word follows it, then a zero word.
    int layoutAddress;
    // Bits of the layout word that hold the layout version, which is always 1.
    quint32 layoutMask;
    // Bit 15 of the layout word is the board's "2 bytes address FM memory" flag: it is
    // offered through fmFlag()/setFmFlag() and a loaded file never changes it.
    bool fmFlag;
    // Text pool: first byte, size in bytes, and whether a text lies above its word (upward)
    // or below it (downward).
    int textBase;
    int textSize;
    bool textUpward;
    // Address of the "Relay signal invert" word the relay test drives; -1 when there is none.
    int relayMaskAddress;
    // Embedded help resource, and the file the help texts are saved to in the development
    // folder. The page loads the saved file when it exists, else the embedded one, so that a
    // technician's edits come back at the next start and no model reads another's texts.
    const char *helpFile;
    const char *helpSaveFile;
    // The parameter table of the page, and the bit lists of its mask editors on a board.
    const FixedTable::Table &(*table)();
    BitLists (*bitLists)(const BoardFeatures &board);
};
