#include "link/devio.h"
#include "base/host.h"
#include "link/linkcancel.h"
#include "base/logging.h"
#include "base/prompt.h"
#include <QPointer>

bool scanEnabled = true;

static QPointer<DevIo> s_currentLink;

DevIo *currentLink() { return s_currentLink.data(); }

void setCurrentLink(DevIo *link) { s_currentLink = link; }

DevIo::DevIo(QObject *parent) : QObject(parent)
{
    // Models asking the do-nothing host for the link get the current one.
    setCurrentLinkSource(&currentLink);
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, &DevIo::idleCheckDue);
    connect(this, &DevIo::connected, this, [this] {
        m_live = true;
        m_failures = 0;
        m_stoppedAnswering = false;
        if (m_idleMs > 0)
            m_idle.start(m_idleMs);
    });
    connect(this, &DevIo::disconnected, this, [this] {
        m_live = false;
        m_idle.stop();
    });
}

void DevIo::closeLink() {}

bool DevIo::describe(int, Found *) const { return false; }

void DevIo::setIdleCheck(int ms)
{
    m_idleMs = qMax(0, ms);
    if (m_idleMs > 0 && m_live)
        m_idle.start(m_idleMs);
    else if (m_idleMs == 0)
        m_idle.stop();
}

void DevIo::idleCheckDue()
{
    if (!m_live || m_idleMs <= 0)
        return;
    // An operation waiting for its answer is what this check would find out: let it.
    if (exchanging()) {
        m_idle.start(m_idleMs);
        return;
    }
    const bool there = stillThere();
    if (!there)
        qCDebug(lcLink, "Error idle check: the board did not answer");
    track(there);
    if (m_live && m_idleMs > 0)
        m_idle.start(m_idleMs);
}

bool DevIo::track(bool ok)
{
    // Any operation shows the board is used: the idle check waits for a quiet spell.
    if (m_live && m_idleMs > 0)
        m_idle.start(m_idleMs);
    if (ok) {
        m_failures = 0;
        return true;
    }
    ++m_failedTotal;
    if (m_batchDepth > 0)
        m_batchFailed = true;
    // An operation the user cancelled says nothing of whether the board answers.
    if (LinkCancel::requested())
        return false;
    if (m_live && ++m_failures >= MaxFailures) {
        qCDebug(lcLink, "%d operations failed in a row: the board is taken as gone", m_failures);
        m_failures = 0;
        m_stoppedAnswering = true;
        closeLink();
    }
    return false;
}

bool DevIo::retried(const char *what, const std::function<bool()> &attempt)
{
    // Every operation gets all its attempts, also after one that failed: a board that was
    // busy (storing, say) holds back the answers after the late one, and the next operation
    // must be able to wait them out.
    for (int n = 1;; ++n) {
        if (attempt())
            return true;
        if (n >= MaxAttempts || !linkUp() || LinkCancel::requested())
            return false;
        qCDebug(lcLink, "Retry %s (attempt %d of %d)", what, n + 1, MaxAttempts);
    }
}

void DevIo::beginBatch()
{
    if (m_batchDepth++ == 0)
        m_batchFailed = false;
}

bool DevIo::endBatch()
{
    if (m_batchDepth <= 0 || --m_batchDepth > 0)
        return !m_batchFailed;
    if (m_batchFailed)
        return false;
    return track(confirmWrites());
}

bool DevIo::finishFirmware() { return false; }

bool DevIo::writeFirmware(quint16, const QByteArray &) { return false; }

void DevIo::clearIdentity()
{
    word0 = word1 = word2 = 0;
    versionText.clear();
    unknownBoard = false;
}

namespace {
// Constant-initialised: set by the first model made, whatever the order of start-up.
DevIo::IdentityJudge s_judge = nullptr;
} // namespace

void DevIo::setIdentityJudge(IdentityJudge judge) { s_judge = judge; }

bool DevIo::acceptIdentity(const QString &errorTitle)
{
    unknownBoard = false;
    if (s_judge && s_judge(word0, word1, word2))
        return true;
    unknownBoard = true;
    prompt()->message(Prompt::Icon::Information, errorTitle,
                      tr("Incompatible version: %1 %2 %3.")
                              .arg(word0, 0, 16)
                              .arg(word1, 0, 16)
                              .arg(word2, 0, 16)
                          + QLatin1Char('\n')
                          + tr("The board answered, but this version of the program has no model for it."));
    return false;
}
