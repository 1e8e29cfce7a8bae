#pragma once

#include "Model/Settings/DisplaySelectionTarget.h"
#include "Model/Spaces/TessarinDisplay.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The targets a settings page offers in its display pop-up: every connected display while
// displays have separate Spaces, and one standing target that names no display (the display
// under the pointer, or all displays), which is selected whenever the chosen display goes away.
class DisplaySelectionTargetList {
public:
    enum class StandingPlacement { first, last };

    static constexpr const char* cursorDisplayTitle = "Cursor Display";
    static constexpr const char* allDisplaysTitle = "All Displays";

    DisplaySelectionTargetList(DisplaySelectionTarget standing, StandingPlacement placement);

    const std::vector<DisplaySelectionTarget>& available() const { return available_; }
    const DisplaySelectionTarget& selected() const { return selected_; }

    // Rebuilds the entries. The selected display stays selected (under its current name) while
    // it is still listed; otherwise the standing target is.
    void refresh(bool displaysHaveSeparateSpaces, const std::vector<TessarinDisplay>& displays);
    // False, changing nothing, for an index that names no entry.
    bool select(int index);

    std::vector<std::string> titles() const;
    std::optional<int> selectedIndex() const;
    bool isChoosable() const { return available_.size() >= 2; }

private:
    DisplaySelectionTarget standing_;
    StandingPlacement placement_;
    std::vector<DisplaySelectionTarget> available_;
    DisplaySelectionTarget selected_;
};

} // namespace tessarin
