#include "base/host.h"
#include "base/progress.h"

namespace {

// Constant-initialised, so that a link made during start-up finds it in place.
DevIo *(*s_linkSource)() = nullptr;

class NullHost : public Host
{
public:
    DevIo *link() const override { return s_linkSource ? s_linkSource() : nullptr; }
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

void setCurrentLinkSource(DevIo *(*source)()) { s_linkSource = source; }
