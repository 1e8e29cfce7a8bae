#pragma once

#include "Platform/AccessibilityElement.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Clock.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class DisplayServer;
class MainQueue;
class WindowServer;

// Mission Control as the Dock shows it: opened on request after its animation, closed at once,
// and, while it shows, a Spaces bar per display in the Dock's accessibility tree (see
// MissionControlAccessibility.h). Adding or closing a Desktop from the bar really changes the
// window server's Spaces once the bar's animation has settled.
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
