#pragma once

#include "Platform/DockSwipeGesture.h"
#include "Platform/Input/EventStage.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Clock.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class DisplayServer;
class EventSystem;
class MainQueue;
class WindowServer;

// Symbolic hot-key numbers the Dock obeys.
namespace SymbolicHotKey {
inline constexpr int missionControl = 32;
inline constexpr int applicationWindows = 33;
inline constexpr int moveLeftASpace = 79;
inline constexpr int moveRightASpace = 81;
inline constexpr int switchToDesktop1 = 118; // Desktop n is 117 + n, up to 16
inline constexpr int switchToDesktopLast = 133;
inline constexpr int switchToDesktop(int desktopNumber) {
    return 117 + desktopNumber;
}
} // namespace SymbolicHotKey

// The system's shortcuts, as the Dock reads them (the window server's symbolic hot keys).
struct SymbolicHotKeySource {
    std::function<std::optional<SymbolicHotKeyValue>(int hotKey)> value;
    std::function<bool(int hotKey)> isEnabled;
};

// The Dock turns the Spaces. It takes the Dock-swipe gestures at the head of the consumer
// stages, the system's Space and Mission Control shortcuts after them, and switches a display's
// Space once its animation has run, through the window server (which posts the active Space
// change). A horizontal swipe turns the Spaces of the display under it; a vertical one opens (up)
// or closes (down) Mission Control. A "Switch to Desktop N" shortcut pressed while a window is
// dragged with the left button takes the window along.
//
// Tests can make the Dock ignore gestures or lengthen its animation, so a switch can fail or
// land late. Main-thread only.
class Dock {
public:
    static constexpr TimeInterval kDefaultAnimationDuration = 0.3;

    Dock(WindowServer& windowServer, DisplayServer& displays, EventSystem& events,
         MainQueue& queue);
    ~Dock();
    Dock(const Dock&) = delete;
    Dock& operator=(const Dock&) = delete;

    // Where the system's shortcuts come from; without a source none are obeyed.
    void setSymbolicHotKeySource(SymbolicHotKeySource source);
    // What the Mission Control and Application Windows shortcuts do; without it, Mission
    // Control opens at once.
    void setMissionControlOpener(std::function<void()> open);

    // Turns a Space list to one of its Spaces once the animation has run, as a click on the
    // Space in Mission Control does; a Space gone by then changes nothing.
    void switchToSpace(const std::string& displayIdentifier, SpaceID spaceID);

    // Time from the end of a gesture or shortcut to the Space change.
    TimeInterval animationDuration() const { return animationDuration_; }
    void setAnimationDuration(TimeInterval seconds);
    // Ignored gestures are still taken from the stream, but change nothing.
    bool ignoresGestures() const { return ignoresGestures_; }
    void setIgnoresGestures(bool ignores) { ignoresGestures_ = ignores; }

    // What the Dock did, oldest first, for tests.
    struct SpaceChange {
        std::string displayIdentifier;
        SpaceID from = 0;
        SpaceID to = 0;
        std::optional<WindowID> carriedWindow;
        friend bool operator==(const SpaceChange&, const SpaceChange&) = default;
    };
    const std::vector<SpaceChange>& spaceChanges() const { return spaceChanges_; }
    std::size_t receivedGestureCount() const { return receivedGestureCount_; }
    // Switches decided but not yet landed.
    std::size_t pendingSwitchCount() const { return pendingSwitchCount_; }

private:
    struct SwitchTarget {
        std::string displayIdentifier;
        int64_t steps = 0;                   // relative to the Space current when it lands
        std::optional<uint32_t> targetIndex; // absolute, wins over steps when valid
        std::optional<int> desktopNumber;    // the n-th user desktop, wins over both
        std::optional<SpaceID> spaceID;      // that very Space, wins over all of them
        std::optional<WindowID> carriedWindow;
    };

    bool handleGestureStage(const Event& event);
    bool handleSymbolicHotKeyStage(const Event& event);
    void trackPointer(const Event& event);
    void handleSwipe(const DockSwipeEvent& swipe);
    std::optional<int> matchingSymbolicHotKey(const Event& event) const;
    void scheduleSwitch(SwitchTarget target);
    void land(const SwitchTarget& target);
    std::optional<SpaceID> resolveLandingSpace(const SwitchTarget& target) const;
    std::optional<std::string> spaceListUnder(Point windowServerPoint) const;
    std::optional<WindowID> windowUnder(Point windowServerPoint) const;
    std::optional<WindowID> draggedWindow() const;

    WindowServer& windowServer_;
    DisplayServer& displays_;
    EventSystem& events_;
    MainQueue& queue_;
    SymbolicHotKeySource symbolicHotKeys_;
    std::function<void()> openMissionControl_;
    TimeInterval animationDuration_ = kDefaultAnimationDuration;
    bool ignoresGestures_ = false;

    EventConsumerToken gestureToken_;
    EventConsumerToken hotKeyToken_;
    std::shared_ptr<bool> alive_;
    std::size_t pendingSwitchCount_ = 0;
    std::vector<SpaceChange> spaceChanges_;
    std::size_t receivedGestureCount_ = 0;

    // The window under the last left-button press, and whether the pointer has moved with the
    // button held since.
    std::optional<WindowID> pressedWindow_;
    bool pointerDragged_ = false;
};

} // namespace tessarin
