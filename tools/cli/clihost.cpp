#include "clihost.h"
#include "devices/devicecfg.h"
#include "link/devio.h"
#include <cstdio>
#include <unistd.h>

TerminalProgress::TerminalProgress() : m_terminal(isatty(fileno(stderr))) {}

void TerminalProgress::setLabel(const QString &label)
{
    finish();
    m_label = label;
}

void TerminalProgress::finish()
{
    if (m_shown >= 0)
        std::fputc('\n', stderr);
    m_shown = -1;
}

void TerminalProgress::setMaximum(int maximum)
{
    m_maximum = maximum;
}

void TerminalProgress::setValue(int value)
{
    m_value = value;
    if (!m_terminal || m_maximum <= 0)
        return;
    const int percent = int(qBound(0LL, 100LL * value / m_maximum, 100LL));
    if (percent == m_shown)
        return;
    m_shown = percent;
    std::fprintf(stderr, "\r%s %3d%%", m_label.toUtf8().constData(), percent);
    std::fflush(stderr);
}

DevIo *CliHost::link() const { return currentLink(); }

void CliHost::updateDevice()
{
    if (DeviceCfg *model = DeviceCfg::current())
        model->writeDevice(&m_progress);
}

void CliHost::updateTexts(int count)
{
    if (DeviceCfg *model = DeviceCfg::current())
        model->writeTexts(&m_progress, count);
}
