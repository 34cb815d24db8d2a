#include "availabilitychecker.h"

#include "controlleraddress.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <sys/resource.h>
#include <utility>

namespace {

// A sensible bound on requests in flight for this process's file-descriptor limit.
int defaultMaxInFlight()
{
    // A quarter of the descriptors the process may open leaves the rest of it plenty.
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 256;
    return int(qBound<rlim_t>(16, limit.rlim_cur / 4, 1024));
}

// A manager with the count of its requests: issued, and not answered yet.
class CheckManager : public QNetworkAccessManager
{
public:
    using QNetworkAccessManager::QNetworkAccessManager;

    int issued = 0;
    int open = 0;
};

} // namespace

QNetworkReply *AvailabilityChecker::head(QNetworkAccessManager *manager, const QUrl &url)
{
    QNetworkReply *reply = manager->head(QNetworkRequest(url));
    // The reply is the timer's context, so the timer goes with it.
    QTimer::singleShot(TimeoutMs, reply, [reply] {
        if (!reply->isFinished())
            reply->abort();
    });
    return reply;
}

AvailabilityChecker::AvailabilityChecker(QObject *parent)
    : AvailabilityChecker(ControllerAddress::WebPort, Limits{defaultMaxInFlight()}, parent)
{}

AvailabilityChecker::AvailabilityChecker(quint16 port, const Limits &limits, QObject *parent)
    : QObject(parent)
    , m_port(port)
    , m_limits(limits)
{
    // Confirmed records cross to the search's thread in a queued signal.
    qRegisterMetaType<Records>();
    m_limits.maxInFlight = qMax(1, m_limits.maxInFlight);
    m_limits.requestsPerManager = qMax(1, m_limits.requestsPerManager);
    m_limits.maxRecordsPerSender = qMax(1, m_limits.maxRecordsPerSender);
}

AvailabilityChecker::~AvailabilityChecker()
{
    dropAll();
}

int AvailabilityChecker::inFlight() const
{
    return m_inFlight;
}

int AvailabilityChecker::heldRecords() const
{
    return m_senders.size() + m_repeats;
}

int AvailabilityChecker::managers() const
{
    return m_managers;
}

void AvailabilityChecker::beginSearch(quint64 search)
{
    if (search == m_search && m_searching)
        return;
    dropAll();
    m_search = search;
    m_searching = true;
}

void AvailabilityChecker::endSearch(quint64 search)
{
    if (search != m_search)
        return;
    // Nothing runs between searches: no request, no record, no manager with its thread.
    dropAll();
    m_searching = false;
}

void AvailabilityChecker::check(quint64 search, int copy, const Records &records)
{
    if (search > m_search)
        beginSearch(search);
    if (search != m_search || !m_searching)
        return; // left over from an earlier search, or from one that has ended
    ++m_batches;

    Records known;
    for (const Record &record : records) {
        if (m_available.contains(record.ipAddress))
            known.append(record);
        else
            hold(record, qBound(0, copy, MaxCopies - 1));
    }
    if (!known.isEmpty())
        emit confirmed(m_search, known);
    startWaiting();
    emitSettledIfDone();
}

void AvailabilityChecker::hold(const Record &record, int copy)
{
    const quint32 bit = 1u << copy;
    auto it = m_senders.find(record.ipAddress);
    if (it == m_senders.end()) {
        // A new sender always gets in while there is room for senders: repeats give way first.
        if (m_senders.size() >= m_limits.maxSenders)
            return;
        it = m_senders.insert(record.ipAddress, Sender{{record}, nullptr, bit, 1});
        if (m_waiting.isEmpty())
            m_waiting.resize(1);
        m_waiting[0].enqueue(record.ipAddress);
        ++m_queued;
        return;
    }
    Sender &sender = *it;
    if (!(sender.copies & bit)) {
        sender.copies |= bit;
        ++sender.rank;
        // Still waiting: it moves up, ahead of every sender that answered fewer copies.
        if (!sender.reply) {
            if (m_waiting.size() < sender.rank)
                m_waiting.resize(sender.rank);
            m_waiting[sender.rank - 1].enqueue(record.ipAddress);
        }
    }
    // The same reply repeated adds nothing; a sender past its share adds nothing either.
    Records &held = sender.records;
    if (held.contains(record) || held.size() >= m_limits.maxRecordsPerSender ||
        m_repeats >= m_limits.maxRepeats)
        return;
    held.append(record);
    ++m_repeats;
}

QString AvailabilityChecker::nextWaiting()
{
    for (int rank = m_waiting.size(); rank >= 1; --rank) {
        QQueue<QString> &queue = m_waiting[rank - 1];
        while (!queue.isEmpty()) {
            const QString address = queue.dequeue();
            const auto it = m_senders.constFind(address);
            if (it != m_senders.cend() && !it->reply && it->rank == rank)
                return address;
        }
    }
    return {};
}

void AvailabilityChecker::startWaiting()
{
    while (m_inFlight < m_limits.maxInFlight && m_queued > 0) {
        const QString address = nextWaiting();
        if (address.isNull()) {
            m_queued = 0;
            break;
        }
        start(address);
    }
}

void AvailabilityChecker::start(const QString &address)
{
    auto *manager = static_cast<CheckManager *>(m_current.data());
    if (!manager) {
        manager = new CheckManager(this);
        m_current = manager;
        ++m_managers;
    }
    QNetworkReply *reply =
        head(manager, ControllerAddress::parse(address).withPort(m_port).checkUrl());
    ++manager->open;
    ++m_inFlight;
    --m_queued;
    m_senders[address].reply = reply;
    // Used up: its last answer releases it.
    if (++manager->issued >= m_limits.requestsPerManager)
        m_current.clear();

    // The reply belongs to its manager, which outlives it; the connection goes with the reply.
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
}

void AvailabilityChecker::finished(QNetworkReply *reply)
{
    const bool available = reply->error() == QNetworkReply::NoError;
    const QString address = ControllerAddress::fromUrl(reply->url()).host();
    reply->deleteLater();
    --m_inFlight;
    auto *manager = static_cast<CheckManager *>(reply->manager());
    if (--manager->open == 0 && manager != m_current) {
        --m_managers;
        manager->deleteLater();
    }

    Records records;
    const auto it = m_senders.find(address);
    if (it != m_senders.end() && it->reply == reply) {
        records = std::move(it->records);
        m_senders.erase(it);
        m_repeats -= records.size() - 1;
        // A failure may pass (a link that went down for a moment, a web server still starting),
        // so only an answer is kept; past the bound a sender is simply asked again.
        if (available && m_available.size() < m_limits.maxSenders)
            m_available.insert(address);
    }

    if (available && !records.isEmpty())
        emit confirmed(m_search, records);

    startWaiting();
    emitSettledIfDone();
}

void AvailabilityChecker::emitSettledIfDone()
{
    if (m_searching && m_inFlight == 0 && m_queued == 0)
        emit settled(m_search, m_batches);
}

void AvailabilityChecker::dropAll()
{
    m_waiting.clear();
    m_queued = 0;
    m_available.clear();
    m_senders.clear();
    m_repeats = 0;
    m_batches = 0;
    m_inFlight = 0;
    m_current.clear();
    // Given up without an answer: nothing of it may reach a later search. Each manager takes
    // its replies with it.
    const auto managers = findChildren<CheckManager *>(QString(), Qt::FindDirectChildrenOnly);
    for (CheckManager *manager : managers) {
        for (QNetworkReply *reply : manager->findChildren<QNetworkReply *>())
            reply->disconnect(this);
        delete manager;
    }
    m_managers = 0;
}
