// Discovery, opening and closing of the network link; the operations are in tcpioops.cpp.
#include "link/tcpio.h"
#include "base/logging.h"
#include "base/nethosts.h"
#include "base/prompt.h"
#include "link/netdiscovery.h"
#include "link/linkcancel.h"
#include <QEventLoop>
#include <QMutexLocker>
#include <QTcpSocket>
#include <algorithm>

namespace {

int envPort(const char *name, int fallback, int lowest)
{
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok && v >= lowest && v <= 0xFFFF ? v : fallback;
}

QHostAddress envTarget()
{
    const QHostAddress a(qEnvironmentVariable("VANDOR_NET_TARGET"));
    return a.protocol() == QAbstractSocket::IPv4Protocol ? a : QHostAddress(QHostAddress::Broadcast);
}

bool isVersionFrame(const QByteArray &f)
{
    StreamFrame::Identity ignored;
    return StreamFrame::checkVersion(f, &ignored);
}

}  // namespace

TcpIo::TcpIo(QObject *parent)
    : DevIo(parent),
      m_udp(this),
      m_scanTimer(this),
      m_target(envTarget()),
      m_port(quint16(envPort("VANDOR_NET_PORT", NetDiscovery::RequestPort, 1)))
{
    connect(&m_udp, &QUdpSocket::readyRead, this, &TcpIo::pendingUdpData);
    setAnswerPort(configuredAnswerPort());
    m_scanTimer.setInterval(ScanIntervalMs);
    connect(&m_scanTimer, &QTimer::timeout, this, &TcpIo::scan);
    m_scanTimer.start();
    QTimer::singleShot(20, this, &TcpIo::scan);
}

quint16 TcpIo::configuredAnswerPort()
{
    return quint16(envPort("VANDOR_NET_ANSWER_PORT", NetDiscovery::AnswerPort, 0));
}

TcpIo::~TcpIo()
{
    // Going away quietly: no disconnected to a window that may be half destroyed.
    if (m_tcp) {
        m_tcp->disconnect(this);
        m_tcp->abort();
    }
}

bool TcpIo::setAnswerPort(quint16 port)
{
    m_udp.close();
    if (!m_udp.bind(QHostAddress::AnyIPv4, port)) {
        qCDebug(lcTcp, "UDP bind %d: %s", port, qPrintable(m_udp.errorString()));
        return false;
    }
    return true;
}

void TcpIo::scan()
{
    if (!scanEnabled || m_udp.state() != QAbstractSocket::BoundState)
        return;
    const QByteArray request = NetDiscovery::request();
    // Sent from the answer socket: a bridge answers to the request's source port.
    ++m_round;
    // A null target asks nobody (sent as it is, it would reach this machine).
    if (!m_target.isNull())
        m_udp.writeDatagram(request, m_target, m_port);
    const QList<QHostAddress> typed = NetHosts::remembered(QString::fromLatin1(NetHosts::NetKey));
    for (const QHostAddress &host : typed) {
        if (host != m_target)
            m_udp.writeDatagram(request, host, m_port);
    }
    ageOut();
}

void TcpIo::ageOut()
{
    QList<int> quiet, removed;
    for (int i = 0; i < m_found.size(); ++i) {
        Entry &e = m_found[i];
        // Rounds sent since the one it last answered, this one not counted: it may still answer.
        const int missed = m_round - 1 - e.lastRound;
        if (!e.removed && missed >= RemoveRounds) {
            e.removed = e.quiet = true;
            removed << i;
        } else if (!e.quiet && missed >= QuietRounds) {
            e.quiet = true;
            quiet << i;
        }
    }
    QPointer<TcpIo> self(this);
    for (const int i : qAsConst(quiet)) {
        if (!self)
            return;
        Q_EMIT deviceQuiet(i, m_found.at(i).lastSeen);
    }
    for (const int i : qAsConst(removed)) {
        if (!self)
            return;
        Q_EMIT deviceRemoved(i);
    }
}

bool TcpIo::describe(int uid, Found *found) const
{
    if (uid < 0 || uid >= m_found.size())
        return false;
    const Entry &e = m_found.at(uid);
    if (found) {
        *found = Found();
        found->name = e.name;
        found->path = QStringLiteral("tcp");
        found->address = e.address.toString();
        found->bridge = e.kind == Bridge;
    }
    return true;
}

void TcpIo::pendingUdpData()
{
    // Bounded, so that a flood of datagrams cannot hold the GUI thread here.
    for (int n = 0; n < 256 && m_udp.hasPendingDatagrams(); ++n) {
        QByteArray datagram(NetDiscovery::MaxAnswer, '\0');
        QHostAddress from;
        quint16 fromPort = 0;
        const qint64 got = m_udp.readDatagram(datagram.data(), datagram.size(), &from, &fromPort);
        if (got < 0)
            break;
        datagram.truncate(int(got));
        NetDiscovery::Answer answer;
        if (!NetDiscovery::parse(datagram, &answer))
            continue;
        takeAnswer(answer.controller, answer.hasBridge ? answer.bridge : QString(), from, fromPort);
    }
}

