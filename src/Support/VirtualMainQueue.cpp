#include "Support/VirtualMainQueue.h"

#include <algorithm>

namespace tessarin {

VirtualMainQueue::VirtualMainQueue(TimeInterval startUptime, TimeInterval startAbsoluteTime)
    : uptime_(startUptime), absoluteOffset_(startAbsoluteTime - startUptime) {}

void VirtualMainQueue::async(std::function<void()> work) {
    asyncAfter(0, WorkItem(std::move(work)));
}

void VirtualMainQueue::asyncAfter(TimeInterval delay, const WorkItem& item) {
    schedule_.add(uptime() + std::max(0.0, delay), item);
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
    auto next = schedule_.takeNextDueBy(limit);
    if (!next) {
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        uptime_ = std::max(uptime_, next->due);
    }
    next->item.perform();
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
    return schedule_.pendingCount();
}

} // namespace tessarin
