#include "editors/parbitmaskbutton.h"
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ParBitmaskButton::ParBitmaskButton(QWidget *parent, ParModel *model, quint32 first, const QVector<quint16> &masks,
                                   quint32 flags, const QStringList &names, std::optional<quint32> second)
    : Par(parent, model), m_key1(first), m_key2(second.value_or(0)), m_masks(masks), m_names(names), m_flags(flags),
      m_paired(second.has_value()),
      m_on((flags & OrangeFlag) ? QColor(255, 192, 0) : QColor(78, 166, 222))
{
    nameIfUnnamed("ParBitmaskButton");
    for (quint16 m : m_masks)
        m_union |= m;
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Minimum);
    setFocusPolicy(Qt::TabFocus);
}

QSize ParBitmaskButton::sizeHint() const
{
    const int n = m_masks.size();
    if (n <= 8)
        return QSize(16 * n + 2, 18);
    return QSize(16 * ((n + 1) / 2) + 2, 34);
}

QString ParBitmaskButton::cellText(int i) const
{
    return i < m_names.size() ? m_names.at(i) : QString::number(i + 1);
}

QColor ParBitmaskButton::cellColour(quint16 mask) const
{
    const bool a = word(m_key1) & mask;
    if (!m_paired)
        return a ? m_on : QColor(230, 230, 230);
    const bool b = word(m_key2) & mask;
    if (a)
        return b ? QColor(255, 192, 0) : QColor(0, 212, 0);
    return b ? QColor(230, 230, 230) : QColor(255, 64, 64);
}

void ParBitmaskButton::paintEvent(QPaintEvent *)
{
    static const QFont cellFont = [] {
        QFont f;
        f.setPointSize(10);
        return f;
    }();
    static const QFontMetrics metrics(cellFont);
    static const QFont narrowFont = [] {
        QFont f;
        f.setPointSize(7);
        f.setLetterSpacing(QFont::AbsoluteSpacing, -0.5);
        return f;
    }();
    static const QFontMetrics narrowMetrics(narrowFont);

    const int n = m_masks.size();
    const int w = width() - 2;
    const int h = height() - 2;
    const int rows = n > 8 ? 2 : 1;
    const int perRow = n > 8 ? (n + 1) / 2 : n;
    QPainter p(this);
    p.setFont(cellFont);
    for (int i = 0; i < n && perRow > 0; ++i) {
        const int r = i / perRow;
        const int k = i % perRow;
        const int x0 = k * w / perRow + 1;
        const int x1 = (k + 1) * w / perRow;
        const int y0 = r * h / rows + 1;
        const int y1 = (r + 1) * h / rows;
        const QRect cell(QPoint(x0, y0), QPoint(x1, y1));
        p.fillRect(cell, cellColour(m_masks.at(i)));
        const QString text = cellText(i);
        const int cellH = y1 - y0;
        // Numbers such as 10 to 16 are set smaller, so that neighbouring cells stay apart.
        const QFontMetrics *fm = &metrics;
        if (metrics.horizontalAdvance(text) > x1 - x0 - 2) {
            p.setFont(narrowFont);
            fm = &narrowMetrics;
        } else {
            p.setFont(cellFont);
        }
        const int x = x0 + (x1 - x0 - fm->horizontalAdvance(text)) / 2;
        const int y = y1 - cellH / 2 + fm->height() / 2 - 3;
        p.setPen(Qt::black);
        p.drawText(x, y, text);
    }
    p.setBrush(Qt::NoBrush);
    if (hasFocus()) { // reached with Tab: framed as the focused mask buttons are
        p.setPen(QPen(QColor(32, 32, 32), 2));
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 2, 2);
        return;
    }
    p.setPen(QColor(128, 128, 128));
    p.drawRoundedRect(QRect(0, 0, width() - 1, height() - 1), 2, 2);
}

void ParBitmaskButton::mouseReleaseEvent(QMouseEvent *ev)
{
    ev->accept();
    openDialog();
}

// Space opens the dialog as a click does, on release like a button.
void ParBitmaskButton::keyPressEvent(QKeyEvent *ev)
{
    if (ev->key() == Qt::Key_Space && ev->modifiers() == Qt::NoModifier) {
        ev->accept();
        return;
    }
    Par::keyPressEvent(ev);
}

void ParBitmaskButton::keyReleaseEvent(QKeyEvent *ev)
{
    if (ev->key() == Qt::Key_Space && ev->modifiers() == Qt::NoModifier && !ev->isAutoRepeat()) {
        ev->accept();
        openDialog();
        return;
    }
    Par::keyReleaseEvent(ev);
}

void ParBitmaskButton::focusInEvent(QFocusEvent *ev)
{
    update();
    Par::focusInEvent(ev);
}

void ParBitmaskButton::focusOutEvent(QFocusEvent *ev)
{
    update();
    Par::focusOutEvent(ev);
}

void ParBitmaskButton::itemCheck(bool ch)
{
    const auto m = quint16(sender() ? sender()->property("id").toUInt() : 0);
    const quint16 v = ch ? word(m_key1) | m : word(m_key1) & ~m;
    update();
    sendWord(m_key1, v & m_union);
}

void ParBitmaskButton::itemCheck(int st)
{
    const auto m = quint16(sender() ? sender()->property("id").toUInt() : 0);
    const quint16 a = (st & 1) ? word(m_key1) | m : word(m_key1) & ~m;
    sendWord(m_key1, a & m_union);
    if (m_paired) {
        const quint16 b = (st & 2) ? word(m_key2) | m : word(m_key2) & ~m;
        sendWord(m_key2, b & m_union);
    }
    update();
}

void ParBitmaskButton::refresh() { update(); }
