#include "link/devio.h"
#include "app/logging.h"
#include "app/prompt.h"
#include "devices/devicecfg.h"
#include <QPointer>

bool scanEnabled = true;

static QPointer<DevIo> s_currentLink;

DevIo *currentLink() { return s_currentLink.data(); }

void setCurrentLink(DevIo *link) { s_currentLink = link; }

DevIo::DevIo(QObject *parent) : QObject(parent)
{
    connect(this, &DevIo::connected, this, [this] {
        m_live = true;
        m_failures = 0;
        m_stoppedAnswering = false;
    });
    connect(this, &DevIo::disconnected, this, [this] { m_live = false; });
}

void DevIo::closeLink() {}

bool DevIo::track(bool ok)
{
    if (ok) {
        m_failures = 0;
        return true;
    }
    ++m_failedTotal;
    if (m_batchDepth > 0)
        m_batchFailed = true;
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
        if (n >= MaxAttempts || !linkUp())
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

bool DevIo::acceptIdentity(const QString &errorTitle)
{
    unknownBoard = false;
    if (DeviceCfg::selectModel(word0, word1, word2))
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
