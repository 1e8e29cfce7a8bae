#pragma once

#include "Core/Settings/DisplaySelectionTarget.h"
#include "Core/Settings/DisplaySettingsScope.h"
#include "Core/SpaceModel/TessarinDisplay.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// What the Display page edits: one connected display, or all displays at once. The display
// under the pointer is never offered.
class DisplaySettingsTargets {
public:
    static constexpr const char* allDisplaysTitle = "All Displays";
    static constexpr const char* cursorDisplayTitle = "Cursor Display";

    const std::vector<DisplaySelectionTarget>& available() const { return available_; }
    const DisplaySelectionTarget& selected() const { return selected_; }

    // Every connected display while displays have separate Spaces, then all displays. The
    // selected display stays selected (under its current name) while it is still listed;
    // otherwise all displays are.
    void refresh(bool displaysHaveSeparateSpaces, const std::vector<TessarinDisplay>& displays);
    // False, changing nothing, for an index that names no entry.
    bool select(int index);

    std::vector<std::string> titles() const;
    std::optional<int> selectedIndex() const;
    bool isChoosable() const { return available_.size() >= 2; }

    // The selected display's identifier; nothing for all displays.
    std::optional<std::string> displayIdentifier() const { return selected_.displayIdentifier(); }
    DisplaySettingsScope scope() const {
        return DisplaySettingsScope::forDisplayIdentifier(displayIdentifier());
    }

private:
    std::vector<DisplaySelectionTarget> available_{DisplaySelectionTarget::allDisplays()};
    DisplaySelectionTarget selected_ = DisplaySelectionTarget::allDisplays();
};

} // namespace tessarin
