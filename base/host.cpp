#include "base/host.h"
#include "base/progress.h"
#include "link/devio.h"

namespace {

class NullHost : public Host
{
public:
    DevIo *link() const override { return currentLink(); }
    Progress *progress() override { return &m_progress; }
    void updateDevice() override {}
    void updateTexts(int) override {}
    void showHelp(const QString &) override {}
    void scrollToTab(QWidget *) override {}

private:
    CountingProgress m_progress;
};

NullHost s_nullHost;
Host *s_host = nullptr;

} // namespace

void Host::showProgress(const QString &)
{
    if (Progress *p = progress())
        p->setValue(0);
}

Host *host() { return s_host ? s_host : &s_nullHost; }

void setHost(Host *h) { s_host = h; }
