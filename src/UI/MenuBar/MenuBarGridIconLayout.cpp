#include "UI/MenuBar/MenuBarGridIconLayout.h"

#include <algorithm>

namespace tessarin {

MenuBarGridIconMetrics MenuBarGridIconMetrics::statusItem() {
    return {18, 2, 1, 2, 0, 0};
}

MenuBarGridIconMetrics MenuBarGridIconMetrics::overlay(PersistentGridOverlaySize size) {
    switch (size) {
    case PersistentGridOverlaySize::small:
        return {22, 4, 1, 2, 2, 0.5};
    case PersistentGridOverlaySize::medium:
        return {88, 16, 4, 8, 8, 2};
    case PersistentGridOverlaySize::large:
        return {154, 28, 7, 14, 14, 3.5};
    }
    return {88, 16, 4, 8, 8, 2};
}

std::optional<MenuBarGridIconLayout>
MenuBarGridIconLayout::make(const MenuBarGridIconModel& model,
                            const MenuBarGridIconMetrics& metrics) {
    const std::int64_t columns = std::min(model.columnCount, model.spaceCount);
    const std::int64_t rows = (model.spaceCount + model.columnCount - 1) / model.columnCount;
    const double usable = metrics.canvasSide - metrics.margin;
    const double cell = std::min(
        (usable - metrics.gap * static_cast<double>(columns - 1)) / static_cast<double>(columns),
        (usable - metrics.gap * static_cast<double>(rows - 1)) / static_cast<double>(rows));
    if (cell < metrics.minimumCellSide) {
        return std::nullopt;
    }
    const double gridWidth =
        cell * static_cast<double>(columns) + metrics.gap * static_cast<double>(columns - 1);
    const double gridHeight =
        cell * static_cast<double>(rows) + metrics.gap * static_cast<double>(rows - 1);
    const double x0 = (metrics.canvasSide - gridWidth) / 2;
    const double y0 = (metrics.canvasSide - gridHeight) / 2;

    MenuBarGridIconLayout layout{model, Size{metrics.canvasSide, metrics.canvasSide}, cell, {}};
    layout.frames.reserve(static_cast<size_t>(model.spaceCount));
    for (std::int64_t index = 0; index < model.spaceCount; ++index) {
        const std::int64_t row = index / model.columnCount;
        const std::int64_t column = index - row * model.columnCount;
        layout.frames.push_back(
            Rect{x0 + (cell + metrics.gap) * static_cast<double>(column),
                 y0 + (cell + metrics.gap) * static_cast<double>(rows - 1 - row), cell, cell});
    }
    return layout;
}

} // namespace tessarin
