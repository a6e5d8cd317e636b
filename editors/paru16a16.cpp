#include "editors/paru16a16.h"
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

static QPushButton *squareButton(QWidget *owner, const QString &text)
{
    auto *b = new QPushButton(text, owner);
    b->setObjectName(QStringLiteral("Sqr"));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

ParU16A16::ParU16A16(QWidget *parent, CfgParValArr16 *par) : Par(parent), m_par(par)
{
    nameIfUnnamed("ParU16A16");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel *title = makeTitleLabel(this, layout);
    auto *grid = new QGridLayout;
    grid->setObjectName(QStringLiteral("gridLayout"));
    layout->addLayout(grid);
    for (int i = 0; i < Rows; ++i) {
        auto *number = new QLabel(QString::number(i + 1), this);
        number->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
        QPushButton *minus = squareButton(this, QStringLiteral("-"));
        auto *slider = new QSlider(this);
        slider->setProperty("id", i);
        auto *spin = new QSpinBox(this);
        spin->setProperty("id", i);
        QPushButton *plus = squareButton(this, QStringLiteral("+"));
        slider->setRange(m_par->min(), m_par->max());
        spin->setRange(m_par->min(), m_par->max());
        slider->setValue(m_par->at(i));
        spin->setValue(m_par->at(i));
        connect(slider, &QSlider::valueChanged, this, &ParU16A16::setValue);
        connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, &ParU16A16::setValue);
        connect(minus, &QPushButton::clicked, spin, &QSpinBox::stepDown);
        connect(plus, &QPushButton::clicked, spin, &QSpinBox::stepUp);
        grid->addWidget(number, i, 0);
        grid->addWidget(minus, i, 1);
        grid->addWidget(slider, i, 2);
        grid->addWidget(spin, i, 3);
        grid->addWidget(plus, i, 4);
        m_sliders[i] = slider;
        m_spins[i] = spin;
    }
    fillTitle(title, m_par->uid());
    hideForUid(m_par->uid());
}

void ParU16A16::show(int i, int v)
{
    const QSignalBlocker b1(m_sliders[i]), b2(m_spins[i]);
    m_sliders[i]->setValue(v);
    m_spins[i]->setValue(v);
}

void ParU16A16::setValue(int v)
{
    const QObject *from = sender();
    if (!from)
        return;
    const int i = from->property("id").toInt();
    if (i < 0 || i >= Rows || v == m_par->at(i))
        return;
    const QByteArray before = record(m_par->uid());
    m_par->setAt(i, quint16(v));
    show(i, v);
    notifyChange(m_par->uid(), before);
}

void ParU16A16::refresh()
{
    for (int i = 0; i < Rows; ++i)
        show(i, m_par->at(i));
}
