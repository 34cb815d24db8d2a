#include "wifilistmodel.h"

#include "networkmanager.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <algorithm>

bool WifiListModel::Row::operator==(const Row &o) const
{
    return section == o.section && type == o.type && ssid == o.ssid && encrypted == o.encrypted &&
           connected == o.connected && signalStrength == o.signalStrength &&
           connectionSettings == o.connectionSettings;
}

WifiListModel::WifiListModel(QObject *parent)
    : QAbstractListModel(parent)
    , m_rows(rowsFromState())
{
    connect(NetworkManager::instance(), &NetworkManager::wifiStateChanged, this,
            &WifiListModel::update);
}

int WifiListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

QVariant WifiListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const Row &r = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case SsidRole:
        return r.ssid;
    case SectionRole:
        return r.section;
    case TypeRole:
        return r.type;
    case EncryptedRole:
        return r.encrypted;
    case ConnectedRole:
        return r.connected;
    case SignalStrengthRole:
        return r.signalStrength;
    case ConnectionSettingsRole:
        return r.connectionSettings;
    default:
        return QVariant();
    }
}

QHash<int, QByteArray> WifiListModel::roleNames() const
{
    return {{SectionRole, "section"},
            {TypeRole, "type"},
            {SsidRole, "ssid"},
            {EncryptedRole, "encrypted"},
            {ConnectedRole, "connected"},
            {SignalStrengthRole, "signalStrength"},
            {ConnectionSettingsRole, "connectionSettings"}};
}

QVariantMap WifiListModel::get(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return QVariantMap();
    QVariantMap map;
    const QHash<int, QByteArray> names = roleNames();
    for (auto it = names.cbegin(); it != names.cend(); ++it)
        map.insert(QString::fromLatin1(it.value()), data(index(row), it.key()));
    return map;
}

QList<WifiListModel::Row> WifiListModel::rowsFromState()
{
    NetworkManager *manager = NetworkManager::instance();
    const QJsonObject wifi = manager->wifiState();
    const QString active = manager->wifiConnected()
                               ? wifi.value(QStringLiteral("activeConnection")).toString()
                               : QString();
    QHash<QString, QJsonObject> inReach;
    for (const QJsonValue &v : wifi.value(QStringLiteral("accessPoints")).toArray()) {
        const QJsonObject ap = v.toObject();
        const QString ssid = ap.value(QStringLiteral("ssid")).toString();
        if (!ssid.isEmpty() && !inReach.contains(ssid))
            inReach.insert(ssid, ap);
    }

    QList<Row> connections;
    QSet<QString> saved;
    for (const QJsonValue &v : wifi.value(QStringLiteral("connections")).toArray()) {
        const QJsonObject c = v.toObject();
        Row r;
        r.section = QStringLiteral("c");
        r.type = TypeConnection;
        r.ssid = c.value(QStringLiteral("ssid")).toString();
        if (r.ssid.isEmpty() || saved.contains(r.ssid))
            continue;
        saved.insert(r.ssid);
        const QJsonObject settings = c.value(QStringLiteral("connectionSettings")).toObject();
        const QJsonObject ap = inReach.value(r.ssid);
        r.encrypted = ap.isEmpty()
                          ? !settings.value(QStringLiteral("password")).toString().isEmpty()
                          : ap.value(QStringLiteral("encrypted")).toBool();
        r.signalStrength = ap.value(QStringLiteral("signalStrength")).toInt(0);
        r.connected = r.ssid == active;
        r.connectionSettings = settings.toVariantMap();
        connections.append(r);
    }

    QList<Row> accessPoints;
    for (auto it = inReach.cbegin(); it != inReach.cend(); ++it) {
        if (saved.contains(it.key()))
            continue;
        Row r;
        r.section = QStringLiteral("a");
        r.type = TypeAP;
        r.ssid = it.key();
        r.encrypted = it.value().value(QStringLiteral("encrypted")).toBool();
        r.signalStrength = it.value().value(QStringLiteral("signalStrength")).toInt(0);
        accessPoints.append(r);
    }

    // The connection in use first, then the strongest signal; names break ties so the order is
    // stable.
    auto order = [](const Row &a, const Row &b) {
        if (a.connected != b.connected)
            return a.connected;
        if (a.signalStrength != b.signalStrength)
            return a.signalStrength > b.signalStrength;
        return a.ssid < b.ssid;
    };
    std::sort(connections.begin(), connections.end(), order);
    std::sort(accessPoints.begin(), accessPoints.end(), order);
    return connections + accessPoints;
}

void WifiListModel::update()
{
    const QList<Row> next = rowsFromState();
    const int before = m_rows.size();

    QSet<QString> nextKeys;
    for (const Row &r : next)
        nextKeys.insert(r.key());
    for (int i = m_rows.size() - 1; i >= 0; --i) {
        if (nextKeys.contains(m_rows.at(i).key()))
            continue;
        beginRemoveRows(QModelIndex(), i, i);
        m_rows.removeAt(i);
        endRemoveRows();
    }

    for (int i = 0; i < next.size(); ++i) {
        const Row &wanted = next.at(i);
        int at = -1;
        for (int j = i; j < m_rows.size(); ++j) {
            if (m_rows.at(j).key() == wanted.key()) {
                at = j;
                break;
            }
        }
        if (at < 0) {
            beginInsertRows(QModelIndex(), i, i);
            m_rows.insert(i, wanted);
            endInsertRows();
            continue;
        }
        if (at != i) {
            beginMoveRows(QModelIndex(), at, at, QModelIndex(), i);
            m_rows.move(at, i);
            endMoveRows();
        }
        if (!(m_rows.at(i) == wanted)) {
            m_rows[i] = wanted;
            emit dataChanged(index(i), index(i));
        }
    }
    if (m_rows.size() != before)
        emit countChanged();
}
