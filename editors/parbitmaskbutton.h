// A compact painted strip of channel cells for one mask value (or two, edited as four stages);
// a click, or Space once Tab has reached it, opens the "Select channels" dialog with one
// button per channel.
#pragma once
#include "editors/par.h"
#include <QColor>
#include <QStringList>
#include <QVector>
#include <optional>

class QDialog;

class ParBitmaskButton : public Par
{
    Q_OBJECT
public:
    // The mask word named first in model. flags: OrangeFlag for orange instead of blue "on".
    // second (optional): a second mask word edited together with the first.
    ParBitmaskButton(QWidget *parent, ParModel *model, quint32 first, const QVector<quint16> &masks,
                     quint32 flags, const QStringList &names, std::optional<quint32> second = std::nullopt);

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

    quint32 m_key1;
    quint32 m_key2;
    QVector<quint16> m_masks;
    QStringList m_names;
    quint32 m_flags;
    bool m_paired;
    QColor m_on;
    quint16 m_union = 0;
};
