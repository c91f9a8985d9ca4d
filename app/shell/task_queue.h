#pragma once
// The worker's task queue: task numbers in arrival order. The UI thread
// appends, the worker takes from the front; a lock makes every operation
// safe between the two (and between any other threads).
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>

class TaskQueue {
public:
    void Push(int task);
    // The front task, removed; nothing when the queue is empty.
    std::optional<int> Pop();
    bool Empty() const;
    std::size_t Size() const;
    void Clear();

private:
    mutable std::mutex m_lock;
    std::deque<int> m_tasks;
};
