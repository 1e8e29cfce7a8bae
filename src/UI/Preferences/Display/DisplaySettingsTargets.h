#pragma once

#include "Model/Settings/DisplaySelectionTargetList.h"
#include "Model/Settings/DisplaySettingsScope.h"

#include <optional>
#include <string>

namespace tessarin {

// What the Display page edits: one connected display, or all displays at once (listed last).
// The display under the pointer is never offered.
class DisplaySettingsTargets : public DisplaySelectionTargetList {
public:
    DisplaySettingsTargets()
        : DisplaySelectionTargetList(DisplaySelectionTarget::allDisplays(),
                                     StandingPlacement::last) {}

    // The selected display's identifier; nothing for all displays.
    std::optional<std::string> displayIdentifier() const { return selected().displayIdentifier(); }
    DisplaySettingsScope scope() const {
        return DisplaySettingsScope::forDisplayIdentifier(displayIdentifier());
    }
};

} // namespace tessarin
