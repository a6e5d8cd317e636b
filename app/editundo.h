// Undo and redo of the live edits of a page: every change sent to the board is kept as the
// bytes before and after it, on a QUndoStack; undo and redo send them again. On a fixed-layout
// page the bytes are the value's, as the model hands them over with the change; on the page of
// a board that describes itself they are the parameter's value record (its UID, then its
// value), as the board is sent it.
#pragma once
#include <QByteArray>
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

    // Takes the current model and drops every step (a page rebuilt, a board read, connected
    // or gone).
    void restart();
    // An editor changed the value at key from before to after and it was sent (or tried);
    // a change without bytes before it is not one to undo.
    void recordChange(quint32 key, const QByteArray &before, const QByteArray &after);
    // The text pool was repacked: the texts and every reference word that moved, as the
    // pool tells them.
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
    // Puts bytes of a range into the model.
    void put(const Range &r, bool before);

    QUndoStack m_stack;
    DeviceCfg *m_model = nullptr;
    // Every change of one turn of the event loop (one click, one key) goes into one step.
    bool m_batchOpen = false;
};
