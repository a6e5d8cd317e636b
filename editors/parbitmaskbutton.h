// A compact painted strip of channel cells for one mask value (or two, edited as four stages);
// a click, or Space once Tab has reached it, opens the "Select channels" dialog with one
// button per channel.
#pragma once
#include "editors/par.h"
#include <QColor>
#include <QStringList>
#include <QVector>

class QDialog;

class ParBitmaskButton : public Par
{
    Q_OBJECT
public:
    // flags bits 0-15: default of an erased first value; bit 16: orange instead of blue for "on".
    // second (optional): a second mask value edited together with the first; erased becomes 0.
    ParBitmaskButton(QWidget *parent, quint16 *first, const void *base, const QVector<quint16> &masks,
                     quint32 flags, const QStringList &names, quint16 *second = nullptr);

    static constexpr quint32 OrangeFlag = 0x10000;

    void refresh() override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // Builds and shows the modal channel dialog without blocking; it deletes itself when closed.
    QDialog *openDialog();

public Q_SLOTS:
    void itemCheck(bool ch);
    void itemCheck(int st);

protected:
    void paintEvent(QPaintEvent *ev) override;
    void mouseReleaseEvent(QMouseEvent *ev) override;
    void keyPressEvent(QKeyEvent *ev) override;
    void keyReleaseEvent(QKeyEvent *ev) override;
    void focusInEvent(QFocusEvent *ev) override;
    void focusOutEvent(QFocusEvent *ev) override;

private:
    QString cellText(int i) const;
    QColor cellColour(quint16 mask) const;

    quint16 *m_first;
    quint16 *m_second;
    quint32 m_key1;
    quint32 m_key2;
    QVector<quint16> m_masks;
    QStringList m_names;
    quint32 m_flags;
    QColor m_on;
    quint16 m_union = 0;
};
