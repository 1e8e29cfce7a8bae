#include "Support/VirtualMainQueue.h"

#include <algorithm>

namespace tessarin {

VirtualMainQueue::VirtualMainQueue(TimeInterval startUptime, TimeInterval startAbsoluteTime)
    : uptime_(startUptime), absoluteOffset_(startAbsoluteTime - startUptime) {}

void VirtualMainQueue::async(std::function<void()> work) {
    asyncAfter(0, WorkItem(std::move(work)));
}

void VirtualMainQueue::asyncAfter(TimeInterval delay, const WorkItem& item) {
    std::lock_guard lock(mutex_);
    entries_.push_back({uptime_ + std::max(0.0, delay), nextSequence_++, item});
}

TimeInterval VirtualMainQueue::absoluteTime() const {
    std::lock_guard lock(mutex_);
    return uptime_ + absoluteOffset_;
}

TimeInterval VirtualMainQueue::uptime() const {
    std::lock_guard lock(mutex_);
    return uptime_;
}

bool VirtualMainQueue::runNextDueBy(TimeInterval limit) {
    WorkItem item;
    {
        std::lock_guard lock(mutex_);
        auto earliest =
            std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
                return a.due != b.due ? a.due < b.due : a.sequence < b.sequence;
            });
        // A nanosecond of slack keeps sums of decimal delays (0.15 + 0.05) from missing work.
        if (earliest == entries_.end() || earliest->due > limit + 1e-9) {
            return false;
        }
        uptime_ = std::max(uptime_, earliest->due);
        item = earliest->item;
        entries_.erase(earliest);
    }
    item.perform();
    return true;
}

void VirtualMainQueue::advance(TimeInterval seconds) {
    const TimeInterval target = uptime() + std::max(0.0, seconds);
    while (runNextDueBy(target)) {
    }
    std::lock_guard lock(mutex_);
    uptime_ = std::max(uptime_, target);
}

void VirtualMainQueue::runUntilIdle() {
    advance(0);
}

std::size_t VirtualMainQueue::pendingCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count_if(
        entries_.begin(), entries_.end(), [](const Entry& e) { return !e.item.isCancelled(); }));
}

} // namespace tessarin
