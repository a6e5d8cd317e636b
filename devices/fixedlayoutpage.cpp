// The page of a fixed-layout model: its data settled from the table, then its tabs, whose
// editors are made at once or when a tab is first shown.
#include "devices/factoryimage.h"
#include "devices/fixedlayoutmodel.h"
#include "editors/textpool.h"
#include <QLayout>
#include <QWidget>
#include <algorithm>
#include <climits>

void FixedLayoutModel::buildPage(QWidget *container)
{
    if (!table() || !m_layout.bitLists)
        return;
    const BoardFeatures features = board();
    const BitLists bits = m_layout.bitLists(features);
    {
        PageBuildGuard building;
        giveErasedValues(features);
        m_page = std::make_unique<FixedPage>(*this, m_layout.table(), features, bits);
        m_page->onFirstShow = [this](QWidget *content) { buildTab(content); };
        m_page->build(container, tabsBuiltWhenShown());
        m_placements = m_page->placements();
    }
    finishPage();
}

void FixedLayoutModel::buildTab(QWidget *content)
{
    // Contents on screen are filled hidden and shown again, so that they are laid out once.
    const bool shown = content->isVisible();
    if (shown)
        content->hide();
    {
        // Editors change nothing when made: a value erased since the page was built (by a
        // read or a load) stays as the board or file has it.
        PageBuildGuard building;
        if (!m_page || !m_page->fill(content)) {
            if (shown)
                content->show();
            return;
        }
        m_placements = m_page->placements();
    }
    keepFocusOrder(content);
    if (shown)
        content->show();
    Q_EMIT tabBuilt();
}

// Widgets made later join the end of the window's focus chain: the editors of a section are
// put back among the other sections' in page order, so that Tab moves down the page whatever
// order the sections were opened in.
void FixedLayoutModel::keepFocusOrder(QWidget *content)
{
    QWidget *page = content->parentWidget();
    if (!page || !page->layout())
        return;
    const int at = page->layout()->indexOf(content);
    QWidget *before = nullptr;    // the last focus widget of a section above
    QWidget *after = nullptr;     // the first focus widget of a section below
    int afterAt = INT_MAX;
    QVector<QWidget *> made;
    QWidget *start = page->window();
    QWidget *w = start;
    for (int guard = 0; guard < 100000; ++guard) {
        w = w->nextInFocusChain();
        if (!w || w == start)
            break;
        if (!(w->focusPolicy() & Qt::TabFocus) || !page->isAncestorOf(w))
            continue;
        if (content->isAncestorOf(w)) {
            made.append(w);
            continue;
        }
        QWidget *section = w;
        while (section->parentWidget() != page)
            section = section->parentWidget();
        const int index = page->layout()->indexOf(section);
        if (index < at)
            before = w;
        else if (index > at && index < afterAt) {
            after = w;
            afterAt = index;
        }
    }
    // Below a section: after the last widget before it that takes focus at all (the chain
    // cannot be joined at one that takes none).
    QWidget *previous = before;
    if (!previous && after) {
        previous = after->previousInFocusChain();
        for (int guard = 0; previous && previous != after && previous->focusPolicy() == Qt::NoFocus && guard < 100000; ++guard)
            previous = previous->previousInFocusChain();
        if (previous == after || made.contains(previous))
            previous = nullptr;
    }
    if (!previous || made.isEmpty())
        return;
    for (QWidget *m : qAsConst(made)) {
        QWidget::setTabOrder(previous, m);
        previous = m;
    }
}

bool FixedLayoutModel::buildNextTab()
{
    const QVector<QWidget *> contents = m_page ? m_page->unfilled() : QVector<QWidget *>();
    if (contents.isEmpty())
        return false;
    buildTab(contents.first());
    return true;
}

void FixedLayoutModel::giveErasedValues(const BoardFeatures &features)
{
    // The page's data is settled before any editor is made: erased values take their defaults
    // and the pool holds every text of the page, so no editor changes the image when it is
    // built, whenever that is.
    TextPool &pool = TextPool::global();
    pool.setGeometry(image(), m_layout.textBase, m_layout.textSize,
                     m_layout.textUpward ? TextPool::Direction::Up : TextPool::Direction::Down);
    QVector<FactoryImage::PageText> texts =
        FactoryImage::giveErased(m_layout, features, m_image.data(), m_nv.data());
    texts.erase(std::remove_if(texts.begin(), texts.end(),
                               [](const FactoryImage::PageText &t) { return t.word + 1 >= quint32(ImageSize); }),
                texts.end());
    QVector<quint8 *> words;
    for (const FactoryImage::PageText &t : texts)
        words.append(m_image.data() + t.word);
    const QVector<TextRecord *> records = pool.setPageTexts(words);
    QVector<std::pair<TextRecord *, QString>> erased;
    for (int i = 0; i < texts.size(); ++i)
        if (texts.at(i).erased)
            erased.append({records.at(i), texts.at(i).text});
    if (!erased.isEmpty())
        pool.store(erased);
}
