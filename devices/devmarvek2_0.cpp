// The Controller 2.0 model: its identity and layout; the page comes from its table.
#include "devices/devmarvek2_0.h"
#include "devices/marvek2_0_table.h"

DevMarvek2_0::DevMarvek2_0(QObject *parent) : FixedLayoutModel(marvek2_0Layout(), parent) {}

bool DevMarvek2_0::accepts(quint16 w0, quint16 w1, quint16 w2) const
{
    const bool hardware = w0 == 0x200 || w0 == 0x201 || w0 == 0x242;
    const quint16 firmware = w2 & 0x0FFF;
    if (!hardware || w1 != word1 || (firmware != 0x201 && firmware != 0x202))
        return false;
    word0 = w0;
    word2 = w2;
    return true;
}
