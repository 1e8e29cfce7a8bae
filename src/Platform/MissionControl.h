#pragma once

#include "Platform/AccessibilityElement.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Clock.h"

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class DisplayServer;
class MainQueue;
class WindowServer;

// Mission Control as the Dock shows it: opened on request after its animation, closed at once,
// and, while it shows, a view on every display with the pictures of that display's Spaces, and a
// Spaces bar per display in the Dock's accessibility tree (see MissionControlAccessibility.h).
// A click on a Space's picture leaves and goes there through the Dock; adding or closing a
// Desktop from the bar really changes the window server's Spaces once the bar's animation has
// settled. Opening and closing by any road (its application, the Dock's gesture and shortcut)
// and changes of the Spaces while it shows are announced.
//
// Tests can make the Dock ignore open requests or edits, so that a caller's wait times out.
// Main-thread only.
class MissionControl {
public:
    static constexpr TimeInterval kDefaultOpeningDelay = 0.3;
    static constexpr TimeInterval kDefaultEditSettleDelay = 0.35;

    MissionControl(WindowServer& windowServer, DisplayServer& displays, MainQueue& queue);
    ~MissionControl();
    MissionControl(const MissionControl&) = delete;
    MissionControl& operator=(const MissionControl&) = delete;

    // --- Showing ------------------------------------------------------------------------
    bool isOpen() const;
    // Opens after the opening delay; a request while opening or open changes nothing.
    void open();
    // Closes at once and drops an open still on its way.
    void close();
    TimeInterval openingDelay() const;
    void setOpeningDelay(TimeInterval seconds);
    // While ignored, open requests are counted but nothing opens.
    void setIgnoresOpenRequests(bool ignores);
    std::size_t openRequestCount() const;
    std::size_t closeRequestCount() const;

    // --- What it shows -------------------------------------------------------------------
    struct ShownSpace {
        SpaceID spaceID = 0;
        std::string name; // as the Spaces bar names it: "Desktop 2", "Full Screen"
        bool isCurrent = false;
        friend bool operator==(const ShownSpace&, const ShownSpace&) = default;
    };
    // The displays it shows on, every active one; none while closed.
    std::vector<DisplayID> shownDisplays() const;
    bool isShownOn(DisplayID displayID) const;
    // The Spaces shown on a display in system order; none while it is not shown there.
    std::optional<std::vector<ShownSpace>> shownSpaces(DisplayID displayID) const;
    // A Space's picture as the view draws it; none for a Space not shown on that display.
    std::optional<QImage> spacePicture(DisplayID displayID, SpaceID spaceID, int pixelWidth,
                                       int pixelHeight) const;
    using SpacePainter = std::function<std::optional<QImage>(DisplayID, SpaceID, int, int)>;
    void setSpacePainter(SpacePainter painter);

    // --- Going to a Space ---------------------------------------------------------------
    // A click on a Space's picture: leaves at once, and the switcher makes the Space current
    // (the Dock, once its animation has run). False, and nothing happens, for a Space not shown
    // on that display.
    bool switchToSpace(DisplayID displayID, SpaceID spaceID);
    using SpaceSwitcher = std::function<void(const std::string& spaceList, SpaceID spaceID)>;
    void setSpaceSwitcher(SpaceSwitcher switcher);

    // --- Announcements ------------------------------------------------------------------
    // Told on a later turn of the main queue after it opened or closed, and after the Spaces
    // changed while it shows.
    using ObserverToken = int;
    ObserverToken addObserver(std::function<void()> observer);
    void removeObserver(ObserverToken token);

    // --- Editing from the Spaces bar ----------------------------------------------------
    TimeInterval editSettleDelay() const;
    void setEditSettleDelay(TimeInterval seconds);
    // While ignored, the bar takes the press but the Spaces stay as they are.
    void setIgnoresEdits(bool ignores);

    struct Edit {
        enum class Kind { addDesktop, removeDesktop };
        Kind kind = Kind::addDesktop;
        std::string spaceListIdentifier;
        SpaceID spaceID = 0; // the closed Desktop, or the added one once it landed
        bool landed = false;
        friend bool operator==(const Edit&, const Edit&) = default;
    };
    // Every edit asked of the bar, oldest first.
    std::vector<Edit> edits() const;
    std::size_t pendingEditCount() const;

    // --- Accessibility ------------------------------------------------------------------
    // The Dock's application tree for the Dock's process; null for any other process.
    std::shared_ptr<const AccessibilityNode> applicationTree(int32_t processIdentifier) const;

private:
    class State;
    std::shared_ptr<State> state_;
};

} // namespace tessarin
