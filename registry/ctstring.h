// The byte string of string parameters and view lines: UTF-8 without terminator on the wire,
// held with one spare byte so that a zero-terminated view can always be handed out.
#pragma once
#include <QByteArray>
#include <QString>
#include <QtGlobal>

class CfgStream;

class CtString
{
public:
    // Longest text: the 16-bit capacity always exceeds the length by one.
    static constexpr int MaxLength = 65534;

    CtString() = default;
    ~CtString();
    CtString(const CtString &) = delete;
    CtString &operator=(const CtString &) = delete;
    CtString(CtString &&other) noexcept;
    CtString &operator=(CtString &&other) noexcept;

    quint16 length() const { return m_length; }
    quint16 capacity() const { return m_capacity; }
    bool isEmpty() const { return m_length == 0; }
    // The used bytes; null while nothing was ever stored.
    const quint8 *data() const { return m_data; }
    quint8 *data() { return m_data; }
    // Zero-terminated view (a zero is written after the text); "" when nothing is held.
    const char *cstr();

    void clear() { m_length = 0; }
    // Makes room for n more bytes beyond the length (plus the terminator). False when
    // the result could not be held (over MaxLength) or memory ran out; nothing changes then.
    bool reserve(int n);
    // Appends n bytes; false (and nothing appended) when they do not fit.
    bool append(const void *bytes, int n);
    // Replaces the text: clear, then append. False when the text is too long.
    bool setText(const QByteArray &utf8);
    bool setText(const QString &text) { return setText(text.toUtf8()); }
    QByteArray toByteArray() const;
    QString toString() const { return QString::fromUtf8(toByteArray()); }

private:
    friend class CfgStream; // reads a string straight into fresh storage
    quint8 *m_data = nullptr;
    quint16 m_capacity = 0;
    quint16 m_length = 0;
};

// One line of a board's display text.
struct CtViewText
{
    CtString text;
    quint16 colour = 0xFFFF;  // RGB565 word
    quint16 position = 0;     // vertical position
    quint16 flags = 50;       // bits 0-1 alignment, bits 4-6 font size code
};
