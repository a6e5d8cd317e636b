// Marks, tooltips and the reset of values changed from factory, from the factory compare.
#include "app/factorymarks.h"
#include "base/configwatch.h"
#include "devices/fixedlayoutmodel.h"
#include "devices/modeldiff.h"
#include "editors/par.h"
#include <QEvent>
#include <QLabel>
#include <QMenu>

namespace {

// The marker in the editor's top right corner.
class DefaultMark : public QLabel
{
public:
    explicit DefaultMark(Par *editor) : QLabel(editor)
    {
        setObjectName(QStringLiteral("factoryMark"));
        setFixedSize(8, 8);
        setStyleSheet(QStringLiteral("background: #e08a00; border-radius: 4px;"));
        editor->installEventFilter(this);
        place();
        show();
        raise();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == QEvent::Resize)
            place();
        return QLabel::eventFilter(watched, event);
    }

private:
    void place() { move(parentWidget()->width() - width() - 1, 1); }
};

FixedLayoutModel *currentModel()
{
    return qobject_cast<FixedLayoutModel *>(ModelDiff::comparable(DeviceCfg::current()));
}

// The differences of the values the editor is bound to.
QList<ParamDifference> differencesOf(const QList<ParamDifference> &all, const FixedPage::Placement &p)
{
    QList<ParamDifference> out;
    for (const ParamDifference &d : all)
        if (d.site.address == p.address || (p.second && d.site.address == p.second))
            out.append(d);
    return out;
}

const FixedPage::Placement *placementOf(const FixedLayoutModel *model, const Par *editor)
{
    for (const FixedPage::Placement &p : model->placements())
        if (p.editor == editor)
            return &p;
    return nullptr;
}

} // namespace

FactoryMarks::FactoryMarks(QWidget *page, QObject *parent) : QObject(parent), m_page(page)
{
    connect(ConfigWatch::instance(), &ConfigWatch::changed, this, &FactoryMarks::update);
}

void FactoryMarks::update()
{
    if (!m_page)
        return;
    FixedLayoutModel *model = currentModel();
    const bool mine = model && !model->placements().isEmpty()
        && m_page->isAncestorOf(model->placements().constFirst().editor);
    const QList<ParamDifference> all = mine ? ModelDiff::compareWithFactory(model) : QList<ParamDifference>();
    const QByteArray defaults = mine ? ModelDiff::factory(model) : QByteArray();
    QList<Par *> marked;
    if (mine) {
        for (const FixedPage::Placement &p : model->placements()) {
            Par *editor = p.editor;
            if (!editor)
                continue;
            if (!editor->property("factoryMenu").toBool()) {
                editor->setProperty("factoryMenu", true);
                editor->setContextMenuPolicy(Qt::CustomContextMenu);
                connect(editor, &QWidget::customContextMenuRequested, this,
                        [this, editor](const QPoint &pos) { showMenu(editor, pos); });
            }
            const QList<ParamDifference> diffs = differencesOf(all, p);
            if (diffs.isEmpty())
                continue;
            QStringList values;
            for (const ParamDifference &d : diffs)
                values << d.b;
            const QString tip = tr("Changed from the factory default: %1").arg(values.join(QStringLiteral("; ")));
            auto *mark = editor->findChild<QLabel *>(QStringLiteral("factoryMark"), Qt::FindDirectChildrenOnly);
            if (!mark)
                mark = new DefaultMark(editor);
            mark->setToolTip(tip);
            editor->setProperty("defaultTip", tip);
            if (!editor->unsent())
                editor->setToolTip(tip);
            marked.append(editor);
        }
    }
    // Marks of values that are back at their defaults go.
    for (QLabel *mark : m_page->findChildren<QLabel *>(QStringLiteral("factoryMark"))) {
        auto *editor = qobject_cast<Par *>(mark->parentWidget());
        if (editor && marked.contains(editor))
            continue;
        if (editor) {
            editor->setProperty("defaultTip", QVariant());
            if (!editor->unsent())
                editor->setToolTip(QString());
        }
        delete mark;
    }
}

bool FactoryMarks::reset(Par *editor)
{
    FixedLayoutModel *model = currentModel();
    const FixedPage::Placement *p = model ? placementOf(model, editor) : nullptr;
    if (!p)
        return false;
    const QByteArray defaults = ModelDiff::factory(model);
    const QList<ParamDifference> diffs = differencesOf(ModelDiff::compareWithFactory(model), *p);
    bool any = false;
    bool written = true;
    for (const ParamDifference &d : diffs) {
        const QByteArray bytes = ModelDiff::fixedBytes(model, defaults, d);
        if (bytes.isEmpty())
            continue;
        any = true;
        written &= editor->sendChange(d.site.address, bytes);
    }
    editor->refresh();
    ConfigWatch::touch();
    return any && written;
}

void FactoryMarks::showMenu(Par *editor, const QPoint &pos)
{
    FixedLayoutModel *model = currentModel();
    const FixedPage::Placement *p = model ? placementOf(model, editor) : nullptr;
    bool restorable = false;
    if (p) {
        for (const ParamDifference &d : differencesOf(ModelDiff::compareWithFactory(model), *p))
            restorable |= ModelDiff::restorable(d);
    }
    auto *menu = new QMenu(editor);
    menu->setObjectName(QStringLiteral("editorMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *action = menu->addAction(tr("Reset to default"));
    action->setObjectName(QStringLiteral("actResetDefault"));
    action->setEnabled(restorable);
    QPointer<Par> target(editor);
    // Once the menu is gone: sending waits for the board's answer, and the menu must not be
    // taken down under its own feet meanwhile.
    connect(
        action, &QAction::triggered, this,
        [this, target] {
            if (target)
                reset(target);
        },
        Qt::QueuedConnection);
    if (listAll) {
        QAction *all = menu->addAction(tr("All values changed from factory..."));
        all->setObjectName(QStringLiteral("actListChanged"));
        connect(all, &QAction::triggered, this, [this] { listAll(); }, Qt::QueuedConnection);
    }
    menu->popup(editor->mapToGlobal(pos));
}
