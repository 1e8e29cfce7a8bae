#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class Preferences;

// The system's own trackpad gestures that take fingers another program may want.
enum class TrackpadGesture {
    fullScreenSwipe,     // swipe left or right between full-screen applications
    missionControlSwipe, // swipe up
    appExposeSwipe,      // swipe down
    lookUpTap,           // look up and data detectors, tapping with three fingers
    threeFingerDrag,     // in the accessibility options: drag with three fingers
};

// How a gesture is made, or that it is off.
enum class TrackpadGestureFingers { off, three, four };

// One row of the pane: a gesture and its setting.
struct TrackpadPaneEntry {
    TrackpadGesture gesture;
    std::string name;
    TrackpadGestureFingers fingers;
    friend bool operator==(const TrackpadPaneEntry&, const TrackpadPaneEntry&) = default;
};

// System Settings' Trackpad pane, on the gestures of "More Gestures" and "Point & Click" that a
// program's own swipes and taps contend with, with the three-finger drag of the accessibility
// options. What it shows and changes are the preferences of both trackpad domains (built-in and
// Bluetooth) and the Dock's gesture switches: a swipe or tap given to the system is a 2, the drag
// a flag. Swipes up and down share one finger count. Main-thread only.
class TrackpadPane {
public:
    static constexpr const char* kBuiltInDomain = "com.apple.AppleMultitouchTrackpad";
    static constexpr const char* kBluetoothDomain =
        "com.apple.driver.AppleBluetoothMultitouch.trackpad";
    static constexpr const char* kDockDomain = "com.apple.dock";
    static constexpr const char* kMissionControlKey = "showMissionControlGestureEnabled";
    static constexpr const char* kAppExposeKey = "showAppExposeGestureEnabled";

    explicit TrackpadPane(Preferences& preferences);

    // In the pane's order.
    std::vector<TrackpadPaneEntry> entries() const;
    TrackpadGestureFingers fingers(TrackpadGesture gesture) const;
    // False, and nothing changes, for a way the gesture is not made (the tap and the drag take
    // three fingers only).
    bool setFingers(TrackpadGesture gesture, TrackpadGestureFingers fingers);

    static std::vector<TrackpadGestureFingers> choices(TrackpadGesture gesture);
    static std::string nameOf(TrackpadGesture gesture);

private:
    bool givesSystem(const char* key) const;
    std::optional<bool> flag(const char* domain, const char* key) const;
    TrackpadGestureFingers swipeFingers(const char* threeKey, const char* fourKey) const;
    void writeTrackpads(const char* key, int value);
    void writeSwipeFingers(const char* threeKey, const char* fourKey,
                           TrackpadGestureFingers fingers);
    void setVerticalSwipe(const char* dockKey, const char* otherDockKey,
                          TrackpadGestureFingers fingers);

    Preferences& preferences_;
};

} // namespace tessarin
