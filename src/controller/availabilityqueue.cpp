#include "availabilityqueue.h"

#include "controller.h"

#include <QThread>

AvailabilityQueue::AvailabilityQueue(QObject *parent)
    : AvailabilityQueue(&Controller::checkControllerAvailable, DefaultMaxRunning, parent)
{}

AvailabilityQueue::AvailabilityQueue(Check check, int maxRunning, QObject *parent)
    : QObject(parent)
    , m_check(std::move(check))
    , m_maxRunning(qMax(1, maxRunning))
{}

AvailabilityQueue::~AvailabilityQueue() = default;

void AvailabilityQueue::enqueue(ControllerListModel *model,
                                const ControllerListModel::ControllerData &record)
{
    m_waiting.enqueue({model, record});
    startWaiting();
}

int AvailabilityQueue::running() const
{
    return m_running;
}

int AvailabilityQueue::queued() const
{
    return m_waiting.size();
}

int AvailabilityQueue::maxRunning() const
{
    return m_maxRunning;
}

void AvailabilityQueue::startWaiting()
{
    while (m_running < m_maxRunning && !m_waiting.isEmpty())
        start(m_waiting.dequeue());
}

void AvailabilityQueue::start(const Task &task)
{
    const Check check = m_check;
    QThread *thread = QThread::create([check, task] {
        if (!check(task.record.ipAddress))
            return;
        // Queued to the model's thread: the worker never touches the model itself.
        ControllerListModel *model = task.model;
        const ControllerListModel::ControllerData record = task.record;
        QMetaObject::invokeMethod(
            model, [model, record] { model->addController(record); }, Qt::AutoConnection);
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(thread, &QThread::finished, this, &AvailabilityQueue::finishOne);
    ++m_running;
    thread->start(QThread::InheritPriority);
}

void AvailabilityQueue::finishOne()
{
    --m_running;
    startWaiting();
    if (m_running == 0 && m_waiting.isEmpty())
        emit drained();
}
