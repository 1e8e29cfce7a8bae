#pragma once

namespace tessarin {

// What the delegate reports about the wizard's keyboard step.
struct TessarinSpacePracticeState {
    bool isComplete = false;
    bool usesDetectedMissionControlShortcuts = false;
    friend bool operator==(const TessarinSpacePracticeState&,
                           const TessarinSpacePracticeState&) = default;
};

} // namespace tessarin
