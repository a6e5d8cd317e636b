// Helpers the fuzz targets share: a hard failure for a broken invariant, a reader over the
// input bytes, the one Qt application object some targets need and a temporary folder.
#pragma once
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace Fuzz {

// Aborts so that libFuzzer (and the corpus replay) reports the input.
inline void check(bool ok)
{
    if (!ok)
        std::abort();
}

// Takes bytes from the front of the input; past its end every read gives zeros.
class Input
{
public:
    Input(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    size_t left() const { return m_size - m_pos; }
    quint8 byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    quint16 word()
    {
        const quint8 lo = byte();
        return quint16(lo | (byte() << 8));
    }
    // The next n bytes, fewer at the end of the input.
    QByteArray bytes(size_t n)
    {
        n = n < left() ? n : left();
        QByteArray b(reinterpret_cast<const char *>(m_data + m_pos), int(n));
        m_pos += n;
        return b;
    }
    QByteArray rest() { return bytes(left()); }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// Makes the process's application object once (offscreen, logging of the link and models
// off): a QApplication for the targets that build widgets, else a QCoreApplication.
void initApplication(bool widgets = false);

// A path named name in the process's one temporary folder, made at the first call.
QString scratchPath(const QString &name);

} // namespace Fuzz
