#pragma once

#include "UI/OSD/OSDGridLayout.h"
#include "UI/OSD/OSDGridModel.h"

#include <QColor>
#include <QImage>

namespace tessarin::testing {

inline QImage solidImage(QColor color, int width = 16, int height = 9) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

inline OSDGridScreenshotEntry screenshot(QColor color) {
    return {solidImage(color)};
}

inline OSDGridAppIconEntry appIcon(const std::string& name, QColor color = Qt::blue) {
    return {"com.example." + name, name, solidImage(color, 8, 8)};
}

// The model of `fields`; throws, and so fails the test, when it cannot be made.
inline OSDGridModel makeModel(OSDGridModel::Fields fields) {
    return OSDGridModel::make(std::move(fields)).value();
}

// A plain model with no cell content.
inline OSDGridModel plainModel(int64_t spaceCount, int64_t columnCount, int64_t activeIndex = 0) {
    return makeModel(
        {.spaceCount = spaceCount, .activeIndex = activeIndex, .columnCount = columnCount});
}

// A grid whose cells are titled by their original index, so every result shows its order.
inline OSDGridModel titledModel(int64_t count, int64_t columns, int64_t active = 0,
                                std::set<int64_t> placeholders = {}) {
    OSDGridModel::Fields fields{.spaceCount = count, .activeIndex = active, .columnCount = columns};
    for (int64_t i = 0; i < count; ++i) {
        fields.cellTitles[i] = std::to_string(i);
    }
    fields.placeholderIndices = std::move(placeholders);
    return makeModel(std::move(fields));
}

// The original index now shown at each position, "-" for an untitled cell: "1203" when cell 0
// moved behind cell 2.
inline std::string order(const std::optional<OSDGridModel>& model) {
    std::string result;
    for (int64_t i = 0; model && i < model->spaceCount(); ++i) {
        result += model->title(i).value_or("-");
    }
    return result;
}

// The layout of `model`; throws, and so fails the test, when it cannot be laid out.
inline OSDGridLayout layoutOf(const OSDGridModel& model, Size container = {552, 464},
                              double inset = 0) {
    return OSDGridLayout::make(model, container, inset).value();
}

inline Point centerOf(const OSDGridLayout& layout, int64_t index) {
    return layout.frames().at(static_cast<std::size_t>(index)).center();
}

} // namespace tessarin::testing
