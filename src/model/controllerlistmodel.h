#pragma once

#include <QAbstractListModel>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QVector>
#include <functional>

// The controllers found by the last search, in the order they were confirmed. update() starts
// a search; it ends by itself once no new controller has been accepted for a while.
class ControllerListModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(bool loading READ loading NOTIFY loadingChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    struct ControllerData
    {
        QString name;
        QString model;
        QString serialNumber;
        QString ipAddress;

        bool operator==(const ControllerData &other) const;
        bool operator!=(const ControllerData &other) const { return !(*this == other); }
    };

    enum ItemRole
    {
        ControllerName = Qt::UserRole + 1,
        ControllerModel,
        SerialNumber,
        IpAddress,
    };
    Q_ENUM(ItemRole)

    static constexpr int SearchQuietMs = 5000;
    // How long a search that has gone quiet still waits for the checks of its replies. At most
    // a quarter of the descriptors are in flight at once and a check gives up after 3 s, so
    // this lets ten rounds of silent web servers (2,560 on the board) go before a real
    // controller, while a network that keeps sending replies cannot keep the search up for good.
    static constexpr int CheckWaitMs = 30000;

    static ControllerListModel *instance();

    explicit ControllerListModel(QObject *parent = nullptr);
    ~ControllerListModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    bool loading() const;
    int count() const;

    Q_INVOKABLE void update();
    void addController(const ControllerListModel::ControllerData &record);
    void setLoading(bool value);
    // Whether replies of this search still wait for their check: a search does not end while
    // they do (up to CheckWaitMs after it went quiet), or their controllers would be lost.
    void setChecksPending(bool pending);

    // Test seams: what update() calls to broadcast the request (the controller's discovery by
    // default), and how long a search stays quiet before it ends.
    void setDiscovery(std::function<void()> discover);
    void setSearchInterval(int ms);
    int searchInterval() const;

signals:
    void loadingChanged(bool loading);
    void countChanged(int count);

private:
    void emitCountChanged();

    QMutex m_mutex;
    bool m_loading = false;
    QVector<ControllerData> m_rows;
    // The same rows, for the duplicate test: a flood of replies must not cost a scan per row.
    QSet<ControllerData> m_rowSet;
    QTimer m_searchTimer;
    // Runs while the search has been quiet for long enough but checks are still pending.
    QTimer m_checkWaitTimer;
    bool m_checksPending = false;
    std::function<void()> m_discover;
};

uint qHash(const ControllerListModel::ControllerData &record, uint seed = 0);

Q_DECLARE_METATYPE(ControllerListModel::ControllerData)
