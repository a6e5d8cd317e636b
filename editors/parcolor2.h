// Editor of one or two independent colour words of a fixed-layout image, side by side.
#pragma once
#include "editors/par.h"

class QLabel;
class QtColorPicker;

class ParColor2 : public Par
{
    Q_OBJECT
public:
    // col1 may be null: then only the first colour is shown.
    ParColor2(QWidget *parent, quint8 *col0, quint8 *col1, const quint8 *base);

    void refresh() override;

public Q_SLOTS:
    void col0Change(const QColor &c);
    void col1Change(const QColor &c);

private:
    quint8 *m_col0;
    quint8 *m_col1;
    quint32 m_key0;
    quint32 m_key1 = 0;
    QtColorPicker *m_pick0;
    QtColorPicker *m_pick1;
};
