#include "editors/textpool.h"
#include "base/host.h"
#include "base/prompt.h"
#include "base/configwatch.h"
#include "base/parmodel.h"
#include "link/devio.h"
#include <QLineEdit>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {

quint16 readWord(const quint8 *p) { return qFromLittleEndian<quint16>(p); }
void writeWord(quint8 *p, quint16 v) { qToLittleEndian<quint16>(v, p); }

} // namespace

void TextPool::setDownward(quint8 *image, int base, int size)
{
    m_image = image;
    m_base = base;
    m_size = qMax(0, size);
    m_dir = Direction::Down;
    m_used = 0;
}

void TextPool::setUpward(quint8 *image, int base, int end)
{
    m_image = image;
    m_base = base;
    m_size = qMax(0, end - base + 1);
    m_dir = Direction::Up;
    m_used = 0;
}

void TextPool::setGeometry(quint8 *image, int base, int size, Direction direction)
{
    if (direction == Direction::Up)
        setUpward(image, base, base + size - 1);
    else
        setDownward(image, base, size);
}

void TextPool::add(TextRecord *record)
{
    if (record && !m_records.contains(record))
        m_records.append(record);
}

void TextPool::remove(TextRecord *record) { m_records.removeAll(record); }

QVector<TextRecord *> TextPool::setPageTexts(const QVector<quint8 *> &words)
{
    for (const auto &record : m_page)
        m_records.removeAll(record.get());
    m_page.clear();
    m_page.reserve(size_t(words.size()));
    QVector<TextRecord *> added;
    for (quint8 *word : words) {
        m_page.push_back(std::make_unique<TextRecord>());
        m_page.back()->word = word;
        added.append(m_page.back().get());
    }
    m_records += added;
    return added;
}

TextRecord *TextPool::recordOf(const quint8 *word) const
{
    for (TextRecord *record : m_records)
        if (record->word == word)
            return record;
    return nullptr;
}

void TextPool::detach(const QLineEdit *edit)
{
    for (TextRecord *record : qAsConst(m_records))
        if (record->edit == edit)
            record->edit = nullptr;
}

QString TextPool::text(const quint8 *word) const
{
    if (!m_image || !word)
        return QString();
    const quint16 ref = readWord(word);
    if (ref == 0 || ref == 0xffff)
        return QString();
    // Distances are 16-bit: a word may lie on either side of the pool.
    const int at = quint16(m_dir == Direction::Down ? addressOf(word) - ref : addressOf(word) + ref);
    // A reference from a damaged image may point anywhere: read only inside the pool.
    const int end = m_base + m_size;
    if (at < m_base || at >= end)
        return QString();
    const char *start = reinterpret_cast<const char *>(m_image + at);
    const void *nul = std::memchr(start, 0, size_t(end - at));
    const int length = nul ? int(static_cast<const char *>(nul) - start) : end - at;
    return QString::fromUtf8(start, length);
}

void TextPool::load(TextRecord *record, QLineEdit *edit)
{
    record->edit = edit;
    if (edit)
        edit->setText(text(record->word));
}

void TextPool::store(TextRecord *record, QLineEdit *edit)
{
    record->edit = edit;
    repack();
}

void TextPool::store(const QVector<std::pair<TextRecord *, QString>> &texts) { repack(texts); }

void TextPool::repack(const QVector<std::pair<TextRecord *, QString>> &texts)
{
    if (!m_image)
        return;
    // Every text is taken before any is moved: a record without a line edit reads its text
    // from the pool, which the packing overwrites.
    QVector<QString> strings;
    strings.reserve(m_records.size());
    for (TextRecord *rec : qAsConst(m_records)) {
        const auto given = std::find_if(texts.begin(), texts.end(), [rec](const auto &t) { return t.first == rec; });
        strings.append(given != texts.end() ? given->second : rec->edit ? rec->edit->text() : text(rec->word));
    }
    int cursor = m_base;
    int free = m_size;
    QVector<int> changed;
    const QByteArray poolBefore(reinterpret_cast<const char *>(m_image + m_base), qMax(0, m_size));
    QVector<QByteArray> wordsBefore;
    for (int i = 0; i < m_records.size(); ++i) {
        TextRecord *rec = m_records.at(i);
        const quint16 old = readWord(rec->word);
        quint16 ref = 0;
        const QString &str = strings.at(i);
        if (!str.isEmpty()) {
            const QByteArray bytes = str.toUtf8();
            const int n = bytes.size() + 1;
            if (free < n) {
                prompt()->message(Prompt::Icon::Critical, tr("No space"), tr("Text buffer overflow"));
            } else {
                std::memcpy(m_image + cursor, bytes.constData(), size_t(bytes.size()));
                m_image[cursor + n - 1] = 0;
                const int word = addressOf(rec->word);
                ref = quint16(m_dir == Direction::Down ? word - cursor : cursor - word);
                cursor += n;
                free -= n;
            }
        }
        if (ref != old) {
            wordsBefore.append(QByteArray(reinterpret_cast<const char *>(rec->word), 2));
            writeWord(rec->word, ref);
            changed.append(addressOf(rec->word));
        }
    }
    m_used = m_size - free;
    m_changes.clear();
    if (ParModel::pageBuilding() != 0)
        return;
    noteChanges(m_base, m_base + m_size, poolBefore);
    for (int i = 0; i < changed.size(); ++i) {
        const int word = changed.at(i);
        if (word < m_base || word >= m_base + m_size)
            noteChanges(word, word + 2, wordsBefore.at(i));
    }
    ConfigWatch::touch();
    // Asked first: a link that gives the board up on a failure disconnects before it returns.
    const bool online = host()->boardConnected();
    host()->updateTexts(m_used);
    if (changed.isEmpty())
        return;
    // The references that moved are written like any value: a failure is counted and told.
    DevIo *link = currentLink();
    for (int address : qAsConst(changed)) {
        if (!link || !link->writeCfg(m_image + address, quint16(address), 2)) {
            // The rest would only repeat the failure on a board that is not answering.
            if (online)
                host()->changeFailed(quint32(address));
            return;
        }
    }
}

void TextPool::noteChanges(int from, int to, const QByteArray &before)
{
    const auto *now = reinterpret_cast<const char *>(m_image);
    int i = from;
    while (i < to) {
        if (now[i] == before.at(i - from)) {
            ++i;
            continue;
        }
        int end = i + 1;
        // Runs a few equal bytes apart are sent as one.
        for (int j = end; j < to && j < end + 8; ++j)
            if (now[j] != before.at(j - from))
                end = j + 1;
        m_changes.append({i, before.mid(i - from, end - i), QByteArray(now + i, end - i)});
        i = end;
    }
}

TextPool &TextPool::global()
{
    static TextPool pool;
    return pool;
}
