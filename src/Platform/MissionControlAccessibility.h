#pragma once

#include "Platform/AccessibilityElement.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Geometry.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// How Mission Control's Spaces bar appears in the Dock's accessibility tree while Mission
// Control shows:
//
//   application "Dock"
//     group  "missionControl"
//       group "missionControl.display" (AXFrame = the display's bounds), one per display
//         group "missionControl.spacesBar"
//           list "missionControl.spacesBar.list": one button per Space in system order,
//                AXPress switches to it, a Desktop that may go also offers "AXCloseDesktop"
//           button "missionControl.spacesBar.add": AXPress adds a Desktop
//
// While Mission Control is hidden the application has no children, and elements read earlier
// answer `invalidElement`.
namespace MissionControlAccessibilityIdentifier {
inline constexpr const char* missionControl = "missionControl";
inline constexpr const char* display = "missionControl.display";
inline constexpr const char* spacesBar = "missionControl.spacesBar";
inline constexpr const char* spacesList = "missionControl.spacesBar.list";
inline constexpr const char* addDesktopButton = "missionControl.spacesBar.add";
} // namespace MissionControlAccessibilityIdentifier

namespace MissionControlAccessibilityAction {
inline constexpr const char* closeDesktop = "AXCloseDesktop";
} // namespace MissionControlAccessibilityAction

// What the tree reads and asks for; the host's Mission Control answers.
class MissionControlTreeSource {
public:
    virtual ~MissionControlTreeSource() = default;

    virtual bool isOpen() const = 0;
    virtual std::vector<DisplayID> displays() const = 0;
    virtual Rect displayBounds(DisplayID displayID) const = 0;
    // The Spaces shown on a display's bar, in system order; nothing for an unknown display.
    virtual std::optional<std::vector<ManagedSpace>> spaces(DisplayID displayID) const = 0;

    virtual bool requestAddDesktop(DisplayID displayID) = 0;
    virtual bool requestRemoveDesktop(DisplayID displayID, SpaceID spaceID) = 0;
    virtual bool requestSwitch(DisplayID displayID, SpaceID spaceID) = 0;
};

// How Mission Control names a Space of a display: Desktops are numbered among the Desktops only
// ("Desktop 2"); a full-screen Space shows as such. Empty for a Space not in the list.
std::string missionControlSpaceName(const std::vector<ManagedSpace>& spaces, SpaceID spaceID);

// The Dock application's root element over a source; the source may go away first.
std::shared_ptr<const AccessibilityNode>
makeDockAccessibilityTree(std::weak_ptr<MissionControlTreeSource> source);

} // namespace tessarin
