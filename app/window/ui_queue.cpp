#include "app/window/ui_queue.h"

#include <QCoreApplication>
#include <QEvent>

#include "oxa/core/race_annotations.h"

namespace {

// A wake-up without data. The event is made here and handed through Qt's
// queue, whose locking the race checker cannot see: the hand-over is
// announced to it.
const QEvent::Type kWakeUp = QEvent::Type(QEvent::registerEventType());

}  // namespace

bool UiQueue::Waker::event(QEvent* e)
{
    OXA::RaceAcquire(e);  // before reading it: it may come from another thread
    if (e->type() != kWakeUp) return QObject::event(e);
    m_queue.Drain();
    return true;
}

UiQueue::UiQueue() = default;

UiQueue::~UiQueue() { Close(); }

void UiQueue::Post(std::function<void()> work)
{
    {
        std::lock_guard lock(m_lock);
        if (m_closed) return;
        m_work.push_back(std::move(work));
        if (m_wakeUpPending) return;
        m_wakeUpPending = true;
    }
    auto* wakeUp = new QEvent(kWakeUp);
    OXA::RaceRelease(wakeUp);
    QCoreApplication::postEvent(&m_waker, wakeUp);
}

// Takes what is there and runs it; work handed over meanwhile (also from
// inside the work, which may run a nested event loop) wakes a later drain.
void UiQueue::Drain()
{
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(m_lock);
        batch.swap(m_work);
        m_wakeUpPending = false;
    }
    for (auto& work : batch) {
        {
            std::lock_guard lock(m_lock);
            if (m_closed) return;
        }
        work();
    }
}

void UiQueue::Close()
{
    std::lock_guard lock(m_lock);
    m_closed = true;
    m_work.clear();
}
