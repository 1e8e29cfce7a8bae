#include "UI/OSD/OSDGridMouseSelectionWiring.h"

#include <utility>

namespace tessarin::OSDGridMouseSelectionWiring {

namespace {
constexpr const char* dragFooterTitle = "Drag to re-arrange";
}

std::optional<OSDGridMouseInteractionContext> makeContext(ContextArguments arguments) {
    if (!arguments.onSelect || !arguments.onReorder) {
        return std::nullopt;
    }
    OSDGridMouseInteractionContext context;
    context.displayIdentifier = std::move(arguments.displayIdentifier);
    context.currentActiveIndex = arguments.model.activeIndex();
    context.cellTitles = arguments.model.cellTitles();
    context.placeholderIndices = arguments.model.placeholderIndices();
    context.allowsSelection = arguments.allowsMouseSelection;
    context.allowsCurrentActiveSelection = false;
    context.allowsReordering = true;
    context.allowsKeyboardSelection = false;
    context.blocksAtEdges = false;
    context.wrapStyle = GridWrapStyle::snake;
    context.rearrangementBehavior = arguments.rearrangementBehavior;
    context.dismissalBehavior = arguments.dismissalBehavior;
    context.footerTitle = dragFooterTitle;
    context.onSelect = [onSelect = std::move(arguments.onSelect),
                        behavior = arguments.dismissalBehavior](int64_t index) {
        onSelect(index, behavior);
    };
    context.onReorder = std::move(arguments.onReorder);
    context.onRemoveSpace = std::move(arguments.onRemoveSpace);
    context.onAddSpaceAtPlaceholder = std::move(arguments.onAddSpaceAtPlaceholder);
    context.onAddSpaceAtTail = std::move(arguments.onAddSpaceAtTail);
    context.onOpenMissionControl = std::move(arguments.onOpenMissionControl);
    return context;
}

OSDGridMouseInteractionContext makePickerContext(PickerContextArguments arguments) {
    OSDGridMouseInteractionContext context;
    context.displayIdentifier = std::move(arguments.displayIdentifier);
    context.currentActiveIndex = arguments.model.activeIndex();
    context.cellTitles = arguments.model.cellTitles();
    context.placeholderIndices = arguments.model.placeholderIndices();
    context.allowsSelection = true;
    context.allowsCurrentActiveSelection = true;
    context.allowsReordering = arguments.allowsReordering;
    context.allowsKeyboardSelection = arguments.allowsKeyboardSelection;
    context.blocksAtEdges = arguments.blocksAtEdges;
    context.wrapStyle = arguments.wrapStyle;
    context.rearrangementBehavior = arguments.rearrangementBehavior;
    context.dismissalBehavior = OSDDismissalBehavior::manual();
    context.footerTitle = std::move(arguments.footerTitle);
    context.onSelect = arguments.onSelect ? std::move(arguments.onSelect) : [](int64_t) {};
    context.onReorder =
        arguments.onReorder ? std::move(arguments.onReorder) : [](int64_t, int64_t) {};
    context.onKeyboardMove = std::move(arguments.onKeyboardMove);
    context.onCancel = std::move(arguments.onCancel);
    context.onRemoveSpace = std::move(arguments.onRemoveSpace);
    context.onAddSpaceAtPlaceholder = std::move(arguments.onAddSpaceAtPlaceholder);
    context.onAddSpaceAtTail = std::move(arguments.onAddSpaceAtTail);
    context.onOpenMissionControl = std::move(arguments.onOpenMissionControl);
    return context;
}

} // namespace tessarin::OSDGridMouseSelectionWiring
