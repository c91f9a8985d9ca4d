#include "app/shell/task_queue.h"

void TaskQueue::Push(int task)
{
    const std::lock_guard lock(m_lock);
    m_tasks.push_back(task);
}

std::optional<int> TaskQueue::Pop()
{
    const std::lock_guard lock(m_lock);
    if (m_tasks.empty()) return std::nullopt;
    const int task = m_tasks.front();
    m_tasks.pop_front();
    return task;
}

bool TaskQueue::Empty() const
{
    const std::lock_guard lock(m_lock);
    return m_tasks.empty();
}

std::size_t TaskQueue::Size() const
{
    const std::lock_guard lock(m_lock);
    return m_tasks.size();
}

void TaskQueue::Clear()
{
    const std::lock_guard lock(m_lock);
    m_tasks.clear();
}
