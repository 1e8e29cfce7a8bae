#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tessarin {

struct TrackpadSystemGestureStatus {
    bool leftRight = false;
    bool up = false;
    bool down = false;
    bool threeFingerTapAvailable = true;
    bool threeFingerDragAvailable = true;
    friend bool operator==(const TrackpadSystemGestureStatus&,
                           const TrackpadSystemGestureStatus&) = default;
};

// Which of the system's own trackpad gestures use the navigating swipes or the three-finger
// tap, from the built-in and Bluetooth trackpad domains (built-in first) and the Dock's.
class TrackpadSystemGestureDetector {
public:
    static constexpr const char* builtInDomain = "com.apple.AppleMultitouchTrackpad";
    static constexpr const char* bluetoothDomain =
        "com.apple.driver.AppleBluetoothMultitouch.trackpad";
    static constexpr const char* dockDomain = "com.apple.dock";

    using IntegerLookup =
        std::function<std::optional<int64_t>(const std::string& domain, const std::string& key)>;
    using BooleanLookup =
        std::function<std::optional<bool>(const std::string& domain, const std::string& key)>;

    static TrackpadSystemGestureStatus current();
    static TrackpadSystemGestureStatus status(const IntegerLookup& integerValue,
                                              const BooleanLookup& booleanValue);
};

} // namespace tessarin
