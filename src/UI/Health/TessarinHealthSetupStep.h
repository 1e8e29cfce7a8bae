#pragma once

#include "Model/Health/TessarinHealthCheckIdentifier.h"
#include "Model/Health/TessarinHealthCheckItem.h"
#include "Model/Health/TessarinHealthCheckSnapshot.h"
#include "Model/Health/TessarinSpacePracticeState.h"

#include <functional>
#include <optional>
#include <set>
#include <variant>

namespace tessarin {

class UserDefaults;

// One page of the setup wizard: a health check, or the keyboard shortcut step.
using TessarinHealthSetupStep = std::variant<TessarinHealthCheckItem, TessarinSpacePracticeState>;

inline const TessarinHealthCheckItem*
healthItem(const std::optional<TessarinHealthSetupStep>& step) {
    return step ? std::get_if<TessarinHealthCheckItem>(&*step) : nullptr;
}

// The keyboard step is wanted until it was finished (three moves) or passed with "Next", and
// while the delegate does not report it complete.
struct TessarinSpacePracticeRule {
    static constexpr const char* skippedKey = "healthCheck.spacePracticeSkipped";
    static constexpr const char* completedMoveCountKey =
        "healthCheck.spacePracticeCompletedMoveCount";
    static bool isSatisfied(const UserDefaults& defaults);
    static std::optional<TessarinHealthSetupStep>
    nextPracticeStep(const UserDefaults& defaults,
                     const std::function<TessarinSpacePracticeState()>& practiceStateProvider);
};

// The first step that still needs the user: a required item, an unskipped recommendation, and
// the keyboard step right after Screen Recording (or at the end when there is none).
std::optional<TessarinHealthSetupStep>
nextSetupStep(const TessarinHealthCheckSnapshot& snapshot,
              const std::set<TessarinHealthCheckIdentifier>& skipped, const UserDefaults& defaults,
              const std::function<TessarinSpacePracticeState()>& practiceStateProvider);

// Whether the step the page yielded for is done (granted, or gone from the snapshot).
bool yieldedStepResolved(const std::optional<TessarinHealthSetupStep>& current,
                         const TessarinHealthCheckSnapshot& snapshot);

} // namespace tessarin
