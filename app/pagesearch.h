// Finds editors on the shown page by the words of their labels and help texts: narrows the
// page to the sections and groups that hold matches, marks them, steps through them and puts
// the page back as it was.
#pragma once
#include <QPointer>
#include <QString>
#include <QVector>

class DeviceCfg;
class Par;
class MatchOverlay;
class QGroupBox;
class QPushButton;
class QScrollArea;
class QWidget;

class PageSearch
{
public:
    // page: the scroll area's contents, which the model filled.
    PageSearch(QWidget *page, QScrollArea *area);
    ~PageSearch();
    PageSearch(const PageSearch &) = delete;
    PageSearch &operator=(const PageSearch &) = delete;

    // Forgets the page's editors (after a rebuild or a change of language); the next search
    // indexes the page again. A narrowed page is not put back: it is gone.
    void reset();
    // Narrows the page to the editors matching every word of text; an empty text restores it.
    // Returns the number of matches.
    int search(DeviceCfg *model, const QString &text);
    // Makes the next (step 1) or previous (-1) match the current one and scrolls to it.
    void step(int direction);
    // Puts the page back exactly as it was before the first search.
    void restore();
    // Readies the page for searching, one piece at a time so that the window stays responsive:
    // the editors of one section never opened, then the index, then the style and layout of
    // one closed section per call (what opening it would cost the first keystroke). False
    // when nothing is left to do.
    bool prepareStep(DeviceCfg *model);

    bool active() const { return m_saved; }
    int matchCount() const { return m_matches.size(); }
    // Index of the current match, -1 when none.
    int current() const { return m_current; }
    QList<Par *> matches() const;
    Par *currentEditor() const;

    // Property that names a matching editor (1) and the current one (2). The marks themselves
    // are painted over the page, so that thousands of matches cost no restyling.
    static const char *MarkProperty;

private:
    struct Entry
    {
        QPointer<Par> editor;
        QString text;             // label and help in lower case
        QPushButton *button = nullptr; // its section's button
        QWidget *content = nullptr;    // its section's contents
        QGroupBox *group = nullptr;    // the group box it sits in, if any
        bool unmade = false;           // a value of a section whose editors are not made yet
    };
    struct Section
    {
        QPointer<QPushButton> button;
        QPointer<QWidget> content;
        bool checked = false;
        bool exclusive = false; // one section shown at a time (the dynamic page)
    };

    void index(DeviceCfg *model);
    // The entries matching every word.
    QVector<int> matching(const QStringList &words) const;
    void mark(Par *editor, int mark);
    void showCurrent();
    void settle();

    QWidget *m_page;
    QScrollArea *m_area;
    QPointer<MatchOverlay> m_overlay;
    bool m_indexed = false;
    int m_prepared = 0; // sections readied so far
    QVector<Entry> m_entries;
    QVector<Section> m_sections;
    QVector<QPointer<QGroupBox>> m_groups;
    QVector<int> m_matches;
    int m_current = -1;
    // The page as it was before the first search.
    bool m_saved = false;
    int m_scroll = 0;
};
