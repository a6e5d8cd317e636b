// The Controller 3.0 model: its identity and layout; the page comes from its table.
#include "devices/devmarvek3_0.h"
#include "devices/marvek3_0_table.h"

static const FixedLayout marvek3_0LayoutData = {
    QT_TRANSLATE_NOOP("DevMarvek3_0", "Marvek Totalizer"),
    0x0304, 0x0100, 0x0201,   // identity words
    8180, 0x7FFF, true,       // layout word, version bits, bit 15 the FM flag
    0, 6988, false,           // text pool from the image start, distances downward
    7172,                     // "Relay signal invert"
    "help_cnt30_bg", "help_cnt30_bg",
    marvek3_0Table, BitLists::sixRelays,
};

const FixedLayout &marvek3_0Layout() { return marvek3_0LayoutData; }

DevMarvek3_0::DevMarvek3_0(QObject *parent) : FixedLayoutModel(marvek3_0LayoutData, parent) {}

bool DevMarvek3_0::accepts(quint16 w0, quint16 w1, quint16 w2) const
{
    if (w0 < 0x300 || w0 > 0x304 || w1 != word1 || w2 < 0x00C9 || w2 > 0x0202)
        return false;
    word0 = w0;
    return true;
}
