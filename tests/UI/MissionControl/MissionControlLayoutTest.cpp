#include "UI/MissionControl/MissionControlLayout.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

struct LayoutCase {
    const char* name;
    QSize screen;
    int spaces;
    int expectedTileWidth;
};

TEST(MissionControlLayout, theStripHoldsEveryPictureInTheDisplaysShapeAboveTheDesktop) {
    const LayoutCase cases[] = {
        {"two Spaces keep a seventh of the width", {1440, 900}, 2, 205},
        {"eight Spaces share the width", {1440, 900}, 8, 150},
        {"sixteen Spaces get narrower", {1440, 900}, 16, 65},
        {"a wide display", {2560, 1080}, 4, 365},
        {"a portrait display", {1080, 1920}, 3, 154},
    };
    constexpr int nameHeight = 18;
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto layout = MissionControlLayout::make(c.screen, c.spaces, nameHeight);
        ASSERT_EQ(layout.tiles.size(), static_cast<std::size_t>(c.spaces));
        ASSERT_EQ(layout.names.size(), layout.tiles.size());
        const QRect screen(QPoint(0, 0), c.screen);
        for (std::size_t i = 0; i < layout.tiles.size(); ++i) {
            const QRect& tile = layout.tiles[i];
            EXPECT_EQ(tile.width(), c.expectedTileWidth);
            EXPECT_NEAR(tile.height(), tile.width() * c.screen.height() / c.screen.width(), 1);
            EXPECT_TRUE(screen.contains(tile));
            EXPECT_TRUE(layout.strip.contains(tile));
            EXPECT_TRUE(layout.strip.contains(layout.names[i]));
            EXPECT_EQ(layout.names[i].top(), tile.bottom() + 1 + MissionControlLayout::nameGap);
            EXPECT_EQ(layout.names[i].center().x(), tile.center().x());
            if (i > 0) {
                EXPECT_EQ(tile.left() - layout.tiles[i - 1].right() - 1, MissionControlLayout::gap);
            }
        }
        // Centred, with the desktop below the strip, inside the screen.
        EXPECT_NEAR(layout.tiles.front().left(), c.screen.width() - layout.tiles.back().right(), 2);
        EXPECT_GT(layout.desktop.top(), layout.strip.bottom());
        EXPECT_TRUE(screen.contains(layout.desktop));
        EXPECT_NEAR(layout.desktop.center().x(), c.screen.width() / 2, 1);
    }
}

TEST(MissionControlLayout, noSpacesOrNoScreenLayNothingOut) {
    EXPECT_TRUE(MissionControlLayout::make({1440, 900}, 0, 18).tiles.empty());
    const auto none = MissionControlLayout::make({0, 0}, 4, 18);
    EXPECT_TRUE(none.tiles.empty());
    EXPECT_TRUE(none.desktop.isEmpty());
}

} // namespace
} // namespace tessarin
