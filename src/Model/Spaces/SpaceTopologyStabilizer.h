#pragma once

#include "Support/Clock.h"

#include <optional>
#include <string>

namespace tessarin {

// Rides out a transient drop in the number of per-display Space lists while displays are
// reconfigured (screen changes, wake). While a stabilization window is open and the lists have
// collapsed below what the screens lead us to expect, topology-sensitive work is held back;
// when the lists come back, Space-ID recovery replacements are allowed for one more window,
// because the window server may hand out new IDs for the returning Spaces.
//
// Times are the main queue's clock (`MainQueue::now()`), passed in by the caller.
struct SpaceTopologyStabilizer {
    TimeInterval duration = 5.0;
    std::optional<TimeInterval> stabilizationDeadline;
    std::optional<int> stableSpaceDisplayListCount;
    bool observedCollapseDuringStabilization = false;
    std::optional<TimeInterval> recoveryReplacementDeadline;

    // Opens (or reopens) the window: the deadline moves to `now + duration`.
    void begin(const std::string& reason, TimeInterval now);
    // The completion of a window: writes the record; the deadline is cleared by the next check.
    void complete(const std::string& reason) const;
    bool isStabilizing(TimeInterval now) const;

    // Records a new baseline of per-display Space lists: once set it only grows; before that it
    // is taken only when there are at least as many lists as screens. Returns whether it was
    // recorded.
    bool updateStableSpaceDisplayListCountIfNeeded(int spaceDisplayListCount, int screenCount,
                                                   const std::string& reason);

    // The number of lists the screens lead us to expect: the baseline, but never more than
    // there are screens; the screen count while there is no baseline.
    int expectedSpaceDisplayListCount(int screenCount) const;

    // Whether topology-sensitive work must wait. `spaceDisplayListCount` is absent when the
    // lists cannot be read, which counts as a collapse.
    bool shouldSuppressTopologySensitiveWork(const std::string& reason, int screenCount,
                                             std::optional<int> spaceDisplayListCount,
                                             TimeInterval now);

    bool allowsRecoveryReplacements(TimeInterval now) const;

    // The same on the main queue's clock now.
    void begin(const std::string& reason);
    bool isStabilizing() const;
    bool shouldSuppressTopologySensitiveWork(const std::string& reason, int screenCount,
                                             std::optional<int> spaceDisplayListCount);
    bool allowsRecoveryReplacements() const;

    // Back to the starting state; the duration stays.
    void reset();

    friend bool operator==(const SpaceTopologyStabilizer&,
                           const SpaceTopologyStabilizer&) = default;
};

} // namespace tessarin
