// The Robo controller model: its identity and layout; the page comes from its table.
#include "devices/devmarvekrobo1_0.h"
#include "devices/marvekrobo1_0_table.h"

static const FixedLayout marvekRobo1_0LayoutData = {
    QT_TRANSLATE_NOOP("DevMarvekRobo1_0", "Marvek - Robo"),
    0x0100, 0x0100, 0x0400,   // identity words
    8180, 0xFFFFFFFF, false,  // the whole 32-bit layout word is 1; no FM flag
    0, 6864, false,           // text pool from the image start, distances downward
    7042,                     // "Relay signal invert"
    // Help edits go to a file of the model's own, read back at the next start.
    "help_robo_bg", "help_robo_bg",
    marvekRobo1_0Table, BitLists::sixRelays,
};

const FixedLayout &marvekRobo1_0Layout() { return marvekRobo1_0LayoutData; }

DevMarvekRobo1_0::DevMarvekRobo1_0(QObject *parent) : FixedLayoutModel(marvekRobo1_0LayoutData, parent) {}
