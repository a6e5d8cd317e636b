#include "devices/devicecfg.h"
#include "base/logging.h"
#include "link/devio.h"

static DeviceCfg *s_first = nullptr;

DeviceCfg::DeviceCfg(QObject *parent) : QObject(parent)
{
    // The links ask the model list which model takes a board they open.
    DevIo::setIdentityJudge(&DeviceCfg::selectModel);
    DeviceCfg **link = &s_first;
    while (*link)
        link = &(*link)->next;
    *link = this;
}

DeviceCfg::~DeviceCfg()
{
    for (DeviceCfg **link = &s_first; *link; link = &(*link)->next) {
        if (*link == this) {
            *link = next;
            break;
        }
    }
    // The interface's own destructor comes later; editors must not reach a half-gone model.
    if (ParModel::current() == this)
        setCurrent(nullptr);
}

bool DeviceCfg::accepts(quint16 w0, quint16 w1, quint16 w2) const
{
    return w0 == word0 && w1 == word1 && w2 == word2;
}

QByteArray DeviceCfg::value(quint32, int) const { return QByteArray(); }

bool DeviceCfg::store(quint32, const QByteArray &) { return false; }

QString DeviceCfg::helpText(quint32 key)
{
    const auto &map = helpMap();
    auto it = map.constFind(key);
    if (it != map.constEnd())
        return *it;
    qCDebug(lcDevice, "No help for parameter %u", key);
    return tr("No help for parameter %1").arg(key);
}

int DeviceCfg::fmFlag() { return 0; }

bool DeviceCfg::setFmFlag(int) { return true; }

DeviceCfg *DeviceCfg::first() { return s_first; }

// Every model of the editors is a device model: the one current pointer lives with the interface.
DeviceCfg *DeviceCfg::current() { return static_cast<DeviceCfg *>(ParModel::current()); }

void DeviceCfg::setCurrent(DeviceCfg *model)
{
    ParModel::setCurrent(model);
}

bool DeviceCfg::selectModel(quint16 w0, quint16 w1, quint16 w2)
{
    qCDebug(lcDevice, "Connected to: %x %x %x", w0, w1, w2);
    // The model in use keeps a board it accepts; any other board goes to the first model that
    // accepts it, so that a board of another generation can follow without a restart.
    DeviceCfg *inUse = current();
    if (inUse && inUse->accepts(w0, w1, w2))
        return true;
    for (DeviceCfg *m = s_first; m; m = m->next) {
        if (m != inUse && m->accepts(w0, w1, w2)) {
            setCurrent(m);
            return true;
        }
    }
    return false;
}

namespace {
int g_tabsWhenShown = 0;
} // namespace

void DeviceCfg::buildAllTabs()
{
    while (buildNextTab()) {
    }
}

bool DeviceCfg::tabsBuiltWhenShown() { return g_tabsWhenShown > 0; }

DeviceCfg::TabsWhenShown::TabsWhenShown() { ++g_tabsWhenShown; }

DeviceCfg::TabsWhenShown::~TabsWhenShown() { --g_tabsWhenShown; }
