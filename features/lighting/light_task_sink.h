#pragma once
// Where the light page queues its worker tasks.

// Worker task numbers the light page queues.
constexpr int kTaskWriteLightMode = 9;
constexpr int kTaskWriteSideLightMode = 10;

class LightTaskSink {
public:
    virtual ~LightTaskSink() = default;
    virtual void QueueTask(int task) = 0;
};
