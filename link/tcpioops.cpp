// The board operations of the network link: one stream frame out, at most one frame back.
#include "base/logging.h"
#include "base/prompt.h"
#include "link/linkcancel.h"
#include "link/tcpio.h"
#include <QElapsedTimer>
#include <QScopedValueRollback>
#include <QTcpSocket>
#include <cstring>

using namespace StreamFrame;

namespace {

quint8 byteAt(const QByteArray &b, int i) { return i < b.size() ? quint8(b.at(i)) : 0; }

int echoedAddress(const QByteArray &answer) { return byteAt(answer, 2) | (byteAt(answer, 3) << 8); }

bool isVersion(const QByteArray &frame)
{
    StreamFrame::Identity id;
    return StreamFrame::checkVersion(frame, &id);
}

}  // namespace

bool TcpIo::send(const QByteArray &frame)
{
    if (!m_tcp || frame.isEmpty() || LinkCancel::requested())
        return false;
    const QByteArray stale = m_rx.drain() + m_tcp->readAll();
    if (!stale.isEmpty())
        qCDebug(lcTcp, "Unexpecred tcp data %d: %s", int(stale.size()), stale.toHex(' ').constData());
    if (m_tcp->write(frame) != frame.size()) {
        qCDebug(lcTcp, "Error send");
        return false;
    }
    m_tcp->flush();
    return true;
}

bool TcpIo::receive(QByteArray *frame, const Fits &fits)
{
    frame->clear();
    const QPointer<QTcpSocket> socket = m_tcp;
    const QScopedValueRollback<bool> receiving(m_receiving, true);
    QElapsedTimer clock;
    clock.start();
    // Ends on a whole frame, the link closing, or the time limit; each wait is bounded.
    for (;;) {
        if (socket && socket == m_tcp)
            m_rx.feed(socket->readAll());
        if (m_rx.take(frame)) {
            // An answer on the ordered stream proves every write sent before its request.
            m_unconfirmed = false;
            if (!fits || fits(*frame))
                return true;
            qCDebug(lcTcp, "Unexpecred tcp data %d: %s", int(frame->size()), frame->toHex(' ').constData());
            frame->clear();
            // A peer that answers with a flood of frames that are not the answer is bounded
            // by the same time limit as one that does not answer at all.
            if (clock.elapsed() >= m_timeoutMs)
                break;
            continue;
        }
        const int left = m_timeoutMs - int(clock.elapsed());
        if (!socket || socket != m_tcp || left <= 0 || LinkCancel::requested())
            break;
        waitOnSocket(socket, left);
    }
    // A partial frame is dropped; what arrives late is discarded by the next send.
    const int missing = m_rx.buffered() < HeaderSize ? HeaderSize - m_rx.buffered() : m_rx.missing();
    const QByteArray partial = m_rx.drain();
    qCDebug(lcTcp, "Error tcp receive (%x, %d): %x %x", missing, int(clock.elapsed()), byteAt(partial, 0),
            byteAt(partial, 1));
    frame->clear();
    return false;
}

bool TcpIo::sendUnanswered(const QByteArray &frame)
{
    if (!send(frame))
        return false;
    m_unconfirmed = true;
    return inBatch() || confirmWrites();
}

bool TcpIo::confirmWrites()
{
    if (!m_unconfirmed)
        return true;
    // The version query is answered by every controller and changes nothing, so a lost
    // answer may be asked for again.
    if (retried("version query", [this] {
            QByteArray answer;
            StreamFrame::Identity id;
            return exchange(StreamFrame::versionQuery(), &answer, isVersion) && StreamFrame::checkVersion(answer, &id);
        }))
        return true;
    qCDebug(lcTcp, "Error confirm: writes since the last answer are lost");
    return false;
}

bool TcpIo::stillThere()
{
    if (!m_tcp)
        return true;
    // Its own version: the controller's, or the bridge's when the bridge itself is open (so
    // that a controller switched off behind an open bridge does not make the bridge look gone).
    const quint8 command = quint8(m_cmdBase | StreamFrame::CmdVersion);
    const auto isAnswer = [command](const QByteArray &f) {
        return f.size() == 8 && quint8(f.at(0)) == command && quint8(f.at(1)) == 6;
    };
    const int usual = m_timeoutMs;
    m_timeoutMs = qMin(usual, m_idleAnswerMs);
    QByteArray answer;
    const bool answered = exchange(StreamFrame::frame(command, QByteArray()), &answer, isAnswer);
    m_timeoutMs = usual;
    // The same board: another one answering in its place is not the board that was opened.
    return answered && Wire::u16At(answer, 2) == word0 && Wire::u16At(answer, 4) == word1
        && Wire::u16At(answer, 6) == word2;
}

