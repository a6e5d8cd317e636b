// The Tokmat model: its identity and its own layout; the page comes from its table.
#include "devices/devtokmat1_0.h"
#include "devices/tokmat1_0_table.h"
#include <algorithm>
#include <iterator>

DevTokmat1_0::DevTokmat1_0(QObject *parent) : FixedLayoutModel(tokmat1_0Layout(), parent) {}

bool DevTokmat1_0::accepts(quint16 w0, quint16 w1, quint16 w2) const
{
    static const quint16 hardware[] = {0x100, 0x101, 0x102, 0x200, 0x201, 0x300};
    if (w1 != word1 || w2 != word2 || std::find(std::begin(hardware), std::end(hardware), w0) == std::end(hardware))
        return false;
    word0 = w0;
    return true;
}
