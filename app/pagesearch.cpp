#include "app/pagesearch.h"
#include "app/matchoverlay.h"
#include "devices/devicecfg.h"
#include "devices/devtab.h"
#include "devices/fixedlayoutmodel.h"
#include "editors/par.h"
#include <QCoreApplication>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <algorithm>

const char *PageSearch::MarkProperty = "findMatch";

PageSearch::PageSearch(QWidget *page, QScrollArea *area) : m_page(page), m_area(area) {}

PageSearch::~PageSearch() { delete m_overlay; }

namespace {

// Plain lower-case words of a rich text: tags dropped, the common entities decoded.
QString plainWords(const QString &rich)
{
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    QString s = rich;
    s.replace(tags, QStringLiteral(" "));
    s.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    s.replace(QLatin1String("&lt;"), QLatin1String("<"));
    s.replace(QLatin1String("&gt;"), QLatin1String(">"));
    s.replace(QLatin1String("&quot;"), QLatin1String("\""));
    s.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return s.simplified().toLower();
}

bool insideOtherEditor(const Par *editor, const QWidget *stop)
{
    for (QWidget *w = editor->parentWidget(); w && w != stop; w = w->parentWidget())
        if (qobject_cast<Par *>(w))
            return true;
    return false;
}

bool explicitlyHidden(const QWidget *w)
{
    return w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->testAttribute(Qt::WA_WState_Hidden);
}

} // namespace

void PageSearch::reset()
{
    m_indexed = false;
    m_prepared = 0;
    m_saved = false;
    m_entries.clear();
    m_sections.clear();
    m_groups.clear();
    m_matches.clear();
    m_current = -1;
    if (m_overlay)
        m_overlay->hide();
}

void PageSearch::index(DeviceCfg *model)
{
    // A page indexed again keeps what its sections were before the first search.
    QHash<const QWidget *, bool> checked;
    for (const Section &s : qAsConst(m_sections))
        checked.insert(s.content, s.checked);
    m_entries.clear();
    m_sections.clear();
    m_groups.clear();
    // The fixed-layout page: a button over its contents in the page's column.
    if (QLayout *column = m_page->layout()) {
        for (int i = 0; i + 1 < column->count(); ++i) {
            auto *button = qobject_cast<QPushButton *>(column->itemAt(i)->widget());
            QWidget *content = column->itemAt(i + 1)->widget();
            if (button && content && button->objectName() == QLatin1String("tabButton"))
                m_sections.append({button, content, false, false});
        }
    }
    // The dynamic page: tabs of which one at a time is shown beside the column.
    const auto tabs = m_page->findChildren<DevTab *>(QString(), Qt::FindDirectChildrenOnly);
    for (DevTab *tab : tabs)
        m_sections.append({tab->button, tab->content, false, true});

    if (!m_overlay)
        m_overlay = new MatchOverlay(*this, m_area->viewport());
    m_overlay->watch(m_page);
    for (QScrollArea *inner : m_page->findChildren<QScrollArea *>())
        m_overlay->watch(inner->widget());
    for (const Section &section : qAsConst(m_sections))
        m_overlay->watch(section.content);

    auto *fixed = qobject_cast<FixedLayoutModel *>(model);
    QHash<const Par *, quint32> addresses;
    if (fixed) {
        for (const FixedPage::Placement &p : fixed->placements())
            if (p.editor && !addresses.contains(p.editor))
                addresses.insert(p.editor, p.address);
    }
    const QMap<quint32, QString> &help = DeviceCfg::helpMap();
    for (Section &section : m_sections) {
        section.checked = checked.value(section.content, false);
        // A section never opened is searched by the labels and help of the values it will hold.
        QVector<quint32> unmade;
        if (model && model->unbuiltValues(section.content, &unmade)) {
            for (quint32 key : qAsConst(unmade)) {
                Entry e;
                e.button = section.button;
                e.content = section.content;
                e.unmade = true;
                e.text = plainWords(model->parName(key) + QLatin1Char(' ') + help.value(model->helpKey(key)));
                if (!e.text.isEmpty())
                    m_entries.append(e);
            }
            continue;
        }
        const auto editors = section.content->findChildren<Par *>();
        for (Par *editor : editors) {
            if (explicitlyHidden(editor) || insideOtherEditor(editor, section.content))
                continue;
            Entry e;
            e.editor = editor;
            e.button = section.button;
            e.content = section.content;
            for (QWidget *w = editor->parentWidget(); w && w != section.content; w = w->parentWidget()) {
                if (auto *box = qobject_cast<QGroupBox *>(w)) {
                    e.group = box;
                    break;
                }
            }
            if (e.group && !m_groups.contains(e.group))
                m_groups.append(e.group);
            auto at = addresses.constFind(editor);
            if (at != addresses.constEnd()) {
                e.text = plainWords(fixed->parName(*at) + QLatin1Char(' ')
                                    + help.value(fixed->helpKey(*at)));
            } else {
                // Editors the model does not place itself are found by the titles they show.
                QString titles;
                for (QLabel *label : editor->findChildren<QLabel *>(QStringLiteral("label")))
                    titles += label->text() + QLatin1Char(' ');
                e.text = plainWords(titles);
            }
            if (!e.text.isEmpty())
                m_entries.append(e);
        }
    }
    m_indexed = true;
}

