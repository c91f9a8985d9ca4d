#include "app/window/ui_queue.h"

#include <QMetaObject>

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
    QMetaObject::invokeMethod(&m_context, [this] { Drain(); }, Qt::QueuedConnection);
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
