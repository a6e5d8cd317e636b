// Everything the simulator is told on its command line.
#pragma once
#include "faults.h"
#include <QHostAddress>
#include <QString>
#include <array>

class QCoreApplication;

struct SimOptions
{
    QHostAddress bind = QHostAddress::LocalHost;
    quint16 udpPort = 8964;    // UDP bridge path board port (0 = any free port)
    quint16 netPort = 10501;   // network bridge: UDP discovery and TCP, same number (0 = any)
    QString imageFile;
    QString nvFile;
    bool defaultImage = false;
    // Board kind ("1.1", "2.0", "3.0", "robo", "tokmat"): its identity and its factory image and NV
    // memory from the folder "factory" next to the simulator; empty: none chosen.
    QString board;
    std::array<quint16, 3> id{{0x0242, 0x0100, 0x9202}};
    QByteArray serial = "SIM00001";
    QByteArray controllerName = "Sim 2.0";
    QByteArray bridgeName = "Sim bridge";
    bool noBridge = false;     // discovery answers name the controller only (12 bytes)
    QByteArray password = "1234";
    QByteArray versionText = "2.7 sim";
    QString saveDir;
    QString transcriptFile;
    bool ignoreStdin = false;
    // The board is (also) plugged into an emulated USB bus; programs started with
    // LD_PRELOAD=libumockdev-preload.so.0 and UMOCKDEV_DIR set to the printed folder find it.
    bool usb = false;
    // The board describes its own configuration (word1 0x0200); describeFile replaces its description.
    bool dyn = false;
    QString describeFile;
    FaultOptions faults;
};

// Parses the command line; false with a message in error (or after --help/--version output).
bool parseSimOptions(const QCoreApplication &app, SimOptions &options, QString &error);
