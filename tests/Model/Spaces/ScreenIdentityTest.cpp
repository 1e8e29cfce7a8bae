#include "Model/Spaces/ScreenIdentity.h"

#include "Model/Spaces/DisplayIdentifiers.h"
#include "Model/Spaces/TessarinDisplayCatalog.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

Screen makeScreen(DisplayID id, std::string uuid, std::string name, Rect frame) {
    Screen screen;
    screen.displayID = id;
    screen.uuid = std::move(uuid);
    screen.localizedName = std::move(name);
    screen.frame = frame;
    screen.visibleFrame = frame;
    return screen;
}

Scenario twoScreens() {
    Scenario scenario;
    scenario.displays = {
        makeScreen(1, "UUID-MAIN", "Built-in Display", Rect{{0, 0}, {1440, 900}}),
        makeScreen(7, "", "Projector", Rect{{1440, 0}, {1024, 768}}),
    };
    const auto space = [](SpaceID id) { return ScenarioSpace{id, kSpaceTypeUserDesktop, "", {}}; };
    scenario.spaceLists = {{"UUID-MAIN", {space(11)}, 11}, {"7", {space(21)}, 21}};
    return scenario;
}

class ScreenIdentityTest : public ::testing::Test {
protected:
    DisplayServer& displays() { return host.displays(); }

    VirtualMainQueue queue;
    ScopedMainQueue installed{queue};
    Host host{twoScreens(), queue};
    ScopedCurrentHost current{host};
};

TEST_F(ScreenIdentityTest, IdentifierIsTheUUIDElseTheDisplayNumberInDecimal) {
    const auto& screens = displays().screens();
    ASSERT_EQ(screens.size(), 2u);
    EXPECT_EQ(tessarinDisplayID(screens[0]), 1u);
    EXPECT_EQ(tessarinDisplayIdentifier(screens[0]), "UUID-MAIN");
    EXPECT_EQ(tessarinDisplayIdentifier(screens[1]), "7");

    Screen unnumbered = screens[0];
    unnumbered.displayID = 0;
    EXPECT_EQ(tessarinDisplayID(unnumbered), std::nullopt);
    EXPECT_EQ(tessarinDisplayIdentifier(unnumbered), std::nullopt);

    host.calls().displayUUID = nullptr; // the UUID lookup is not available
    EXPECT_EQ(tessarinDisplayIdentifier(screens[0]), "1");
    host.restoreCalls();
}

TEST_F(ScreenIdentityTest, ScreenWithDisplayIdentifier) {
    // clang-format off
    struct Case { std::optional<std::string> identifier; std::optional<DisplayID> found; };
    const Case cases[] = {
        {"UUID-MAIN", 1}, {"7", 7}, {"1", std::nullopt}, {"", std::nullopt}, {std::nullopt, std::nullopt},
    };
    // clang-format on
    for (const Case& c : cases) {
        const auto screen = tessarinScreen(c.identifier);
        EXPECT_EQ(screen ? std::optional<DisplayID>(screen->displayID) : std::nullopt, c.found)
            << c.identifier.value_or("<none>");
    }
}

TEST_F(ScreenIdentityTest, ScreenContainingMouseElseTheMainScreen) {
    const auto screenUnderMouse = [&](Point location) -> std::optional<DisplayID> {
        displays().setMouseLocation(location);
        const auto screen = tessarinScreenContainingMouse();
        return screen ? std::optional(screen->displayID) : std::nullopt;
    };
    EXPECT_EQ(screenUnderMouse({1500, 100}), 7u);
    EXPECT_EQ(screenUnderMouse({10, 10}), 1u);
    EXPECT_EQ(screenUnderMouse({-500, 5000}), 1u) << "off every screen";
    displays().setScreens({});
    EXPECT_EQ(tessarinScreenContainingMouse(), std::nullopt);
}

TEST_F(ScreenIdentityTest, CatalogListsTheScreensInOrderWithTheirNames) {
    EXPECT_EQ(
        TessarinDisplayCatalog::connectedDisplays(),
        (std::vector<TessarinDisplay>{{"UUID-MAIN", "Built-in Display"}, {"7", "Projector"}}));
    EXPECT_EQ(TessarinDisplayCatalog::name("7"), "Projector");
    EXPECT_EQ(TessarinDisplayCatalog::name("UUID-GONE"), "Unknown Display");
    EXPECT_EQ(TessarinDisplayCatalog::name(DisplayIdentifiers::defaultDisplay), "Unknown Display");
    displays().setScreens({});
    EXPECT_TRUE(TessarinDisplayCatalog::connectedDisplays().empty());
}

} // namespace
} // namespace tessarin
