// The main window's session: the open board's state, its snapshots and the offline file.
#include "app/session.h"
#include "app/machines.h"
#include "devices/devicecfg.h"
#include "link/devio.h"
#include "link/tcpio.h"
#include "link/usbio.h"
#include <QCoreApplication>

namespace {

// Texts the session had while it was part of the window keep the window's translations.
QString windowText(const char *text) { return QCoreApplication::translate("MainDialog", text); }

} // namespace

Session::Session(QObject *parent) : QObject(parent) {}

void Session::beginOpen(DevIo *link, int uid, bool network)
{
    m_opening = true;
    m_openLink = link;
    m_openUid = uid;
    m_netUid = network ? uid : -1;
}

void Session::openEnded(bool opened)
{
    m_opening = false;
    if (!opened && !m_connected) {
        m_netUid = -1;
        m_openLink = nullptr;
    }
}

void Session::boardConnected()
{
    m_connected = true;
    m_snapshots.forgetMachine();
}

void Session::boardGone()
{
    m_connected = false;
    m_netUid = -1;
    m_openLink = nullptr;
}

void Session::setPageHeld(bool held)
{
    m_pageHeld = held;
    Q_EMIT pageHeldChanged(held);
}

void Session::readSucceeded()
{
    m_readFailed = false;
    m_changeRefused = false;
    m_pageFromBoard = true;
    m_offlineFile.clear();
    m_offlineEdited = false;
}

void Session::setUnstored(bool unstored)
{
    m_unstored = unstored && m_connected;
    Q_EMIT unstoredChanged();
}

void Session::modelChosen()
{
    m_offlineFile.clear();
    m_pageFromBoard = false;
    m_offlineEdited = false;
    m_readFailed = false;
}

void Session::fileLoaded(const QString &path)
{
    m_readFailed = false;
    m_pageFromBoard = false;
    fileSaved(path);
}

void Session::fileSaved(const QString &path)
{
    m_offlineFile = path;
    m_offlineEdited = false;
}

void Session::takeSnapshot()
{
    DeviceCfg *model = DeviceCfg::current();
    if (!model || !currentLink() || !model->keepsConfiguration())
        return;
    // Which machine it is is settled at the first snapshot of the connection, asked if need be.
    m_snapshots.take(model, currentOrigin(), [](const BoardOrigin &origin, DeviceCfg *m) {
        return std::optional<Machine>(Machines().resolve(origin, m));
    });
}

void Session::keepLastSnapshot()
{
    // One the board did not take whole (a change it refused) is not its configuration.
    if (!machine() || m_readFailed || !m_pageFromBoard || m_changeRefused)
        return;
    takeSnapshot();
}

BoardOrigin Session::currentOrigin() const
{
    DeviceCfg *model = DeviceCfg::current();
    return model ? originOf(model, currentLink(), m_netUid) : BoardOrigin();
}

BoardOrigin Session::originOf(DeviceCfg *model, DevIo *link, int netUid)
{
    BoardOrigin origin;
    if (!link)
        return origin;
    if (model)
        origin.title = model->title();
    origin.words[0] = link->word0;
    origin.words[1] = link->word1;
    origin.words[2] = link->word2;
    origin.path = pathOf(link, netUid);
    if (auto *usb = qobject_cast<UsbIo *>(link)) {
        origin.link = usb->udpPeer().isNull() ? QStringLiteral("usb") : QStringLiteral("udp");
    } else if (auto *tcp = qobject_cast<TcpIo *>(link)) {
        origin.link = QStringLiteral("tcp");
        if (netUid >= 0 && netUid < tcp->foundBoards().size())
            origin.controller = tcp->foundBoards().at(netUid).name;
    }
    return origin;
}

QString Session::path() const { return pathOf(currentLink(), m_netUid); }

QString Session::pathOf(DevIo *link, int netUid)
{
    if (auto *usb = qobject_cast<UsbIo *>(link)) {
        if (!usb->udpPeer().isNull())
            return windowText("UDP bridge path, %1").arg(usb->udpPeer().toString());
        return windowText("USB");
    }
    if (auto *tcp = qobject_cast<TcpIo *>(link)) {
        const QList<TcpIo::Entry> &found = tcp->foundBoards();
        if (netUid >= 0 && netUid < found.size())
            return windowText("network bridge, %1").arg(found.at(netUid).address.toString());
        return windowText("network bridge");
    }
    return QString();
}
