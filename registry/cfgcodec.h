// Wire form of the element types the value kinds are made of: little-endian words,
// strings and view lines. A read either fills its target or fails (error flag set).
#pragma once
#include "registry/cfgstream.h"
#include "registry/ctstring.h"
#include <utility>

namespace CfgCodec {

inline void put(CfgStream &s, quint16 v) { s.writeU16(v); }
inline void put(CfgStream &s, quint32 v) { s.writeU32(v); }
inline void put(CfgStream &s, const CtString &v) { s.writeString(v); }
inline void put(CfgStream &s, const CtViewText &v) { s.writeViewText(v); }

inline bool get(CfgStream &s, quint16 &v) { return s.readU16(v); }
inline bool get(CfgStream &s, quint32 &v) { return s.readU32(v); }
inline bool get(CfgStream &s, CtString &v) { return s.readString(v); }
inline bool get(CfgStream &s, CtViewText &v) { return s.readViewText(v); }

// Consumes n elements of type T and keeps nothing.
template <typename T>
bool skip(CfgStream &s, int n)
{
    for (int i = 0; i < n; ++i) {
        T scratch{};
        if (!get(s, scratch))
            return false;
    }
    return true;
}

// Reads n elements into fresh storage and moves them into dst only when all arrived.
template <typename T, int N>
bool getAll(CfgStream &s, T (&dst)[N])
{
    T fresh[N]{};
    for (T &e : fresh)
        if (!get(s, e))
            return false;
    for (int i = 0; i < N; ++i)
        dst[i] = std::move(fresh[i]);
    return true;
}

} // namespace CfgCodec
