// The Tokmat model: its identity and its own layout; the page comes from its table.
#include "devices/devtokmat1_0.h"
#include "devices/tokmat1_0_table.h"
#include <algorithm>
#include <iterator>

static const FixedLayout tokmat1_0LayoutData = {
    QT_TRANSLATE_NOOP("DevTokmat1_0", "Tokmat"),
    0x0300, 0x0100, 0x0300,   // identity words
    8132, 0xFFFFFFFF, false,  // the whole 32-bit layout word is 1; no FM flag
    922, 8088 - 922, true,    // text pool 922-8087 above the parameters, texts above their words
    -1,                       // no relay mask: no relay test
    "help_tkm_bg", "help_tkm_bg",
    tokmat1_0Table, BitLists::sixRelays,
};

const FixedLayout &tokmat1_0Layout() { return tokmat1_0LayoutData; }

DevTokmat1_0::DevTokmat1_0(QObject *parent) : FixedLayoutModel(tokmat1_0LayoutData, parent) {}

bool DevTokmat1_0::accepts(quint16 w0, quint16 w1, quint16 w2) const
{
    static const quint16 hardware[] = {0x100, 0x101, 0x102, 0x200, 0x201, 0x300};
    if (w1 != word1 || w2 != word2 || std::find(std::begin(hardware), std::end(hardware), w0) == std::end(hardware))
        return false;
    word0 = w0;
    return true;
}
