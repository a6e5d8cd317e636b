// A network link aimed at one simulator on loopback: discovery to 127.0.0.1 only, answers on a
// free port. Never broadcasts: the environment is set before the link is made.
#pragma once
#include "link/tcpio.h"
#include "simprocess.h"
#include <QSignalSpy>
#include <QtTest>
#include <memory>

inline std::unique_ptr<TcpIo> makeLoopbackLink(quint16 discoveryPort)
{
    qputenv("VANDOR_NET_TARGET", "127.0.0.1");
    qputenv("VANDOR_NET_PORT", QByteArray::number(discoveryPort));
    qputenv("VANDOR_NET_ANSWER_PORT", "0");
    return std::make_unique<TcpIo>();
}

// Scans and waits (bounded) until the link knows `entries` targets.
inline bool discover(TcpIo &link, int entries)
{
    link.scan();
    for (int i = 0; i < 100 && link.foundBoards().size() < entries; ++i)
        QTest::qWait(50);
    return link.foundBoards().size() == entries;
}

// Transcript lines of the TCP connection only.
inline QStringList tcpLines(const SimProcess &sim)
{
    return sim.transcript().filter(QRegularExpression(QStringLiteral("^tcp ")));
}
