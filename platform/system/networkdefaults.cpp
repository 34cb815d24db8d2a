#include "networkdefaults.h"

#include <QDateTime>
#include <QHostAddress>
#include <QJsonArray>
#include <QNetworkAddressEntry>
#include <QNetworkInterface>

namespace {

constexpr int kLeaseSeconds = 86400;

QNetworkInterface firstRunningInterface()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &i : interfaces) {
        const auto flags = i.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &e : i.addressEntries()) {
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                return i;
        }
    }
    return QNetworkInterface();
}

QJsonObject lease(const QString &ip, const QString &mask, const QString &gateway)
{
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    return QJsonObject{
        {QStringLiteral("ipAddress"), ip},
        {QStringLiteral("subnetMask"), mask},
        {QStringLiteral("gateway"), gateway},
        {QStringLiteral("nameservers"), QJsonArray{gateway}},
        {QStringLiteral("dhcp"),
         QJsonObject{{QStringLiteral("dhcp_lease_time"), kLeaseSeconds},
                     {QStringLiteral("expiry"), double(now + kLeaseSeconds)}}},
    };
}

QJsonObject settingsRecord(bool dhcp)
{
    return QJsonObject{
        {QStringLiteral("dhcp"), dhcp},
        {QStringLiteral("ipAddress"), QString()},
        {QStringLiteral("subnetMask"), QString()},
        {QStringLiteral("gateway"), QString()},
        {QStringLiteral("dnsServer"), QJsonArray()},
    };
}

QJsonObject accessPoint(const QString &ssid, int strength, bool encrypted, const QString &password)
{
    QJsonObject ap{{QStringLiteral("ssid"), ssid},
                   {QStringLiteral("signalStrength"), strength},
                   {QStringLiteral("encrypted"), encrypted}};
    if (!password.isEmpty())
        ap.insert(QStringLiteral("password"), password);
    return ap;
}

} // namespace

namespace NetworkDefaults {

QJsonObject ethernetLease()
{
    const QNetworkInterface i = firstRunningInterface();
    for (const QNetworkAddressEntry &e : i.addressEntries()) {
        if (e.ip().protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        // The gateway is not visible through QNetworkInterface; the first host of the subnet is
        // where a small network usually has it.
        const quint32 net = e.ip().toIPv4Address() & e.netmask().toIPv4Address();
        const QString gateway = QHostAddress(net + 1).toString();
        return lease(e.ip().toString(), e.netmask().toString(), gateway);
    }
    return lease(QStringLiteral("192.168.1.100"), QStringLiteral("255.255.255.0"),
                 QStringLiteral("192.168.1.1"));
}

QString ethernetMacAddress()
{
    const QString mac = firstRunningInterface().hardwareAddress();
    return mac.isEmpty() ? QStringLiteral("02:00:00:00:00:01") : mac;
}

QJsonObject wifiLease(const QString &ssid)
{
    const int host = 20 + int(qHash(ssid) % 200);
    return lease(QStringLiteral("192.168.50.%1").arg(host), QStringLiteral("255.255.255.0"),
                 QStringLiteral("192.168.50.1"));
}

QJsonObject staticInfo(const QJsonObject &settings)
{
    QJsonArray nameservers;
    for (const QJsonValue &v : settings.value(QStringLiteral("dnsServer")).toArray()) {
        if (!v.toString().isEmpty())
            nameservers.append(v.toString());
    }
    return QJsonObject{
        {QStringLiteral("ipAddress"), settings.value(QStringLiteral("ipAddress")).toString()},
        {QStringLiteral("subnetMask"), settings.value(QStringLiteral("subnetMask")).toString()},
        {QStringLiteral("gateway"), settings.value(QStringLiteral("gateway")).toString()},
        {QStringLiteral("nameservers"), nameservers},
    };
}

bool usesDhcp(const QJsonObject &settings)
{
    const QJsonValue dhcp = settings.value(QStringLiteral("dhcp"));
    return dhcp.isUndefined() || (dhcp.isBool() && dhcp.toBool());
}

QJsonObject initialState()
{
    QJsonObject wifiSettings = settingsRecord(true);
    wifiSettings.insert(QStringLiteral("password"), QStringLiteral("workshop2024"));

    const QJsonObject ethernet{
        {QStringLiteral("carrier"), true},
        {QStringLiteral("connected"), true},
        {QStringLiteral("macAddress"), ethernetMacAddress()},
        {QStringLiteral("connectionSettings"), settingsRecord(true)},
        {QStringLiteral("connectionInfo"), ethernetLease()},
    };
    const QJsonObject wifi{
        {QStringLiteral("connected"), false},
        {QStringLiteral("macAddress"), QStringLiteral("02:00:00:5a:e1:02")},
        {QStringLiteral("activeConnection"), QString()},
        {QStringLiteral("connectionInfo"), QJsonObject()},
        {QStringLiteral("accessPoints"),
         QJsonArray{
             accessPoint(QStringLiteral("Workshop"), 82, true, QStringLiteral("workshop2024")),
             accessPoint(QStringLiteral("Office"), 64, true, QStringLiteral("office-secret")),
             accessPoint(QStringLiteral("Guest"), 41, false, QString()),
             accessPoint(QStringLiteral("Warehouse North"), 18, true, QString())}},
        {QStringLiteral("connections"),
         QJsonArray{QJsonObject{{QStringLiteral("ssid"), QStringLiteral("Workshop")},
                                {QStringLiteral("connectionSettings"), wifiSettings}}}},
    };
    return QJsonObject{{QStringLiteral("ethernet"), ethernet}, {QStringLiteral("wifi"), wifi}};
}

} // namespace NetworkDefaults