int TcpIo::indexOf(const QHostAddress &address, quint16 port, int kind) const
{
    for (int i = 0; i < m_found.size(); ++i) {
        const Entry &e = m_found.at(i);
        if (e.kind == kind && e.port == port && e.address == address)
            return i;
    }
    return -1;
}

bool TcpIo::moveStaleEntries(const QString &controller, const QString &bridge, const QHostAddress &to,
                             quint16 port)
{
    for (const Entry &e : qAsConst(m_found)) {
        // Only a target that missed the last two whole discovery rounds has stopped answering.
        if (e.lastRound > m_round - 1 - QuietRounds)
            continue;
        const int c = indexOf(e.address, e.port, Controller);
        const int b = indexOf(e.address, e.port, Bridge);
        if ((c >= 0 ? m_found.at(c).name : QString()) != controller
            || (b >= 0 ? m_found.at(b).name : QString()) != bridge)
            continue;
        const QHostAddress oldAddress = e.address;
        const quint16 oldPort = e.port;
        for (Entry &x : m_found) {
            if (x.address == oldAddress && x.port == oldPort) {
                x.address = to;
                x.port = port;
            }
        }
        qCDebug(lcTcp, "%s moved from %s:%d to %s:%d", qUtf8Printable(controller),
                qUtf8Printable(oldAddress.toString()), oldPort, qUtf8Printable(to.toString()), port);
        return true;
    }
    return false;
}

void TcpIo::takeAnswer(const QString &controller, const QString &bridge, const QHostAddress &from, quint16 port)
{
    // A nameless target would be a blank button.
    if (controller.isEmpty() && bridge.isEmpty())
        return;
    int c = indexOf(from, port, Controller);
    int b = indexOf(from, port, Bridge);
    QList<int> changed;
    if (c < 0 && b < 0 && moveStaleEntries(controller, bridge, from, port)) {
        c = indexOf(from, port, Controller);
        b = indexOf(from, port, Bridge);
        changed << c << b;
    }
    const int added = int(c < 0 && !controller.isEmpty()) + int(b < 0 && !bridge.isEmpty());
    if (m_found.size() + added > MaxBoards) {
        qCDebug(lcTcp, "Discovery list full, %s:%d ignored", qUtf8Printable(from.toString()), port);
        return;
    }
    const auto take = [&](int &index, const QString &name, int kind) {
        if (name.isEmpty())
            return;
        const QDateTime now = QDateTime::currentDateTime();
        if (index < 0) {
            m_found.append({name, kind, from, port, m_round, now});
            index = m_found.size() - 1;
            changed << index;
            return;
        }
        Entry &e = m_found[index];
        e.lastRound = m_round;
        e.lastSeen = now;
        // Answering again after it had gone quiet: offered again.
        if (e.name != name || e.quiet || e.removed) {
            e.name = name;
            e.quiet = e.removed = false;
            changed << index;
        }
    };
    take(c, controller, Controller);
    take(b, bridge, Bridge);
    // Announced controller first, each once.
    std::sort(changed.begin(), changed.end());
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
    for (const int i : qAsConst(changed)) {
        if (i >= 0)
            Q_EMIT newDevice(m_found.at(i).name, i);
    }
}

void TcpIo::announceAll()
{
    QPointer<TcpIo> self(this);
    for (int i = 0; self && i < m_found.size(); ++i)
        if (!m_found.at(i).quiet)
            Q_EMIT newDevice(m_found.at(i).name, i);
}

bool TcpIo::open(int uid)
{
    if (m_tcp)
        return false;
    const Entry entry = uid >= 0 && uid < m_found.size() ? m_found.at(uid) : Entry();
    if (entry.kind != Controller && entry.kind != Bridge)
        return false;
    QByteArray password;
    if (entry.kind == Bridge) {
        // Asked before connecting, so that no connection waits on the user.
        // Named with its address: the password goes to this bridge and to no other.
        const std::optional<QString> text = prompt()->getText(
            tr("Connection"),
            tr("Access password of the network bridge \"%1\" at %2:").arg(entry.name, entry.address.toString()),
            QString(), true);
        if (!text || text->isEmpty())
            return false;
        password = text->toUtf8();
        if (password.size() > StreamFrame::MaxPayload)
            return false;
    }
    if (!connectTo(entry))
        return false;
    clearIdentity();
    const bool answered = entry.kind == Controller ? queryVersion() : accessExchange(password);
    if (!answered) {
        // Told even when the peer hung up instead of answering.
        prompt()->message(Prompt::Icon::Information, tr("TCP error"),
                          entry.kind == Bridge ? tr("Access denied.") : tr("The board did not answer."));
        release();
        return false;
    }
    if (!acceptIdentity(tr("TCP error"))) {
        release();
        return false;
    }
    m_connected = true;
    Q_EMIT connected();
    return true;
}

