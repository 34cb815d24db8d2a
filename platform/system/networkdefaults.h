#pragma once

#include <QJsonObject>
#include <QString>

// The simulated network's starting point and the addresses its simulated DHCP server hands out.
namespace NetworkDefaults {

// Ethernet up by DHCP with this machine's own address, a few access points in reach, one saved
// Wi-Fi connection (not connected).
QJsonObject initialState();

// A DHCP lease on the wired side: the address of the first running non-loopback interface as
// QNetworkInterface reports it (read only; nothing is configured), or a private fallback.
QJsonObject ethernetLease();
QString ethernetMacAddress();

// A DHCP lease on the Wi-Fi side, stable for a given network name.
QJsonObject wifiLease(const QString &ssid);

// Connection information for static settings: the settings' addresses, the non-empty DNS
// entries as name servers.
QJsonObject staticInfo(const QJsonObject &settings);

// True for a record that asks for DHCP: no "dhcp" key, or "dhcp" being the boolean true.
bool usesDhcp(const QJsonObject &settings);

} // namespace NetworkDefaults
