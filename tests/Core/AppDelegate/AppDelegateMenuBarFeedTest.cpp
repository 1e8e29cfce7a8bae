#include "Core/Fakes/EngineWorld.h"
#include "Platform/StatusBar/Menu.h"
#include "Platform/StatusBar/MenuItem.h"
#include "Platform/StatusBar/StatusBar.h"
#include "Platform/StatusBar/StatusItem.h"
#include "UI/Health/TessarinHealthCheckPanel.h"
#include "UI/Health/TessarinHealthCheckWindowController.h"
#include "UI/MenuBar/MenuBarController.h"
#include "UI/OSD/OSDGridViewTestSupport.h"
#include "UI/OSD/OSDOverlayPanel.h"
#include "UI/Overlays/PersistentGridOverlayController.h"
#include "UI/Overlays/PersistentTitleOverlayController.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::World;
using Reference = AppDelegate::LastSpaceReference;

// A world whose delegate refreshes the menu bar and the overlays itself.
World::Adjust ownShell() {
    return [](AppDelegateDependencies& dependencies) { dependencies.shell = nullptr; };
}

// The enabled states of the Switch items, left, right, up, down.
std::vector<bool> switchStates(World& world) {
    std::vector<bool> states;
    for (const auto& item : world.host.statusBar().items()) {
        for (const auto& entry : item->menu()->items()) {
            if (entry->title().rfind("Switch ", 0) == 0) {
                states.push_back(entry->isEnabled());
            }
        }
    }
    return states;
}

TEST(AppDelegateMenuBarFeed, OneFailedMenuBarReadNeverLosesTheLastSpace) {
    World world(fakes::switchingScenario(), ownShell());
    world.d().refreshSpaceInfo();
    world.d().refreshSpaceInfo();
    EXPECT_EQ(world.d().currentMenuBarSpaceReference, (Reference{"UUID-A", 101}));
    EXPECT_EQ(world.d().lastSpaceReference, std::nullopt);

    world.host.windowServer().setCurrentSpace("UUID-A", 102);
    world.d().refreshSpaceInfo();
    world.d().refreshSpaceInfo();
    EXPECT_EQ(world.d().currentMenuBarSpaceReference, (Reference{"UUID-A", 102}));
    EXPECT_EQ(world.d().lastSpaceReference, (Reference{"UUID-A", 101}));

    world.host.calls().copyActiveMenuBarDisplayIdentifier = nullptr;
    world.d().refreshSpaceInfo();
    EXPECT_EQ(world.d().currentMenuBarSpaceReference, std::nullopt);
    world.host.restoreCalls();
    world.d().refreshSpaceInfo();
    EXPECT_EQ(world.d().currentMenuBarSpaceReference, (Reference{"UUID-A", 102}));
    EXPECT_EQ(world.d().lastSpaceReference, (Reference{"UUID-A", 101}));
}

TEST(AppDelegateMenuBarFeed, MenuFollowsTheGridRulesOfTheMenuBarDisplay) {
    World world(fakes::switchingScenario(), ownShell());
    world.d().menuBarController().setup();
    world.grid().setBlocksAtEdges(true, DisplaySettingsScope::display("UUID-A"));
    world.d().refreshSpaceInfo();
    // Space 1 of 8 in three columns, stopping at the edges.
    EXPECT_EQ(switchStates(world), (std::vector<bool>{false, true, false, true}));
}

