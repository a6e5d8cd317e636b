// Paints the marks of a page search over the visible part of the page: a bar at the left of
// every match, a frame around the current one. It takes no input.
#pragma once
#include <QWidget>

class PageSearch;

class MatchOverlay : public QWidget
{
public:
    MatchOverlay(const PageSearch &search, QWidget *viewport);
    // Follows the page: its moves, resizes and its sections opening.
    void watch(QWidget *page);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *) override;

private:
    const PageSearch &m_search;
};
