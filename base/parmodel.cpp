#include "base/parmodel.h"
#include "base/configwatch.h"
#include "base/host.h"
#include "base/scale.h"

namespace {
ParModel *s_current = nullptr;
int s_pageBuilding = 0;
} // namespace

ParModel::~ParModel()
{
    if (s_current == this)
        s_current = nullptr;
}

QVariant ParModel::parProperty(quint32, const QString &) { return QVariant(); }

bool ParModel::set(quint32 key, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return false;
    const QByteArray before = value(key, bytes.size());
    if (before.size() != bytes.size() || !store(key, bytes))
        return false;
    return send(key, bytes.size(), before, bytes);
}

bool ParModel::send(quint32 key, int size, const QByteArray &before, const QByteArray &after)
{
    if (s_pageBuilding != 0)
        return true;
    const bool taken = changed(key, size);
    ConfigWatch::touch();
    host()->changeSent(key, before, after);
    return taken;
}

ParModel *ParModel::current() { return s_current; }

void ParModel::setCurrent(ParModel *model) { s_current = model; }

bool ParModel::notifyChange(quint32 key, int size, const QByteArray &before)
{
    if (!s_current)
        return true;
    return s_current->send(key, size, before, before.isEmpty() ? QByteArray() : s_current->value(key, size));
}

int ParModel::pageBuilding() { return s_pageBuilding; }

QString ParModel::helpLink(quint32 key)
{
    return QStringLiteral(" <a href=\"#ln%1\"><img width=%2 src=\"%3\"/></a>")
        .arg(key)
        .arg(scaled(16))
        .arg(QLatin1String(HelpIcon));
}

PageBuildGuard::PageBuildGuard() { ++s_pageBuilding; }

PageBuildGuard::~PageBuildGuard() { --s_pageBuilding; }