bool TcpIo::connectTo(const Entry &entry)
{
    if (entry.address.isNull() || entry.port == 0)
        return false;
    auto *socket = new QTcpSocket(this);
    connect(socket, &QAbstractSocket::errorOccurred, this, &TcpIo::close);
    connect(socket, &QAbstractSocket::disconnected, this, &TcpIo::close);
    m_tcp = socket;
    m_unconfirmed = false;
    m_rx.drain();
    socket->connectToHost(entry.address, entry.port);
    waitOnSocket(socket, m_timeoutMs);
    if (!m_tcp || m_tcp->state() != QAbstractSocket::ConnectedState) {
        release();
        return false;
    }
    m_tcp->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // What a peer sends is held up to a few frames' worth; the rest waits in the system's
    // buffers, where the peer's flow control stops it.
    m_tcp->setReadBufferSize(ReadBufferBytes);
    connect(m_tcp, &QIODevice::readyRead, this, &TcpIo::discardIdleData);
    m_cmdBase = entry.kind == Bridge ? StreamFrame::BridgeBase : StreamFrame::ControllerBase;
    return true;
}

bool TcpIo::queryVersion()
{
    QByteArray answer;
    StreamFrame::Identity id;
    if (!retried("version query", [&] {
            return exchange(StreamFrame::versionQuery(), &answer, isVersionFrame)
                && StreamFrame::checkVersion(answer, &id);
        })) {
        qCDebug(lcTcp, "Error versions");
        return false;
    }
    word0 = id.word0;
    word1 = id.word1;
    word2 = id.word2;
    return true;
}

bool TcpIo::accessExchange(const QByteArray &password)
{
    QByteArray answer;
    QString text;
    if (!exchange(StreamFrame::access(m_cmdBase, password), &answer)
        || !StreamFrame::checkAccess(m_cmdBase, answer, &text)) {
        qCDebug(lcTcp, "Error versions Str %x %x", answer.size() > 0 ? quint8(answer.at(0)) : 0,
                answer.size() > 1 ? quint8(answer.at(1)) : 0);
        return false;
    }
    versionText = text;
    word0 = StreamFrame::versionWord(text);
    word1 = quint16(m_cmdBase << 8);
    word2 = 0;
    return true;
}

void TcpIo::release()
{
    QMutexLocker lock(&m_mutex);
    QTcpSocket *socket = m_tcp;
    if (!socket)
        return;
    m_tcp = nullptr;
    // The socket may be in the middle of delivering the signal that brought us here: cut it
    // loose and let the event loop destroy it later.
    socket->disconnect(this);
    if (socket->state() != QAbstractSocket::UnconnectedState)
        socket->abort();
    socket->deleteLater();
    m_rx.drain();
    if (m_waitLoop)
        m_waitLoop->quit();
}

void TcpIo::close()
{
    const bool wasConnected = m_tcp && m_connected;
    release();
    m_connected = false;
    if (wasConnected) {
        Q_EMIT disconnected();
        // Every known board is offered again once the receivers have dealt with the loss.
        QTimer::singleShot(0, this, &TcpIo::announceAll);
    }
}

void TcpIo::discardIdleData()
{
    // Between requests nothing is expected: what a peer sends then is read and dropped, so
    // that it neither piles up nor is taken for the next answer.
    if (m_receiving || !m_tcp)
        return;
    qint64 dropped = 0;
    for (int n = 0; n < 64 && m_tcp->bytesAvailable() > 0; ++n)
        dropped += m_tcp->read(ReadBufferBytes).size();
    m_rx.drain();
    if (dropped > 0)
        qCDebug(lcTcp, "Unexpecred tcp data %lld bytes while idle: dropped", dropped);
}

void TcpIo::waitOnSocket(QTcpSocket *socket, int ms)
{
    if (!socket || ms <= 0)
        return;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(socket, &QIODevice::readyRead, &loop, &QEventLoop::quit);
    connect(socket, &QAbstractSocket::connected, &loop, &QEventLoop::quit);
    connect(socket, &QAbstractSocket::disconnected, &loop, &QEventLoop::quit);
    connect(socket, &QAbstractSocket::errorOccurred, &loop, &QEventLoop::quit);
    connect(LinkCancel::instance(), &LinkCancel::cancelled, &loop, &QEventLoop::quit);
    if (LinkCancel::requested())
        return;
    const QPointer<QEventLoop> outer = m_waitLoop;
    m_waitLoop = &loop;
    limit.start(ms);
    loop.exec(LinkCancel::waitFlags());
    m_waitLoop = outer;
}
