// Level (bits 0-6, offered 0..100) and enable flag (bit 7) of one configuration image byte.
#pragma once
#include "editors/par.h"
#include "editors/sliderrow.h"

class QPushButton;

class ParInverter : public Par
{
    Q_OBJECT
public:
    // The byte named key in model.
    ParInverter(QWidget *parent, ParModel *model, quint32 key);

    void refresh() override;

public Q_SLOTS:
    void setValue(int v);
    void setInvEnable(bool e);

private:
    quint32 m_key;
    QPushButton *m_enable = nullptr;
    SliderRow m_row;
};
