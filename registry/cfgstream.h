// The record stream of parameter images: UID + payload records, written and read in chunks
// of any size; a record split across chunks travels in the carry buffer.
#pragma once
#include <QtGlobal>

class CfgPar;
class CtString;
struct CtViewText;

class CfgStream
{
public:
    enum Flag : quint32 {
        Error = 0x01,    // a read ran past the input, a carry allocation failed, or a corrupt record
        Single = 0x02,   // write one parameter only
        Describe = 0x04, // describe mode: reading creates parameters; payloads carry limits
        HwFilter = 0x10, // writing: only hardware settings; reading: consume them, keep nothing
        CheckOnly = 0x80, // reading: consume every record by its type, apply nothing
    };

    explicit CfgStream(quint32 flags = 0) : m_flags(flags) {}
    ~CfgStream();
    CfgStream(const CfgStream &) = delete;
    CfgStream &operator=(const CfgStream &) = delete;

    quint32 flags() const { return m_flags; }
    void setFlags(quint32 flags) { m_flags = flags; }
    void addFlags(quint32 flags) { m_flags |= flags; }
    bool failed() const { return m_flags & Error; }
    void setError() { m_flags |= Error; }

    // Writing. With the low 30 bits of uid clear the whole list of bits 31-30 is written;
    // otherwise only that parameter (single flag), and nothing when it is not in its list.
    void startList(quint32 uid);
    void startOne(quint32 uid);
    // Fills dst with at most cap bytes and returns their number; complete() then tells how
    // many of them end on a record boundary. Call again while hasMore().
    int writeChunk(quint8 *dst, int cap);
    int complete() const { return m_complete; }
    CfgPar *current() const { return m_current; }
    bool hasMore() const { return m_current || carried() > 0; }

    // Reading: parses records from data (after any carried bytes) while fewer than limit
    // bytes of data are consumed, and carries the rest. True when the error flag is clear.
    bool readChunk(const quint8 *data, int len, int limit);

    // Records begun by reads of this stream (their UID read), for a reader that bounds them.
    int records() const { return m_records; }

    // Carried bytes not yet consumed; dropping them starts the next transfer afresh.
    int carried() const { return m_carryLen - m_carryPos; }
    void resetCarry();

    // Byte level, used by the value kinds. A read either delivers all n bytes or sets the
    // error flag and returns false; once the flag is set every read fails.
    void write(const void *src, int n);
    bool read(void *dst, int n);

    void writeU16(quint16 v);
    void writeU32(quint32 v);
    bool readU16(quint16 &v);
    bool readU32(quint32 &v);
    // Strings: u16 byte count, then the bytes. A count no string can hold (65535) is a
    // corrupt record. A failed read leaves the string as it was.
    void writeString(const CtString &str);
    bool readString(CtString &str);
    bool skipString();
    void writeViewText(const CtViewText &line);
    bool readViewText(CtViewText &line);
    bool skipViewText();

private:
    void start(quint32 uid);
    bool carryAppend(const quint8 *src, int n);
    void readRecord();

    CfgPar *m_current = nullptr;
    quint8 *m_buffer = nullptr;      // the chunk being filled (writing)
    const quint8 *m_in = nullptr;    // the chunk being parsed (reading)
    qint32 m_pos = 0;
    qint32 m_size = 0;
    qint32 m_complete = 0;
    quint8 *m_carry = nullptr;
    qint32 m_carryPos = 0;
    qint32 m_carryLen = 0;
    qint32 m_carryCap = 0;
    quint32 m_flags = 0;
    int m_records = 0;
};
