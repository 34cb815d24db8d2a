#include "availabilityqueue.h"

#include "controller.h"

#include <QThread>
#include <QTimer>

namespace {

constexpr int kRetryMs = 200;

} // namespace

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
    while (m_running < m_maxRunning && !m_waiting.isEmpty()) {
        if (!start(m_waiting.head())) {
            // No thread to be had (memory or thread limits): the reply keeps its place and is
            // tried again when a check ends, or shortly when none is running.
            if (m_running == 0)
                QTimer::singleShot(kRetryMs, this, &AvailabilityQueue::startWaiting);
            return;
        }
        m_waiting.dequeue();
    }
}

bool AvailabilityQueue::start(const Task &task)
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
    thread->start(QThread::InheritPriority);
    // A thread that could not be created never finishes, so it must not hold a slot.
    if (!thread->isRunning() && !thread->isFinished()) {
        delete thread;
        return false;
    }
    ++m_running;
    return true;
}

void AvailabilityQueue::finishOne()
{
    --m_running;
    startWaiting();
    if (m_running == 0 && m_waiting.isEmpty())
        emit drained();
}
