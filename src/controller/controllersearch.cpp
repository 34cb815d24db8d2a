#include "controllersearch.h"

ControllerSearch::ControllerSearch(std::function<void()> send, QObject *parent)
    : ControllerSearch(std::move(send), std::make_unique<AvailabilityChecker>(), parent)
{}

ControllerSearch::ControllerSearch(std::function<void()> send, quint16 checkPort,
                                   const AvailabilityChecker::Limits &limits, QObject *parent)
    : ControllerSearch(std::move(send), std::make_unique<AvailabilityChecker>(checkPort, limits),
                       parent)
{}

ControllerSearch::ControllerSearch(std::function<void()> send,
                                   std::unique_ptr<AvailabilityChecker> checker, QObject *parent)
    : QObject(parent)
    , m_send(std::move(send))
    , m_checker(std::move(checker))
{
    // Found records may be queued to another thread.
    qRegisterMetaType<ControllerListModel::ControllerData>();
    m_checker->moveToThread(&m_checkThread);
    connect(m_checker.get(), &AvailabilityChecker::confirmed, this, &ControllerSearch::confirmed);
    connect(m_checker.get(), &AvailabilityChecker::settled, this, &ControllerSearch::settled);
    m_checkThread.setObjectName(QStringLiteral("availability"));
    m_checkThread.start();

    m_repeatTimer.setSingleShot(true);
    m_quietTimer.setSingleShot(true);
    m_quietTimer.setInterval(QuietMs);
    m_endTimer.setSingleShot(true);
    m_endTimer.setInterval(LongestMs);
    connect(&m_repeatTimer, &QTimer::timeout, this, &ControllerSearch::repeat);
    connect(&m_quietTimer, &QTimer::timeout, this, &ControllerSearch::quietEnded);
    connect(&m_endTimer, &QTimer::timeout, this, &ControllerSearch::finish);
}

ControllerSearch::~ControllerSearch()
{
    // The checker lets go of its requests on its own thread; once that has ended, nothing of
    // it runs any more and it is deleted here.
    AvailabilityChecker *checker = m_checker.get();
    const quint64 search = m_number;
    QMetaObject::invokeMethod(
        checker, [checker, search] { checker->endSearch(search); }, Qt::BlockingQueuedConnection);
    m_checkThread.quit();
    m_checkThread.wait();
}

bool ControllerSearch::isRunning() const
{
    return m_running;
}

int ControllerSearch::copiesSent() const
{
    return m_copies;
}

void ControllerSearch::start()
{
    if (m_running)
        return;
    const quint64 search = ++m_number;
    m_running = true;
    m_batches = 0;
    m_checksPending = false;
    m_quietOver = false;
    m_found.clear();
    m_rowsPerSender.clear();
    AvailabilityChecker *checker = m_checker.get();
    QMetaObject::invokeMethod(checker, [checker, search] { checker->beginSearch(search); });
    emit runningChanged(true);

    m_quietTimer.start();
    m_endTimer.start();
    m_clock.start();
    m_copies = 0;
    repeat();
}

void ControllerSearch::stop()
{
    finish();
}

void ControllerSearch::repeat()
{
    if (!m_running)
        return;
    if (m_send)
        m_send();
    // Copies are timed from the start, so a late one does not delay the rest.
    if (++m_copies <= int(RepeatsMs.size()))
        m_repeatTimer.start(
            int(qMax<qint64>(0, RepeatsMs[std::size_t(m_copies - 1)] - m_clock.elapsed())));
}

void ControllerSearch::take(const Records &replies)
{
    if (!m_running || replies.isEmpty())
        return;
    ++m_batches;
    m_checksPending = true;
    AvailabilityChecker *checker = m_checker.get();
    const quint64 search = m_number;
    // The copy they answer: the latest one sent when they were read.
    const int copy = qMax(0, m_copies - 1);
    QMetaObject::invokeMethod(
        checker, [checker, search, copy, replies] { checker->check(search, copy, replies); });
}

void ControllerSearch::confirmed(quint64 search, const Records &records)
{
    if (search != m_number || !m_running)
        return; // of an earlier search, or one that has ended
    bool foundNew = false;
    for (const Record &record : records) {
        if (m_found.size() >= MaxRows || m_found.contains(record))
            continue;
        int &rows = m_rowsPerSender[record.ipAddress];
        if (rows >= RowsPerSender)
            continue;
        ++rows;
        m_found.insert(record);
        foundNew = true;
        emit found(record);
        if (!m_running)
            return; // ended by a receiver
    }
    if (foundNew) {
        m_quietOver = false;
        m_quietTimer.start();
    }
}

void ControllerSearch::settled(quint64 search, quint64 batches)
{
    // Only once the checker has seen every batch handed to it so far.
    if (!m_running || search != m_number || batches != m_batches)
        return;
    m_checksPending = false;
    if (m_quietOver)
        finish();
}

void ControllerSearch::quietEnded()
{
    // Quiet, but replies still wait for their check: their controllers would be lost.
    if (m_checksPending) {
        m_quietOver = true;
        return;
    }
    finish();
}

void ControllerSearch::finish()
{
    if (!m_running)
        return;
    m_running = false;
    m_repeatTimer.stop();
    m_quietTimer.stop();
    m_endTimer.stop();
    AvailabilityChecker *checker = m_checker.get();
    const quint64 search = m_number;
    QMetaObject::invokeMethod(checker, [checker, search] { checker->endSearch(search); });
    m_found.clear();
    m_rowsPerSender.clear();
    emit runningChanged(false);
}

void ControllerSearch::setQuietMs(int ms)
{
    m_quietTimer.setInterval(ms);
}

int ControllerSearch::quietMs() const
{
    return m_quietTimer.interval();
}

void ControllerSearch::setLongestMs(int ms)
{
    m_endTimer.setInterval(ms);
}
