// Frames are command, length n, n payload bytes; several may come in one segment or one frame
// in many.
#include "streamconn.h"
#include "bytes.h"
#include "simworld.h"
#include <QRegularExpression>

using namespace simbytes;

namespace {

constexpr quint8 BridgeBase = 0xE0;
constexpr quint8 BridgeVersion = BridgeBase | 0x02;
constexpr quint8 FinishFirmware = BridgeBase | 0x0E;
constexpr quint8 WriteFirmware = BridgeBase | 0x0F;

QByteArray frame(quint8 command, const QByteArray &payload)
{
    QByteArray f;
    f.append(char(command));
    f.append(char(payload.size()));
    f.append(payload);
    return f;
}

// word0 of the bridge: major and minor number at the start of its version text.
quint16 versionWord(const QByteArray &text)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^(\\d+)\\.(\\d+)")).match(QString::fromUtf8(text));
    if (!m.hasMatch())
        return 0;
    return quint16((m.captured(1).toUInt() << 8) | m.captured(2).toUInt());
}

} // namespace

StreamConn::StreamConn(QTcpSocket *s, SimWorld &w, QObject *parent)
    : QObject(parent), socket(s), world(w)
{
    socket->setParent(this);
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    trickleTimer.setInterval(1);
    connect(&trickleTimer, &QTimer::timeout, this, &StreamConn::trickle);
    connect(socket, &QTcpSocket::readyRead, this, &StreamConn::readPending);
    connect(socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    readPending();
}

void StreamConn::readPending()
{
    input += socket->readAll();
    while (!closing && input.size() >= 2) {
        const int n = quint8(input.at(1));
        if (input.size() < 2 + n)
            break;
        const QByteArray f = input.left(2 + n);
        input.remove(0, 2 + n);
        handle(f);
    }
}

void StreamConn::handle(const QByteArray &f)
{
    world.transcript.line("tcp", "req", f);
    const quint8 command = quint8(f.at(0));
    const QByteArray payload = f.mid(2);
    QByteArray a = command >= BridgeBase ? bridgeAnswer(command, payload)
                                         : world.board.streamAnswer(command, payload);
    if (!a.isEmpty()) {
        if (world.faults.pass(a, FaultPlan::Framing::Stream))
            later([this, a]() { send(a); },
                  world.faults.nextDelay() + (world.board.dyn && command == 0x04 ? world.faults.options().slowReadsMs : 0));
        else
            world.transcript.line("tcp", "drop", a);
    }
    ++frames;
    const int closeAfter = world.faults.options().closeAfter;
    if (closeAfter > 0 && frames >= closeAfter) {
        closing = true;
        later([this]() { closeWhenSent(); }, world.faults.options().delayMs);
    }
}

QByteArray StreamConn::bridgeAnswer(quint8 command, const QByteArray &p)
{
    const SimOptions &o = world.options;
    if (command == BridgeBase) {
        // Access exchange: the version text for the right password, an empty answer otherwise.
        access = p == o.password;
        return frame(BridgeBase, access ? o.versionText : QByteArray());
    }
    if (command == BridgeVersion && p.isEmpty()) {
        QByteArray w;
        put16(w, versionWord(o.versionText));
        put16(w, quint16(BridgeBase << 8));
        put16(w, 0);
        return frame(BridgeVersion, w);
    }
    if (command == WriteFirmware && p.size() >= 2) {
        if (!access)
            return frame(WriteFirmware, QByteArray(1, char(FirmwareSink::NoAccess)));
        const FirmwareSink::Result r = world.firmware.write(u16(p, 0), p.mid(2));
        return frame(WriteFirmware, r.payload);
    }
    if (command == FinishFirmware && p.isEmpty() && access)
        world.firmware.finish();
    return {};
}

void StreamConn::later(const std::function<void()> &action, int delay)
{
    if (delay > 0)
        QTimer::singleShot(delay, Qt::PreciseTimer, this, action);
    else
        action();
}

void StreamConn::send(const QByteArray &a)
{
    world.transcript.line("tcp", "ans", a);
    if (!world.faults.options().splitTcp) {
        socket->write(a);
        return;
    }
    pending += a;
    if (!trickleTimer.isActive())
        trickleTimer.start();
}

void StreamConn::trickle()
{
    if (pending.isEmpty()) {
        trickleTimer.stop();
        if (closeAfterPending)
            socket->disconnectFromHost();
        return;
    }
    socket->write(pending.left(1));
    socket->flush();
    pending.remove(0, 1);
}

void StreamConn::closeWhenSent()
{
    if (pending.isEmpty())
        socket->disconnectFromHost();
    else
        closeAfterPending = true;
}
