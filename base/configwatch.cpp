#include "base/configwatch.h"
#include <QCoreApplication>
#include <QPointer>

ConfigWatch::ConfigWatch(QObject *parent) : QObject(parent)
{
    m_pending.setSingleShot(true);
    m_pending.setInterval(0);
    connect(&m_pending, &QTimer::timeout, this, &ConfigWatch::changed);
}

ConfigWatch *ConfigWatch::instance()
{
    static QPointer<ConfigWatch> watch;
    if (!watch && QCoreApplication::instance())
        watch = new ConfigWatch(QCoreApplication::instance());
    return watch;
}

void ConfigWatch::touch()
{
    // Tools without an application object have no views to tell.
    if (ConfigWatch *w = instance(); w && !w->m_pending.isActive())
        w->m_pending.start();
}
