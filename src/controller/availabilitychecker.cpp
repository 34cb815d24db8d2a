#include "availabilitychecker.h"

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

} // namespace

QUrl AvailabilityChecker::url(const QString &address, quint16 port)
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    // Decoded mode: the text is the host as it stands, a percent sign is just a percent sign.
    url.setHost(address, QUrl::DecodedMode);
    url.setPort(port);
    url.setPath(QStringLiteral("/tqsettings.json"));
    return url;
}

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
    : AvailabilityChecker(Port, Limits{defaultMaxInFlight()}, parent)
{}

AvailabilityChecker::AvailabilityChecker(quint16 port, const Limits &limits, QObject *parent)
    : QObject(parent)
    , m_port(port)
    , m_limits(limits)
{
    // Confirmed records cross to the list's thread in a queued signal.
    qRegisterMetaType<Records>();
    m_limits.maxInFlight = qMax(1, m_limits.maxInFlight);
    m_limits.requestsPerManager = qMax(1, m_limits.requestsPerManager);
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
    return (m_current ? 1 : 0) + m_retired.size();
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

void AvailabilityChecker::check(quint64 search, const Records &records)
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
            hold(record);
    }
    if (!known.isEmpty())
        emit confirmed(m_search, known);
    startWaiting();
    emitSettledIfDone();
}

void AvailabilityChecker::hold(const Record &record)
{
    auto it = m_senders.find(record.ipAddress);
    if (it == m_senders.end()) {
        // A new sender always gets in while there is room for senders: repeats give way first.
        if (m_senders.size() >= m_limits.maxSenders)
            return;
        it = m_senders.insert(record.ipAddress, Sender{{record}, nullptr});
        m_waiting.enqueue(record.ipAddress);
        return;
    }
    Records &held = it->records;
    // The same reply repeated adds nothing; a sender past its share adds nothing either.
    if (held.constLast() == record || held.size() >= m_limits.maxRecordsPerSender ||
        m_repeats >= m_limits.maxRepeats)
        return;
    held.append(record);
    ++m_repeats;
}

void AvailabilityChecker::startWaiting()
{
    while (m_inFlight < m_limits.maxInFlight && !m_waiting.isEmpty())
        start(m_waiting.dequeue());
}

void AvailabilityChecker::start(const QString &address)
{
    if (!m_current) {
        m_current = new Manager;
        m_current->manager = new QNetworkAccessManager(this);
        m_currentStarted = 0;
    }
    Manager *manager = m_current;
    QNetworkReply *reply = head(manager->manager, url(address, m_port));
    ++manager->inFlight;
    ++m_inFlight;
    m_senders[address].reply = reply;
    // Retired at once when its share is used up, so that its last answer releases it.
    if (++m_currentStarted >= m_limits.requestsPerManager) {
        m_retired.append(m_current);
        m_current = nullptr;
    }

    connect(reply, &QNetworkReply::finished, this,
            [this, address, reply, manager] { finished(address, reply, manager); });
}

void AvailabilityChecker::finished(const QString &address, QNetworkReply *reply, Manager *manager)
{
    const bool available = reply->error() == QNetworkReply::NoError;
    reply->disconnect(this);
    reply->deleteLater();
    --m_inFlight;
    --manager->inFlight;

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
    releaseIfDone(manager);

    if (available && !records.isEmpty())
        emit confirmed(m_search, records);

    startWaiting();
    emitSettledIfDone();
}

void AvailabilityChecker::releaseIfDone(Manager *manager)
{
    if (manager == m_current || manager->inFlight > 0)
        return;
    m_retired.removeOne(manager);
    manager->manager->deleteLater();
    delete manager;
}

void AvailabilityChecker::emitSettledIfDone()
{
    if (m_searching && m_inFlight == 0 && m_waiting.isEmpty())
        emit settled(m_search, m_batches);
}

void AvailabilityChecker::dropAll()
{
    m_waiting.clear();
    m_available.clear();
    const QHash<QString, Sender> senders = std::exchange(m_senders, {});
    m_repeats = 0;
    m_batches = 0;
    for (const Sender &sender : senders) {
        if (!sender.reply)
            continue;
        // Given up without an answer: nothing of it may reach a later search.
        sender.reply->disconnect(this);
        sender.reply->abort();
        sender.reply->deleteLater();
    }
    m_inFlight = 0;
    if (m_current)
        m_retired.append(std::exchange(m_current, nullptr));
    for (Manager *manager : qAsConst(m_retired)) {
        manager->manager->deleteLater();
        delete manager;
    }
    m_retired.clear();
}