TEST(AppDelegateMenuBarFeed, GridModelCountsThePlaceholdersOfTheLayout) {
    World world(fakes::switchingScenario(), ownShell());
    const std::vector<SpaceID> system{101, 102, 103, 104, 105, 106, 107, 108};
    world.grid().setUsePlaceholders(true, DisplaySettingsScope::display("UUID-A"));
    // Space 108 moved two cells past the end, leaving two placeholders.
    ASSERT_TRUE(world.d().spaceOrderStore.moveVisualOrder(7, 9, OSDGridRearrangementBehavior::swap,
                                                          "UUID-A", system, 101, true, 12, 0));
    const auto model =
        world.d().makeMenuBarGridModel(TessarinSpaceInfo{0, 8, 101}, "UUID-A", std::nullopt);
    ASSERT_TRUE(model);
    EXPECT_EQ(*model, (MenuBarGridIconModel{10, 0, 3, {7, 8}}));
    // Without a resolvable layout: the bare count and index.
    EXPECT_EQ(world.d().makeMenuBarGridModel(TessarinSpaceInfo{1, 3, 7}, "UUID-GONE", 4),
              (MenuBarGridIconModel{3, 1, 4, {}}));
}

TEST(AppDelegateMenuBarFeed, HealthCheckItemMakesTheHealthWindowWhenNoneWasMadeYet) {
    testing::ensureApplication();
    World world(fakes::switchingScenario(), [](AppDelegateDependencies& dependencies) {
        dependencies.healthWindow = nullptr; // the delegate makes its own
    });
    world.d().menuBarController().setup();
    world.host.statusBar().items().front()->menu()->itemWithTitle("Health Check\u2026")->perform();
    const auto& health =
        dynamic_cast<TessarinHealthCheckWindowController&>(world.d().healthCheckWindowController());
    ASSERT_TRUE(health.window());
    EXPECT_TRUE(health.window()->isVisible());
}

// Global: overlays on. Display B's overrides: grid overlay off, title at the bottom right.
void configureOverlays(World& world) {
    auto& store = world.d().presentationStore;
    store.setBoolValue(true, DisplayPresentationSettingsStore::overlayEnabledKey,
                       DisplaySettingsScope::global(), false);
    store.setBoolValue(true, DisplayPresentationSettingsStore::titleOverlayEnabledKey,
                       DisplaySettingsScope::global(), false);
    store.setBoolValue(false, DisplayPresentationSettingsStore::overlayEnabledKey,
                       DisplaySettingsScope::display("UUID-B"), true);
    store.setPlacementValue(OSDPlacement::bottomRight,
                            DisplayPresentationSettingsStore::PlacementTarget::titleOverlay,
                            DisplaySettingsScope::display("UUID-B"));
}

TEST(AppDelegateMenuBarFeed, OverlaysTakeEachDisplaysSettingsWhileSpacesAreSeparate) {
    testing::ensureApplication();
    World world(fakes::switchingScenario(103), ownShell());
    configureOverlays(world);
    world.d().directSlotMetadataStore.setName("Mail", "UUID-A", 3);
    world.d().refreshPersistentGridOverlay();

    auto& grid = world.d().persistentGridOverlayController();
    auto& titles = world.d().persistentTitleOverlayController();
    EXPECT_EQ(grid.displayIdentifiers(), (std::vector<std::string>{"UUID-A"}));
    EXPECT_EQ(titles.title("UUID-A"), "Mail");
    EXPECT_EQ(titles.title("UUID-B"), "Space 1");
    const OSDOverlayPanel* titleB = titles.window("UUID-B");
    ASSERT_TRUE(titleB && grid.window("UUID-A") && titles.window("UUID-A"));
    EXPECT_EQ(titleB->hostFrame().maxX(), 1440 + 1920 - 24);
    EXPECT_EQ(titleB->hostFrame().minY(), 24);

    world.grid().isEnabled.set(false);
    world.d().refreshPersistentGridOverlay();
    EXPECT_FALSE(grid.window("UUID-A")->isVisible());
    EXPECT_TRUE(titles.window("UUID-A")->isVisible());
}