bool PageSearch::prepareStep(DeviceCfg *model)
{
    // Sections never opened get their editors one per step (a search makes those it shows
    // when it comes first), then the page is indexed.
    if (!m_indexed && model && model->buildNextTab())
        return true;
    if (!m_indexed) {
        index(model);
        return true;
    }
    while (m_prepared < m_sections.size()) {
        QWidget *content = m_sections.at(m_prepared++).content;
        if (!content || content->isVisible())
            continue;
        content->ensurePolished();
        // Innermost first: each layout then finds the size hints of what it holds computed.
        const auto layouts = content->findChildren<QLayout *>();
        for (auto it = layouts.crbegin(); it != layouts.crend(); ++it)
            (*it)->activate();
        if (content->layout())
            content->layout()->activate();
        return true;
    }
    return false;
}

int PageSearch::search(DeviceCfg *model, const QString &text)
{
    const QStringList words = text.simplified().toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty()) {
        restore();
        return 0;
    }
    if (!m_indexed)
        index(model);
    if (!m_saved) {
        m_saved = true;
        m_scroll = m_area->verticalScrollBar()->value();
        for (Section &s : m_sections)
            s.checked = s.button && s.button->isChecked();
    }
    QVector<int> found = matching(words);
    // Sections never opened that hold a match get their editors, and the page is indexed again.
    QSet<QWidget *> unmade;
    for (int i : qAsConst(found))
        if (m_entries.at(i).unmade)
            unmade.insert(m_entries.at(i).content);
    if (model && !unmade.isEmpty()) {
        for (int i : qAsConst(m_matches))
            mark(m_entries.at(i).editor, 0);
        m_matches.clear();
        for (QWidget *content : qAsConst(unmade))
            model->buildTab(content);
        index(model);
        found = matching(words);
    }
    QSet<QWidget *> sections;
    QSet<QGroupBox *> groups;
    for (int i : qAsConst(found)) {
        sections.insert(m_entries.at(i).content);
        if (m_entries.at(i).group)
            groups.insert(m_entries.at(i).group);
    }
    for (int i : qAsConst(m_matches))
        if (!found.contains(i))
            mark(m_entries.at(i).editor, 0);
    for (int i : qAsConst(found))
        mark(m_entries.at(i).editor, 1);
    m_matches = found;

    for (const Section &s : qAsConst(m_sections)) {
        if (!s.button || !s.content)
            continue;
        const bool holds = sections.contains(s.content);
        s.button->setVisible(holds);
        if (!s.exclusive) {
            const QSignalBlocker block(s.button);
            s.button->setChecked(holds);
            s.content->setVisible(holds);
        }
    }
    for (const QPointer<QGroupBox> &g : qAsConst(m_groups))
        if (g)
            g->setVisible(groups.contains(g));
    m_current = m_matches.isEmpty() ? -1 : 0;
    showCurrent();
    return m_matches.size();
}

