#include "UI/Preferences/Display/DisplaySettingsTargets.h"

#include <algorithm>

namespace tessarin {

void DisplaySettingsTargets::refresh(bool displaysHaveSeparateSpaces,
                                     const std::vector<TessarinDisplay>& displays) {
    const std::optional<std::string> remembered = selected_.displayIdentifier();
    available_.clear();
    if (displaysHaveSeparateSpaces) {
        for (const TessarinDisplay& display : displays) {
            available_.push_back(DisplaySelectionTarget::display(display));
        }
    }
    available_.push_back(DisplaySelectionTarget::allDisplays());
    selected_ = DisplaySelectionTarget::allDisplays();
    if (!remembered) {
        return;
    }
    const auto same = std::find_if(available_.begin(), available_.end(), [&](const auto& entry) {
        return entry.displayIdentifier() == remembered;
    });
    if (same != available_.end()) {
        selected_ = *same;
    }
}

bool DisplaySettingsTargets::select(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= available_.size()) {
        return false;
    }
    selected_ = available_[static_cast<std::size_t>(index)];
    return true;
}

std::vector<std::string> DisplaySettingsTargets::titles() const {
    std::vector<std::string> titles;
    for (const DisplaySelectionTarget& target : available_) {
        switch (target.kind) {
        case DisplaySelectionTarget::Kind::display:
            titles.push_back(target.selectedDisplay ? target.selectedDisplay->name : "");
            break;
        case DisplaySelectionTarget::Kind::allDisplays:
            titles.emplace_back(allDisplaysTitle);
            break;
        case DisplaySelectionTarget::Kind::cursorDisplay:
            titles.emplace_back(cursorDisplayTitle);
            break;
        }
    }
    return titles;
}

std::optional<int> DisplaySettingsTargets::selectedIndex() const {
    const auto found = std::find(available_.begin(), available_.end(), selected_);
    if (found == available_.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - available_.begin());
}

} // namespace tessarin
