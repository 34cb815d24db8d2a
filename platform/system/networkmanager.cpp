#include "networkmanager.h"

#include "networkdefaults.h"
#include "networkstatefile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QLoggingCategory>
#include <QtGlobal>

Q_LOGGING_CATEGORY(lcNetwork, "zel.network")

namespace {

const QString kEthernet = QStringLiteral("ethernet");
const QString kWifi = QStringLiteral("wifi");
const QString kConnected = QStringLiteral("connected");
const QString kCarrier = QStringLiteral("carrier");
const QString kInfo = QStringLiteral("connectionInfo");
const QString kSettings = QStringLiteral("connectionSettings");
const QString kMac = QStringLiteral("macAddress");
const QString kActive = QStringLiteral("activeConnection");
const QString kAccessPoints = QStringLiteral("accessPoints");
const QString kConnections = QStringLiteral("connections");
const QString kSsid = QStringLiteral("ssid");
const QString kPassword = QStringLiteral("password");

int indexOfSsid(const QJsonArray &list, const QString &ssid)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).toObject().value(kSsid).toString() == ssid)
            return i;
    }
    return -1;
}

bool carrier(const QJsonObject &ethernet)
{
    return ethernet.value(kCarrier).toBool(true);
}

} // namespace

NetworkManager::NetworkManager(QObject *parent)
    : QObject(parent)
{
    bool ok = false;
    const int delay = qEnvironmentVariableIntValue("ZEL_NETWORK_DELAY", &ok);
    for (QTimer *t : {&m_ethernetTimer, &m_wifiTimer}) {
        t->setSingleShot(true);
        t->setInterval(ok && delay >= 0 ? delay : 1500);
    }
    connect(&m_ethernetTimer, &QTimer::timeout, this, &NetworkManager::finishEthernet);
    connect(&m_wifiTimer, &QTimer::timeout, this, &NetworkManager::finishWifi);

    m_state = NetworkDefaults::initialState();
    const QString path = qEnvironmentVariable("ZEL_NETWORK_STATE");
    if (path.isEmpty())
        return;

    m_file = new NetworkStateFile(path, this);
    QJsonObject stored;
    QString error;
    if (m_file->load(&stored, &error)) {
        m_state = stored;
    } else if (QFileInfo::exists(m_file->path())) {
        // Keep what was there for whoever wrote it, then start from the defaults.
        const QString aside = m_file->path() + QStringLiteral(".invalid");
        QFile::remove(aside);
        QFile::rename(m_file->path(), aside);
        qCWarning(lcNetwork) << m_file->path() << "unreadable (" << error << "), moved to" << aside;
        m_file->save(m_state);
    } else {
        m_file->save(m_state);
    }
    connect(m_file, &NetworkStateFile::externallyChanged, this, &NetworkManager::takeExternalState);
}

NetworkManager *NetworkManager::instance()
{
    static NetworkManager *manager = new NetworkManager;
    return manager;
}

QJsonObject NetworkManager::ethernet() const
{
    return m_state.value(kEthernet).toObject();
}

QJsonObject NetworkManager::wifiState() const
{
    return m_state.value(kWifi).toObject();
}

bool NetworkManager::ethernetConnected() const
{
    const QJsonObject e = ethernet();
    return carrier(e) && e.value(kConnected).toBool();
}

bool NetworkManager::wifiConnected() const
{
    const QJsonObject w = wifiState();
    return w.value(kConnected).toBool() && !w.value(kActive).toString().isEmpty();
}

QVariantMap NetworkManager::ethernetConnectionInfo() const
{
    return ethernetConnected() ? ethernet().value(kInfo).toObject().toVariantMap() : QVariantMap();
}

QVariantMap NetworkManager::wifiConnectionInfo() const
{
    if (!wifiConnected())
        return QVariantMap();
    QVariantMap info = wifiState().value(kInfo).toObject().toVariantMap();
    info.insert(kSsid, wifiState().value(kActive).toString());
    return info;
}

QString NetworkManager::ethernetMacAddress() const
{
    return ethernet().value(kMac).toString();
}

QString NetworkManager::wifiMacAddress() const
{
    return wifiState().value(kMac).toString();
}

QVariantMap NetworkManager::ethernetConnectionSettings() const
{
    return ethernet().value(kSettings).toObject().toVariantMap();
}

QString NetworkManager::stateFile() const
{
    return m_file ? m_file->path() : QString();
}

