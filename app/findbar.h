// The search field above the page: typing narrows the page to the matching editors, Enter and
// Shift+Enter step through them, Escape clears the field and puts the page back.
#pragma once
#include "app/pagesearch.h"
#include <QWidget>

class QLabel;
class QLineEdit;
class QScrollArea;
class QToolButton;

class FindBar : public QWidget
{
    Q_OBJECT
public:
    FindBar(QWidget *page, QScrollArea *area, QWidget *parent);

    QLineEdit *field() const { return m_field; }
    PageSearch &search() { return m_search; }
    // Puts the cursor in the field with its text selected.
    void activate();
    // Clears the field and puts the page back.
    void clear();
    // The page was read again, rebuilt or is about to go: the page is put back, the field
    // empties, the index is dropped.
    void pageChanged();
    void retranslate();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void find();
    void step(int direction);
    void showCount();
    // Readies the page for searching in idle steps, from the moment the field takes focus.
    void prepare();

    PageSearch m_search;
    QLineEdit *m_field;
    QLabel *m_count;
    QToolButton *m_previous;
    QToolButton *m_next;
    bool m_preparing = false;
};
