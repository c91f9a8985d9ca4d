#pragma once
// Hands work from any thread over to the UI thread, in the order it was
// handed over. Work still queued when the queue is destroyed is dropped.
#include <QObject>

#include <deque>
#include <functional>
#include <mutex>

class UiQueue {
public:
    UiQueue();
    ~UiQueue();
    UiQueue(const UiQueue&) = delete;
    UiQueue& operator=(const UiQueue&) = delete;

    // Any thread.
    void Post(std::function<void()> work);
    // UI thread: runs everything handed over so far.
    void Drain();
    // After this, posted work is dropped (shutdown).
    void Close();

private:
    std::mutex m_lock;
    std::deque<std::function<void()>> m_work;
    bool m_closed = false;
    bool m_wakeUpPending = false;
    // Receives the wake-up events on the UI thread; queued ones die with it.
    class Waker : public QObject {
    public:
        explicit Waker(UiQueue& queue) : m_queue(queue) {}
        bool event(QEvent* e) override;

    private:
        UiQueue& m_queue;
    };
    Waker m_waker{*this};
};
