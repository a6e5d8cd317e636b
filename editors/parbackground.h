// Editor of a background in a fixed-layout image: mode word and two colour words.
#pragma once
#include "editors/colorform.h"
#include "editors/par.h"
#include <QColor>

class ParBackground : public Par
{
    Q_OBJECT
public:
    // key: the first of the three words in model. modes: bit 0 Solid, bit 1 Waves, bit 2 Timer.
    ParBackground(QWidget *parent, ParModel *model, quint32 key, unsigned modes);

    void refresh() override;

public Q_SLOTS:
    void modeChange();
    void col0Change(const QColor &c);
    void col1Change(const QColor &c);

private:
    // Every change is sent as all three words.
    void sendWords(int i, quint16 v);

    quint32 m_key;
    BackgroundRow m_row;
};
