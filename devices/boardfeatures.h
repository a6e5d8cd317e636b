// What the connected board's identity words say about its hardware, and the bit lists of the
// mask editors that follow from it.
#pragma once
#include <QStringList>
#include <QVector>

struct BoardFeatures
{
    quint16 word0 = 0; // hardware version
    quint16 word2 = 0; // firmware version in bits 0-11, feature bits 12-15

    // An extended board has bit 6 of the hardware version set (as 0x242 has).
    bool extended() const { return word0 & 0x40; }
    // The whole word, feature bits included, compared unsigned.
    bool firmwareBelow202() const { return word2 < 0x202; }
    bool inverter1() const { return word2 & 0x8000; }
    bool inverter2() const { return word2 & 0x4000; }
    bool extraBoards() const { return word2 & 0x2000; }
    // Relays of the board itself and of its extra boards.
    int relayCount() const { return (word2 & 0x3000) ? 16 : 8; }
    int extraRelayCount() const { return (word2 & 0x3000) == 0x3000 ? 16 : 8; }
};

// Masks and button texts of one mask editor; empty names leave the editor's own numbering.
struct BitList
{
    QVector<quint16> masks;
    QStringList names;
};

struct BitLists
{
    BitList single16;    // 1 << i, i = 0..15
    BitList buttons;     // 0x0100 .. 0x2000
    BitList relays;
    BitList extraRelays; // relays of the extra boards, numbered from 17
    BitList coinInputs;  // the parallel coin validator inputs

    // The lists of a Controller 2.0 board.
    static BitLists controller2_0(const BoardFeatures &board);
    // The lists of the 1.1 and 3.0 boards: six coin inputs, six buttons, always six relays.
    static BitLists sixRelays(const BoardFeatures &board);
};
