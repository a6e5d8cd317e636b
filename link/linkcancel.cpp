// The cancel state is process-wide: there is one window and one link operation at a time.
#include "link/linkcancel.h"
#include "base/logging.h"

namespace {

int s_depth = 0;
bool s_requested = false;
bool s_gated = false;

} // namespace

LinkCancel *LinkCancel::instance()
{
    static LinkCancel one;
    return &one;
}

void LinkCancel::request()
{
    if (s_depth == 0 || s_requested)
        return;
    qCDebug(lcLink, "Operation cancelled");
    s_requested = true;
    Q_EMIT instance()->cancelled();
}

bool LinkCancel::requested() { return s_requested; }

QEventLoop::ProcessEventsFlags LinkCancel::waitFlags()
{
    return s_gated ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
}

void LinkCancel::setInputGated(bool on) { s_gated = on; }

bool LinkCancel::operationRunning() { return s_depth > 0; }

LinkCancel::Operation::Operation()
{
    if (s_depth++ == 0)
        s_requested = false;
}

LinkCancel::Operation::~Operation()
{
    if (--s_depth == 0)
        s_requested = false;
}
