#include "editors/parbitmask.h"
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ParBitmask::ParBitmask(QWidget *parent, ParModel *model, quint32 key, int size, const QVector<quint16> &masks,
                       const QStringList &names, int layout)
    : Par(parent, model), m_key(key), m_wide(size != 1)
{
    const bool compact = compactParent(parent);
    nameIfUnnamed("ParBitmask");
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
        const quint32 mask = m_wide ? masks.at(i) : quint8(masks.at(i));
        QPushButton *b = m_buttons->add(text, mask, v & mask);
        connect(b, &QPushButton::toggled, this, &ParBitmask::itemCheck);
    }
    if (compact) {
        title->hide();
        grid->setHorizontalSpacing(1);
    } else {
        fillTitle(title, m_key);
    }
}

ParBitmask::~ParBitmask() = default;

quint32 ParBitmask::stored() const { return m_wide ? word(m_key) : byte(m_key); }

void ParBitmask::itemCheck(bool ch)
{
    const quint32 m = MaskButtons::maskOf(sender());
    quint32 v = ch ? stored() | m : stored() & ~m;
    v &= m_buttons->all();
    if (m_wide)
        sendWord(m_key, quint16(v));
    else
        sendByte(m_key, quint8(v));
}

void ParBitmask::refresh() { m_buttons->show(stored()); }
