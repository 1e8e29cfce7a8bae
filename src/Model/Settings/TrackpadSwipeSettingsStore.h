#pragma once

#include "Model/Settings/TrackpadNavigationFingerCount.h"
#include "Model/Settings/TrackpadSpaceSwitchMode.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/Published.h"

#include <cstdint>

namespace tessarin {

// The five trackpad navigation settings, read once from the program's defaults and normalised.
// Every stored edit raises `revision` by one; an edit to the value already held changes nothing.
// Changes made to the defaults behind the store's back are not seen until the next start.
class TrackpadSwipeSettingsStore {
public:
    static constexpr const char* navigationEnabledKey = "trackpadSwipeNavigationEnabled";
    static constexpr const char* switchModeKey = "trackpadSwipeSwitchMode";
    // Older Boolean form of the mode: read when the mode is missing, removed when it is written.
    static constexpr const char* legacyWhileSwipingKey = "trackpadSwipeSwitchSpacesWhileSwiping";
    static constexpr const char* switchDelayKey = "trackpadSwipeSwitchDelayMilliseconds";
    static constexpr const char* directionReversedKey = "trackpadSwipeDirectionReversed";
    static constexpr const char* fingerCountKey = "trackpadSwipeNavigationFingerCount";

    static constexpr int64_t defaultSwitchDelayMilliseconds = 650;

    explicit TrackpadSwipeSettingsStore(UserDefaults& defaults);
    TrackpadSwipeSettingsStore(const TrackpadSwipeSettingsStore&) = delete;
    TrackpadSwipeSettingsStore& operator=(const TrackpadSwipeSettingsStore&) = delete;

    // The store over the current host's own defaults.
    static TrackpadSwipeSettingsStore& shared();

    // A multiple of 50 within 300...2000, halves rounded away from zero.
    static int64_t normalizedSwitchDelayMilliseconds(int64_t milliseconds);

    Published<int64_t> revision{0};

    bool navigationEnabled() const { return navigationEnabled_; }
    TrackpadSpaceSwitchMode switchMode() const { return switchMode_; }
    int64_t switchDelayMilliseconds() const { return switchDelayMilliseconds_; }
    bool directionReversed() const { return directionReversed_; }
    TrackpadNavigationFingerCount navigationFingerCount() const { return fingerCount_; }

    void setNavigationEnabled(bool enabled);
    void setSpaceSwitchMode(TrackpadSpaceSwitchMode mode);
    void setSwitchDelayMilliseconds(int64_t milliseconds);
    void setDirectionReversed(bool reversed);
    void setNavigationFingerCount(TrackpadNavigationFingerCount count);

private:
    void stored();

    UserDefaults& defaults_;
    bool navigationEnabled_ = false;
    TrackpadSpaceSwitchMode switchMode_ = TrackpadSpaceSwitchMode::afterDelay;
    int64_t switchDelayMilliseconds_ = defaultSwitchDelayMilliseconds;
    bool directionReversed_ = false;
    TrackpadNavigationFingerCount fingerCount_ = TrackpadNavigationFingerCount::three;
};

} // namespace tessarin
