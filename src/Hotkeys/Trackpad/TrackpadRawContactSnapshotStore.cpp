#include "Hotkeys/Trackpad/TrackpadRawContactSnapshotStore.h"

namespace tessarin {

void TrackpadRawContactSnapshotStore::setAvailable(bool available) {
    std::lock_guard lock(lock_);
    isAvailable_ = available;
}

void TrackpadRawContactSnapshotStore::record(int count, double timestamp) {
    std::lock_guard lock(lock_);
    currentCount_ = count;
    if (count != 0) {
        lastNonzeroCount_ = count;
        lastNonzeroTimestamp_ = timestamp;
    }
}

void TrackpadRawContactSnapshotStore::clearCurrentCount() {
    std::lock_guard lock(lock_);
    currentCount_ = 0;
}

void TrackpadRawContactSnapshotStore::clear() {
    std::lock_guard lock(lock_);
    isAvailable_ = false;
    currentCount_ = 0;
    lastNonzeroCount_ = 0;
    lastNonzeroTimestamp_ = 0;
}

bool TrackpadRawContactSnapshotStore::matches(int fingerCount, double timestamp,
                                              double maximumAge) const {
    std::lock_guard lock(lock_);
    if (!isAvailable_) {
        return false;
    }
    if (currentCount_ != 0) {
        return currentCount_ == fingerCount;
    }
    // Both times are seconds of uptime, so their difference carries the clock's rounding: the
    // maximum age itself still counts.
    constexpr double kRounding = 1e-6;
    return lastNonzeroCount_ == fingerCount &&
           timestamp - lastNonzeroTimestamp_ <= maximumAge + kRounding;
}

} // namespace tessarin
