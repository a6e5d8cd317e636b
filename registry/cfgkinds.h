// The value kinds of parameters: class templates over element type, element count and type
// code, one instance per type code the factory knows (aliases at the end).
#pragma once
#include "registry/cfgcodec.h"
#include "registry/cfgpar.h"
#include <algorithm>
#include <iterator>
#include <limits>

// A number with a lower and an upper limit. After readValue or setValue the value lies in
// [min, max]; with reversed limits the upper one wins. readDesc stores the board's numbers as
// they come.
template <typename T, int Count, quint8 Code>
class CfgParN final : public CfgPar
{
    static_assert(Count == 1, "one number per parameter");

public:
    static constexpr quint8 typeCode = Code;

    T value() const { return m_value; }
    T min() const { return m_min; }
    T max() const { return m_max; }
    void setValue(T v) { m_value = clamp(v, m_min, m_max); }
    // New limits; the value is kept as it is until the next set.
    void setLimits(T lower, T upper)
    {
        m_min = lower;
        m_max = upper;
    }
    static T clamp(T v, T lower, T upper)
    {
        if (v > upper)
            return upper;
        if (v < lower)
            return lower;
        return v;
    }

    void writeDesc(CfgStream &s) const override
    {
        CfgCodec::put(s, m_min);
        CfgCodec::put(s, m_max);
        CfgCodec::put(s, m_value);
    }
    void readDesc(CfgStream &s) override
    {
        T lower{}, upper{}, v{};
        if (CfgCodec::get(s, lower) && CfgCodec::get(s, upper) && CfgCodec::get(s, v)) {
            m_min = lower;
            m_max = upper;
            m_value = v;
        }
    }
    void skipDesc(CfgStream &s) override { CfgCodec::skip<T>(s, 3); }
    void skipValue(CfgStream &s) override { CfgCodec::skip<T>(s, 1); }
    void writeValue(CfgStream &s) const override { CfgCodec::put(s, m_value); }
    void readValue(CfgStream &s) override
    {
        T v{};
        if (CfgCodec::get(s, v))
            setValue(v);
    }

private:
    T m_value{};
    T m_min{};
    T m_max = std::numeric_limits<T>::max();
};

// A bit mask (or a colour word); description and value are the same.
template <typename T, int Count, quint8 Code>
class CfgParM final : public CfgPar
{
    static_assert(Count == 1, "one mask per parameter");

public:
    static constexpr quint8 typeCode = Code;

    T value() const { return m_value; }
    void setValue(T v) { m_value = v; }
    void setBits(T mask) { m_value = T(m_value | mask); }
    void clearBits(T mask) { m_value = T(m_value & ~mask); }

    void writeDesc(CfgStream &s) const override { writeValue(s); }
    void readDesc(CfgStream &s) override { readValue(s); }
    void skipDesc(CfgStream &s) override { skipValue(s); }
    void skipValue(CfgStream &s) override { CfgCodec::skip<T>(s, 1); }
    void writeValue(CfgStream &s) const override { CfgCodec::put(s, m_value); }
    void readValue(CfgStream &s) override
    {
        T v{};
        if (CfgCodec::get(s, v))
            m_value = v;
    }

private:
    T m_value{};
};

// A byte string (UTF-8); description and value are the same.
template <typename T, int Count, quint8 Code>
class CfgParStr final : public CfgPar
{
    static_assert(Count == 1, "one string per parameter");

public:
    static constexpr quint8 typeCode = Code;

    T &value() { return m_value; }
    const T &value() const { return m_value; }

    void writeDesc(CfgStream &s) const override { writeValue(s); }
    void readDesc(CfgStream &s) override { readValue(s); }
    void skipDesc(CfgStream &s) override { skipValue(s); }
    void skipValue(CfgStream &s) override { CfgCodec::skip<T>(s, 1); }
    void writeValue(CfgStream &s) const override { CfgCodec::put(s, m_value); }
    void readValue(CfgStream &s) override { CfgCodec::get(s, m_value); }

private:
    T m_value;
};

