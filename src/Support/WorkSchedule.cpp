#include "Support/WorkSchedule.h"

#include <algorithm>

namespace tessarin {

namespace {
// A nanosecond of slack keeps sums of decimal delays (0.15 + 0.05) from missing work.
constexpr TimeInterval kSlack = 1e-9;
} // namespace

std::uint64_t WorkSchedule::add(TimeInterval due, WorkItem item) {
    std::lock_guard lock(mutex_);
    const std::uint64_t sequence = nextSequence_++;
    entries_.emplace(Key{due, sequence}, std::move(item));
    return sequence;
}

std::optional<WorkSchedule::Due> WorkSchedule::takeNextDueBy(TimeInterval limit,
                                                             std::uint64_t scheduledBefore) {
    std::lock_guard lock(mutex_);
    const auto earliest = entries_.begin();
    if (earliest == entries_.end() || earliest->first.first > limit + kSlack ||
        earliest->first.second >= scheduledBefore) {
        return std::nullopt;
    }
    Due taken{earliest->first.first, std::move(earliest->second)};
    entries_.erase(earliest);
    return taken;
}

std::optional<TimeInterval> WorkSchedule::earliestDue() const {
    std::lock_guard lock(mutex_);
    if (entries_.empty()) {
        return std::nullopt;
    }
    return entries_.begin()->first.first;
}

std::uint64_t WorkSchedule::nextSequence() const {
    std::lock_guard lock(mutex_);
    return nextSequence_;
}

std::size_t WorkSchedule::pendingCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(
        std::count_if(entries_.begin(), entries_.end(),
                      [](const auto& entry) { return !entry.second.isCancelled(); }));
}

} // namespace tessarin
