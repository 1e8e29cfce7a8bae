// Keys of an interactive grid: the bound actions, and a selection of the view's own that moves
// by the same rules as the Space switches.
#include "Platform/Host.h"
#include "Platform/Input/HostKeyEvent.h"
#include "TessarinCore/GridTargetResolver.h"
#include "UI/OSD/OSDGridView.h"

#include <QKeyEvent>

namespace tessarin {

namespace {

GridMoveDirection gridDirection(OSDGridKeyboardSelectionDirection direction) {
    switch (direction) {
    case OSDGridKeyboardSelectionDirection::left:
        return GridMoveDirection::left;
    case OSDGridKeyboardSelectionDirection::right:
        return GridMoveDirection::right;
    case OSDGridKeyboardSelectionDirection::up:
        return GridMoveDirection::up;
    case OSDGridKeyboardSelectionDirection::down:
        break;
    }
    return GridMoveDirection::down;
}

} // namespace

void OSDGridView::beep() {
    if (Host* host = Host::installed()) {
        host->system().beep();
    }
}

void OSDGridView::keyPressEvent(QKeyEvent* event) {
    if (mouseInteractionContext_ && mouseInteractionContext_->allowsKeyboardSelection &&
        keyBindingActionResolver) {
        const auto hostEvent = hostKeyEvent(*event);
        if (const auto action = hostEvent ? keyBindingActionResolver(*hostEvent) : std::nullopt) {
            // Copied: a callback may replace the installed context.
            const OSDGridMouseInteractionContext context = *mouseInteractionContext_;
            handleKeyBindingAction(*action, context);
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void OSDGridView::handleKeyBindingAction(OSDKeyBindingAction action,
                                         const OSDGridMouseInteractionContext& context) {
    switch (action) {
    case OSDKeyBindingAction::hide:
        if (context.onCancel) {
            context.onCancel();
        }
        return;
    case OSDKeyBindingAction::moveLeft:
        return moveKeyboardSelection(OSDGridKeyboardSelectionDirection::left, context);
    case OSDKeyBindingAction::moveRight:
        return moveKeyboardSelection(OSDGridKeyboardSelectionDirection::right, context);
    case OSDKeyBindingAction::moveUp:
        return moveKeyboardSelection(OSDGridKeyboardSelectionDirection::up, context);
    case OSDKeyBindingAction::moveDown:
        return moveKeyboardSelection(OSDGridKeyboardSelectionDirection::down, context);
    case OSDKeyBindingAction::select:
        // Picking with a key does not depend on whether clicks may select.
        if (mouseInteractionState_ && context.onSelect) {
            context.onSelect(mouseInteractionState_->hoveredIndex.value_or(
                mouseInteractionState_->currentActiveIndex));
        }
        return;
    }
}

void OSDGridView::moveKeyboardSelection(OSDGridKeyboardSelectionDirection direction,
                                        const OSDGridMouseInteractionContext& context) {
    if (context.onKeyboardMove) {
        if (!context.onKeyboardMove(direction)) {
            beep();
        }
        return;
    }
    if (!presentation_ || !mouseInteractionState_) {
        return;
    }
    const OSDGridModel model = presentation_->model();
    const int64_t selected =
        mouseInteractionState_->hoveredIndex.value_or(mouseInteractionState_->currentActiveIndex);
    if (model.spaceCount() < 1 || selected < 0 || selected >= model.spaceCount() ||
        model.columnCount() < 1) {
        beep();
        return;
    }
    const auto target = resolveGridTargetIndex(GridMoveRequest{
        .currentIndex = static_cast<uint32_t>(selected),
        .count = static_cast<uint32_t>(model.spaceCount()),
        .direction = gridDirection(direction),
        .gridMode = true,
        .columns = static_cast<uint32_t>(model.columnCount()),
        .blocksAtEdges = context.blocksAtEdges,
        .pacMan = context.wrapStyle == GridWrapStyle::pacMan,
    });
    if (!target || static_cast<int64_t>(*target) == selected) {
        beep();
        return;
    }
    mouseInteractionState_->hoveredIndex = static_cast<int64_t>(*target);
    updateDisplayedModelFromCurrentPresentation();
}

} // namespace tessarin
