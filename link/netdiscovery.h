// The network bridges' discovery answer: "DSCR", the controller's name and optionally the
// bridge's own name, as a pure parser shared by the link and the tests.
#pragma once
#include <QByteArray>
#include <QString>

namespace NetDiscovery {

constexpr quint16 RequestPort = 10501;
constexpr quint16 AnswerPort = 10502;
constexpr int MaxAnswer = 192;

QByteArray request();

struct Answer
{
    QString controller;
    QString bridge;      // empty when the answer carries none
    bool hasBridge = false;
};

// False for datagrams shorter than 12 bytes or not starting with "DSCR".
bool parse(const QByteArray &datagram, Answer *answer);

}  // namespace NetDiscovery
