#include "Hotkeys/Trackpad/TrackpadNavigationInput.h"

#include "Hotkeys/Trackpad/TrackpadRawInputCoordinator.h"
#include "Model/Settings/TrackpadSwipeSettingsStore.h"

namespace tessarin {

int TrackpadNavigationInput::switchDelayMilliseconds() const {
    return static_cast<int>(store_.switchDelayMilliseconds());
}

void TrackpadNavigationInput::cancelPendingTapCommit() {
    coordinator_.tapHandler = nullptr;
    coordinator_.cancelCurrentGesture();
}

} // namespace tessarin
