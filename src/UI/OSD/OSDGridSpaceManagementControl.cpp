#include "UI/OSD/OSDGridSpaceManagementControl.h"

#include <algorithm>

namespace tessarin::OSDGridSpaceManagementControl {

namespace {

int64_t frameCount(const OSDGridLayout& layout) {
    return static_cast<int64_t>(layout.frames().size());
}

double smallerSide(const Rect& frame) {
    return std::min(frame.width(), frame.height());
}

} // namespace

int64_t realSpaceCount(const OSDGridLayout& layout) {
    const int64_t count = frameCount(layout);
    const auto& placeholders = layout.model().placeholderIndices();
    const auto placeholdersInFrames =
        std::count_if(placeholders.begin(), placeholders.end(),
                      [count](int64_t index) { return index >= 0 && index < count; });
    return count - placeholdersInFrames;
}

bool hasRealSlotAfter(int64_t index, const OSDGridLayout& layout) {
    for (int64_t next = std::max<int64_t>(index + 1, 0); next < frameCount(layout); ++next) {
        if (!layout.model().isPlaceholder(next)) {
            return true;
        }
    }
    return false;
}

bool canAddAtPlaceholder(int64_t index, const OSDGridLayout& layout,
                         const OSDGridMouseInteractionContext& context) {
    return context.onAddSpaceAtPlaceholder && layout.containsIndex(index) &&
           layout.model().isPlaceholder(index);
}

bool canRemove(int64_t index, const OSDGridLayout& layout,
               const OSDGridMouseInteractionContext& context) {
    if (!context.onRemoveSpace || !layout.containsIndex(index)) {
        return false;
    }
    if (layout.model().isPlaceholder(index)) {
        return hasRealSlotAfter(index, layout);
    }
    return index != context.currentActiveIndex && realSpaceCount(layout) > 1;
}

bool canShowControl(int64_t index, const OSDGridLayout& layout,
                    const OSDGridMouseInteractionContext& context) {
    return canAddAtPlaceholder(index, layout, context) || canRemove(index, layout, context);
}

Rect removeControlFrame(const Rect& cellFrame) {
    const double side = std::clamp(smallerSide(cellFrame) * 0.22, 18.0, 26.0);
    const double inset = std::max(side * 0.28, 5.0);
    return {cellFrame.maxX() - side - inset, cellFrame.maxY() - side - inset, side, side};
}

Rect addControlFrame(const Rect& cellFrame) {
    const double side = std::clamp(smallerSide(cellFrame) * 0.32, 24.0, 38.0);
    return {cellFrame.midX() - side / 2, cellFrame.midY() - side / 2, side, side};
}

std::optional<OSDGridSpaceManagementAction> action(Point point, const OSDGridLayout& layout,
                                                   const OSDGridMouseInteractionContext& context) {
    const auto index = layout.indexOfFrame(point);
    if (!index) {
        return std::nullopt;
    }
    const Rect& frame = layout.frames()[static_cast<std::size_t>(*index)];
    if (canRemove(*index, layout, context) && removeControlFrame(frame).contains(point)) {
        return OSDGridSpaceManagementAction::remove(*index);
    }
    if (canAddAtPlaceholder(*index, layout, context) && addControlFrame(frame).contains(point)) {
        return OSDGridSpaceManagementAction::addAtPlaceholder(*index);
    }
    return std::nullopt;
}

} // namespace tessarin::OSDGridSpaceManagementControl
