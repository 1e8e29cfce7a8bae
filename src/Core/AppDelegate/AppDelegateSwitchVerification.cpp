// Proving that a posted switch happened: a little after the Dock should have finished, the live
// Space is compared with the target. A switch the Dock ignored is undone in the program's own
// view (predictions cleared, Space info and grids refreshed).

#include "Core/AppDelegate/AppDelegate.h"
#include "Platform/Host.h"
#include "Support/MainQueue.h"

#include <memory>

namespace tessarin {

namespace {

std::string describe(const std::optional<TessarinSpaceInfo>& info) {
    if (!info) {
        return "nil";
    }
    return std::to_string(info->currentSpaceID) + "@" + std::to_string(info->currentIndex) + "/" +
           std::to_string(info->spaceCount);
}

} // namespace

AppDelegate::SpaceSwitchVerificationAttempt AppDelegate::beginSpaceSwitchVerificationAttempt(
    const std::optional<std::string>& displayIdentifier) {
    return spaceSwitchVerificationGenerations.begin(displayIdentifier);
}

void AppDelegate::scheduleSpaceSwitchVerification(SpaceID targetSpaceID,
                                                  const SpaceSwitchVerificationAttempt& attempt,
                                                  std::optional<TessarinSpaceInfo> liveBefore,
                                                  uint32_t postVariant,
                                                  SpaceSwitchVerificationContext context) {
    std::weak_ptr<AppDelegate*> weakSelf = self_;
    Host::current().queue().asyncAfter(
        spaceSwitchVerificationDelay,
        [weakSelf, targetSpaceID, attempt, liveBefore, postVariant, context] {
            if (auto self = weakSelf.lock()) {
                (*self)->finishSpaceSwitchVerification(targetSpaceID, attempt, liveBefore,
                                                       postVariant, context);
            }
        });
}

void AppDelegate::finishSpaceSwitchVerification(SpaceID targetSpaceID,
                                                const SpaceSwitchVerificationAttempt& attempt,
                                                std::optional<TessarinSpaceInfo> liveBefore,
                                                uint32_t postVariant,
                                                SpaceSwitchVerificationContext context) {
    std::optional<TessarinSpaceInfo> liveAfter;
    SpaceSwitchVerificationOutcome outcome = SpaceSwitchVerificationOutcome::superseded;
    if (spaceSwitchVerificationGenerations.isCurrent(attempt)) {
        liveAfter = resolveLiveSpaceInfo(attempt.displayIdentifier, SpaceInfoReading::live);
        outcome = liveAfter && liveAfter->currentSpaceID == targetSpaceID
                      ? SpaceSwitchVerificationOutcome::confirmed
                      : SpaceSwitchVerificationOutcome::rolledBack;
    }

    const std::string line = "space switch verification outcome=" + rawValue(outcome) +
                             " method=" + postMethodLabel(postVariant) +
                             " context=" + rawValue(context) + " key=" + attempt.generationKey +
                             " generation=" + std::to_string(attempt.generation) +
                             " target=" + std::to_string(targetSpaceID) +
                             " before=" + describe(liveBefore) + " after=" + describe(liveAfter);
    if (outcome == SpaceSwitchVerificationOutcome::rolledBack) {
        spaceSwitchLogger().error(line);
    } else {
        spaceSwitchLogger().info(line);
    }
    if (outcome != SpaceSwitchVerificationOutcome::rolledBack) {
        return;
    }

    // Readers must stop showing the switch as done, and everything drawn from it follows.
    tessarin_reset_switch_predictions();
    shell_->refreshSpaceInfo();
    shell_->refreshPersistentGridOverlay();
    refreshVisibleGridOSDOverlays(
        VisibleGridOSDOverlayRefreshScope::forDisplayIdentifier(attempt.displayIdentifier));
}

} // namespace tessarin
