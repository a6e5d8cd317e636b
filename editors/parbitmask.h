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
    // layout: -1 list when names are given, else grid; 0 grid; anything else list.
    // An erased value (0xffff / 0xff) becomes def. The parent's "hideTitle" gives the compact grid.
    ParBitmask(QWidget *parent, quint16 *value, const void *base, const QVector<quint16> &masks,
               quint16 def, const QStringList &names, int layout);
    ParBitmask(QWidget *parent, quint8 *value, const void *base, const QVector<quint8> &masks,
               quint8 def, const QStringList &names, int layout);
    ~ParBitmask() override;

    void refresh() override;

public Q_SLOTS:
    void itemCheck(bool ch);

private:
    void build(bool compact, const void *value, const void *base, const QVector<quint32> &masks,
               const QStringList &names, int layout);
    quint32 stored() const;

    quint16 *m_v16 = nullptr;
    quint8 *m_v8 = nullptr;
    quint32 m_key = 0;
    std::unique_ptr<MaskButtons> m_buttons;
};
