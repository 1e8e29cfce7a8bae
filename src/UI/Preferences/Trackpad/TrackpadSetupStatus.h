#pragma once

#include "Hotkeys/Trackpad/TrackpadRawInputCoordinator.h"
#include "Hotkeys/Trackpad/TrackpadSystemGestureDetector.h"
#include "Model/Settings/TrackpadNavigationFingerCount.h"
#include "Model/Settings/TrackpadSpaceSwitchMode.h"

#include <QString>

namespace tessarin {

// What decides whether the trackpad is ready for swipe navigation.
struct TrackpadSetupInputs {
    TrackpadRawInputState rawInput = TrackpadRawInputState::unavailable;
    TrackpadNavigationFingerCount fingerCount = TrackpadNavigationFingerCount::three;
    TrackpadSpaceSwitchMode mode = TrackpadSpaceSwitchMode::afterDelay;
    TrackpadSystemGestureStatus system;
};

// Raw input available, three-finger drag out of the way of three-finger swipes, and the
// three-finger tap free when the mode waits for it.
bool isTrackpadReady(const TrackpadSetupInputs& inputs);

// The sentences that say what is wrong and what to change, in a fixed order.
QString systemGestureRequirementHelpText(const TrackpadSetupInputs& inputs);

// Milliseconds as seconds: "1.2 s", "1.25 s".
QString switchDelayText(int milliseconds);

} // namespace tessarin
