#include "editors/parmask.h"
#include "base/parmodel.h"
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

ParMask::ParMask(QWidget *parent, quint32 uid, int bits) : Par(parent), m_uid(uid), m_bits(bits)
{
    ParModel *model = ParModel::current();
    if (model)
        m_order = model->parProperty(uid, QStringLiteral("MaskOrder")).toInt();
}

ParMask::~ParMask() = default;

void ParMask::build(bool numbers)
{
    ParModel *model = ParModel::current();
    QStringList names;
    QByteArray bits;
    if (model) {
        names = model->parProperty(m_uid, QStringLiteral("MaskNames")).toStringList();
        bits = model->parProperty(m_uid, QStringLiteral("MaskBits")).toByteArray();
    }
    if (names.isEmpty()) {
        for (int i = 1; i <= m_bits; ++i)
            names.append(QString::number(i));
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel *title = makeTitleLabel(this, layout);
    m_grid = new QGridLayout;
    m_grid->setObjectName(QStringLiteral("gridLayout"));
    layout->addLayout(m_grid);
    if (m_order == 2)
        buildCombo(names, bits);
    else if (!numbers)
        buildButtons(names, bits);
    fillTitle(title, m_uid);
    hideForUid(m_uid);
}

void ParMask::buildCombo(const QStringList &names, const QByteArray &bits)
{
    m_combo = new QComboBox(this);
    m_grid->addWidget(m_combo, 0, 0);
    // Entries are little-endian byte pairs; a lone last byte stands for its own low byte.
    for (int k = 0; 2 * k < bits.size(); ++k) {
        const quint16 lo = quint8(bits.at(2 * k));
        const quint16 hi = 2 * k + 1 < bits.size() ? quint8(bits.at(2 * k + 1)) : 0;
        const QString text = k < names.size() ? names.at(k) : tr("Index %1").arg(k);
        m_combo->addItem(text, uint(lo | (hi << 8)));
    }
    showComboEntry();
    connect(m_combo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ParMask::comboChanged);
}

void ParMask::buildButtons(const QStringList &names, const QByteArray &bits)
{
    m_buttons = std::make_unique<MaskButtons>(this, m_grid, m_order == 0, QStringLiteral("Sqr"));
    const quint32 widthMask = m_bits >= 32 ? 0xffffffffu : (1u << m_bits) - 1;
    const quint32 v = maskValue();
    for (int i = 0; i < names.size(); ++i) {
        const int bit = (i < bits.size() ? quint8(bits.at(i)) : i) & 31;
        const quint32 mask = (1u << bit) & widthMask;
        QPushButton *b = m_buttons->add(names.at(i), mask, v & mask);
        connect(b, &QPushButton::toggled, this, &ParMask::itemChecked);
    }
}

// The entry of the stored value (the last one when several match), or none when no entry
// matches, so the drop-down never shows a choice the value does not hold.
void ParMask::showComboEntry()
{
    const quint32 v = maskValue();
    int current = -1;
    for (int k = 0; k < m_combo->count(); ++k) {
        if (m_combo->itemData(k).toUInt() == v)
            current = k;
    }
    const QSignalBlocker block(m_combo);
    m_combo->setCurrentIndex(current);
}

void ParMask::itemChecked(bool ch)
{
    const quint32 m = MaskButtons::maskOf(sender());
    const QByteArray before = record(m_uid);
    setMaskValue(ch ? maskValue() | m : maskValue() & ~m);
    notifyChange(m_uid, before);
}

void ParMask::comboChanged()
{
    const QVariant data = m_combo ? m_combo->currentData() : QVariant();
    if (!data.isValid())
        return;
    const QByteArray before = record(m_uid);
    setMaskValue(data.toUInt());
    notifyChange(m_uid, before);
}

void ParMask::refresh()
{
    if (m_buttons)
        m_buttons->show(maskValue());
    if (m_combo)
        showComboEntry();
}
