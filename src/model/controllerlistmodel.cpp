#include "controllerlistmodel.h"

#include "controller/controller.h"

#include <QMutexLocker>

bool ControllerListModel::ControllerData::operator==(const ControllerData &other) const
{
    return name == other.name && model == other.model && serialNumber == other.serialNumber &&
           ipAddress == other.ipAddress;
}

uint qHash(const ControllerListModel::ControllerData &record, uint seed)
{
    return qHash(record.name, seed) ^ qHash(record.model, seed + 1) ^
           qHash(record.serialNumber, seed + 2) ^ qHash(record.ipAddress, seed + 3);
}

ControllerListModel *ControllerListModel::instance()
{
    // Function-local static: created once, even under concurrent first calls; never destroyed.
    static ControllerListModel *const model = new ControllerListModel();
    return model;
}

ControllerListModel::ControllerListModel(QObject *parent)
    : QAbstractListModel(parent)
    , m_discover([] { Controller::instance()->discoverControllers(); })
{
    m_searchTimer.setSingleShot(true);
    m_searchTimer.setInterval(SearchQuietMs);

    m_checkWaitTimer.setSingleShot(true);
    m_checkWaitTimer.setInterval(CheckWaitMs);

    connect(&m_searchTimer, &QTimer::timeout, this, [this] {
        if (!m_checksPending) {
            setLoading(false);
            return;
        }
        m_checkWaitTimer.start();
    });
    connect(&m_checkWaitTimer, &QTimer::timeout, this, [this] { setLoading(false); });
    connect(this, &QAbstractItemModel::modelReset, this, &ControllerListModel::emitCountChanged);
    connect(this, &QAbstractItemModel::rowsInserted, this, &ControllerListModel::emitCountChanged);
    connect(this, &QAbstractItemModel::rowsRemoved, this, &ControllerListModel::emitCountChanged);
}

ControllerListModel::~ControllerListModel() = default;

int ControllerListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

QVariant ControllerListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_rows.size())
        return {};
    const ControllerData &row = m_rows.at(index.row());
    switch (role) {
    case ControllerName:
        return row.name;
    case ControllerModel:
        return row.model;
    case SerialNumber:
        return row.serialNumber;
    case IpAddress:
        return row.ipAddress;
    default:
        return {};
    }
}

QHash<int, QByteArray> ControllerListModel::roleNames() const
{
    return {
        {ControllerName, QByteArrayLiteral("cName")},
        {ControllerModel, QByteArrayLiteral("cModel")},
        {SerialNumber, QByteArrayLiteral("cSerialNumber")},
        {IpAddress, QByteArrayLiteral("cIpAddress")},
    };
}

bool ControllerListModel::loading() const
{
    return m_loading;
}

int ControllerListModel::count() const
{
    return rowCount();
}

void ControllerListModel::update()
{
    if (m_loading)
        return;

    {
        QMutexLocker locker(&m_mutex);
        beginResetModel();
        m_rows.clear();
        m_rowSet.clear();
        endResetModel();
    }

    m_checksPending = false;
    if (m_discover)
        m_discover();

    setLoading(true);
}

void ControllerListModel::addController(const ControllerData &record)
{
    // A confirmation that arrives after the search has ended belongs to no search.
    if (!m_loading)
        return;

    QMutexLocker locker(&m_mutex);
    if (m_rowSet.contains(record))
        return;

    const int n = m_rows.size();
    beginInsertRows(QModelIndex(), n, n);
    m_rows.append(record);
    m_rowSet.insert(record);
    endInsertRows();

    m_checkWaitTimer.stop();
    m_searchTimer.start();
}

void ControllerListModel::setLoading(bool value)
{
    if (value == m_loading)
        return;
    m_loading = value;
    emit loadingChanged(value);

    m_checkWaitTimer.stop();
    if (m_loading)
        m_searchTimer.start();
    else
        m_searchTimer.stop();
}

void ControllerListModel::setChecksPending(bool pending)
{
    m_checksPending = pending;
    // Quiet for long enough already: the last check has answered, so the search is over.
    if (!pending && m_checkWaitTimer.isActive())
        setLoading(false);
}

void ControllerListModel::setDiscovery(std::function<void()> discover)
{
    m_discover = std::move(discover);
}

void ControllerListModel::setSearchInterval(int ms)
{
    m_searchTimer.setInterval(ms);
}

int ControllerListModel::searchInterval() const
{
    return m_searchTimer.interval();
}

void ControllerListModel::emitCountChanged()
{
    emit countChanged(rowCount());
}
