#pragma once

#include "Model/Settings/OSDGridRearrangementBehavior.h"
#include "Support/Geometry.h"
#include "UI/OSD/OSDGridLayout.h"
#include "UI/OSD/OSDGridModel.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace tessarin {

// The pointer's state over a shown grid: the hovered cell, the pressed cell and where, and
// whether the press has become a drag that reorders the cells. A press becomes a drag once the
// pointer is `dragThreshold` points or more away from where it went down.
struct OSDGridMouseInteractionState {
    static constexpr double dragThreshold = 6.0;

    struct ReorderTarget {
        int64_t sourceIndex = 0;
        int64_t destinationIndex = 0;
        friend bool operator==(const ReorderTarget&, const ReorderTarget&) = default;
    };

    // Of the shown model.
    int64_t currentActiveIndex = 0;
    std::map<int64_t, std::string> cellTitles{};
    std::set<int64_t> placeholderIndices{};

    std::optional<int64_t> hoveredIndex{};
    std::optional<int64_t> pressedIndex{};
    std::optional<Point> pressedPoint{};
    // The press point relative to the pressed cell's origin.
    std::optional<Size> pressedDragOffset{};
    std::optional<Point> currentDragPoint{};
    // The slot the dragged cell is over; may be a virtual slot behind the last cell.
    std::optional<int64_t> dragTargetIndex{};
    bool usesExpandedVirtualDragRow = false;
    bool isReordering = false;

    // A press; true when it landed on a cell. A press elsewhere clears the press but keeps the
    // hover.
    bool beginInteraction(Point point, const OSDGridLayout& layout);
    // A drag; true when the picture must be redrawn. `layout` is the layout of the model grown
    // by its virtual slots, so those are hit like cells.
    bool updateDrag(Point point, const OSDGridLayout& layout, bool usesExpandedVirtualDragRow);
    // The cell a click at `point` selects.
    std::optional<int64_t> selectionTarget(Point point, const OSDGridLayout& layout,
                                           bool allowsCurrentActiveIndex) const;
    // The move a drop at `point` asks for.
    std::optional<ReorderTarget> reorderTarget(Point point, const OSDGridLayout& layout) const;

    // The state carried over to a refreshed model of the same grid.
    OSDGridMouseInteractionState replacingModel(const OSDGridModel& model) const;
    std::optional<std::string> displayedTitle(const OSDGridModel& model) const;
    // What the grid shows: the drag preview while reordering, else the model with the hovered
    // cell shown as active.
    std::optional<OSDGridModel> displayedModel(const OSDGridModel& model,
                                               OSDGridRearrangementBehavior behavior) const;
    // The new order at the end of a drag.
    std::optional<OSDGridModel> committedReorderModel(const OSDGridModel& model,
                                                      OSDGridRearrangementBehavior behavior) const;

    friend bool operator==(const OSDGridMouseInteractionState&,
                           const OSDGridMouseInteractionState&) = default;

private:
    bool isPressedOnRealCell() const;
    std::optional<OSDGridModel> dragPreview(const OSDGridModel& model,
                                            OSDGridRearrangementBehavior behavior) const;
    std::optional<std::string> hoverTitle(const OSDGridModel& model) const;
};

} // namespace tessarin
