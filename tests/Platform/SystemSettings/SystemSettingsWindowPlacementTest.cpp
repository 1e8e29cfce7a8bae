#include "Platform/SystemSettings/SystemSettingsWindowPlacement.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// System Settings' own frame and the health window's at the top left of the screen.
constexpr Rect pane{260, 140, 715, 620};
constexpr Rect health{25, 69, 540, 400};

TEST(SystemSettingsWindowPlacementTest, ThePaneOpensClearOfTheFloatingWindowsWhereThereIsRoom) {
    const struct {
        const char* name;
        Rect preferred;
        SystemSettingsDesk desk;
        Rect expected;
        bool clear;
    } cases[] = {
        {"nothing floats", pane, {{0, 0, 1920, 1080}, {}}, pane, true},
        {"the floating window lies elsewhere",
         pane,
         {{0, 0, 1920, 1080}, {{1200, 600, 540, 400}}},
         pane,
         true},
        {"room to the right of the health window",
         pane,
         {{0, 0, 1920, 1080}, {health}},
         {589, 140, 715, 620},
         true},
        {"edges that touch do not cover",
         {565, 140, 715, 620},
         {{0, 0, 1920, 1080}, {health}},
         {565, 140, 715, 620},
         true},
        {"room to the left only",
         {900, 140, 715, 620},
         {{0, 0, 1920, 1080}, {{1300, 69, 540, 400}}},
         {561, 140, 715, 620},
         true},
        {"the right side is just wide enough, pulled onto the screen",
         {260, 300, 715, 620},
         {{0, 0, 1304, 800}, {health}},
         {589, 180, 715, 620},
         true},
        {"beside a second floating window when the first's side is taken",
         pane,
         {{0, 0, 1920, 1080}, {health, {589, 100, 300, 300}}},
         {913, 140, 715, 620},
         true},
        {"no room on a small screen: the pane stays",
         pane,
         {{0, 0, 1024, 768}, {health}},
         pane,
         false},
        {"a pane larger than the screen stays",
         {0, 0, 1400, 900},
         {{0, 0, 1280, 800}, {health}},
         {0, 0, 1400, 900},
         false},
        {"beside before below, though below is nearer",
         {100, 300, 715, 500},
         {{0, 0, 1920, 1080}, {health}},
         {589, 300, 715, 500},
         true},
        {"the window manager's frames count: title bars and borders",
         pane,
         {{0, 0, 1920, 1080}, {{24, 24, 542, 421}}, {1, 20, 1, 5}},
         {591, 140, 715, 620},
         true},
        {"a frame that would reach below the screen is no room",
         {260, 100, 715, 620},
         {{0, 0, 1920, 930}, {{0, 0, 1920, 300}}, {1, 20, 1, 5}},
         {260, 100, 715, 620},
         false},
        {"room below a wide floating window",
         pane,
         {{0, 0, 1280, 1400}, {{0, 0, 1280, 300}}},
         {260, 324, 715, 620},
         true},
        {"room above a wide floating window, a gap away",
         {260, 700, 715, 620},
         {{0, 0, 1280, 1400}, {{0, 800, 1280, 300}}},
         {260, 156, 715, 620},
         true},
        {"of two clear sides the nearer",
         {600, 140, 500, 620},
         {{0, 0, 1920, 1080}, {{800, 69, 300, 400}}},
         {276, 140, 500, 620},
         true},
        {"a pane taller than the screen stays, though beside the window is clear",
         {260, 0, 715, 700},
         {{0, 0, 1920, 600}, {{300, 0, 200, 100}}},
         {260, 0, 715, 700},
         false},
    };
    for (const auto& c : cases) {
        const SystemSettingsWindowPlacement placed = placeSystemSettingsWindow(c.preferred, c.desk);
        EXPECT_EQ(placed.frame, c.expected) << c.name;
        EXPECT_EQ(placed.clear, c.clear) << c.name;
    }
}

} // namespace
} // namespace tessarin
