#include "Model/Spaces/SpaceTopologyStabilizer.h"

#include "Model/Spaces/TessarinSpaceDiagnostics.h"
#include "Support/MainQueue.h"

#include <algorithm>

namespace tessarin {

void SpaceTopologyStabilizer::begin(const std::string& reason, TimeInterval now) {
    stabilizationDeadline = now + duration;
    observedCollapseDuringStabilization = false;
    TessarinSpaceDiagnostics::logStabilizationStarted(reason, duration);
}

void SpaceTopologyStabilizer::complete(const std::string& reason) const {
    TessarinSpaceDiagnostics::logStabilizationEnded(reason);
}

bool SpaceTopologyStabilizer::isStabilizing(TimeInterval now) const {
    return stabilizationDeadline && now < *stabilizationDeadline;
}

bool SpaceTopologyStabilizer::updateStableSpaceDisplayListCountIfNeeded(int spaceDisplayListCount,
                                                                        int screenCount,
                                                                        const std::string& reason) {
    if (spaceDisplayListCount < 1) {
        return false;
    }
    const bool hasBaseline = stableSpaceDisplayListCount && *stableSpaceDisplayListCount >= 1;
    const bool records = hasBaseline ? spaceDisplayListCount > *stableSpaceDisplayListCount
                                     : screenCount <= spaceDisplayListCount;
    if (!records) {
        return false;
    }
    stableSpaceDisplayListCount = spaceDisplayListCount;
    TessarinSpaceDiagnostics::logStableBaseline(reason, screenCount, spaceDisplayListCount);
    return true;
}

int SpaceTopologyStabilizer::expectedSpaceDisplayListCount(int screenCount) const {
    if (stableSpaceDisplayListCount && *stableSpaceDisplayListCount >= 1) {
        return std::min(*stableSpaceDisplayListCount, screenCount);
    }
    return screenCount;
}

bool SpaceTopologyStabilizer::shouldSuppressTopologySensitiveWork(
    const std::string& reason, int screenCount, std::optional<int> spaceDisplayListCount,
    TimeInterval now) {
    if (!stabilizationDeadline) {
        return false;
    }
    const int expected = expectedSpaceDisplayListCount(screenCount);
    const bool collapsed = !spaceDisplayListCount || *spaceDisplayListCount < expected;
    const bool windowOver = now >= *stabilizationDeadline;

    if (collapsed) {
        if (windowOver) {
            // The smaller topology outlasted the window: accept it, so later windows do not wait
            // for lists that are not coming back.
            TessarinSpaceDiagnostics::logCollapseExpired(
                reason, screenCount, expected, spaceDisplayListCount, stableSpaceDisplayListCount);
            stabilizationDeadline.reset();
            observedCollapseDuringStabilization = false;
            if (spaceDisplayListCount && *spaceDisplayListCount >= 1) {
                stableSpaceDisplayListCount = *spaceDisplayListCount;
            }
            return false;
        }
        observedCollapseDuringStabilization = true;
        TessarinSpaceDiagnostics::logCollapsedSuppressed(
            reason, screenCount, expected, stableSpaceDisplayListCount, spaceDisplayListCount);
        return true;
    }

    if (observedCollapseDuringStabilization) {
        observedCollapseDuringStabilization = false;
        recoveryReplacementDeadline = now + duration;
        TessarinSpaceDiagnostics::logRecoveryReplacementsEnabled(reason, duration);
    }
    if (windowOver) {
        stabilizationDeadline.reset();
    }
    return false;
}

bool SpaceTopologyStabilizer::allowsRecoveryReplacements(TimeInterval now) const {
    return recoveryReplacementDeadline && now < *recoveryReplacementDeadline;
}

void SpaceTopologyStabilizer::begin(const std::string& reason) {
    begin(reason, MainQueue::main().now());
}

bool SpaceTopologyStabilizer::isStabilizing() const {
    return isStabilizing(MainQueue::main().now());
}

bool SpaceTopologyStabilizer::shouldSuppressTopologySensitiveWork(
    const std::string& reason, int screenCount, std::optional<int> spaceDisplayListCount) {
    return shouldSuppressTopologySensitiveWork(reason, screenCount, spaceDisplayListCount,
                                               MainQueue::main().now());
}

bool SpaceTopologyStabilizer::allowsRecoveryReplacements() const {
    return allowsRecoveryReplacements(MainQueue::main().now());
}

void SpaceTopologyStabilizer::reset() {
    stabilizationDeadline.reset();
    stableSpaceDisplayListCount.reset();
    observedCollapseDuringStabilization = false;
    recoveryReplacementDeadline.reset();
}

} // namespace tessarin
