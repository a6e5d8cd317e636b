// Undo and redo of the live edits of a page: every change sent to the board is kept as the
// bytes before and after it, on a QUndoStack; undo and redo send them again. On a fixed-layout
// page the bytes are the image's; on the page of a board that describes itself they are the
// parameter's value record (its UID, then its value), as the board is sent it.
#pragma once
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QUndoStack>
#include <QVector>
#include <functional>

class DeviceCfg;
class FixedLayoutModel;

class EditUndo : public QObject
{
    Q_OBJECT
public:
    // Changes to one value within this many milliseconds of the last are one step.
    static constexpr int MergeMs = 1500;
    // Key of a step that repacked the text pool.
    static constexpr quint32 TextsKey = 0xFFFFFFFFu;

    explicit EditUndo(QObject *parent = nullptr);
    // The stack's last signals would reach a window already half gone.
    ~EditUndo() override { m_stack.blockSignals(true); }

    QUndoStack *stack() { return &m_stack; }

    // Takes the current model's values as the start of every next step and drops every step
    // (a page rebuilt, a board read, connected or gone).
    void restart();
    // Takes the current model's values as they are now, keeping the steps (a dump loaded, a
    // compare applied: those are not steps of their own).
    void resync();
    // An editor changed size bytes at key and they were sent (or tried).
    void recordChange(quint32 key, int size);
    // The text pool was repacked: the texts and every reference word that moved.
    void recordTexts();

    // Sends the bytes before (undo) or after (redo) of the step and shows them. A write that
    // fails leaves the step where it was and the values as the board has them: false.
    bool undo();
    bool redo();

    // Shows the model's values in the editors (set by the window).
    std::function<void()> refreshEditors;
    // True while a board is connected: steps are sent to it.
    std::function<bool()> online;

    struct Range
    {
        quint32 key;
        QByteArray before;
        QByteArray after;
    };

private:
    bool apply(bool undo);
    void push(quint32 key, const QVector<Range> &ranges);
    // The current model when its edits can be undone, else null.
    DeviceCfg *model() const;
    FixedLayoutModel *fixed() const;
    QByteArray *shadowOf(quint32 key, int *offset);
    // Puts bytes of a range into the model.
    void put(const Range &r, bool before);

    QUndoStack m_stack;
    DeviceCfg *m_model = nullptr;
    QByteArray m_image;
    QByteArray m_nv;
    // The described parameters' value records as the board has them.
    QHash<quint32, QByteArray> m_records;
    // Every change of one turn of the event loop (one click, one key) goes into one step.
    bool m_batchOpen = false;
};
