// Growth, move and views of CtString.
#include "registry/ctstring.h"
#include <cstdlib>
#include <cstring>
#include <utility>

CtString::~CtString() { std::free(m_data); }

CtString::CtString(CtString &&other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)),
      m_capacity(std::exchange(other.m_capacity, quint16(0))),
      m_length(std::exchange(other.m_length, quint16(0)))
{
}

CtString &CtString::operator=(CtString &&other) noexcept
{
    if (this != &other) {
        std::free(m_data);
        m_data = std::exchange(other.m_data, nullptr);
        m_capacity = std::exchange(other.m_capacity, quint16(0));
        m_length = std::exchange(other.m_length, quint16(0));
    }
    return *this;
}

const char *CtString::cstr()
{
    if (m_capacity == 0)
        return "";
    m_data[qMin<int>(m_length, m_capacity - 1)] = 0;
    return reinterpret_cast<const char *>(m_data);
}

bool CtString::reserve(int n)
{
    if (n < 0 || n > MaxLength - m_length)
        return false;
    const int need = m_length + n + 1;
    if (need <= m_capacity)
        return true;
    auto *grown = static_cast<quint8 *>(std::malloc(size_t(need)));
    if (!grown)
        return false;
    if (m_length)
        std::memcpy(grown, m_data, m_length);
    std::free(m_data);
    m_data = grown;
    m_capacity = quint16(need);
    return true;
}

bool CtString::append(const void *bytes, int n)
{
    if (n == 0)
        return true;
    if (!reserve(n))
        return false;
    std::memcpy(m_data + m_length, bytes, size_t(n));
    m_length = quint16(m_length + n);
    return true;
}

bool CtString::setText(const QByteArray &utf8)
{
    if (utf8.size() > MaxLength)
        return false;
    clear();
    return append(utf8.constData(), utf8.size());
}

QByteArray CtString::toByteArray() const
{
    return m_length ? QByteArray(reinterpret_cast<const char *>(m_data), m_length) : QByteArray();
}
