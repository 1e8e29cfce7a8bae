#pragma once

#include "UI/OSD/OSDGridModel.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

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

} // namespace tessarin::testing
