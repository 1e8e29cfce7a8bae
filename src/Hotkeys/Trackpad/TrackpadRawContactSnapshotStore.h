#pragma once

#include <mutex>

namespace tessarin {

// The raw contact count, written by frame processing and read by the Dock-swipe tap's callback,
// always under its own lock.
class TrackpadRawContactSnapshotStore {
public:
    void setAvailable(bool available);
    void record(int count, double timestamp);
    void clearCurrentCount();
    void clear();

    // Whether `fingerCount` fingers are down now, or were the last contacts within `maximumAge`.
    bool matches(int fingerCount, double timestamp, double maximumAge) const;

private:
    mutable std::mutex lock_;
    bool isAvailable_ = false;
    int currentCount_ = 0;
    int lastNonzeroCount_ = 0;
    double lastNonzeroTimestamp_ = 0;
};

} // namespace tessarin
