// Base of every parameter editor: one widget that shows and edits one value, plus the small
// helpers all editors share (the value by key through the model, title row, compact form).
#pragma once
#include <QVariant>
#include <QWidget>

class ParModel;
class QBoxLayout;
class QLabel;

class Par : public QWidget
{
    Q_OBJECT
public:
    // model: the model that holds the editor's value, read and written by key; null for an
    // editor of a described parameter, which changes the parameter itself.
    explicit Par(QWidget *parent = nullptr, ParModel *model = nullptr);

    ParModel *model() const { return m_model; }

    // Sets every widget of the editor from the bound value without changing the value.
    virtual void refresh() = 0;

    // Flag OR-ed into the key of a memory-bound value of the board's NV region.
    static constexpr quint32 NvFlag = 0x8000;
    // UID bit that marks a hardware setting: its editor is built but hidden.
    static constexpr quint32 HiddenUidBit = 0x800;

    // Image values are little-endian and may sit at odd addresses: always go through these.
    static quint16 load16(const void *p);
    static void store16(void *p, quint16 v);
    static qint16 load16s(const void *p) { return qint16(load16(p)); }

    // True when the parent asks its editors for the compact form (dynamic property "hideTitle").
    static bool compactParent(const QWidget *parent);

    // A title label named "label" with word wrap, appended to layout (when given).
    static QLabel *makeTitleLabel(QWidget *owner, QBoxLayout *layout = nullptr);
    // Fills a title label: the current model's title for key followed by the help link; the
    // link goes to the main window's help. Usable by any widget (dialogs too).
    static void fillTitle(QLabel *label, quint32 key);
    // Marks a title label as belonging to an NV-region value (property "nvmem" = 1).
    static void markNvmem(QLabel *label);

    // True while the editor's value is known not to be on the board (its write failed).
    bool unsent() const { return property("unsent").toBool(); }
    // Shows or clears the mark of a value that is not on the board.
    void setUnsent(bool unsent);
    // Puts bytes into the value named key and sends them as the editor's own change: false
    // when the board did not take them. A write that fails while a board is connected marks
    // the editor until a later change of it reaches the board.
    bool sendChange(quint32 key, const QByteArray &bytes);

protected:
    // Once the editor is polished (before it is first shown), its sliders, spin boxes and
    // drop-downs take the wheel only while focused and typed numbers once typing ends.
    bool event(QEvent *event) override;

    // The value named key as the model holds it: a little-endian word, a byte, or size bytes.
    quint16 word(quint32 key) const;
    quint8 byte(quint32 key) const;
    QByteArray bytes(quint32 key, int size) const;
    bool sendWord(quint32 key, quint16 v);
    bool sendByte(quint32 key, quint8 v) { return sendChange(key, QByteArray(1, char(v))); }

    // A described parameter's value record as the current model holds it: taken before the
    // editor changes the parameter in place, so that the change can be undone.
    static QByteArray record(quint32 uid);
    // Reports a change made in place to a described parameter through the current model,
    // unless a page is being built; marks the editor as sendChange does.
    bool notifyChange(quint32 uid, const QByteArray &before);

    // Parameter-bound editors: hides this editor when the UID carries the hardware bit.
    void hideForUid(quint32 uid);
    // Names the editor after its form (e.g. "ParU16") when its creator did not name it.
    void nameIfUnnamed(const char *name);

private:
    bool settle(bool taken, bool online, quint32 key);

    ParModel *m_model = nullptr;
};
