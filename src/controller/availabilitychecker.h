#pragma once

#include "model/controllerlistmodel.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QSet>
#include <QVector>

class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

// Confirms discovered controllers by their web server before they are listed. Lives on a thread
// of its own and runs the checks asynchronously: many HEAD requests in flight at once, each
// given up after the same time limit as the blocking check. A silent web server then costs an
// open request, not a blocked thread, so it cannot hold the answering controllers back.
//
// The answer depends on the address alone, so replies from a sender whose check is waiting or in
// flight take that check's answer, and once a sender's web server has answered, its later
// replies in the search are confirmed without asking. Senders that answered more copies of the
// request are asked first, and among equals in arrival order: a real controller answers every
// copy, while a burst of one-off (spoofed) senders right after the broadcast answers one, so the
// burst cannot push the controller past the search's end. Outside a search nothing is held and
// no request or manager is kept. Everything held is bounded.
class AvailabilityChecker : public QObject
{
    Q_OBJECT

public:
    using Record = ControllerListModel::ControllerData;
    using Records = QVector<Record>;

    struct Limits
    {
        // Requests in flight at once; each holds a socket while it waits.
        int maxInFlight = 256;
        // Senders waiting for a check (a new sender is refused only past this many, a /18 of
        // distinct addresses), and as many that answered, remembered for the rest of a search.
        int maxSenders = 16384;
        // Records held beyond each waiting sender's first, in all and from one sender. Only
        // these give way when a flood fills the bound, never a sender's first record.
        int maxRepeats = 16384;
        // As many as a search lists of one sender (ControllerSearch::RowsPerSender).
        int maxRecordsPerSender = 4;
        // Requests one network access manager serves before a fresh one takes over: the manager
        // keeps a connection object per host it has talked to, for minutes.
        int requestsPerManager = 512;
    };

    static constexpr int TimeoutMs = 3000;
    // Copies of the request told apart when senders are ranked.
    static constexpr int MaxCopies = 32;

    // Issues the check's HEAD request through `manager`, given up (aborted) TimeoutMs after it
    // was issued, not after the connect: a silent host must not hold anyone for the system's
    // own connect time-out. The answer is a reply that finishes without an error.
    static QNetworkReply *head(QNetworkAccessManager *manager, const QUrl &url);

    explicit AvailabilityChecker(QObject *parent = nullptr);
    // Test seam: another port and other limits.
    AvailabilityChecker(quint16 port, const Limits &limits, QObject *parent = nullptr);
    ~AvailabilityChecker() override;

    // All run on the checker's own thread (queue them there). Records of a search other than
    // the latest one begun, or of one that has ended, are dropped; beginning or ending a search
    // drops all earlier work. `copy` is the copy of the request (0 the first) that the records
    // answer.
    void beginSearch(quint64 search);
    void endSearch(quint64 search);
    void check(quint64 search, int copy, const AvailabilityChecker::Records &records);

    int inFlight() const;
    int heldRecords() const;
    int managers() const;

signals:
    // Records whose sender's web server answered, in the order they arrived.
    void confirmed(quint64 search, const AvailabilityChecker::Records &records);
    // Nothing of this search waits or is in flight after `batches` calls of check() for it.
    void settled(quint64 search, quint64 batches);

private:
    struct Sender
    {
        Records records;
        QPointer<QNetworkReply> reply;
        quint32 copies = 0; // one bit per copy of the request answered
        int rank = 1;       // copies answered
    };

    void hold(const Record &record, int copy);
    void startWaiting();
    QString nextWaiting();
    void start(const QString &address);
    void finished(QNetworkReply *reply);
    void emitSettledIfDone();
    void dropAll();

    quint16 m_port;
    Limits m_limits;
    quint64 m_search = 0;
    bool m_searching = false;
    quint64 m_batches = 0;
    QHash<QString, Sender> m_senders;
    // Senders waiting for a request, by rank (index rank - 1). A sender that moved up leaves a
    // stale entry below, skipped when it comes up.
    QVector<QQueue<QString>> m_waiting;
    int m_queued = 0;
    // Senders whose web server answered in this search.
    QSet<QString> m_available;
    int m_inFlight = 0;
    int m_repeats = 0;
    // The manager new requests go to; a child, like the ones used up that still wait for answers.
    QPointer<QNetworkAccessManager> m_current;
    int m_managers = 0;
};

Q_DECLARE_METATYPE(AvailabilityChecker::Records)
