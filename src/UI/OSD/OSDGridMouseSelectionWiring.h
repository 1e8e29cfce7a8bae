#pragma once

#include "UI/OSD/OSDGridModel.h"
#include "UI/OSD/OSDGridMouseInteractionContext.h"

#include <functional>
#include <optional>
#include <string>

namespace tessarin {

// Builders of the interaction contexts of shown grids.
namespace OSDGridMouseSelectionWiring {

// A grid shown after a switch: clicks (when allowed) select through `onSelect`, which also hears
// the dismissal behaviour; cells can be dragged; no keyboard.
struct ContextArguments {
    OSDGridModel model;
    std::optional<std::string> displayIdentifier{};
    OSDDismissalBehavior dismissalBehavior = OSDDismissalBehavior::timer();
    bool allowsMouseSelection = false;
    OSDGridRearrangementBehavior rearrangementBehavior = OSDGridRearrangementBehavior::swap;
    std::function<void(int64_t index, OSDDismissalBehavior behavior)> onSelect{};
    std::function<void(int64_t sourceIndex, int64_t destinationIndex)> onReorder{};
    std::function<void(int64_t index)> onRemoveSpace{};
    std::function<void(int64_t index)> onAddSpaceAtPlaceholder{};
    std::function<void()> onAddSpaceAtTail{};
    std::function<void()> onOpenMissionControl{};
};

// Nothing when `onSelect` or `onReorder` is missing: such a grid could not report its clicks.
std::optional<OSDGridMouseInteractionContext> makeContext(ContextArguments arguments);

// A Space picker: every cell, the active one included, can be selected; it stays until hidden.
struct PickerContextArguments {
    OSDGridModel model;
    std::optional<std::string> displayIdentifier{};
    bool blocksAtEdges = false;
    GridWrapStyle wrapStyle = GridWrapStyle::snake;
    OSDGridRearrangementBehavior rearrangementBehavior = OSDGridRearrangementBehavior::swap;
    bool allowsKeyboardSelection = false;
    bool allowsReordering = false;
    std::string footerTitle{};
    std::function<bool(OSDGridKeyboardSelectionDirection)> onKeyboardMove{};
    std::function<void(int64_t index)> onSelect = [](int64_t) {};
    std::function<void(int64_t sourceIndex, int64_t destinationIndex)> onReorder = [](int64_t,
                                                                                      int64_t) {};
    std::function<void()> onCancel{};
    std::function<void(int64_t index)> onRemoveSpace{};
    std::function<void(int64_t index)> onAddSpaceAtPlaceholder{};
    std::function<void()> onAddSpaceAtTail{};
    std::function<void()> onOpenMissionControl{};
};

OSDGridMouseInteractionContext makePickerContext(PickerContextArguments arguments);

} // namespace OSDGridMouseSelectionWiring

} // namespace tessarin
