#include "Core/Previews/OSDGridPreviewScreenGeometry.h"

#include "Platform/ScreenCapture/DesktopPictureDrawing.h"
#include "Platform/ScreenCapture/DesktopPictures.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

Screen screen(DisplayID id, Rect frame, double scale) {
    Screen s;
    s.displayID = id;
    s.frame = frame;
    s.backingScaleFactor = scale;
    return s;
}

TEST(OSDGridPreviewScreenGeometryTest, FlipsAScreenWithoutDisplayNumberAtTheMainScreensTop) {
    const DisplayServer displays({screen(1, Rect(0, 0, 1440, 900), 2)});
    const Screen unnumbered = screen(0, Rect(1440, 0, 1920, 1080), 1);
    EXPECT_EQ(windowServerFrame(unnumbered, displays), Rect(1440, -180, 1920, 1080));
    EXPECT_EQ(windowServerFrame(displays.screens()[0], displays), Rect(0, 0, 1440, 900));
    EXPECT_FALSE(windowServerFrame(std::nullopt, displays));
    EXPECT_FALSE(windowServerFrame(screen(0, Rect(0, 0, 0, 10), 1), displays));
}

TEST(OSDGridPreviewScreenGeometryTest, CapturesAtTheScaleOfTheScreenHoldingMostOfTheWindow) {
    const DisplayServer displays(
        {screen(1, Rect(0, 0, 1440, 900), 2), screen(2, Rect(1440, 0, 1920, 1080), 1)});
    struct Case {
        const char* name;
        Rect bounds;
        double scale;
    };
    const Case cases[] = {
        {"mostly on the second", Rect(1300, 100, 800, 600), 1},
        {"mostly on the main", Rect(1000, 100, 800, 600), 2},
        {"on no screen", Rect(9000, 9000, 10, 10), 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(windowCaptureScaleFactor(c.bounds, displays), c.scale) << c.name;
    }
    EXPECT_EQ(windowCaptureScaleFactor(Rect(0, 0, 10, 10), DisplayServer()), 1.0);
}

// The captures of all a screen's Spaces share its one picture, loaded again only when the
// screen's picture changed.
TEST(OSDGridPreviewScreenGeometryTest, EachScreenKeepsOneDesktopPicture) {
    DesktopPictures pictures;
    Screen a = screen(1, Rect(0, 0, 1440, 900), 2);
    a.uuid = "A";
    Screen b = screen(2, Rect(1440, 0, 1920, 1080), 1);
    b.uuid = "B";
    DesktopBackgroundImages images;
    const auto first = images.image(a, pictures);
    ASSERT_TRUE(first);
    EXPECT_EQ(images.image(a, pictures)->cacheKey(), first->cacheKey());
    EXPECT_NE(images.image(b, pictures)->cacheKey(), first->cacheKey());
    pictures.setPicture("A", {DesktopPictureState::missing});
    EXPECT_FALSE(images.image(a, pictures));
    pictures.setPicture("A", {DesktopPictureState::present, 0x102030});
    EXPECT_EQ(*images.image(a, pictures),
              DesktopPictureDrawing::draw(QColor(0x10, 0x20, 0x30), DesktopPictures::pixelWidth,
                                          DesktopPictures::pixelHeight));
    EXPECT_FALSE(images.image(std::nullopt, pictures));
}

} // namespace
} // namespace tessarin
