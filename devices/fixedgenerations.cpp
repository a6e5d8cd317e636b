#include "devices/fixedgenerations.h"
#include "devices/marvek1_1_table.h"
#include "devices/marvek2_0_table.h"
#include "devices/marvek3_0_table.h"
#include "devices/marvekrobo1_0_table.h"
#include "devices/tokmat1_0_table.h"
#include <QCoreApplication>

namespace FixedGenerations {

const QVector<FixedGeneration> &all()
{
    static const QVector<FixedGeneration> generations = {
        {&marvek1_1Layout(), 0x0103, 0x0100, 0x0202, "1.1"},     // start credit, signed delays
        {&marvek2_0Layout(), 0x0242, 0x0100, 0x9202, "2.0"},     // extended, inverter 1, newer firmware
        {&marvek3_0Layout(), 0x0304, 0x0100, 0x0201, "3.0"},     // costs, alternative currency
        {&tokmat1_0Layout(), 0x0300, 0x0100, 0x0300, "tokmat"},  // floats, newer banknote options
        {&marvekRobo1_0Layout(), 0x0100, 0x0100, 0x0400, "robo"},
    };
    return generations;
}

QString title(const FixedLayout &layout)
{
    // Titles are translated in the context of their model class, which is the table's.
    return QCoreApplication::translate(layout.table ? layout.table().context : "", layout.title);
}

} // namespace FixedGenerations
