#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QVariantMap>

// Saved Wi-Fi connections (section "c") followed by the access points in reach that have no
// saved connection (section "a"), kept current from the network manager. Rows keep their
// identity across updates (moved, changed, inserted, removed), so views keep their state.
class WifiListModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)

public:
    enum Type
    {
        TypeAP,
        TypeConnection
    };
    Q_ENUM(Type)

    enum Role
    {
        SectionRole = Qt::UserRole + 1,
        TypeRole,
        SsidRole,
        EncryptedRole,
        ConnectedRole,
        SignalStrengthRole,
        ConnectionSettingsRole
    };

    explicit WifiListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The row's roles by name, {} outside the list.
    Q_INVOKABLE QVariantMap get(int row) const;

signals:
    void countChanged();

private:
    struct Row
    {
        QString section;
        Type type = TypeAP;
        QString ssid;
        bool encrypted = false;
        bool connected = false;
        int signalStrength = 0;
        QVariant connectionSettings;

        QString key() const { return section + QLatin1Char('/') + ssid; }
        bool operator==(const Row &o) const;
    };

    static QList<Row> rowsFromState();
    void update();

    QList<Row> m_rows;
};
