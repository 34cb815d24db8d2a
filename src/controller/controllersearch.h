#pragma once

#include "availabilitychecker.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QThread>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

// One search for controllers, from its first request to its end: the number that tells its
// replies from an earlier search's, the repeats of the request, the checks of the senders (on a
// thread of its own), what it found and when it is over. It sends through the callable it is
// given and takes the replies that are read for it; it holds neither the socket nor the list.
//
// A search ends once it has found nothing new for QuietMs and no check of its replies still
// waits, and in any case LongestMs after it began, whatever keeps arriving.
class ControllerSearch : public QObject
{
    Q_OBJECT

public:
    using Record = AvailabilityChecker::Record;
    using Records = AvailabilityChecker::Records;

    // When the request goes out again after the copy at the start. A datagram lost on Wi-Fi or
    // a full switch queue is lost in a burst more often than alone, so the gaps double; the
    // first comes soon, so one lost request costs a quarter of a second.
    static constexpr std::array<int, 4> RepeatsMs{{250, 750, 1750, 3750}};
    static constexpr int QuietMs = 5000;
    // A bad host cannot keep a search up for longer than this, with every check still waiting
    // at its end given up: at most a quarter of the descriptors are in flight and a check gives
    // up after 3 s, so this lets twenty rounds of silent web servers go.
    static constexpr int LongestMs = 60000;
    // A real controller sends one record; a rename during a search makes it two. The rest is
    // room, while a host that sends a new name with every reply adds no more than these.
    static constexpr int RowsPerSender = 4;
    // A building has a few hundred controllers at most; this many rows are about 6 MB.
    static constexpr int MaxRows = 4096;

    // The repeats cost a search no time: the last leaves while it would run anyway.
    static_assert(RepeatsMs.back() < QuietMs, "the last repeat must leave inside the quiet time");
    static_assert(QuietMs < LongestMs, "a search must be able to go quiet before its end");

    explicit ControllerSearch(std::function<void()> send, QObject *parent = nullptr);
    // Test seam: the checks on another port, with other limits.
    ControllerSearch(std::function<void()> send, quint16 checkPort,
                     const AvailabilityChecker::Limits &limits, QObject *parent = nullptr);
    ~ControllerSearch() override;

    bool isRunning() const;
    // Copies of the request sent so far in this search.
    int copiesSent() const;

    // Starts a search unless one runs: runningChanged(true), then the first copy leaves.
    void start();
    // Ends the search now; checks still waiting are given up.
    void stop();
    // Replies read while this search runs, in the order they came; ignored when none runs.
    void take(const ControllerSearch::Records &replies);

    // Test seams: how long a search stays quiet, and its longest.
    void setQuietMs(int ms);
    int quietMs() const;
    void setLongestMs(int ms);

signals:
    void runningChanged(bool running);
    // A record confirmed by its sender's web server, new in this search.
    void found(const ControllerListModel::ControllerData &record);

private:
    ControllerSearch(std::function<void()> send, std::unique_ptr<AvailabilityChecker> checker,
                     QObject *parent);
    void repeat();
    void confirmed(quint64 search, const ControllerSearch::Records &records);
    void settled(quint64 search, quint64 batches);
    void quietEnded();
    void finish();

    std::function<void()> m_send;
    QThread m_checkThread;
    std::unique_ptr<AvailabilityChecker> m_checker;
    quint64 m_number = 0;
    bool m_running = false;
    // Batches handed to the checker in this search; the search waits for their checks.
    quint64 m_batches = 0;
    bool m_checksPending = false;
    bool m_quietOver = false;
    int m_copies = 0;
    QElapsedTimer m_clock;
    QTimer m_repeatTimer;
    QTimer m_quietTimer;
    QTimer m_endTimer;
    QSet<Record> m_found;
    QHash<QString, int> m_rowsPerSender;
};
