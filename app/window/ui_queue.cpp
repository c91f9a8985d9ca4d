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

void UiQueue::Drain()
{
    for (;;) {
        std::function<void()> work;
        {
            std::lock_guard lock(m_lock);
            if (m_work.empty()) {
                m_wakeUpPending = false;
                return;
            }
            work = std::move(m_work.front());
            m_work.pop_front();
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
