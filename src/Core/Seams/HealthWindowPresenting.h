#pragma once

#include <optional>

namespace tessarin {

enum class HealthWindowMode { setup, allSet };

// What the health window learns of the user's Space practice: whether it is complete, and
// whether the hotkeys took over the system's own Mission Control keys.
struct TessarinSpacePracticeState {
    bool isComplete = false;
    bool usesDetectedMissionControlShortcuts = false;
    friend bool operator==(const TessarinSpacePracticeState&,
                           const TessarinSpacePracticeState&) = default;
};

// The health window, as the delegate opens it (setup when a permission is missing).
class HealthWindowPresenting {
public:
    virtual ~HealthWindowPresenting() = default;
    virtual void present(HealthWindowMode mode) = 0;

    // Launch
    // Runs the checks and asks the launch policy which page opens at start-up, if any.
    virtual std::optional<HealthWindowMode> launchPresentation() { return std::nullopt; }
};

} // namespace tessarin
