#include "editors/sliderrow.h"
#include "editors/protectedslider.h"
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

static QPushButton *stepButton(QWidget *owner, const QString &text)
{
    auto *b = new QPushButton(text, owner);
    b->setFocusPolicy(Qt::NoFocus);
    b->setObjectName(QStringLiteral("Sqr"));
    return b;
}

SliderRow SliderRow::build(QWidget *owner, QBoxLayout *outer)
{
    SliderRow row;
    row.layout = new QHBoxLayout;
    row.layout->setObjectName(QStringLiteral("horizontalLayout"));
    row.minus = stepButton(owner, QStringLiteral("-"));
    row.slider = new ProtectedSlider(owner);
    row.slider->setObjectName(QStringLiteral("slider"));
    row.slider->setOrientation(Qt::Horizontal);
    row.spin = new QSpinBox(owner);
    row.spin->setObjectName(QStringLiteral("spin"));
    row.spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    row.plus = stepButton(owner, QStringLiteral("+"));
    row.layout->addWidget(row.minus);
    row.layout->addWidget(row.slider);
    row.layout->addWidget(row.spin);
    row.layout->addWidget(row.plus);
    outer->addLayout(row.layout);
    return row;
}

void SliderRow::setRange(int min, int max)
{
    const QSignalBlocker b1(slider), b2(spin);
    slider->setRange(min, max);
    spin->setRange(min, max);
}

void SliderRow::show(int value)
{
    const QSignalBlocker b1(slider), b2(spin);
    slider->setValue(value);
    spin->setValue(value);
}

void SliderRow::connectSteps()
{
    if (minus)
        QObject::connect(minus, &QPushButton::clicked, spin, &QSpinBox::stepDown);
    if (plus)
        QObject::connect(plus, &QPushButton::clicked, spin, &QSpinBox::stepUp);
}

void SliderRow::makeCompact()
{
    slider->hide();
    delete minus;
    delete plus;
    minus = nullptr;
    plus = nullptr;
}
