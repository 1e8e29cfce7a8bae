#pragma once

#include "Model/Settings/GridWrapStyle.h"
#include "Model/Settings/OSDGridRearrangementBehavior.h"
#include "UI/OSD/OSDDismissalBehavior.h"
#include "UI/OSD/OSDGridKeyboardSelectionDirection.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace tessarin {

// What a shown grid allows and whom it tells. The grid reports the user's wishes only through
// these callbacks: one mouse release fires at most one of `onSelect`, `onReorder`,
// `onRemoveSpace` and `onAddSpaceAtPlaceholder`. An empty optional callback switches its feature
// off (no remove controls without `onRemoveSpace`, no footer buttons without theirs).
struct OSDGridMouseInteractionContext {
    std::optional<std::string> displayIdentifier{};
    // Of the model the context was made for.
    int64_t currentActiveIndex = 0;
    std::map<int64_t, std::string> cellTitles{};
    std::set<int64_t> placeholderIndices{};

    bool allowsSelection = false;
    bool allowsCurrentActiveSelection = false;
    bool allowsReordering = false;
    bool allowsKeyboardSelection = false;
    bool blocksAtEdges = false;
    GridWrapStyle wrapStyle = GridWrapStyle::snake;
    OSDGridRearrangementBehavior rearrangementBehavior = OSDGridRearrangementBehavior::swap;
    OSDDismissalBehavior dismissalBehavior = OSDDismissalBehavior::timer();
    std::string footerTitle{};

    std::function<void(int64_t index)> onSelect = [](int64_t) {};
    std::function<void(int64_t sourceIndex, int64_t destinationIndex)> onReorder = [](int64_t,
                                                                                      int64_t) {};
    // Answers whether the owner handled the move.
    std::function<bool(OSDGridKeyboardSelectionDirection)> onKeyboardMove{};
    std::function<void()> onCancel{};
    std::function<void(int64_t index)> onRemoveSpace{};
    std::function<void(int64_t index)> onAddSpaceAtPlaceholder{};
    std::function<void()> onAddSpaceAtTail{};
    std::function<void()> onOpenMissionControl{};
};

} // namespace tessarin
