#include "devices/configwatch.h"
#include <QCoreApplication>
#include <QTimer>

ConfigWatch *ConfigWatch::instance()
{
    static ConfigWatch watch;
    return &watch;
}

void ConfigWatch::touch()
{
    ConfigWatch *w = instance();
    // Tools without an event loop have no views to tell.
    if (w->m_pending || !QCoreApplication::instance())
        return;
    w->m_pending = true;
    QTimer::singleShot(0, w, [w] {
        w->m_pending = false;
        Q_EMIT w->changed();
    });
}
