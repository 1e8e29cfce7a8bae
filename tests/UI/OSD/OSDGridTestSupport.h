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

// A plain model with no cell content; fails the test when it cannot be made.
inline OSDGridModel plainModel(int64_t spaceCount, int64_t columnCount, int64_t activeIndex = 0) {
    auto model = OSDGridModel::make(
        {.spaceCount = spaceCount, .activeIndex = activeIndex, .columnCount = columnCount});
    EXPECT_TRUE(model.has_value());
    return model ? *model
                 : *OSDGridModel::make({.spaceCount = 1, .activeIndex = 0, .columnCount = 2});
}

inline OSDGridModel makeModel(OSDGridModel::Fields fields) {
    auto model = OSDGridModel::make(std::move(fields));
    EXPECT_TRUE(model.has_value());
    return model ? *model
                 : *OSDGridModel::make({.spaceCount = 1, .activeIndex = 0, .columnCount = 2});
}

} // namespace tessarin::testing
