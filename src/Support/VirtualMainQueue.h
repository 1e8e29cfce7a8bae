#pragma once

#include "Support/MainQueue.h"
#include "Support/WorkSchedule.h"

#include <mutex>

namespace tessarin {

// A main queue on a virtual clock for tests: nothing runs until the test advances time, and
// then everything that falls due runs in order of due time (ties in order of scheduling),
// without sleeping.
class VirtualMainQueue final : public MainQueue {
public:
    explicit VirtualMainQueue(TimeInterval startUptime = 1000.0,
                              TimeInterval startAbsoluteTime = 820000000.0);

    void async(std::function<void()> work) override;
    void asyncAfter(TimeInterval delay, const WorkItem& item) override;
    using MainQueue::asyncAfter;

    TimeInterval absoluteTime() const override;
    TimeInterval uptime() const override;

    // Moves the clock forward by `seconds`, running all work due by then.
    void advance(TimeInterval seconds);
    // Runs all work due now, including work that it schedules for now.
    void runUntilIdle();
    // Number of scheduled, not cancelled items.
    std::size_t pendingCount() const;
    // Time of the earliest pending item, if any.
    bool hasPendingWork() const { return pendingCount() > 0; }

private:
    bool runNextDueBy(TimeInterval limit);

    WorkSchedule schedule_;
    mutable std::mutex mutex_; // guards the clock
    TimeInterval uptime_;
    TimeInterval absoluteOffset_;
};

} // namespace tessarin
