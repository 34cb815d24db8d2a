#pragma once

#include <QAbstractListModel>
#include <QMutex>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QVector>

class ControllerSearch;

// The controllers found by the last search, in the order they were confirmed. The search
// decides what is found and when it is over; the list shows it. update() starts a search.
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

    // The one list of the UI, showing the searches of Controller::instance().
    static ControllerListModel *instance();

    explicit ControllerListModel(QObject *parent = nullptr);
    ~ControllerListModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    bool loading() const;
    int count() const;

    // The search whose course and findings this list shows; a search that begins empties it.
    void setSearch(ControllerSearch *search);

    Q_INVOKABLE void update();
    // Appends the record while a search runs, unless it is listed already.
    void addController(const ControllerListModel::ControllerData &record);
    // True starts the search, false ends it; without a search only the flag changes.
    void setLoading(bool value);

signals:
    void loadingChanged(bool loading);
    void countChanged(int count);

private:
    void searchRunning(bool running);
    void setLoadingFlag(bool value);
    void clear();
    void emitCountChanged();

    QMutex m_mutex;
    bool m_loading = false;
    QVector<ControllerData> m_rows;
    // The same rows, for the duplicate test: many rows must not cost a scan per row.
    QSet<ControllerData> m_rowSet;
    QPointer<ControllerSearch> m_search;
};

uint qHash(const ControllerListModel::ControllerData &record, uint seed = 0);

Q_DECLARE_METATYPE(ControllerListModel::ControllerData)
