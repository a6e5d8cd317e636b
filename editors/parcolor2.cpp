#include "editors/parcolor2.h"
#include "editors/colorform.h"
#include "editors/qtcolorpicker.h"
#include "editors/rgb565.h"
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace {

QLabel *makeLabel(QWidget *owner, const QString &name)
{
    auto *label = new QLabel(owner);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

ParColor2::ParColor2(QWidget *parent, ParModel *model, quint32 col0, std::optional<quint32> col1)
    : Par(parent, model), m_key0(col0), m_key1(col1)
{
    nameIfUnnamed("ParColor2");
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    QLabel *label0 = makeLabel(this, QStringLiteral("label0"));
    QLabel *label1 = makeLabel(this, QStringLiteral("label1"));
    m_pick0 = makeColorPicker(this, QStringLiteral("col0"));
    m_pick1 = makeColorPicker(this, QStringLiteral("col1"));
    grid->addWidget(label0, 0, 0);
    grid->addWidget(label1, 0, 1);
    grid->addWidget(m_pick0, 1, 0);
    grid->addWidget(m_pick1, 1, 1);
    const bool compact = compactParent(parent);

    refresh();
    connect(m_pick0, &QtColorPicker::colorChanged, this, &ParColor2::col0Change);
    if (compact)
        label0->hide();
    else
        fillTitle(label0, m_key0);

    if (m_key1) {
        connect(m_pick1, &QtColorPicker::colorChanged, this, &ParColor2::col1Change);
        if (compact)
            label1->hide();
        else
            fillTitle(label1, *m_key1);
    } else {
        m_pick1->hide();
        label1->hide();
    }
}

void ParColor2::col0Change(const QColor &c)
{
    sendWord(m_key0, Rgb565::fromColor(c));
}

void ParColor2::col1Change(const QColor &c)
{
    if (m_key1)
        sendWord(*m_key1, Rgb565::fromColor(c));
}

void ParColor2::refresh()
{
    {
        const QSignalBlocker block(m_pick0);
        m_pick0->setCurrentColor(Rgb565::toColor(word(m_key0)));
    }
    if (m_key1) {
        const QSignalBlocker block(m_pick1);
        m_pick1->setCurrentColor(Rgb565::toColor(word(*m_key1)));
    }
}
