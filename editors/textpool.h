// The text pool of a fixed-layout image: each text parameter owns a 16-bit reference word that
// holds the distance between the word and its NUL-terminated UTF-8 text inside the pool.
#pragma once
#include <QByteArray>
#include <QCoreApplication>
#include <QVector>
#include <memory>
#include <utility>
#include <vector>

class QLineEdit;

// One text parameter: its reference word in the image and the line edit showing it. A record
// without a line edit (its editor not built, or gone) keeps the text its word points at.
struct TextRecord
{
    quint8 *word = nullptr;
    QLineEdit *edit = nullptr;  // none until the record is first loaded or stored
};

class TextPool
{
    Q_DECLARE_TR_FUNCTIONS(TextPool)
public:
    enum class Direction { Down, Up };

    // Texts lie below their words: text address = word address - reference.
    // The pool covers image bytes base to base + size - 1.
    void setDownward(quint8 *image, int base, int size);
    // Texts lie above their words: text address = word address + reference.
    // The pool covers image bytes base to end.
    void setUpward(quint8 *image, int base, int end);
    // The same from a first byte and a size in either direction.
    void setGeometry(quint8 *image, int base, int size, Direction direction);

    quint8 *image() const { return m_image; }
    int base() const { return m_base; }
    int size() const { return m_size; }
    Direction direction() const { return m_dir; }
    const QVector<TextRecord *> &records() const { return m_records; }

    // Records are kept in registration order, which is the order texts are packed in.
    void add(TextRecord *record);
    void remove(TextRecord *record);
    // The page's texts, one record per reference word in page order, kept by the pool itself
    // (replacing those of the page before), so that every text of the page is packed whether
    // its editor has been built or not. Returns the new records in the order of words.
    QVector<TextRecord *> setPageTexts(const QVector<quint8 *> &words);
    // The first record registered for a reference word, or null.
    TextRecord *recordOf(const quint8 *word) const;
    // Lets go of a line edit about to go away: its records keep the texts their words point at.
    void detach(const QLineEdit *edit);

    // The text a reference word points at; empty for 0, 0xffff or a text outside the pool.
    QString text(const quint8 *word) const;
    // Attaches edit to record and shows the record's text in it.
    void load(TextRecord *record, QLineEdit *edit);
    // Attaches edit to record and repacks the whole pool from the line edits of all records.
    // Unless a page is being built, sends the used part of the pool and then every reference
    // word that changed.
    void store(TextRecord *record, QLineEdit *edit);
    // Repacks the pool with each of these records holding the text given. Sends as store() does.
    void store(const QVector<std::pair<TextRecord *, QString>> &texts);

    // Bytes in use after the last store.
    int used() const { return m_used; }

    // A run of image bytes the last store changed (runs a few equal bytes apart are one).
    struct Change
    {
        int address;
        QByteArray before;
        QByteArray after;
    };
    // What the last store sent changed: the packed texts and every reference word that moved
    // (nothing for a store while a page is built).
    const QVector<Change> &lastChanges() const { return m_changes; }

    // The pool every text editor of the current page uses.
    static TextPool &global();

private:
    void repack(const QVector<std::pair<TextRecord *, QString>> &texts = {});
    int addressOf(const quint8 *p) const { return int(p - m_image); }
    // Appends the runs of bytes from..to-1 that differ from before (which starts at from).
    void noteChanges(int from, int to, const QByteArray &before);

    quint8 *m_image = nullptr;
    int m_base = 0;
    int m_size = 0;
    int m_used = 0;
    Direction m_dir = Direction::Down;
    QVector<TextRecord *> m_records;
    QVector<Change> m_changes;
    std::vector<std::unique_ptr<TextRecord>> m_page;
};
