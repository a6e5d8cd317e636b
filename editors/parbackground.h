// Editor of a background in a fixed-layout image: mode word and two colour words.
#pragma once
#include "editors/colorform.h"
#include "editors/par.h"
#include <QColor>

class ParBackground : public Par
{
    Q_OBJECT
public:
    // value: the first of the three words. modes: bit 0 Solid, bit 1 Waves, bit 2 Timer.
    // An erased mode word (0xffff) receives the defaults, all three words.
    ParBackground(QWidget *parent, quint8 *value, const quint8 *base, unsigned modes, int defMode,
                  QRgb defCol0, QRgb defCol1);

    void refresh() override;

public Q_SLOTS:
    void modeChange();
    void col0Change(const QColor &c);
    void col1Change(const QColor &c);

private:
    quint16 word(int i) const { return load16(m_value + 2 * i); }

    quint8 *m_value;
    quint32 m_key;
    BackgroundRow m_row;
};
