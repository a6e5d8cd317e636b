#include "editors/parbitmask.h"
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ParBitmask::ParBitmask(QWidget *parent, quint16 *value, const void *base, const QVector<quint16> &masks,
                       quint16 def, const QStringList &names, int layout)
    : Par(parent), m_v16(value)
{
    const bool compact = compactParent(parent);
    setErasedDefault16(value, def);
    build(compact, value, base, QVector<quint32>(masks.begin(), masks.end()), names, layout);
}

ParBitmask::ParBitmask(QWidget *parent, quint8 *value, const void *base, const QVector<quint8> &masks,
                       quint8 def, const QStringList &names, int layout)
    : Par(parent), m_v8(value)
{
    const bool compact = compactParent(parent);
    setErasedDefault8(value, def);
    build(compact, value, base, QVector<quint32>(masks.begin(), masks.end()), names, layout);
}

ParBitmask::~ParBitmask() = default;

void ParBitmask::build(bool compact, const void *value, const void *base, const QVector<quint32> &masks,
                       const QStringList &names, int layout)
{
    nameIfUnnamed("ParBitmask");
    m_key = memKey(value, base);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    QLabel *title = makeTitleLabel(this, outer);
    auto *grid = new QGridLayout;
    grid->setObjectName(QStringLiteral("gridLayout"));
    outer->addLayout(grid);

    const bool asGrid = layout == 0 || (layout == -1 && names.isEmpty());
    m_buttons = std::make_unique<MaskButtons>(this, grid, asGrid,
                                              compact ? QStringLiteral("Msq") : QStringLiteral("Sqr"));
    const quint32 v = stored();
    for (int i = 0; i < masks.size(); ++i) {
        const QString text = i < names.size() ? names.at(i) : QString::number(i + 1);
        QPushButton *b = m_buttons->add(text, masks.at(i), v & masks.at(i));
        connect(b, &QPushButton::toggled, this, &ParBitmask::itemCheck);
    }
    if (compact) {
        title->hide();
        grid->setHorizontalSpacing(1);
    } else {
        fillTitle(title, m_key);
    }
}

quint32 ParBitmask::stored() const { return m_v16 ? load16(m_v16) : *m_v8; }

void ParBitmask::itemCheck(bool ch)
{
    const quint32 m = MaskButtons::maskOf(sender());
    quint32 v = ch ? stored() | m : stored() & ~m;
    v &= m_buttons->all();
    if (m_v16)
        store16(m_v16, quint16(v));
    else
        *m_v8 = quint8(v);
    notifyChange(m_key, m_v16 ? 2 : 1);
}

void ParBitmask::refresh() { m_buttons->show(stored()); }
