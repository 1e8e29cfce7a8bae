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
    entries_.push_back({due, sequence, std::move(item)});
    return sequence;
}

std::vector<WorkSchedule::Entry>::const_iterator WorkSchedule::earliestLocked() const {
    return std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return a.due != b.due ? a.due < b.due : a.sequence < b.sequence;
    });
}

std::optional<WorkSchedule::Due> WorkSchedule::takeNextDueBy(TimeInterval limit,
                                                             std::uint64_t scheduledBefore) {
    std::lock_guard lock(mutex_);
    const auto earliest = earliestLocked();
    if (earliest == entries_.end() || earliest->due > limit + kSlack ||
        earliest->sequence >= scheduledBefore) {
        return std::nullopt;
    }
    Due taken{earliest->due, earliest->item};
    entries_.erase(earliest);
    return taken;
}

std::optional<TimeInterval> WorkSchedule::earliestDue() const {
    std::lock_guard lock(mutex_);
    const auto earliest = earliestLocked();
    if (earliest == entries_.end()) {
        return std::nullopt;
    }
    return earliest->due;
}

std::uint64_t WorkSchedule::nextSequence() const {
    std::lock_guard lock(mutex_);
    return nextSequence_;
}

std::size_t WorkSchedule::pendingCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count_if(
        entries_.begin(), entries_.end(), [](const Entry& e) { return !e.item.isCancelled(); }));
}

} // namespace tessarin