void NetworkManager::setEthernetConnectionSettings(const QVariantMap &settings)
{
    syncWithFile();
    QJsonObject state = m_state;
    QJsonObject e = state.value(kEthernet).toObject();
    e.insert(kSettings, QJsonObject::fromVariantMap(settings));
    state.insert(kEthernet, e);
    startEthernet(state);
    commit(state);
}

void NetworkManager::startEthernet(QJsonObject &state)
{
    QJsonObject e = state.value(kEthernet).toObject();
    e.insert(kConnected, false);
    e.insert(kInfo, QJsonObject());
    state.insert(kEthernet, e);
    if (carrier(e))
        m_ethernetTimer.start();
    else
        m_ethernetTimer.stop();
}

void NetworkManager::finishEthernet()
{
    syncWithFile();
    QJsonObject state = m_state;
    QJsonObject e = state.value(kEthernet).toObject();
    if (!carrier(e))
        return;
    const QJsonObject settings = e.value(kSettings).toObject();
    if (NetworkDefaults::usesDhcp(settings)) {
        e.insert(kInfo, NetworkDefaults::ethernetLease());
    } else if (!settings.value(QStringLiteral("ipAddress")).toString().isEmpty()) {
        e.insert(kInfo, NetworkDefaults::staticInfo(settings));
    } else {
        qCWarning(lcNetwork) << "static Ethernet settings without an address: link stays down";
        return;
    }
    e.insert(kConnected, true);
    state.insert(kEthernet, e);
    commit(state);
}

void NetworkManager::connectWifi(const QString &ssid, const QVariant &settings)
{
    if (ssid.isEmpty()) {
        qCWarning(lcNetwork) << "connectWifi without a network name";
        return;
    }
    syncWithFile();
    QJsonObject state = m_state;
    QJsonObject w = state.value(kWifi).toObject();
    QJsonArray connections = w.value(kConnections).toArray();
    const int index = indexOfSsid(connections, ssid);
    if (settings.canConvert<QVariantMap>() && settings.isValid()) {
        const QJsonObject connection{{kSsid, ssid},
                                     {kSettings, QJsonObject::fromVariantMap(settings.toMap())}};
        if (index >= 0)
            connections.replace(index, connection);
        else
            connections.append(connection);
        w.insert(kConnections, connections);
        state.insert(kWifi, w);
    } else if (index < 0) {
        qCWarning(lcNetwork) << "connectWifi: no saved connection" << ssid;
        return;
    }
    startWifi(state, ssid);
    commit(state);
}

void NetworkManager::updateWifiConnection(const QString &ssid, const QVariantMap &settings)
{
    syncWithFile();
    QJsonObject state = m_state;
    QJsonObject w = state.value(kWifi).toObject();
    QJsonArray connections = w.value(kConnections).toArray();
    const int index = indexOfSsid(connections, ssid);
    if (index < 0) {
        qCWarning(lcNetwork) << "updateWifiConnection: no saved connection" << ssid;
        return;
    }
    connections.replace(
        index, QJsonObject{{kSsid, ssid}, {kSettings, QJsonObject::fromVariantMap(settings)}});
    w.insert(kConnections, connections);
    state.insert(kWifi, w);
    // The connection in use takes its new settings by connecting again.
    if (w.value(kActive).toString() == ssid)
        startWifi(state, ssid);
    commit(state);
}

void NetworkManager::disconnectWifi()
{
    syncWithFile();
    m_wifiTimer.stop();
    QJsonObject state = m_state;
    QJsonObject w = state.value(kWifi).toObject();
    w.insert(kActive, QString());
    w.insert(kConnected, false);
    w.insert(kInfo, QJsonObject());
    state.insert(kWifi, w);
    commit(state);
}

void NetworkManager::deleteWifiConnection(const QString &ssid)
{
    syncWithFile();
    QJsonObject w = wifiState();
    QJsonArray connections = w.value(kConnections).toArray();
    const int index = indexOfSsid(connections, ssid);
    if (index < 0)
        return;
    if (w.value(kActive).toString() == ssid)
        disconnectWifi();
    QJsonObject state = m_state;
    w = state.value(kWifi).toObject();
    connections.removeAt(index);
    w.insert(kConnections, connections);
    state.insert(kWifi, w);
    commit(state);
}

void NetworkManager::startWifi(QJsonObject &state, const QString &ssid)
{
    QJsonObject w = state.value(kWifi).toObject();
    w.insert(kActive, ssid);
    w.insert(kConnected, false);
    w.insert(kInfo, QJsonObject());
    state.insert(kWifi, w);
    m_wifiTimer.start();
}

