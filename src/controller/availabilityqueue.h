#pragma once

#include "model/controllerlistmodel.h"

#include <QObject>
#include <QQueue>
#include <functional>

// Confirms discovered controllers by their web server before they are listed. Every accepted
// reply gets exactly one check, on a short-lived worker thread of its own, and a confirmed
// record is posted to the list model's thread. At most a bounded number of checks run at once
// and the rest wait in arrival order: a flood of replies must not cost the board its memory
// (each running check holds two threads and a network access manager).
class AvailabilityQueue : public QObject
{
    Q_OBJECT

public:
    using Check = std::function<bool(const QString &address)>;

    // Enough that a couple of dozen silent web servers (each holding a slot for the whole
    // time limit) leave the answering ones plenty of room.
    static constexpr int DefaultMaxRunning = 48;

    explicit AvailabilityQueue(QObject *parent = nullptr);
    // Test seam: another check and bound.
    AvailabilityQueue(Check check, int maxRunning, QObject *parent = nullptr);
    ~AvailabilityQueue() override;

    void enqueue(ControllerListModel *model, const ControllerListModel::ControllerData &record);

    int running() const;
    int queued() const;
    int maxRunning() const;

signals:
    // Every check has ended and none is waiting.
    void drained();

private:
    struct Task
    {
        ControllerListModel *model;
        ControllerListModel::ControllerData record;
    };

    void startWaiting();
    bool start(const Task &task);
    void finishOne();

    Check m_check;
    int m_maxRunning;
    int m_running = 0;
    QQueue<Task> m_waiting;
};
