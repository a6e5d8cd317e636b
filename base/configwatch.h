// Tells the views that show a model's values beside the page (the compare view, the marks of
// values changed from factory) that the values may have changed: a change sent, a read, a load.
#pragma once
#include <QObject>
#include <QTimer>

class ConfigWatch : public QObject
{
    Q_OBJECT
public:
    // The one watch, owned by the application object; null without one.
    static ConfigWatch *instance();
    // Announces a change; any number of them before the event loop runs again make one signal.
    static void touch();

Q_SIGNALS:
    void changed();

private:
    explicit ConfigWatch(QObject *parent);
    QTimer m_pending;
};
