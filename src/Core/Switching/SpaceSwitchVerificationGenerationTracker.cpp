#include "Core/Switching/SpaceSwitchVerificationGenerationTracker.h"

namespace tessarin {

std::string SpaceSwitchVerificationGenerationTracker::generationKey(
    const std::optional<std::string>& displayIdentifier) {
    return displayIdentifier ? *displayIdentifier : std::string(cursorKey);
}

SpaceSwitchVerificationAttempt SpaceSwitchVerificationGenerationTracker::begin(
    const std::optional<std::string>& displayIdentifier) {
    std::string key = generationKey(displayIdentifier);
    const uint64_t generation = ++generations_[key];
    return {displayIdentifier, std::move(key), generation};
}

bool SpaceSwitchVerificationGenerationTracker::isCurrent(
    const SpaceSwitchVerificationAttempt& attempt) const {
    return attempt.generation != 0 && generation(attempt.generationKey) == attempt.generation;
}

uint64_t SpaceSwitchVerificationGenerationTracker::generation(const std::string& key) const {
    const auto found = generations_.find(key);
    return found == generations_.end() ? 0 : found->second;
}

} // namespace tessarin
