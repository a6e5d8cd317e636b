#include "app/editundo.h"
#include "devices/devcom2.h"
#include "devices/fixedlayoutmodel.h"
#include "editors/textpool.h"
#include <QDateTime>
#include <QTimer>
#include <QUndoCommand>

namespace {

// One step: passive data, the recorder does the sending (a failed write must not move it).
class ValueStep : public QUndoCommand
{
public:
    ValueStep(quint32 key, QVector<EditUndo::Range> ranges, const QString &text)
        : m_key(key), m_ranges(std::move(ranges)), m_time(QDateTime::currentMSecsSinceEpoch())
    {
        setText(text);
    }

    int id() const override { return m_key == EditUndo::TextsKey ? -1 : 1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        auto *next = static_cast<const ValueStep *>(other);
        if (next->m_ranges.size() != 1 || next->m_time - m_time > EditUndo::MergeMs)
            return false;
        const EditUndo::Range &r = next->m_ranges.first();
        for (EditUndo::Range &mine : m_ranges) {
            if (mine.key == r.key && mine.after.size() == r.after.size() && keysAre(r.key)) {
                mine.after = r.after;
                m_time = next->m_time;
                return true;
            }
        }
        return false;
    }
    // Adds the bytes of a change made in the same turn; a value met again keeps its first before.
    void add(const EditUndo::Range &r)
    {
        for (EditUndo::Range &mine : m_ranges) {
            if (mine.key == r.key && mine.after.size() == r.after.size()) {
                mine.after = r.after;
                return;
            }
        }
        m_ranges.append(r);
    }
    void undo() override {}
    void redo() override {}

    const QVector<EditUndo::Range> &ranges() const { return m_ranges; }

private:
    // Only a step of that one value is merged with a later change of it.
    bool keysAre(quint32 key) const
    {
        for (const EditUndo::Range &mine : m_ranges)
            if (mine.key != key)
                return false;
        return true;
    }

    quint32 m_key;
    QVector<EditUndo::Range> m_ranges;
    qint64 m_time;
};

} // namespace

EditUndo::EditUndo(QObject *parent) : QObject(parent), m_stack(this) {}

DeviceCfg *EditUndo::model() const
{
    DeviceCfg *current = DeviceCfg::current();
    return qobject_cast<FixedLayoutModel *>(current) || qobject_cast<DevCom2 *>(current) ? current : nullptr;
}

FixedLayoutModel *EditUndo::fixed() const { return qobject_cast<FixedLayoutModel *>(m_model); }

void EditUndo::restart()
{
    m_stack.clear();
    m_model = model();
}

void EditUndo::recordChange(quint32 key, const QByteArray &before, const QByteArray &after)
{
    // On a described board's page the bytes are the parameter's whole record, whose size may
    // change with a text.
    if (m_model && m_model == model() && !before.isEmpty() && !after.isEmpty() && before != after)
        push(key, {Range{key, before, after}});
}

void EditUndo::recordTexts()
{
    FixedLayoutModel *f = fixed();
    if (!f || m_model != model())
        return;
    // The pool and the reference words of the texts: nothing else of the image belongs to the
    // step (a relay test or a flag written meanwhile must never come back with a text).
    const TextPool &pool = TextPool::global();
    if (pool.image() != f->image())
        return;
    QVector<Range> ranges;
    for (const TextPool::Change &c : pool.lastChanges())
        ranges.append({quint32(c.address), c.before, c.after});
    if (!ranges.isEmpty())
        push(TextsKey, ranges);
}

void EditUndo::push(quint32 key, const QVector<Range> &ranges)
{
    if (m_batchOpen && m_stack.index() > 0 && m_stack.index() == m_stack.count()) {
        auto *top = const_cast<ValueStep *>(static_cast<const ValueStep *>(m_stack.command(m_stack.index() - 1)));
        for (const Range &r : ranges)
            top->add(r);
        return;
    }
    const QString text = key == TextsKey ? tr("texts") : m_model->parName(key);
    m_stack.push(new ValueStep(key, ranges, text));
    m_batchOpen = true;
    QTimer::singleShot(0, this, [this] { m_batchOpen = false; });
}

bool EditUndo::undo()
{
    if (!m_stack.canUndo() || !apply(true))
        return false;
    m_stack.undo();
    return true;
}

bool EditUndo::redo()
{
    if (!m_stack.canRedo() || !apply(false))
        return false;
    m_stack.redo();
    return true;
}

void EditUndo::put(const Range &r, bool before)
{
    m_model->store(r.key, before ? r.before : r.after);
}

bool EditUndo::apply(bool undo)
{
    if (!m_model || m_model != model())
        return false;
    m_batchOpen = false;
    const int at = undo ? m_stack.index() - 1 : m_stack.index();
    const auto *step = static_cast<const ValueStep *>(m_stack.command(at));
    if (!step)
        return false;
    // A copy: nothing that happens while the board is written may pull the step away under us.
    const QVector<Range> ranges = step->ranges();
    for (const Range &r : ranges)
        put(r, undo);
    bool written = true;
    if (online && online()) {
        for (const Range &r : ranges) {
            // The rest would only repeat the failure on a board that is not answering.
            if (!m_model->changed(r.key, r.before.size())) {
                written = false;
                break;
            }
        }
    }
    if (!written) {
        // The board keeps what it had: so does the page, and the step stays to be tried again.
        for (const Range &r : ranges)
            put(r, !undo);
    }
    if (refreshEditors)
        refreshEditors();
    return written;
}
