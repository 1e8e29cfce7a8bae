#include "Model/Settings/DisplaySelectionTargetList.h"

#include <algorithm>

namespace tessarin {

DisplaySelectionTargetList::DisplaySelectionTargetList(DisplaySelectionTarget standing,
                                                       StandingPlacement placement)
    : standing_(std::move(standing)), placement_(placement), available_{standing_},
      selected_(standing_) {}

void DisplaySelectionTargetList::refresh(bool displaysHaveSeparateSpaces,
                                         const std::vector<TessarinDisplay>& displays) {
    const std::optional<std::string> remembered = selected_.displayIdentifier();
    available_.clear();
    if (placement_ == StandingPlacement::first) {
        available_.push_back(standing_);
    }
    if (displaysHaveSeparateSpaces) {
        for (const TessarinDisplay& display : displays) {
            available_.push_back(DisplaySelectionTarget::display(display));
        }
    }
    if (placement_ == StandingPlacement::last) {
        available_.push_back(standing_);
    }
    selected_ = standing_;
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

bool DisplaySelectionTargetList::select(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= available_.size()) {
        return false;
    }
    selected_ = available_[static_cast<std::size_t>(index)];
    return true;
}

std::vector<std::string> DisplaySelectionTargetList::titles() const {
    std::vector<std::string> titles;
    for (const DisplaySelectionTarget& target : available_) {
        switch (target.kind) {
        case DisplaySelectionTarget::Kind::cursorDisplay:
            titles.emplace_back(cursorDisplayTitle);
            break;
        case DisplaySelectionTarget::Kind::allDisplays:
            titles.emplace_back(allDisplaysTitle);
            break;
        case DisplaySelectionTarget::Kind::display:
            titles.push_back(target.selectedDisplay ? target.selectedDisplay->name : "");
            break;
        }
    }
    return titles;
}

std::optional<int> DisplaySelectionTargetList::selectedIndex() const {
    const auto found = std::find(available_.begin(), available_.end(), selected_);
    if (found == available_.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - available_.begin());
}

} // namespace tessarin
