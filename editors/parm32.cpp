#include "editors/parm32.h"
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

ParM32::ParM32(QWidget *parent, CfgParM32 *par) : ParMask(parent, par->uid(), 32), m_par(par)
{
    nameIfUnnamed("ParM32");
    const bool numbers = order() == 3;
    build(numbers);
    if (!numbers)
        return;
    grid()->addWidget(new QLabel(tr("HEX"), this), 0, 0);
    grid()->addWidget(new QLabel(tr("DEC"), this), 0, 1);
    m_hex = new QLineEdit(this);
    m_hex->setProperty("base", 16);
    m_dec = new QLineEdit(this);
    m_dec->setProperty("base", 10);
    grid()->addWidget(m_hex, 1, 0);
    grid()->addWidget(m_dec, 1, 1);
    refresh();
    connect(m_hex, &QLineEdit::editingFinished, this, &ParM32::hexChanged);
    connect(m_dec, &QLineEdit::editingFinished, this, &ParM32::decChanged);
}

void ParM32::numberEntered(QLineEdit *from, int base, QLineEdit *other)
{
    bool ok = false;
    const quint32 v = from->text().trimmed().toUInt(&ok, base);
    const QByteArray before = record(m_par->uid());
    m_par->setValue(ok ? v : 0);
    const QSignalBlocker block(other);
    other->setText(QString::number(m_par->value(), other->property("base").toInt()));
    notifyChange(m_par->uid(), before);
}

void ParM32::hexChanged() { numberEntered(m_hex, 16, m_dec); }

void ParM32::decChanged() { numberEntered(m_dec, 10, m_hex); }

void ParM32::refresh()
{
    ParMask::refresh();
    if (!m_hex)
        return;
    const QSignalBlocker b1(m_hex), b2(m_dec);
    m_hex->setText(QString::number(m_par->value(), 16));
    m_dec->setText(QString::number(m_par->value(), 10));
}
