#pragma once

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariant>
#include <QVariantMap>

class NetworkStateFile;

// A simulated network manager. It never touches the machine's network configuration: its whole
// state (links, addresses, access points in reach, saved Wi-Fi connections) lives in memory and,
// when ZEL_NETWORK_STATE names a file, in that JSON file, whose outside edits are picked up.
class NetworkManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool ethernetConnected READ ethernetConnected NOTIFY ethernetConnectedChanged)
    Q_PROPERTY(bool wifiConnected READ wifiConnected NOTIFY wifiConnectedChanged)
    Q_PROPERTY(QVariantMap ethernetConnectionInfo READ ethernetConnectionInfo NOTIFY
                   ethernetConnectionInfoChanged)
    Q_PROPERTY(
        QVariantMap wifiConnectionInfo READ wifiConnectionInfo NOTIFY wifiConnectionInfoChanged)
    Q_PROPERTY(QString ethernetMacAddress READ ethernetMacAddress NOTIFY ethernetMacAddressChanged)
    Q_PROPERTY(QString wifiMacAddress READ wifiMacAddress NOTIFY wifiMacAddressChanged)
    Q_PROPERTY(QVariantMap ethernetConnectionSettings READ ethernetConnectionSettings WRITE
                   setEthernetConnectionSettings NOTIFY ethernetConnectionSettingsChanged)
    Q_PROPERTY(QString stateFile READ stateFile CONSTANT)

public:
    explicit NetworkManager(QObject *parent = nullptr);

    static NetworkManager *instance();

    bool ethernetConnected() const;
    bool wifiConnected() const;
    QVariantMap ethernetConnectionInfo() const;
    QVariantMap wifiConnectionInfo() const;
    QString ethernetMacAddress() const;
    QString wifiMacAddress() const;
    QVariantMap ethernetConnectionSettings() const;
    // Applies the record: the link goes down and comes back with the new addressing.
    void setEthernetConnectionSettings(const QVariantMap &settings);
    QString stateFile() const;

    // With settings: saves (or replaces) the connection, then connects. Without: connects with
    // the saved connection of that name.
    Q_INVOKABLE void connectWifi(const QString &ssid, const QVariant &settings = QVariant());
    Q_INVOKABLE void updateWifiConnection(const QString &ssid, const QVariantMap &settings);
    Q_INVOKABLE void disconnectWifi();
    Q_INVOKABLE void deleteWifiConnection(const QString &ssid);

    // The Wi-Fi part of the state, for the list model.
    QJsonObject wifiState() const;

signals:
    void ethernetConnectedChanged();
    void wifiConnectedChanged();
    void ethernetConnectionInfoChanged();
    void wifiConnectionInfoChanged();
    void ethernetMacAddressChanged();
    void wifiMacAddressChanged();
    void ethernetConnectionSettingsChanged();
    void wifiStateChanged();

private:
    QJsonObject ethernet() const;
    QVariantMap snapshot() const;
    // Takes an outside edit of the state file before a change is made from the state in hand.
    void syncWithFile();
    void commit(const QJsonObject &state);
    void startEthernet(QJsonObject &state);
    void finishEthernet();
    void startWifi(QJsonObject &state, const QString &ssid);
    void finishWifi();
    void takeExternalState(const QJsonObject &external);

    QJsonObject m_state;
    NetworkStateFile *m_file = nullptr;
    QTimer m_ethernetTimer;
    QTimer m_wifiTimer;
};
