// The status line: wrapped into its fixed number of lines, the last one elided.
#include "app/statusline.h"
#include <QEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <QToolTip>

StatusLine::StatusLine(QWidget *parent) : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

QStringList StatusLine::wrapped(int width) const
{
    QStringList lines;
    const QStringList paragraphs = text().split(QLatin1Char('\n'));
    for (const QString &paragraph : paragraphs) {
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, font());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
    }
    return lines;
}

QStringList StatusLine::shownLines() const
{
    const int width = qMax(1, contentsRect().width());
    QStringList lines = wrapped(width);
    const QFontMetrics metrics(font());
    if (lines.size() > Lines) {
        // What does not fit goes on the last line, which is then cut short.
        const QString last = lines.mid(Lines - 1).join(QLatin1Char(' '));
        lines = lines.mid(0, Lines - 1);
        lines << last;
    }
    for (QString &line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, width);
    return lines;
}

QSize StatusLine::sizeHint() const
{
    const QFontMetrics metrics(font());
    const QMargins m = contentsMargins();
    return QSize(metrics.averageCharWidth() * 20 + m.left() + m.right(),
                 metrics.lineSpacing() * Lines + m.top() + m.bottom() + 2 * margin());
}

bool StatusLine::hasHeightForWidth() const { return false; }

QSize StatusLine::minimumSizeHint() const
{
    return QSize(QFontMetrics(font()).averageCharWidth() * 4, sizeHint().height());
}

bool StatusLine::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        // The whole text, however little of it the line shows.
        if (toolTip().isEmpty() && !text().isEmpty()) {
            // The text names boards by the names they announce: shown as text, never as markup.
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(),
                               QStringLiteral("<qt>%1</qt>").arg(text().toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"))), this);
            return true;
        }
        break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
        updateGeometry();
        break;
    default:
        break;
    }
    return QLabel::event(event);
}

void StatusLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QStringList lines = shownLines();
    const QFontMetrics metrics(font());
    QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    // The lines sit in the middle of the room for all of them.
    const int used = metrics.lineSpacing() * lines.size();
    QRect row(area.left(), area.top() + (area.height() - used) / 2, area.width(), metrics.lineSpacing());
    for (const QString &line : lines) {
        style()->drawItemText(&painter, row, int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter,
                              palette(), isEnabled(), line, foregroundRole());
        row.translate(0, metrics.lineSpacing());
    }
}
