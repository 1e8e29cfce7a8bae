#include "Model/Settings/TrackpadSwipeSettingsStore.h"

#include "Platform/Host.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

namespace {

// Values of another type than the key's read as absent.
bool storedBool(const UserDefaults& defaults, const char* key) {
    const auto value = defaults.object(key);
    return value && value->isBool() && *value->boolValue();
}

TrackpadSpaceSwitchMode loadedMode(const UserDefaults& defaults) {
    if (const auto text = defaults.stringValue(TrackpadSwipeSettingsStore::switchModeKey)) {
        if (const auto mode = fromRawValue<TrackpadSpaceSwitchMode>(*text)) {
            return *mode;
        }
    }
    return storedBool(defaults, TrackpadSwipeSettingsStore::legacyWhileSwipingKey)
               ? TrackpadSpaceSwitchMode::whileSwiping
               : TrackpadSpaceSwitchMode::afterDelay;
}

} // namespace

TrackpadSwipeSettingsStore::TrackpadSwipeSettingsStore(UserDefaults& defaults)
    : defaults_(defaults) {
    navigationEnabled_ = storedBool(defaults, navigationEnabledKey);
    switchMode_ = loadedMode(defaults);
    const auto delay = defaults.object(switchDelayKey);
    switchDelayMilliseconds_ = normalizedSwitchDelayMilliseconds(
        delay && delay->isInteger() ? *delay->integerValue() : defaultSwitchDelayMilliseconds);
    directionReversed_ = storedBool(defaults, directionReversedKey);
    const auto fingers = defaults.stringValue(fingerCountKey);
    fingerCount_ = fingers && *fingers == "four" ? TrackpadNavigationFingerCount::four
                                                 : TrackpadNavigationFingerCount::three;
}

TrackpadSwipeSettingsStore& TrackpadSwipeSettingsStore::shared() {
    return Host::current().sharedInstance<TrackpadSwipeSettingsStore>(
        [](Host& host) { return std::make_shared<TrackpadSwipeSettingsStore>(host.defaults()); });
}

int64_t TrackpadSwipeSettingsStore::normalizedSwitchDelayMilliseconds(int64_t milliseconds) {
    const auto clamped = static_cast<double>(std::clamp<int64_t>(milliseconds, 300, 2000));
    return static_cast<int64_t>(std::round(clamped / 50.0)) * 50;
}

void TrackpadSwipeSettingsStore::setNavigationEnabled(bool enabled) {
    if (enabled == navigationEnabled_) {
        return;
    }
    navigationEnabled_ = enabled;
    defaults_.set(navigationEnabledKey, enabled);
    stored();
}

void TrackpadSwipeSettingsStore::setSpaceSwitchMode(TrackpadSpaceSwitchMode mode) {
    if (mode == switchMode_) {
        return;
    }
    switchMode_ = mode;
    defaults_.set(switchModeKey, rawValue(mode));
    defaults_.remove(legacyWhileSwipingKey);
    stored();
}

void TrackpadSwipeSettingsStore::setSwitchDelayMilliseconds(int64_t milliseconds) {
    const int64_t normalized = normalizedSwitchDelayMilliseconds(milliseconds);
    if (normalized == switchDelayMilliseconds_) {
        return;
    }
    switchDelayMilliseconds_ = normalized;
    defaults_.set(switchDelayKey, normalized);
    stored();
}

void TrackpadSwipeSettingsStore::setDirectionReversed(bool reversed) {
    if (reversed == directionReversed_) {
        return;
    }
    directionReversed_ = reversed;
    defaults_.set(directionReversedKey, reversed);
    stored();
}

void TrackpadSwipeSettingsStore::setNavigationFingerCount(TrackpadNavigationFingerCount count) {
    if (count == fingerCount_) {
        return;
    }
    fingerCount_ = count;
    defaults_.set(fingerCountKey, rawValue(count));
    stored();
}

void TrackpadSwipeSettingsStore::stored() {
    revision.set(revision.value() + 1);
}

} // namespace tessarin
