#pragma once

#include "Support/Clock.h"
#include "Support/WorkItem.h"

#include <functional>

namespace tessarin {

// The one queue on which all product logic runs. The program drives it from Qt's event loop;
// tests drive a virtual one whose clock only moves when they advance it.
//
// `async` and `asyncAfter` may be called from any thread; the work always runs on the queue.
//
// Order: work runs in order of due time (the time it was scheduled plus its delay), and work
// due at the same time runs in the order it was scheduled. `async(w)` is `asyncAfter(0, w)`, so
// `asyncAfter(0, a)` followed by `async(b)` runs a, then b; work scheduled by running work
// comes after everything already due.
class MainQueue : public Clock {
public:
    ~MainQueue() override = default;

    virtual void async(std::function<void()> work) = 0;
    // Schedules an existing work item; cancelling the item before its turn drops it.
    virtual void asyncAfter(TimeInterval delay, const WorkItem& item) = 0;

    WorkItem asyncAfter(TimeInterval delay, std::function<void()> work);
    // Runs `tick` every `interval` seconds until the returned item is cancelled.
    WorkItem scheduleRepeating(TimeInterval interval, std::function<void()> tick);

    // The queue's monotonic time in seconds (its uptime).
    TimeInterval now() const { return uptime(); }

    // The queue installed for this process or test; aborts when none is, because work posted
    // to a queue that never runs would vanish silently.
    static MainQueue& main();
    static MainQueue* installed();
    static void install(MainQueue* queue);
};

// Installs a queue for the lifetime of a scope (a test, or `main`), restoring the previous one.
class ScopedMainQueue {
public:
    explicit ScopedMainQueue(MainQueue& queue);
    ~ScopedMainQueue();
    ScopedMainQueue(const ScopedMainQueue&) = delete;
    ScopedMainQueue& operator=(const ScopedMainQueue&) = delete;

private:
    MainQueue* previous_;
};

} // namespace tessarin
