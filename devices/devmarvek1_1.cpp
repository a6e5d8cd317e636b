// The Controller 1.1 model: its identity and layout; the page comes from its table.
#include "devices/devmarvek1_1.h"
#include "devices/marvek1_1_table.h"

DevMarvek1_1::DevMarvek1_1(QObject *parent) : FixedLayoutModel(marvek1_1Layout(), parent) {}

bool DevMarvek1_1::accepts(quint16 w0, quint16 w1, quint16 w2) const
{
    if (w0 < 0x101 || w0 > 0x103 || w1 != word1 || w2 < 0x200 || w2 > 0x202)
        return false;
    word0 = w0;
    return true;
}
