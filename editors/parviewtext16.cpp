#include "editors/parviewtext16.h"
#include "editors/colorform.h"
#include "editors/qtcolorpicker.h"
#include "editors/rgb565.h"
#include "editors/viewline.h"
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

ParViewText16::ParViewText16(QWidget *parent, CfgParViewText16 *par) : Par(parent), m_par(par)
{
    nameIfUnnamed("ParViewText16");
    auto *layout = new QVBoxLayout(this);
    QLabel *title = makeTitleLabel(this, layout);
    auto *grid = new QGridLayout;
    layout->addLayout(grid);
    for (int k = 0; k < Lines; ++k) {
        Line &l = m_lines[size_t(k)];
        const int row = 2 * k;
        grid->addWidget(new QLabel(QString::number(k + 1), this), row, 0);
        l.text = new QLineEdit(this);
        grid->addWidget(l.text, row, 1, 1, 4);
        l.col = makeColorPicker(this, QStringLiteral("col"));
        grid->addWidget(l.col, row, 5);

        l.font = new QComboBox(this);
        l.font->setObjectName(QStringLiteral("font"));
        l.font->addItem(tr("Size 1/4"), 0x20);
        l.font->addItem(tr("Size 1/8"), 0x30);
        l.font->addItem(tr("Size 1/16"), 0x40);
        auto *minus = new QPushButton(QStringLiteral("-"), this);
        minus->setObjectName(QStringLiteral("Sqr"));
        l.ypos = new QSpinBox(this);
        l.ypos->setRange(0, ViewLine::MaxPosition);
        auto *plus = new QPushButton(QStringLiteral("+"), this);
        plus->setObjectName(QStringLiteral("Sqr"));
        l.line = new QComboBox(this);
        l.line->setObjectName(QStringLiteral("line"));
        l.align = new QComboBox(this);
        l.align->setObjectName(QStringLiteral("align"));
        ViewLine::addAlignEntries(l.align);
        grid->addWidget(l.font, row + 1, 0, 1, 2);
        grid->addWidget(minus, row + 1, 2);
        grid->addWidget(l.ypos, row + 1, 3);
        grid->addWidget(plus, row + 1, 4);
        grid->addWidget(l.line, row + 1, 5);
        grid->addWidget(l.align, row + 1, 6);
        for (QObject *w : {static_cast<QObject *>(l.text), static_cast<QObject *>(l.col),
                           static_cast<QObject *>(l.font), static_cast<QObject *>(minus),
                           static_cast<QObject *>(l.ypos), static_cast<QObject *>(plus),
                           static_cast<QObject *>(l.line), static_cast<QObject *>(l.align)})
            w->setProperty("id", k);

        showLine(k);
        connect(minus, &QPushButton::clicked, l.ypos, &QSpinBox::stepDown);
        connect(plus, &QPushButton::clicked, l.ypos, &QSpinBox::stepUp);
        connect(l.text, &QLineEdit::editingFinished, this, &ParViewText16::textChange);
        connect(l.col, &QtColorPicker::colorChanged, this, &ParViewText16::colChange);
        connect(l.font, qOverload<int>(&QComboBox::currentIndexChanged), this, &ParViewText16::fontChange);
        connect(l.ypos, qOverload<int>(&QSpinBox::valueChanged), this, &ParViewText16::yposChange);
        connect(l.line, qOverload<int>(&QComboBox::currentIndexChanged), this, &ParViewText16::lineChange);
        connect(l.align, qOverload<int>(&QComboBox::currentIndexChanged), this, &ParViewText16::alignChange);
    }
    fillTitle(title, m_par->uid());
    hideForUid(m_par->uid());
}

int ParViewText16::senderLine() const
{
    const QObject *s = sender();
    bool ok = false;
    const int k = s ? s->property("id").toInt(&ok) : -1;
    return ok && k >= 0 && k < Lines ? k : -1;
}

void ParViewText16::refillLineBox(int k)
{
    const CtViewText &v = m_par->at(k);
    const int height = ViewLine::heightForCode(v.flags & 0x70);
    ViewLine::fillLineBox(m_lines[size_t(k)].line, ViewLine::linesForHeight(height), height, v.position);
}

void ParViewText16::showLine(int k)
{
    Line &l = m_lines[size_t(k)];
    CtViewText &v = m_par->at(k);
    const QSignalBlocker b0(l.text), b1(l.col), b2(l.font), b3(l.ypos), b4(l.align);
    l.text->setText(v.text.toString());
    l.col->setCurrentColor(Rgb565::toColor(v.colour));
    l.ypos->setValue(v.position);
    refillLineBox(k);
    l.font->setCurrentIndex(l.font->findData(v.flags & 0x70));
    l.align->setCurrentIndex(l.align->findData(v.flags & 3));
}

void ParViewText16::textChange()
{
    const int k = senderLine();
    if (k < 0)
        return;
    QLineEdit *edit = m_lines[size_t(k)].text;
    if (!edit->isModified())
        return;
    edit->setModified(false);
    const QByteArray before = record(m_par->uid());
    if (!m_par->at(k).text.setText(edit->text())) {
        const QSignalBlocker block(edit);
        edit->setText(m_par->at(k).text.toString());
        return;
    }
    notifyChange(m_par->uid(), before);
}

void ParViewText16::colChange(const QColor &c)
{
    const int k = senderLine();
    if (k < 0)
        return;
    const QByteArray before = record(m_par->uid());
    m_par->at(k).colour = Rgb565::fromColor(c);
    notifyChange(m_par->uid(), before);
}

void ParViewText16::fontChange(int index)
{
    const int k = senderLine();
    if (k < 0 || index < 0)
        return;
    const QByteArray before = record(m_par->uid());
    CtViewText &v = m_par->at(k);
    v.flags = quint16((v.flags & ~0x70) | m_lines[size_t(k)].font->itemData(index).toInt());
    refillLineBox(k);
    notifyChange(m_par->uid(), before);
}

void ParViewText16::yposChange(int p)
{
    const int k = senderLine();
    if (k < 0)
        return;
    const QByteArray before = record(m_par->uid());
    CtViewText &v = m_par->at(k);
    v.position = quint16(p);
    ViewLine::selectLine(m_lines[size_t(k)].line, ViewLine::heightForCode(v.flags & 0x70), p);
    notifyChange(m_par->uid(), before);
}

void ParViewText16::lineChange(int index)
{
    const int k = senderLine();
    if (k < 0 || index < 0)
        return;
    // The spin box's own signal stores the position.
    m_lines[size_t(k)].ypos->setValue(index * ViewLine::heightForCode(m_par->at(k).flags & 0x70));
}

void ParViewText16::alignChange()
{
    const int k = senderLine();
    if (k < 0)
        return;
    QComboBox *align = m_lines[size_t(k)].align;
    if (align->currentIndex() < 0)
        return;
    const QByteArray before = record(m_par->uid());
    CtViewText &v = m_par->at(k);
    v.flags = quint16((v.flags & ~3) | align->currentData().toInt());
    notifyChange(m_par->uid(), before);
}

void ParViewText16::refresh()
{
    for (int k = 0; k < Lines; ++k)
        showLine(k);
}
