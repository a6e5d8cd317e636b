// Bit-set editor of a 16- or 8-bit value of a fixed-layout configuration image: one check
// button per mask; bits that no button stands for are cleared on every change.
#pragma once
#include "editors/maskbuttons.h"
#include "editors/par.h"
#include <QStringList>
#include <QVector>
#include <memory>

class ParBitmask : public Par
{
    Q_OBJECT
public:
    // The value of size bytes (2 or 1) named key in model, one button per mask (cut to the
    // value's width). layout: -1 list when names are given, else grid; 0 grid; anything else
    // list. The parent's "hideTitle" gives the compact grid.
    ParBitmask(QWidget *parent, ParModel *model, quint32 key, int size, const QVector<quint16> &masks,
               const QStringList &names, int layout);
    ~ParBitmask() override;

    void refresh() override;

public Q_SLOTS:
    void itemCheck(bool ch);

private:
    quint32 stored() const;

    quint32 m_key = 0;
    bool m_wide = true;
    std::unique_ptr<MaskButtons> m_buttons;
};
