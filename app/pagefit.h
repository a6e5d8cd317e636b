// The page the window shows and what it was built for: whether a board that connects needs
// another page, and whether the values on it were changed since they were last read, loaded
// or saved (offline edits that a read from the board would replace).
#pragma once
#include <QByteArray>
#include <QPointer>
#include <QtGlobal>

class DeviceCfg;

class ShownPage
{
public:
    // A page was built for model as it stands (its identity words, its values).
    void built(DeviceCfg *model);
    // The values are in a file or on a board: nothing on the page is an offline edit.
    void kept();
    DeviceCfg *model() const;
    // True when the page serves the board model has just accepted: the same model, and the
    // board's identity words select the same editors, labels and bits as those it was built for.
    bool fits(DeviceCfg *model) const;
    // True when the values differ from those last kept.
    bool edited() const;

    // The configuration as the model's dump file would hold it; empty for a model without one.
    static QByteArray bytesOf(DeviceCfg *model);
    // What of a fixed-layout model's page the identity words decide; empty for other models.
    static QByteArray shapeOf(DeviceCfg *model, quint16 word0, quint16 word2);

private:
    QPointer<DeviceCfg> m_model;
    quint16 m_word0 = 0;
    quint16 m_word1 = 0;
    quint16 m_word2 = 0;
    QByteArray m_kept;
};
