// Layout of the 32-bit parameter identifier (UID) of boards that describe their own
// configuration: registry list, value kind, the board's own numbering, hardware-setting mark.
#pragma once
#include <QtGlobal>

namespace Uid {

constexpr quint32 ListMask = 0xC0000000u;   // bits 31-30: registry list 0-3
constexpr int ListShift = 30;
constexpr quint32 TypeMask = 0x3F000000u;   // bits 29-24: value kind
constexpr int TypeShift = 24;
constexpr quint32 NumberMask = 0x00FFFFFFu; // bits 23-0: the board's numbering
constexpr quint32 HwSetting = 0x00000800u;  // the parameter is a hardware setting

// List prefixes: a UID with nothing but these bits names a whole list.
constexpr quint32 List0 = 0x00000000u; // not requested from boards
constexpr quint32 List1 = 0x40000000u; // the configuration proper
constexpr quint32 List2 = 0x80000000u; // values the clear operation resets
constexpr quint32 List3 = 0xC0000000u; // auxiliary tables editors look up
constexpr int ListCount = 4;

// Type codes of the eight value kinds.
enum TypeCode : quint8 {
    TypeN16 = 0x02,        // 16-bit number with limits
    TypeM16 = 0x05,        // 16-bit mask
    TypeM32 = 0x06,        // 32-bit mask
    TypeStr = 0x07,        // byte string (UTF-8)
    TypeValArr16 = 0x08,   // sixteen 16-bit numbers sharing one pair of limits
    TypeArr3 = 0x09,       // three 16-bit words (background mode and two colours)
    TypeColour = 0x0A,     // 16-bit RGB565 colour
    TypeViewText16 = 0x0B, // sixteen view-text lines
};

constexpr int list(quint32 uid) { return int(uid >> ListShift); }
constexpr quint8 typeCode(quint32 uid) { return quint8((uid & TypeMask) >> TypeShift); }
constexpr bool isHwSetting(quint32 uid) { return (uid & HwSetting) != 0; }
// True when the UID names a whole list rather than one parameter.
constexpr bool isListPrefix(quint32 uid) { return (uid & ~ListMask) == 0; }
constexpr quint32 make(int list, quint8 type, quint32 number)
{
    return (quint32(list) << ListShift) | (quint32(type) << TypeShift) | (number & NumberMask);
}

} // namespace Uid
