#include "app/matchoverlay.h"
#include "app/pagesearch.h"
#include "editors/par.h"
#include <QEvent>
#include <QPainter>

MatchOverlay::MatchOverlay(const PageSearch &search, QWidget *viewport) : QWidget(viewport), m_search(search)
{
    setObjectName(QStringLiteral("findMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    viewport->installEventFilter(this);
    resize(viewport->size());
}

void MatchOverlay::watch(QWidget *page)
{
    if (page)
        page->installEventFilter(this);
}

bool MatchOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        resize(parentWidget()->size());
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move || event->type() == QEvent::LayoutRequest)
        update();
    return QWidget::eventFilter(watched, event);
}

void MatchOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const Par *current = m_search.currentEditor();
    for (Par *editor : m_search.matches()) {
        if (!editor || !editor->isVisible())
            continue;
        // Only the part the user sees: inner scroll areas clip their editors.
        const QRect seen = editor->visibleRegion().boundingRect();
        if (seen.isEmpty())
            continue;
        const QRect r(editor->mapTo(parentWidget(), seen.topLeft()), seen.size());
        if (!r.intersects(rect()))
            continue;
        // Both stay outside the editor where the page leaves room: its title stays readable.
        painter.fillRect(QRect(qMax(0, r.left() - 7), r.top(), 4, r.height()), QColor(0xF0, 0xB0, 0x00));
        if (editor == current) {
            painter.setPen(QPen(QColor(0xD0, 0x80, 0x00), 2));
            painter.drawRect(r.adjusted(-3, -3, 2, 2).intersected(rect().adjusted(1, 1, -1, -1)));
        }
    }
}
