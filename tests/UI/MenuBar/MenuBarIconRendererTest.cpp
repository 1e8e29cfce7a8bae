#include "UI/MenuBar/MenuBarIconRenderer.h"

#include "UI/MenuBar/MenuBarStaticIcon.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// The pixel at a point of the picture (points, y up as the layout has it).
QColor pixelAt(const QImage& image, double x, double y) {
    const double scale = image.devicePixelRatio();
    const double height = image.height() / scale;
    return image.pixelColor(static_cast<int>(x * scale), static_cast<int>((height - y) * scale));
}

Point centre(const Rect& rect) {
    return {rect.midX(), rect.midY()};
}

TEST(MenuBarIconRendererTest, StatusPictureShowsTheActiveCellAsAHoleAndOutlinesPlaceholders) {
    const auto model = MenuBarGridIconModel::make(9, 4, 3, {7});
    ASSERT_TRUE(model);
    const auto image = MenuBarIconRenderer::renderGridIcon(*model);
    const auto layout = MenuBarGridIconLayout::make(*model, MenuBarGridIconMetrics::statusItem());
    ASSERT_TRUE(image && layout);
    EXPECT_EQ(image->deviceIndependentSize(), QSizeF(18, 18));
    EXPECT_EQ(image->text(MenuBarStaticIcon::templateKey), "true");
    const Point filled = centre(layout->frames[0]);
    const Point active = centre(layout->frames[4]);
    const Point placeholder = centre(layout->frames[7]);
    EXPECT_EQ(pixelAt(*image, filled.x, filled.y).alpha(), 255);
    EXPECT_EQ(pixelAt(*image, active.x, active.y).alpha(), 0);
    EXPECT_EQ(pixelAt(*image, placeholder.x, placeholder.y).alpha(), 0);
    // The outline runs just inside the placeholder's left edge.
    EXPECT_GT(pixelAt(*image, layout->frames[7].minX() + 0.35, placeholder.y).alpha(), 0);
    EXPECT_FALSE(MenuBarIconRenderer::renderGridIcon(MenuBarGridIconModel{11, 0, 2, {}}));
}

TEST(MenuBarIconRendererTest, OverlayPictureFillsCellsWhiteAndTheActiveOneInItsColour) {
    const auto model = MenuBarGridIconModel::make(4, 1, 2, {2});
    ASSERT_TRUE(model);
    const PersistentGridOverlayActiveColor red{"FF0000FF"};
    const auto image = MenuBarIconRenderer::renderPersistentOverlayIcon(
        *model, PersistentGridOverlaySize::medium, red);
    const auto layout = MenuBarGridIconLayout::make(
        *model, MenuBarGridIconMetrics::overlay(PersistentGridOverlaySize::medium));
    ASSERT_TRUE(image && layout);
    EXPECT_EQ(image->deviceIndependentSize(), QSizeF(88, 88));
    EXPECT_TRUE(image->text(MenuBarStaticIcon::templateKey).isEmpty());
    const Point white = centre(layout->frames[0]);
    const Point active = centre(layout->frames[1]);
    const Point placeholder = centre(layout->frames[2]);
    EXPECT_EQ(pixelAt(*image, white.x, white.y), QColor(255, 255, 255));
    EXPECT_EQ(pixelAt(*image, active.x, active.y), QColor(255, 0, 0));
    EXPECT_EQ(pixelAt(*image, placeholder.x, placeholder.y), QColor(0, 0, 0));
    EXPECT_EQ(pixelAt(*image, 4, 44), QColor(0, 0, 0)); // background in the margin
    EXPECT_EQ(pixelAt(*image, 0.2, 0.2).alpha(), 0);    // outside the rounded corner

    // An active placeholder stays an outline, not a cell in the active colour.
    const auto onPlaceholder = MenuBarIconRenderer::renderPersistentOverlayIcon(
        MenuBarGridIconModel{4, 2, 2, {2}}, PersistentGridOverlaySize::medium, red);
    ASSERT_TRUE(onPlaceholder);
    EXPECT_EQ(pixelAt(*onPlaceholder, placeholder.x, placeholder.y), QColor(0, 0, 0));
}

TEST(MenuBarIconRendererTest, ModelFromBareSpaceInfoUsesThreeColumnsForAnOddCount) {
    const auto model = MenuBarIconRenderer::makeGridModel(TessarinSpaceInfo{2, 6, 7}, 5);
    ASSERT_TRUE(model);
    EXPECT_EQ(*model, (MenuBarGridIconModel{6, 2, 3, {}}));
    EXPECT_EQ(MenuBarIconRenderer::makeGridModel(TessarinSpaceInfo{0, 6, 7}, 4)->columnCount, 4);
    EXPECT_FALSE(MenuBarIconRenderer::makeGridModel(TessarinSpaceInfo{0, 0, 0}, 3));
    EXPECT_FALSE(MenuBarIconRenderer::makeGridModel(TessarinSpaceInfo{6, 6, 7}, 3));
}

} // namespace
} // namespace tessarin