TEST(AppDelegateMenuBarFeed, OverlaysOfSharedSpacesUseTheGlobalSettingsOnEveryDisplay) {
    testing::ensureApplication();
    World world(fakes::switchingScenario(1, true), ownShell());
    configureOverlays(world);
    // Space 1, the current one, moved to the last cell of the shared list.
    ASSERT_TRUE(world.d().spaceOrderStore.moveVisualOrder(0, 3, OSDGridRearrangementBehavior::swap,
                                                          "Main", {1, 2, 3, 4}, 1, false, 4, 0));
    world.d().refreshPersistentGridOverlay();

    auto& titles = world.d().persistentTitleOverlayController();
    EXPECT_EQ(world.d().persistentGridOverlayController().displayIdentifiers(),
              (std::vector<std::string>{"UUID-A", "UUID-B"}));
    EXPECT_EQ(titles.title("UUID-A"), "Space 4");
    EXPECT_EQ(titles.title("UUID-B"), "Space 4");
    // Top left, the global placement, on B too.
    ASSERT_TRUE(titles.window("UUID-B"));
    EXPECT_EQ(titles.window("UUID-B")->hostFrame().minX(), 1440 + 24);
}

TEST(AppDelegateMenuBarFeed, PeriodicRefreshTimerFollowsCaptureModeAndTiming) {
    struct Case {
        const char* name;
        OSDGridScreenshotCaptureMode mode;
        OSDGridScreenshotTiming timing;
        std::optional<TimeInterval> deadline;
        std::optional<double> firesAfter; // none: no timer
        bool captureAllowed = true;
        bool gridMode = true;
    };
    using Mode = OSDGridScreenshotCaptureMode;
    using Timing = OSDGridScreenshotTiming;
    const auto none = std::nullopt;
    // clang-format off
    const Case cases[] = {
        {"screen, optimised", Mode::screen, Timing::optimised, none, 300},
        {"screen, power", Mode::screen, Timing::power, none, 60},
        {"screen, performant", Mode::screen, Timing::performant, none, none},
        {"window, deadline passed", Mode::window, Timing::power, -5.0, 0.001},
        {"window, no deadline", Mode::window, Timing::power, none, none},
        {"no screen capture", Mode::screen, Timing::power, none, none, false},
        {"grid mode off", Mode::screen, Timing::power, none, none, true, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        World world(fakes::switchingScenario(), ownShell());
        auto& previews = *world.seams.windowPreviews;
        world.d().presentationStore.setScreenshotCaptureMode(c.mode);
        world.d().presentationStore.setScreenshotTiming(c.timing);
        world.host.system().setScreenCaptureAccess(c.captureAllowed);
        world.grid().isEnabled.set(c.gridMode);
        previews.deadline =
            c.deadline ? std::optional(world.queue.uptime() + *c.deadline) : std::nullopt;
        previews.calls.clear();
        world.d().restartPeriodicGridScreenshotRefresh();
        EXPECT_EQ(world.d().periodicGridScreenshotRefreshTimer.has_value(),
                  c.firesAfter.has_value());
        const double due = c.firesAfter.value_or(1000);
        world.queue.advance(due * 0.99);
        EXPECT_TRUE(previews.calls.empty());
        world.queue.advance(due * 0.02);
        EXPECT_EQ(previews.calls.size(), c.firesAfter ? 1u : 0u);
    }
}

TEST(AppDelegateMenuBarFeed, PrimingHandsItsRequestsToTheRefreshWithoutAMetadataOnlyPass) {
    World world(fakes::switchingScenario(), ownShell());
    auto& previews = *world.seams.windowPreviews;

    previews.primedRequests = std::nullopt; // no display resolves
    previews.calls.clear();
    world.d().primeWindowSpaceMetadataAndPreviews();
    EXPECT_EQ(previews.calls, (std::vector<std::string>{"primeWindowPreviews"}));

    previews.primedRequests = std::vector<WindowPreviewRefreshRequest>{
        {*WindowPreviewRefreshKey::make("UUID-A", "UUID-A", 102),
         WindowPreviewRefreshReason::startupPrime}};
    previews.calls.clear();
    world.d().primeWindowSpaceMetadataAndPreviews();
    EXPECT_EQ(previews.calls,
              (std::vector<std::string>{"primeWindowPreviews",
                                        "refreshWindowSpaceMetadataAndPreviews 1 screen"}));
}

} // namespace
} // namespace tessarin
