// Bit lists of the controller boards, from their hardware and firmware words.
#include "devices/boardfeatures.h"

static BitList numbered(int count, int firstNumber, bool named)
{
    BitList list;
    for (int i = 0; i < count; ++i) {
        list.masks.append(quint16(1u << i));
        if (named)
            list.names.append(QString::number(firstNumber + i));
    }
    return list;
}

BitLists BitLists::controller2_0(const BoardFeatures &board)
{
    BitLists lists;
    lists.single16 = numbered(16, 1, false);
    for (int i = 0; i < 6; ++i)
        lists.buttons.masks.append(quint16(0x0100u << i));
    if (board.extended()) {
        lists.relays = numbered(board.relayCount(), 1, false);
        lists.extraRelays = numbered(board.extraRelayCount(), 17, true);
    } else {
        lists.relays = numbered(6, 1, false);
    }
    // Parallel coin validator inputs "1" to "6"; older firmware knows four of them.
    static const struct { quint16 bit; const char *name; bool old; } inputs[] = {
        {0x40, "1", true}, {0x04, "2", false}, {0x01, "3", false},
        {0x02, "4", true}, {0x20, "5", true},  {0x10, "6", true},
    };
    for (const auto &in : inputs) {
        if (board.firmwareBelow202() && !in.old)
            continue;
        lists.coinInputs.masks.append(in.bit);
        lists.coinInputs.names.append(QLatin1String(in.name));
    }
    return lists;
}

BitLists BitLists::sixRelays(const BoardFeatures &)
{
    BitLists lists;
    lists.single16 = numbered(16, 1, false);
    for (int i = 0; i < 6; ++i)
        lists.buttons.masks.append(quint16(0x0100u << i));
    lists.relays = numbered(6, 1, false);
    static const quint16 inputs[] = {0x40, 0x04, 0x01, 0x02, 0x20, 0x10};
    for (int i = 0; i < 6; ++i) {
        lists.coinInputs.masks.append(inputs[i]);
        lists.coinInputs.names.append(QString::number(i + 1));
    }
    return lists;
}
