#include "controllerlistmodel.h"

#include "controller/controller.h"
#include "controller/controllersearch.h"

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
    static ControllerListModel *const model = [] {
        auto *created = new ControllerListModel();
        created->setSearch(Controller::instance()->search());
        return created;
    }();
    return model;
}

ControllerListModel::ControllerListModel(QObject *parent)
    : QAbstractListModel(parent)
{
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

void ControllerListModel::setSearch(ControllerSearch *search)
{
    if (m_search)
        m_search->disconnect(this);
    m_search = search;
    if (!search)
        return;
    connect(search, &ControllerSearch::runningChanged, this, &ControllerListModel::searchRunning);
    connect(search, &ControllerSearch::found, this, &ControllerListModel::addController);
    setLoadingFlag(search->isRunning());
}

void ControllerListModel::update()
{
    // A search in progress is not restarted.
    if (m_loading)
        return;
    if (m_search)
        m_search->start(); // empties the list as it begins
    else
        clear();
}

void ControllerListModel::searchRunning(bool running)
{
    if (running)
        clear();
    setLoadingFlag(running);
}

void ControllerListModel::clear()
{
    QMutexLocker locker(&m_mutex);
    beginResetModel();
    m_rows.clear();
    m_rowSet.clear();
    endResetModel();
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
}

void ControllerListModel::setLoading(bool value)
{
    if (value == m_loading)
        return;
    if (!m_search)
        setLoadingFlag(value);
    else if (value)
        m_search->start();
    else
        m_search->stop();
}

void ControllerListModel::setLoadingFlag(bool value)
{
    if (value == m_loading)
        return;
    m_loading = value;
    emit loadingChanged(value);
}

void ControllerListModel::emitCountChanged()
{
    emit countChanged(rowCount());
}
