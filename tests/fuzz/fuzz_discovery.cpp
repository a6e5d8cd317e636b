// The network link's table of boards found, fed by neighbours on loopback addresses: answers
// with any names, the same names from other addresses (a board that moved), renames, silence
// over many rounds. Per step a byte: bit 7 clear: a "DSCR" answer from source (bits 0-2) with a
// length byte and its names; bit 7 set: a discovery round (the table ages).
#include "fuzz_support.h"
#include "link/tcpio.h"
#include <QNetworkDatagram>
#include <QSet>
#include <memory>

using Fuzz::check;

namespace {

// Eight neighbours: two ports on each of four loopback addresses.
std::unique_ptr<QUdpSocket> s_sources[8];

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::initApplication();
    qputenv("VANDOR_NET_ANSWER_PORT", "0");
    for (int i = 0; i < 8; ++i) {
        s_sources[i] = std::make_unique<QUdpSocket>();
        check(s_sources[i]->bind(QHostAddress(QStringLiteral("127.0.0.%1").arg(1 + i / 2)), 0));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 12)
        return 0;
    Fuzz::Input in(data, size);
    scanEnabled = true;
    TcpIo io;
    io.setDiscoveryTarget(QHostAddress());
    QObject::connect(&io, &DevIo::newDevice, &io, [&](QString name, int uid) {
        check(uid >= 0 && uid < io.foundBoards().size() && !name.contains(QChar(0)));
    });
    QObject::connect(&io, &DevIo::deviceRemoved, &io, [&](int uid) { check(uid >= 0 && uid < io.foundBoards().size()); });
    for (int step = 0; step < 128 && !in.atEnd(); ++step) {
        const quint8 what = in.byte();
        if (what & 0x80) {
            io.scan();
        } else {
            const QByteArray datagram = QByteArray("DSCR") + in.bytes(in.byte() % 40);
            s_sources[what & 7]->writeDatagram(datagram, QHostAddress::LocalHost, io.answerPort());
            // Loopback delivers at once: the datagram is queued on the link's socket already.
            io.pendingUdpData();
        }
        const QList<TcpIo::Entry> &found = io.foundBoards();
        check(found.size() <= TcpIo::MaxBoards);
        QSet<QString> keys;
        for (int i = 0; i < found.size(); ++i) {
            const TcpIo::Entry &e = found.at(i);
            if (e.removed)
                continue;
            const QString key = e.address.toString() + QLatin1Char(':') + QString::number(e.port) + QLatin1Char('/')
                + QString::number(e.kind);
            check(!keys.contains(key));
            keys.insert(key);
            DevIo::Found f;
            check(io.describe(i, &f) && f.path == QLatin1String("tcp"));
        }
    }
    return 0;
}