QVector<int> PageSearch::matching(const QStringList &words) const
{
    QVector<int> found;
    for (int i = 0; i < m_entries.size(); ++i) {
        const Entry &e = m_entries.at(i);
        if (!e.editor && !e.unmade)
            continue;
        const bool all = std::all_of(words.begin(), words.end(), [&e](const QString &w) { return e.text.contains(w); });
        if (all)
            found.append(i);
    }
    return found;
}

void PageSearch::step(int direction)
{
    const int n = m_matches.size();
    if (n == 0)
        return;
    if (m_current >= 0)
        mark(m_entries.at(m_matches.at(m_current)).editor, 1);
    m_current = ((m_current + direction) % n + n) % n;
    showCurrent();
}

void PageSearch::showCurrent()
{
    m_overlay->show();
    m_overlay->raise();
    m_overlay->update();
    Par *editor = currentEditor();
    if (!editor) {
        if (m_matches.isEmpty())
            m_area->verticalScrollBar()->setValue(0);
        return;
    }
    mark(editor, 2);
    const Entry &e = m_entries.at(m_matches.at(m_current));
    // The dynamic page shows one tab at a time: the match's tab is selected as by a click.
    if (e.button && e.button->isCheckable() && !e.button->isChecked()
        && e.button->objectName() != QLatin1String("tabButton"))
        e.button->setChecked(true);
    settle();
    for (QWidget *w = editor->parentWidget(); w; w = w->parentWidget())
        if (auto *area = qobject_cast<QScrollArea *>(w))
            if (area->widget() && area->widget()->isAncestorOf(editor))
                area->ensureWidgetVisible(editor, 0, 40);
}

void PageSearch::restore()
{
    if (!m_saved)
        return;
    m_saved = false;
    for (int i : qAsConst(m_matches))
        mark(m_entries.at(i).editor, 0);
    m_matches.clear();
    m_current = -1;
    QPushButton *reselect = nullptr;
    for (const Section &s : qAsConst(m_sections)) {
        if (!s.button || !s.content)
            continue;
        s.button->show();
        if (s.exclusive) {
            if (s.checked)
                reselect = s.button;
        } else {
            const QSignalBlocker block(s.button);
            s.button->setChecked(s.checked);
            s.content->setVisible(s.checked);
        }
    }
    for (const Section &s : qAsConst(m_sections)) {
        // On the dynamic page the tab shown before comes back (or none, as before).
        if (s.exclusive && s.button && s.button->isChecked() && s.button != reselect)
            s.button->setChecked(false);
    }
    if (reselect && !reselect->isChecked())
        reselect->setChecked(true);
    for (const QPointer<QGroupBox> &g : qAsConst(m_groups))
        if (g)
            g->show();
    settle();
    m_area->verticalScrollBar()->setValue(m_scroll);
    if (m_overlay)
        m_overlay->hide();
}

QList<Par *> PageSearch::matches() const
{
    QList<Par *> list;
    for (int i : m_matches)
        list.append(m_entries.at(i).editor);
    return list;
}

Par *PageSearch::currentEditor() const
{
    if (m_current < 0 || m_current >= m_matches.size())
        return nullptr;
    return m_entries.at(m_matches.at(m_current)).editor;
}

void PageSearch::mark(Par *editor, int mark)
{
    if (!editor || editor->property(MarkProperty).toInt() == mark)
        return;
    editor->setProperty(MarkProperty, mark);
}

void PageSearch::settle()
{
    // Sections just opened have no geometry until their layouts ran; a few rounds reach the
    // scroll area through every nesting level.
    for (int i = 0; i < 8; ++i)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}
