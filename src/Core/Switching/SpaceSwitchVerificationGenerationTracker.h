#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace tessarin {

// One verification of a posted switch: the display it watches (none: the pointer's display),
// the key its generation is counted under, and its generation.
struct SpaceSwitchVerificationAttempt {
    std::optional<std::string> displayIdentifier;
    std::string generationKey;
    uint64_t generation = 0;

    friend bool operator==(const SpaceSwitchVerificationAttempt&,
                           const SpaceSwitchVerificationAttempt&) = default;
};

// Numbers the verification attempts per display, so that a newer switch on the same display
// supersedes the verification of an older one. Attempts on other displays are independent.
class SpaceSwitchVerificationGenerationTracker {
public:
    // The key of switches on the pointer's display.
    static constexpr const char* cursorKey = "cursor";

    static std::string generationKey(const std::optional<std::string>& displayIdentifier);

    // Advances the key's generation (the first attempt of a key is generation 1).
    SpaceSwitchVerificationAttempt begin(const std::optional<std::string>& displayIdentifier);
    // False once a newer attempt began under the same key.
    bool isCurrent(const SpaceSwitchVerificationAttempt& attempt) const;
    // The latest generation of a key; 0 before its first attempt.
    uint64_t generation(const std::string& generationKey) const;

private:
    std::map<std::string, uint64_t> generations_;
};

} // namespace tessarin
