#include "UI/Health/TessarinHealthSetupStep.h"

#include "Platform/Preferences/UserDefaults.h"

namespace tessarin {

bool TessarinSpacePracticeRule::isSatisfied(const UserDefaults& defaults) {
    return defaults.integerValue(completedMoveCountKey).value_or(0) >= 3 ||
           defaults.boolValue(skippedKey).value_or(false);
}

std::optional<TessarinHealthSetupStep> TessarinSpacePracticeRule::nextPracticeStep(
    const UserDefaults& defaults,
    const std::function<TessarinSpacePracticeState()>& practiceStateProvider) {
    if (isSatisfied(defaults)) {
        return std::nullopt;
    }
    const TessarinSpacePracticeState state = practiceStateProvider();
    if (state.isComplete) {
        return std::nullopt;
    }
    return TessarinHealthSetupStep{state};
}

std::optional<TessarinHealthSetupStep>
nextSetupStep(const TessarinHealthCheckSnapshot& snapshot,
              const std::set<TessarinHealthCheckIdentifier>& skipped, const UserDefaults& defaults,
              const std::function<TessarinSpacePracticeState()>& practiceStateProvider) {
    bool practiceConsidered = false;
    for (const TessarinHealthCheckItem& item : snapshot.items) {
        if (item.status == TessarinHealthCheckStatus::actionRequired ||
            (item.status == TessarinHealthCheckStatus::recommended &&
             !skipped.contains(item.identifier))) {
            return TessarinHealthSetupStep{item};
        }
        if (item.identifier == TessarinHealthCheckIdentifier::screenRecording) {
            if (auto practice =
                    TessarinSpacePracticeRule::nextPracticeStep(defaults, practiceStateProvider)) {
                return practice;
            }
            practiceConsidered = true;
        }
    }
    if (practiceConsidered) {
        return std::nullopt;
    }
    return TessarinSpacePracticeRule::nextPracticeStep(defaults, practiceStateProvider);
}

bool yieldedStepResolved(const std::optional<TessarinHealthSetupStep>& current,
                         const TessarinHealthCheckSnapshot& snapshot) {
    const TessarinHealthCheckItem* item = healthItem(current);
    if (!item) {
        return true;
    }
    const auto now = snapshot.item(item->identifier);
    return !now || now->status == TessarinHealthCheckStatus::passed ||
           now->status == TessarinHealthCheckStatus::notAvailable ||
           now->status == TessarinHealthCheckStatus::notApplicable;
}

} // namespace tessarin
