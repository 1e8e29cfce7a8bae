#include "Core/Previews/OSDGridWindowPreviewComposer.h"

#include "Support/Environment.h"
#include "Support/Logger.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace Composer = OSDGridWindowPreviewComposer;

const Rect kDisplay(0, 0, 1440, 900);

QImage solid(QColor colour, int width = 1600, int height = 1000) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

OSDGridRenderableWindowPreview window(QColor colour, std::optional<Rect> bounds, int zIndex = 0) {
    OSDGridRenderableWindowPreview preview;
    preview.image = solid(colour);
    preview.bounds = bounds;
    preview.zIndex = zIndex;
    return preview;
}

QImage composed(const std::vector<OSDGridRenderableWindowPreview>& previews,
                std::optional<Rect> frame, std::optional<QImage> background = std::nullopt) {
    auto image = Composer::compose(previews, background, frame);
    EXPECT_TRUE(image.has_value());
    return image.value_or(QImage());
}

// Pixels are addressed as the device holds them: origin top left.
QColor at(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

TEST(OSDGridWindowPreviewComposerTest, PlacesAWindowWhereItSitsOnTheDisplay) {
    EXPECT_EQ(Composer::spatialDrawingRect(kDisplay, {320, 180}), Rect(16, 0, 288, 180));
    EXPECT_EQ(Composer::mappedWindowRect(Rect(100, 50, 800, 600), kDisplay, Rect(16, 0, 288, 180)),
              Rect(36, 50, 160, 120));

    const QImage image = composed({window(Qt::red, Rect(100, 50, 800, 600))}, kDisplay);
    // The card (36, 50, 160, 120) counted from the bottom spans rows 10 to 129 from the top.
    EXPECT_EQ(at(image, 116, 70), QColor(Qt::red));
    EXPECT_NE(at(image, 116, 8), QColor(Qt::red));
    EXPECT_NE(at(image, 33, 70), QColor(Qt::red));
}

TEST(OSDGridWindowPreviewComposerTest, AMaximisedWindowFillsTheDrawingRectWithoutACard) {
    EXPECT_EQ(Composer::snappedDisplayCoveringBounds(Rect(0, 25, 1440, 875), kDisplay), kDisplay);

    const QImage image = composed({window(Qt::blue, Rect(0, 25, 1440, 875))}, kDisplay);
    for (auto [x, y] : {std::pair{16, 0}, {303, 0}, {16, 179}, {303, 179}, {160, 90}}) {
        EXPECT_EQ(at(image, x, y), QColor(Qt::blue)) << x << "," << y;
    }
    EXPECT_NE(at(image, 15, 90), QColor(Qt::blue));
    EXPECT_NE(at(image, 304, 90), QColor(Qt::blue));
}

TEST(OSDGridWindowPreviewComposerTest, LeavesOutWindowsThatDoNotShowOnTheDisplay) {
    const QImage empty = composed({}, kDisplay);
    struct Case {
        const char* name;
        Rect bounds;
    };
    const Case cases[] = {
        {"on another display", Rect(2000, 0, 800, 600)},
        {"a sliver after scaling", Rect(100, 100, 2, 800)},
    };
    for (const auto& c : cases) {
        // A second, drawable window keeps the spatial layout in use.
        const QImage withSliver = composed(
            {window(Qt::red, c.bounds), window(Qt::green, Rect(1000, 600, 300, 200))}, kDisplay);
        const QImage without = composed({window(Qt::green, Rect(1000, 600, 300, 200))}, kDisplay);
        EXPECT_EQ(withSliver, without) << c.name;
        EXPECT_NE(without, empty) << c.name;
    }
}

TEST(OSDGridWindowPreviewComposerTest, CollagesTheFirstThreeWithoutADisplayFrame) {
    EXPECT_EQ(Composer::windowFrame({1600, 1000}, 0, 3, {320, 180}), Rect(22, 32, 196, 123));
    EXPECT_EQ(Composer::windowFrame({0, 1000}, 1, 2, {320, 180}),
              Rect(0.28 * 320, 0.11 * 180, 0.64 * 320, 0.64 * 180));

    std::vector<OSDGridRenderableWindowPreview> previews;
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
    for (int i = 0; i < 5; ++i) {
        previews.push_back(window(colours[i], std::nullopt, i));
    }
    const QImage image = composed(previews, std::nullopt);
    EXPECT_EQ(at(image, 120, 180 - 93), QColor(Qt::red)); // centre of the large left card
    // A frame with non-finite bounds in every window falls back to the same collage.
    for (auto& preview : previews) {
        preview.bounds = Rect(std::nan(""), 0, INFINITY, 10);
    }
    EXPECT_EQ(composed(previews, kDisplay), image);
}

TEST(OSDGridWindowPreviewComposerTest, DrawsOnlyTheSixteenFrontMostWindows) {
    ScopedEnvironmentOverride debug("TESSARIN_WINDOW_DEBUG", "1");
    ScopedLogCapture log;
    std::vector<OSDGridRenderableWindowPreview> previews;
    for (int i = 0; i < 20; ++i) {
        previews.push_back(window(Qt::gray, Rect(10 * i, 0, 400, 300), 19 - i));
    }
    composed(previews, kDisplay);
    const auto lines = log.messages("WindowPreview");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "event=window.preview.renderables stage=compose.candidates "
                        "displayFrame={x=0.0 y=0.0 w=1440.0 h=900.0} count=16 order=index-order");
    EXPECT_NE(lines[1].find("index=0 id=unknown listIndex=4 "), std::string::npos) << lines[1];
}