// Count numbers sharing one pair of limits. The limits travel only in the description; values
// are kept as they come (no clamping).
template <typename T, int Count, quint8 Code>
class CfgParValArr final : public CfgPar
{
public:
    static constexpr quint8 typeCode = Code;
    static constexpr int count = Count;

    T min() const { return m_min; }
    T max() const { return m_max; }
    T at(int i) const
    {
        Q_ASSERT(i >= 0 && i < Count);
        return m_values[i];
    }
    void setAt(int i, T v)
    {
        Q_ASSERT(i >= 0 && i < Count);
        m_values[i] = v;
    }
    void setLimits(T lower, T upper)
    {
        m_min = lower;
        m_max = upper;
    }

    void writeDesc(CfgStream &s) const override
    {
        CfgCodec::put(s, m_min);
        CfgCodec::put(s, m_max);
        writeValue(s);
    }
    void readDesc(CfgStream &s) override
    {
        T lower{}, upper{};
        T values[Count]{};
        if (CfgCodec::get(s, lower) && CfgCodec::get(s, upper) && CfgCodec::getAll(s, values)) {
            m_min = lower;
            m_max = upper;
            std::copy(std::begin(values), std::end(values), std::begin(m_values));
        }
    }
    void skipDesc(CfgStream &s) override { CfgCodec::skip<T>(s, Count + 2); }
    void skipValue(CfgStream &s) override { CfgCodec::skip<T>(s, Count); }
    void writeValue(CfgStream &s) const override
    {
        for (const T &v : m_values)
            CfgCodec::put(s, v);
    }
    void readValue(CfgStream &s) override { CfgCodec::getAll(s, m_values); }

private:
    T m_min{};
    T m_max = std::numeric_limits<T>::max();
    T m_values[Count]{};
};

// Count elements without limits (words or view lines); description and value are the same.
template <typename T, int Count, quint8 Code>
class CfgParArr final : public CfgPar
{
public:
    static constexpr quint8 typeCode = Code;
    static constexpr int count = Count;

    T &at(int i)
    {
        Q_ASSERT(i >= 0 && i < Count);
        return m_values[i];
    }
    const T &at(int i) const
    {
        Q_ASSERT(i >= 0 && i < Count);
        return m_values[i];
    }

    void writeDesc(CfgStream &s) const override { writeValue(s); }
    void readDesc(CfgStream &s) override { readValue(s); }
    void skipDesc(CfgStream &s) override { skipValue(s); }
    void skipValue(CfgStream &s) override { CfgCodec::skip<T>(s, Count); }
    void writeValue(CfgStream &s) const override
    {
        for (const T &v : m_values)
            CfgCodec::put(s, v);
    }
    void readValue(CfgStream &s) override { CfgCodec::getAll(s, m_values); }

private:
    T m_values[Count]{};
};

// The eight kinds, one per type code.
using CfgParN16 = CfgParN<quint16, 1, Uid::TypeN16>;                // 0x02, editor ParU16
using CfgParM16 = CfgParM<quint16, 1, Uid::TypeM16>;                // 0x05, editor ParM16
using CfgParM32 = CfgParM<quint32, 1, Uid::TypeM32>;                // 0x06, editor ParM32
using CfgParString = CfgParStr<CtString, 1, Uid::TypeStr>;          // 0x07, editor ParStr
using CfgParValArr16 = CfgParValArr<quint16, 16, Uid::TypeValArr16>; // 0x08, editor ParU16A16
using CfgParArr3 = CfgParArr<quint16, 3, Uid::TypeArr3>;            // 0x09, editor ParBgr
using CfgParColour = CfgParM<quint16, 1, Uid::TypeColour>;          // 0x0A, editor ParCol
using CfgParViewText16 = CfgParArr<CtViewText, 16, Uid::TypeViewText16>; // 0x0B, ParViewText16
