// Board addresses the user typed because broadcast discovery does not reach them (other subnets,
// VLANs). Kept in the settings file as lists: "netHosts" for bridges, "udpHosts" for the UDP path.
#pragma once
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

class QSettings;

namespace NetHosts {

constexpr const char *NetKey = "netHosts";
constexpr const char *UdpKey = "udpHosts";
constexpr int MaxHosts = 16;

// The settings file the main window keeps in the user's home folder.
QString settingsPath();
// The valid addresses stored under key, read afresh from the settings file.
QList<QHostAddress> remembered(const QString &key);
// Adds host to the list under key (once; the oldest dropped past MaxHosts) and syncs.
void remember(QSettings &settings, const QString &key, const QHostAddress &host);
// Asks for an IPv4 address through the prompt and remembers it in both lists; false when
// cancelled or invalid (an invalid one is reported). The address goes to typed when given.
bool askAndRemember(QSettings &settings, QHostAddress *typed = nullptr);
// Every address remembered in either list, in the order they were added.
QStringList all(QSettings &settings);
// Removes host from both lists and syncs.
void forget(QSettings &settings, const QString &host);

}  // namespace NetHosts
