#pragma once

#include "Support/Clock.h"
#include "Support/WorkItem.h"

#include <cstdint>
#include <limits>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

namespace tessarin {

// Work waiting for its turn, in the one order every main queue keeps: by due time, and work
// due at the same time in the order it was scheduled. Safe from any thread.
class WorkSchedule {
public:
    struct Due {
        TimeInterval due = 0;
        WorkItem item;
    };

    // Returns the item's place in scheduling order.
    std::uint64_t add(TimeInterval due, WorkItem item);
    // Removes and returns the next item due by `limit` among those scheduled before
    // `scheduledBefore`; nothing when none is.
    std::optional<Due>
    takeNextDueBy(TimeInterval limit,
                  std::uint64_t scheduledBefore = std::numeric_limits<std::uint64_t>::max());
    std::optional<TimeInterval> earliestDue() const;
    // The place the next item will get.
    std::uint64_t nextSequence() const;
    // Items not cancelled.
    std::size_t pendingCount() const;

private:
    // Due time, then place in scheduling order: the first entry is always the next to run, so
    // taking it stays cheap however many wait.
    using Key = std::pair<TimeInterval, std::uint64_t>;

    mutable std::mutex mutex_;
    std::map<Key, WorkItem> entries_;
    std::uint64_t nextSequence_ = 0;
};

} // namespace tessarin
