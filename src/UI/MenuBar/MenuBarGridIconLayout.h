#pragma once

#include "Model/Settings/PersistentGridOverlaySize.h"
#include "Support/Geometry.h"
#include "UI/MenuBar/MenuBarGridIconModel.h"

#include <optional>
#include <vector>

namespace tessarin {

// The measures of one grid picture: a square canvas, the margin it keeps in total, the gap
// between cells, the smallest cell worth drawing, and the corner radii.
struct MenuBarGridIconMetrics {
    double canvasSide = 18;
    double margin = 2;
    double gap = 1;
    double minimumCellSide = 2;
    double backgroundCornerRadius = 0;
    double cellCornerRadius = 0;

    // The status item's picture.
    static MenuBarGridIconMetrics statusItem();
    // The always-visible overlay's picture of a size.
    static MenuBarGridIconMetrics overlay(PersistentGridOverlaySize size);
};

// A model laid out on a canvas: square cells in rows of `columnCount`, the grid centred, row 0
// at the top; frames in cell-index order with the origin at the bottom-left corner (y up).
struct MenuBarGridIconLayout {
    MenuBarGridIconModel model;
    Size canvasSize;
    double cellSide = 0;
    std::vector<Rect> frames;

    // None when the cells would be smaller than the metrics allow.
    static std::optional<MenuBarGridIconLayout> make(const MenuBarGridIconModel& model,
                                                     const MenuBarGridIconMetrics& metrics);
};

} // namespace tessarin