bool TcpIo::readCfg(quint8 *dst, quint16 address, int length)
{
    const QByteArray request = StreamFrame::readCfg(address, length);
    if (!dst || request.isEmpty())
        return false;
    QByteArray answer;
    const bool answered = retried("readCfg", [&] {
        const bool got =
            exchange(request, &answer, [&](const QByteArray &f) { return checkRead(CmdRead, f, address, length); });
        if (got)
            qCDebug(lcTcp, "readCfg %x %x %x %x", byteAt(answer, 0), byteAt(answer, 1), echoedAddress(answer), address);
        return got && checkRead(CmdRead, answer, address, length);
    });
    if (!answered) {
        qCDebug(lcTcp, "Error readCfg");
        return track(false);
    }
    std::memcpy(dst, answer.constData() + 4, size_t(length));
    qCDebug(lcTcp, "readCfg Ok");
    return track(true);
}

bool TcpIo::readNvMem(quint8 *dst, quint16 address, int length)
{
    const QByteArray request = StreamFrame::readNvMem(address, length);
    if (!dst || request.isEmpty())
        return false;
    QByteArray answer;
    if (!retried("readNvMem", [&] {
            return exchange(request, &answer,
                            [&](const QByteArray &f) { return checkRead(CmdReadNv, f, address, length); })
                && checkRead(CmdReadNv, answer, address, length);
        })) {
        qCDebug(lcTcp, "Error readNvMem");
        return track(false);
    }
    std::memcpy(dst, answer.constData() + 4, size_t(length));
    return track(true);
}

bool TcpIo::readDynCfg(quint8 *dst, quint32 selector, quint8 *outLength, quint8 *outFlags, quint8 *outComplete)
{
    QByteArray answer;
    DynPacket packet;
    auto attempt = [&] {
        return exchange(StreamFrame::readDynCfg(selector), &answer,
                        [](const QByteArray &f) { return byteAt(f, 0) == CmdRead; })
            && checkReadDynCfg(answer, &packet);
    };
    // A selector starts its list afresh and may be asked again; 0 asks for the next packet,
    // which the board hands out only once.
    if (!(selector != 0 ? retried("readDynCfg", attempt) : attempt())) {
        qCDebug(lcTcp, "Error readDynCfg");
        return track(false);
    }
    if (dst && !packet.data.isEmpty())
        std::memcpy(dst, packet.data.constData(), size_t(packet.data.size()));
    if (outLength)
        *outLength = quint8(packet.data.size());
    if (outFlags)
        *outFlags = packet.flags;
    if (outComplete)
        *outComplete = packet.complete;
    return track(true);
}

bool TcpIo::writeCfg(const quint8 *src, quint16 address, int length)
{
    const QByteArray frame = StreamFrame::writeCfg(src, address, length);
    if (frame.isEmpty())
        return false;
    // The stream loses no frame while the connection holds: what may be lost is the answer
    // that proves the write, and that proof is asked for again by confirmWrites().
    if (!sendUnanswered(frame)) {
        qCDebug(lcTcp, "Error writeCfg");
        return track(false);
    }
    return track(true);
}

bool TcpIo::writeDynCfg(const quint8 *src, quint8 length, quint8 marker, quint8 complete)
{
    const QByteArray frame = StreamFrame::writeDynCfg(src, length, marker, complete);
    if (frame.isEmpty())
        return false;
    if (!sendUnanswered(frame)) {
        qCDebug(lcTcp, "Error writeDynCfg");
        return track(false);
    }
    return track(true);
}

bool TcpIo::saveCfg()
{
    if (!sendUnanswered(StreamFrame::saveCfg())) {
        qCDebug(lcTcp, "Error saveCfg");
        return track(false);
    }
    return track(true);
}

bool TcpIo::writeNvMem(const quint8 *src, quint16 address, int length)
{
    const QByteArray frame = StreamFrame::writeNvMem(src, address, length);
    if (frame.isEmpty())
        return false;
    if (!sendUnanswered(frame)) {
        qCDebug(lcTcp, "Error writeNvMem");
        return track(false);
    }
    return track(true);
}

// The bridge may restart on this command, so no answer can be asked for after it.
bool TcpIo::finishFirmware() { return track(send(StreamFrame::finishFirmware(m_cmdBase))); }

bool TcpIo::writeFirmware(quint16 remaining, const QByteArray &block)
{
    const QByteArray request = StreamFrame::writeFirmware(m_cmdBase, remaining, block);
    if (request.isEmpty())
        return false;
    QByteArray answer;
    if (!exchange(request, &answer) || !checkWriteFirmware(m_cmdBase, answer)) {
        qCDebug(lcTcp, "Error firmware %x %x %s", byteAt(answer, 0), byteAt(answer, 1),
                answer.mid(2).toHex(' ').constData());
        return track(false);
    }
    return track(true);
}

void TcpIo::unsupported()
{
    prompt()->message(Prompt::Icon::Critical, tr("Unspported"), tr("Unsupported function"));
}

bool TcpIo::writeSn(const char *)
{
    unsupported();
    qCDebug(lcTcp, "Error writeSn");
    return false;
}

bool TcpIo::readMachineSetup(quint8 *, int)
{
    unsupported();
    return false;
}

bool TcpIo::writeMachineSetup(const quint8 *, int)
{
    unsupported();
    return false;
}
