#include "Platform/StatusBar/HostMenuBarPlace.h"

#include "Platform/PlatformWorld.h"

namespace tessarin {
namespace {

// Each display with a Dock of its own along the bottom, so its visible frame is lower than its
// frame at both ends.
Scenario twoDisplaysWithDocks() {
    Scenario s = twoDisplays();
    s.displays[0].visibleFrame = {0, 75, 1440, 800};
    s.displays[1].visibleFrame = {1440, 60, 1920, 995};
    return s;
}

class HostMenuBarPlaceTest : public HostWorld {
protected:
    HostMenuBarPlaceTest() : HostWorld(twoDisplaysWithDocks()) {}
};

// The menu bar is only what the visible frame leaves at the top, whatever a Dock takes below.
TEST_F(HostMenuBarPlaceTest, TheStatusItemLiesInTheActiveMenuBar) {
    const struct {
        const char* name;
        DisplayID display;
        Point expected; // window-server points, y down from the main display's top
    } cases[] = {
        {"the main display", 1, {1400, 12.5}},
        {"the display to its right, higher up", 2, {3320, -167.5}},
    };
    for (const auto& c : cases) {
        host.windowServer().setActiveMenuBarDisplay(c.display);
        const auto place = hostMenuBarPlace(host);
        ASSERT_TRUE(place) << c.name;
        EXPECT_EQ(place->statusItemPoint(), c.expected) << c.name;
    }
}

} // namespace
} // namespace tessarin
