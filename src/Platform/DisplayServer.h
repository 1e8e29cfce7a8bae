#pragma once

#include "Platform/Screen.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Geometry.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The connected displays, in the order the window system lists them (main screen first), with
// conversions between the two global coordinate systems:
//  - screen coordinates: y up, the main screen's bottom-left corner at 0,0 (frames, the mouse);
//  - window-server coordinates: y down, the main screen's top-left corner at 0,0 (display
//    bounds, window bounds, the cursor of events).
// Main-thread only.
class DisplayServer {
public:
    using ObserverToken = int;

    DisplayServer() = default;
    explicit DisplayServer(std::vector<Screen> screens);

    // Replaces the configuration (displays attached, detached or moved) and tells observers.
    // The pointer is kept where it is, in screen coordinates.
    void setScreens(std::vector<Screen> screens);
    ObserverToken addConfigurationObserver(std::function<void()> observer);
    void removeConfigurationObserver(ObserverToken token);

    const std::vector<Screen>& screens() const { return screens_; }
    std::optional<Screen> mainScreen() const;
    std::optional<Screen> screen(DisplayID displayID) const;
    std::optional<Screen> screenWithUUID(const std::string& uuid) const;
    // The first screen that holds the point (screen coordinates), by `displayHolds`.
    std::optional<Screen> screenContaining(Point screenPoint) const;
    // Where the system's pointer goes when sent to the point: the point itself on a screen, else
    // the nearest point of the nearest screen (the first of equally near ones), since the pointer
    // never leaves the screens. The point itself when there is no screen.
    Point pointerPlacement(Point screenPoint) const;

    std::vector<DisplayID> activeDisplayList() const;
    // Window-server bounds of a display; an empty rectangle for an unknown display.
    Rect bounds(DisplayID displayID) const;
    std::optional<std::string> uuid(DisplayID displayID) const;
    // Every display that holds the point (window-server coordinates), by `displayHolds`.
    std::vector<DisplayID> displaysWithPoint(Point windowServerPoint) const;

    Point toWindowServer(Point screenPoint) const;
    Point fromWindowServer(Point windowServerPoint) const;
    Rect toWindowServer(const Rect& screenRect) const;
    Rect fromWindowServer(const Rect& windowServerRect) const;

    // The pointer, in screen coordinates (y up) and in window-server coordinates (y down).
    Point mouseLocation() const { return mouseLocation_; }
    Point cursorLocation() const { return toWindowServer(mouseLocation_); }
    void setMouseLocation(Point screenPoint) { mouseLocation_ = screenPoint; }
    void setCursorLocation(Point windowServerPoint);

private:
    double mainScreenHeight() const;

    std::vector<Screen> screens_;
    Point mouseLocation_;
    std::map<ObserverToken, std::function<void()>> observers_;
    ObserverToken nextToken_ = 1;
};

} // namespace tessarin
