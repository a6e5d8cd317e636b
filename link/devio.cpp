#include "link/devio.h"
#include "app/prompt.h"
#include "devices/devicecfg.h"
#include <QPointer>

bool scanEnabled = true;

static QPointer<DevIo> s_currentLink;

DevIo *currentLink() { return s_currentLink.data(); }

void setCurrentLink(DevIo *link) { s_currentLink = link; }

DevIo::DevIo(QObject *parent) : QObject(parent) {}

bool DevIo::finishFirmware() { return false; }

bool DevIo::writeFirmware(quint16, const QByteArray &) { return false; }

void DevIo::clearIdentity()
{
    word0 = word1 = word2 = 0;
    versionText.clear();
}

bool DevIo::acceptIdentity(const QString &errorTitle)
{
    if (DeviceCfg::selectModel(word0, word1, word2))
        return true;
    prompt()->message(Prompt::Icon::Information, errorTitle,
                      tr("Incompatible version: %1 %2 %3.")
                          .arg(word0, 0, 16)
                          .arg(word1, 0, 16)
                          .arg(word2, 0, 16));
    return false;
}
