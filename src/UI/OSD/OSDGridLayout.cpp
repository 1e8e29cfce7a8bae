#include "UI/OSD/OSDGridLayout.h"

#include <algorithm>

namespace tessarin {

std::optional<OSDGridLayout> OSDGridLayout::make(const OSDGridModel& model, Size containerSize,
                                                 double renderingInset) {
    const double width = containerSize.width;
    const double height = containerSize.height;
    if (width <= 0 || height <= 0) {
        return std::nullopt;
    }
    const int64_t count = model.spaceCount();
    const int64_t columnCount = model.columnCount();
    const int64_t columns = std::min(count, columnCount);
    // Rows follow the model's column count, not the used columns.
    const int64_t rows = (count + columnCount - 1) / columnCount;

    const double inset = std::max(renderingInset, 0.0);
    const double availableWidth =
        width - 2 * (inset + horizontalMargin) - static_cast<double>(columns - 1) * cellSpacing;
    const double availableHeight =
        height - 2 * (inset + verticalMargin) - static_cast<double>(rows - 1) * cellSpacing;
    if (availableWidth <= 0 || availableHeight <= 0) {
        return std::nullopt;
    }
    const double cellWidth =
        std::min((availableHeight / static_cast<double>(rows)) * cellAspectRatio,
                 availableWidth / static_cast<double>(columns));
    if (cellWidth <= 0) {
        return std::nullopt;
    }
    const double cellHeight = cellWidth / cellAspectRatio;
    if (cellHeight <= 0) {
        return std::nullopt;
    }

    const double blockWidth =
        static_cast<double>(columns) * cellWidth + static_cast<double>(columns - 1) * cellSpacing;
    const double blockHeight =
        static_cast<double>(rows) * cellHeight + static_cast<double>(rows - 1) * cellSpacing;
    const double originX = (width - blockWidth) * 0.5;
    const double originY = (height - blockHeight) * 0.5;

    std::vector<Rect> frames;
    frames.reserve(static_cast<std::size_t>(count));
    for (int64_t index = 0; index < count; ++index) {
        const int64_t row = index / columnCount;
        const int64_t column = index - row * columnCount;
        frames.emplace_back(originX + (cellWidth + cellSpacing) * static_cast<double>(column),
                            originY +
                                (cellHeight + cellSpacing) * static_cast<double>(rows - 1 - row),
                            cellWidth, cellHeight);
    }
    return OSDGridLayout(model, containerSize, {cellWidth, cellHeight}, std::move(frames), inset);
}

std::optional<int64_t> OSDGridLayout::indexOfFrame(Point point) const {
    for (std::size_t index = 0; index < frames_.size(); ++index) {
        if (frames_[index].contains(point)) {
            return static_cast<int64_t>(index);
        }
    }
    return std::nullopt;
}

} // namespace tessarin
