// The Controller 3.0 model: its identity and layout; the page comes from its table.
#include "devices/devmarvek3_0.h"
#include "devices/marvek3_0_table.h"

DevMarvek3_0::DevMarvek3_0(QObject *parent) : FixedLayoutModel(marvek3_0Layout(), parent) {}

bool DevMarvek3_0::accepts(quint16 w0, quint16 w1, quint16 w2) const
{
    if (w0 < 0x300 || w0 > 0x304 || w1 != word1 || w2 < 0x00C9 || w2 > 0x0202)
        return false;
    word0 = w0;
    return true;
}
