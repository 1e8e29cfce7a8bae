#pragma once

#include "Model/Seams/TrackpadInputControlling.h"

namespace tessarin {

class TrackpadRawInputCoordinator;
class TrackpadSwipeSettingsStore;

// The engine's trackpad side over the settings store and the raw input.
class TrackpadNavigationInput final : public TrackpadInputControlling {
public:
    TrackpadNavigationInput(TrackpadSwipeSettingsStore& store,
                            TrackpadRawInputCoordinator& coordinator)
        : store_(store), coordinator_(coordinator) {}
    int switchDelayMilliseconds() const override;
    void cancelPendingTapCommit() override;

private:
    TrackpadSwipeSettingsStore& store_;
    TrackpadRawInputCoordinator& coordinator_;
};

} // namespace tessarin