TEST(OSDGridWindowPreviewComposerTest, PaintsBackWindowsFirst) {
    auto make = [](std::optional<int> onScreen, int z, double area, std::string bundle) {
        OSDGridRenderableWindowPreview p;
        std::tie(p.onScreenIndex, p.zIndex, p.area, p.bundleIdentifier) =
            std::tuple(onScreen, z, area, bundle);
        return p;
    };
    // Back then front: off screen under on screen, further back, lower list index, larger
    // area, name order.
    const std::pair<OSDGridRenderableWindowPreview, OSDGridRenderableWindowPreview> cases[] = {
        {make(std::nullopt, 9, 0, ""), make(0, 0, 0, "")},
        {make(3, 0, 0, ""), make(1, 9, 0, "")},
        {make(1, 2, 0, ""), make(1, 5, 9, "")},
        {make(1, 2, 50, "z"), make(1, 2, 10, "a")},
        {make(1, 2, 10, "a"), make(1, 2, 10, "b")}};
    for (const auto& [back, front] : cases) {
        EXPECT_TRUE(Composer::spatialWindowCapturePrecedence(back, front));
        EXPECT_FALSE(Composer::spatialWindowCapturePrecedence(front, back));
    }
}

TEST(OSDGridWindowPreviewComposerTest, AspectFillsTheDesktopPictureAndDrawsAFixedFallback) {
    // 2880 x 1800 scaled by 1/9 is 320 x 200: ten rows are cut top and bottom, so the
    // 180-row red band becomes rows 0 to 9.
    QImage desktop = solid(Qt::blue, 2880, 1800);
    QPainter(&desktop).fillRect(0, 0, 2880, 180, Qt::red);
    const QImage image = composed({}, kDisplay, desktop);
    EXPECT_EQ(at(image, 160, 8), QColor(Qt::red));
    EXPECT_EQ(at(image, 160, 12), QColor(Qt::blue));

    const QImage fallback = composed({}, std::nullopt);
    EXPECT_EQ(fallback, composed({}, std::nullopt));
    // The gradient's stops from the bottom left corner to the top right one under the veil,
    // the vignette darkening towards the edges, and one of the brightest grain dots.
    struct Expected {
        const char* name;
        int x, y, r, g, b;
    };
    const Expected pixels[] = {
        {"first stop", 0, 179, 31, 41, 53},          {"last stop", 319, 0, 31, 61, 58},
        {"middle stop", 160, 90, 64, 56, 77},        {"vignetted corner", 319, 179, 42, 54, 60},
        {"beside a grain dot", 138, 46, 62, 54, 74}, {"grain dot", 137, 46, 70, 63, 82}};
    for (const Expected& e : pixels) {
        const QColor pixel = at(fallback, e.x, e.y);
        EXPECT_NEAR(pixel.red(), e.r, 2) << e.name;
        EXPECT_NEAR(pixel.green(), e.g, 2) << e.name;
        EXPECT_NEAR(pixel.blue(), e.b, 2) << e.name;
    }
}

TEST(OSDGridWindowPreviewComposerTest, RefusesBitmapsOfUnusableSize) {
    EXPECT_EQ(Composer::makeBitmap({0.2, 10.6}).value_or(QImage()).size(), QSize(1, 11));
    EXPECT_FALSE(Composer::makeBitmap({std::nan(""), 10}));
    EXPECT_FALSE(Composer::makeBitmap({10, INFINITY}));
    EXPECT_FALSE(Composer::makeBitmap({100000, 10}));
}

TEST(OSDGridWindowPreviewComposerTest, TrimsOnlyTransparentMarginsWiderThanTwoPixels) {
    auto capture = [](int left, int top, int right, int bottom) {
        QImage image(40, 30, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter(&image).fillRect(left, top, 40 - left - right, 30 - top - bottom, Qt::red);
        return image;
    };
    auto trimmedSize = [&](int left, int top, int right, int bottom) {
        return Composer::normalizedWindowCaptureImage(capture(left, top, right, bottom)).size();
    };
    EXPECT_EQ(trimmedSize(2, 2, 2, 2), QSize(40, 30));
    EXPECT_EQ(trimmedSize(0, 3, 0, 0), QSize(40, 27));
    EXPECT_EQ(trimmedSize(5, 4, 3, 6), QSize(32, 20));
    EXPECT_EQ(trimmedSize(0, 0, 40, 30), QSize(40, 30)); // fully transparent

    // The box is the capture's own pixels, not a copy of them.
    const QImage source = capture(5, 4, 3, 6);
    const QImage box = Composer::normalizedWindowCaptureImage(source);
    EXPECT_EQ(box.constBits(), source.constScanLine(4) + 5 * 4);
    EXPECT_EQ(box.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(box.pixelColor(31, 19), QColor(Qt::red));
}

} // namespace
} // namespace tessarin
