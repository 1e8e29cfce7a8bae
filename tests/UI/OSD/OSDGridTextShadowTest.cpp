#include "UI/OSD/OSDGridTextShadow.h"

#include "UI/OSD/OSDGridViewTestSupport.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

struct ShadowShape {
    QRectF extent; // in view points, where the shadow leaves any alpha
    int peakAlpha = 0;
};

// The shadow of one line of text on a clear screen of `scale` device pixels per point.
ShadowShape drawnShadow(double scale) {
    testing::ensureApplication();
    QImage image(static_cast<int>(240 * scale), static_cast<int>(100 * scale),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QFont font;
    font.setPixelSize(22);
    {
        QPainter painter(&image);
        drawTextShadow(painter, QRectF(40, 30, 160, 40), Qt::AlignCenter, "Shadow", font, Qt::black,
                       6, QPointF(0, 2));
    }
    int left = image.width();
    int top = image.height();
    int right = -1;
    int bottom = -1;
    ShadowShape shape;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            shape.peakAlpha = std::max(shape.peakAlpha, alpha);
            if (alpha >= 8) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    shape.extent =
        QRectF(left / scale, top / scale, (right - left + 1) / scale, (bottom - top + 1) / scale);
    return shape;
}

// A screen of twice the resolution shows the same soft shadow, only finer: the same extent in
// points and the same depth.
TEST(OSDGridTextShadowTest, AScaledScreenShowsTheSameShadowAtItsResolution) {
    const ShadowShape standard = drawnShadow(1);
    const ShadowShape scaled = drawnShadow(2);
    ASSERT_GT(standard.peakAlpha, 0);
    EXPECT_NEAR(scaled.extent.left(), standard.extent.left(), 1.5);
    EXPECT_NEAR(scaled.extent.top(), standard.extent.top(), 1.5);
    EXPECT_NEAR(scaled.extent.right(), standard.extent.right(), 1.5);
    EXPECT_NEAR(scaled.extent.bottom(), standard.extent.bottom(), 1.5);
    EXPECT_NEAR(scaled.peakAlpha, standard.peakAlpha, 24);
}

} // namespace
} // namespace tessarin