void NetworkManager::finishWifi()
{
    syncWithFile();
    QJsonObject state = m_state;
    QJsonObject w = state.value(kWifi).toObject();
    const QString ssid = w.value(kActive).toString();
    const QJsonArray connections = w.value(kConnections).toArray();
    const QJsonArray accessPoints = w.value(kAccessPoints).toArray();
    const int ci = indexOfSsid(connections, ssid);
    const int ai = indexOfSsid(accessPoints, ssid);

    bool accepted = ci >= 0 && ai >= 0;
    QJsonObject settings;
    if (accepted) {
        settings = connections.at(ci).toObject().value(kSettings).toObject();
        const QJsonObject ap = accessPoints.at(ai).toObject();
        const QString given = settings.value(kPassword).toString();
        if (ap.value(QStringLiteral("encrypted")).toBool()) {
            // An access point with a known key takes only that key; others take any valid one.
            accepted = ap.contains(kPassword) ? given == ap.value(kPassword).toString()
                                              : given.size() >= 8;
        }
        if (!NetworkDefaults::usesDhcp(settings) &&
            settings.value(QStringLiteral("ipAddress")).toString().isEmpty())
            accepted = false;
    }
    if (!accepted) {
        qCInfo(lcNetwork) << "Wi-Fi connection to" << ssid << "failed";
        w.insert(kActive, QString());
        state.insert(kWifi, w);
        commit(state);
        return;
    }
    QJsonObject info = NetworkDefaults::usesDhcp(settings) ? NetworkDefaults::wifiLease(ssid)
                                                           : NetworkDefaults::staticInfo(settings);
    w.insert(kInfo, info);
    w.insert(kConnected, true);
    state.insert(kWifi, w);
    commit(state);
}

void NetworkManager::takeExternalState(const QJsonObject &external)
{
    QJsonObject state = external;
    QJsonObject e = state.value(kEthernet).toObject();
    const bool wasPlugged = carrier(ethernet());
    if (!carrier(e)) {
        // Cable out: whatever the file says, there is no connection.
        m_ethernetTimer.stop();
        e.insert(kConnected, false);
        e.insert(kInfo, QJsonObject());
        state.insert(kEthernet, e);
    } else if (!wasPlugged) {
        state.insert(kEthernet, e);
        startEthernet(state);
    }

    QJsonObject w = state.value(kWifi).toObject();
    const QString active = w.value(kActive).toString();
    if (!active.isEmpty() && indexOfSsid(w.value(kAccessPoints).toArray(), active) < 0) {
        // The network went out of reach.
        m_wifiTimer.stop();
        w.insert(kActive, QString());
        w.insert(kConnected, false);
        w.insert(kInfo, QJsonObject());
        state.insert(kWifi, w);
    }
    commit(state);
}

QVariantMap NetworkManager::snapshot() const
{
    return QVariantMap{
        {QStringLiteral("ethernetConnected"), ethernetConnected()},
        {QStringLiteral("wifiConnected"), wifiConnected()},
        {QStringLiteral("ethernetConnectionInfo"), ethernetConnectionInfo()},
        {QStringLiteral("wifiConnectionInfo"), wifiConnectionInfo()},
        {QStringLiteral("ethernetMacAddress"), ethernetMacAddress()},
        {QStringLiteral("wifiMacAddress"), wifiMacAddress()},
        {QStringLiteral("ethernetConnectionSettings"), ethernetConnectionSettings()},
    };
}

void NetworkManager::syncWithFile()
{
    if (m_file)
        m_file->pickUpChange();
}

void NetworkManager::commit(const QJsonObject &state)
{
    const QVariantMap before = snapshot();
    const QJsonObject wifiBefore = wifiState();
    m_state = state;
    if (m_file)
        m_file->save(m_state);
    const QVariantMap after = snapshot();

    auto changed = [&](const char *name) {
        return before.value(QLatin1String(name)) != after.value(QLatin1String(name));
    };
    if (changed("ethernetConnectionSettings"))
        emit ethernetConnectionSettingsChanged();
    if (changed("ethernetMacAddress"))
        emit ethernetMacAddressChanged();
    if (changed("wifiMacAddress"))
        emit wifiMacAddressChanged();
    if (changed("ethernetConnectionInfo"))
        emit ethernetConnectionInfoChanged();
    if (changed("wifiConnectionInfo"))
        emit wifiConnectionInfoChanged();
    if (changed("ethernetConnected"))
        emit ethernetConnectedChanged();
    if (changed("wifiConnected"))
        emit wifiConnectedChanged();
    if (wifiBefore != wifiState())
        emit wifiStateChanged();
}
