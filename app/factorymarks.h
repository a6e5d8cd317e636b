// The marks of the page's editors whose values differ from the model's factory defaults: a small
// marker with the default in its tooltip, and "Reset to default" in the editor's context menu,
// which sends the default at once as an edit would.
#pragma once
#include <QObject>
#include <QPointer>
#include <functional>

class Par;
class QPoint;
class QWidget;

class FactoryMarks : public QObject
{
    Q_OBJECT
public:
    // page: the container the current model's page is built in.
    explicit FactoryMarks(QWidget *page, QObject *parent = nullptr);

    // Marks the editors of the current page as the values stand now; called whenever they
    // may have changed.
    void update();
    // Puts the factory default of the editor's values back and sends it; false when the
    // editor has none that can be put back on its own or a write failed.
    bool reset(Par *editor);

    // Lists every value changed from factory (the context menu's second entry); set by the window.
    std::function<void()> listAll;

private:
    void showMenu(Par *editor, const QPoint &pos);

    QPointer<QWidget> m_page;
};
