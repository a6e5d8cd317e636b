// The Controller 1.1 model: its identity and layout; the page comes from its table.
#include "devices/devmarvek1_1.h"
#include "devices/marvek1_1_table.h"

static const FixedLayout marvek1_1LayoutData = {
    QT_TRANSLATE_NOOP("DevMarvek1_1", "Marvek"),
    0xFFFF, 0x0100, 0xFFFF,   // identity words
    8180, 0x7FFF, true,       // layout word, version bits, bit 15 the FM flag
    834, 7196, true,          // text pool 834-8029, texts above their words
    170,                      // "Relay signal invert"
    "help_cnt11_bg", "help_bg",
    marvek1_1Table, BitLists::sixRelays,
};

const FixedLayout &marvek1_1Layout() { return marvek1_1LayoutData; }

DevMarvek1_1::DevMarvek1_1(QObject *parent) : FixedLayoutModel(marvek1_1LayoutData, parent) {}

bool DevMarvek1_1::accepts(quint16 w0, quint16 w1, quint16 w2) const
{
    if (w0 < 0x101 || w0 > 0x103 || w1 != word1 || w2 < 0x200 || w2 > 0x202)
        return false;
    word0 = w0;
    return true;
}
