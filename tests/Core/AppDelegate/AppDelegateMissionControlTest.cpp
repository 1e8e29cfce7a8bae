#include "Core/Fakes/EngineWorld.h"
#include "Core/MissionControl/MissionControlSpaceCreator.h"
#include "Core/Seams/MissionControlDesktopRefreshing.h"
#include "Platform/MissionControl.h"
#include "Platform/SystemAlert.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Target = AppDelegate::MissionControlSpaceCreationTarget;
using Grids = std::vector<std::optional<std::string>>;

// The switching scenario with the Dock running, so Mission Control can be driven.
Scenario withDock(bool shared = false) {
    Scenario scenario = fakes::switchingScenario(101, shared);
    scenario.applications.push_back(RunningApplication{97, std::string("com.apple.dock"), "Dock"});
    scenario.dockProcessIdentifier = 97;
    return scenario;
}

class RecordingDesktopRefresher : public MissionControlDesktopRefreshing {
public:
    std::vector<std::string> calls;
    void scheduleWindowSpaceMetadataAndPreviewRefresh(
        const std::optional<std::string>& displayIdentifier) override {
        calls.push_back("scheduleMetadataRefresh " + fakes::describe(displayIdentifier));
    }
};

class AppDelegateMissionControlTest : public ::testing::Test {
protected:
    AppDelegateMissionControlTest() { d().missionControlDesktopRefresher = refresher; }

    AppDelegate& d() { return world.d(); }
    std::vector<SpaceID> spaceIDs(const std::string& list = "UUID-A") {
        std::vector<SpaceID> ids;
        const auto spaces = world.host.windowServer().spaceList(list);
        for (const ManagedSpace& space : spaces->spaces) {
            ids.push_back(space.id64);
        }
        return ids;
    }
    const std::vector<SystemAlert>& alerts() { return world.host.system().shownAlerts(); }
    // Long enough for any add or remove to end, time-outs included.
    void finish() { world.queue.advance(5.0); }
    DisplaySpaceOrderSnapshot layoutA() {
        const auto resolved = d().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-A");
        EXPECT_TRUE(resolved);
        return resolved ? resolved->displaySnapshot : DisplaySpaceOrderSnapshot{};
    }
    bool removeSecond() { return d().startMissionControlSpaceRemoval(kA, 1, 102, 1, std::nullopt); }

    const Target kA{"UUID-A", "UUID-A", 1};
    fakes::World world{withDock()};
    std::shared_ptr<RecordingDesktopRefresher> refresher =
        std::make_shared<RecordingDesktopRefresher>();
};

TEST_F(AppDelegateMissionControlTest, theTargetIsTheDisplayWithItsSpaceDisplayAndNumber) {
    const std::tuple<const char*, std::optional<std::string>, std::optional<Target>> cases[] = {
        {"a given display", "UUID-B", Target{"UUID-B", "UUID-B", 2}},
        {"none: the pointer's display", std::nullopt, kA},
        {"a display that is not connected", "UUID-X", std::nullopt},
        {"a blank identifier", "  ", std::nullopt},
    };
    for (const auto& [name, display, expected] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(d().resolveMissionControlSpaceCreationTarget(display), expected);
    }
}

TEST_F(AppDelegateMissionControlTest, addingADesktopFromTheMenuReallyAddsOneToThePointersDisplay) {
    d().createDesktopOnActiveDisplay();
    EXPECT_TRUE(d().missionControlSpaceTask.has_value());
    EXPECT_EQ(world.seams.osdWindow->suspendCount, 1);
    finish();

    EXPECT_EQ(spaceIDs().size(), 9u);
    EXPECT_EQ(spaceIDs("UUID-B").size(), 4u);
    EXPECT_FALSE(d().missionControlSpaceTask.has_value());
    EXPECT_FALSE(world.host.missionControl().isOpen());
    EXPECT_EQ(world.seams.shell->calls,
              (std::vector<std::string>{"refreshSpaceInfo", "refreshPersistentGridOverlay"}));
    EXPECT_EQ(world.seams.presentation->refreshedVisibleGrids, Grids{"UUID-A"});
    EXPECT_EQ(refresher->calls, std::vector<std::string>{"scheduleMetadataRefresh UUID-A"});
    EXPECT_TRUE(alerts().empty());
}

TEST_F(AppDelegateMissionControlTest, aSecondRequestWhileOneRunsBeepsAndAddsNothingMore) {
    d().createDesktopOnActiveDisplay();
    world.queue.advance(0.2);
    d().createDesktopOnActiveDisplay();
    EXPECT_EQ(world.beeps(), 1);
    EXPECT_FALSE(removeSecond());
    EXPECT_EQ(world.beeps(), 2);
    finish();
    EXPECT_EQ(spaceIDs().size(), 9u);
    EXPECT_EQ(world.host.missionControl().edits().size(), 1u);

    // Once it ended, the next request runs.
    d().createDesktopOnActiveDisplay();
    finish();
    EXPECT_EQ(spaceIDs().size(), 10u);
    EXPECT_EQ(world.beeps(), 2);
}

TEST_F(AppDelegateMissionControlTest, aTaskCancelledFromOutsideNeverBlocksTheNextRequest) {
    d().createDesktopOnActiveDisplay();
    world.queue.advance(0.2);
    ASSERT_TRUE(d().missionControlSpaceTask.has_value());
    d().missionControlSpaceTask->cancel();
    finish();
    EXPECT_EQ(spaceIDs().size(), 8u);
    EXPECT_FALSE(world.host.missionControl().isOpen());

    d().createDesktopOnActiveDisplay();
    finish();
    EXPECT_EQ(world.beeps(), 0);
    EXPECT_EQ(spaceIDs().size(), 9u);
}

TEST_F(AppDelegateMissionControlTest, withoutTrustNothingStartsAndTheHealthWindowIsAskedFor) {
    world.host.system().setProcessTrusted(false);
    d().createDesktopOnActiveDisplay();
    finish();
    EXPECT_EQ(world.seams.healthWindow->presented, std::vector<TessarinHealthCheckPresentationMode>{
                                                       TessarinHealthCheckPresentationMode::setup});
    EXPECT_EQ(world.host.missionControl().openRequestCount(), 0u);
    EXPECT_TRUE(alerts().empty());
}

TEST_F(AppDelegateMissionControlTest, permissionLostDuringTheTaskOpensTheSetupWindowAndNoAlert) {
    // clang-format off
    const std::pair<const char*, std::function<bool(AppDelegate&, const Target&)>> cases[] = {
        {"menu add", [](AppDelegate& d, const Target& t) { return d.startMissionControlSpaceCreation(t); }},
        {"tail add", [](AppDelegate& d, const Target& t) { return d.startMissionControlTailSpaceCreation(t, {}); }},
        {"placeholder add",
         [](AppDelegate& d, const Target& t) { return d.startMissionControlPlaceholderSpaceCreation(t, 8, 9); }},
        {"remove", [](AppDelegate& d, const Target& t) { return d.startMissionControlSpaceRemoval(t, 1, 102, 1, {}); }},
    };
    // clang-format on
    for (const auto& [name, start] : cases) {
        SCOPED_TRACE(name);
        world.host.system().setProcessTrusted(true);
        world.seams.healthWindow->presented.clear();
        ASSERT_TRUE(start(d(), kA));
        world.queue.advance(0.1);
        world.host.system().setProcessTrusted(false);
        finish();
        EXPECT_EQ(world.seams.healthWindow->presented,
                  std::vector<TessarinHealthCheckPresentationMode>{
                      TessarinHealthCheckPresentationMode::setup});
        EXPECT_FALSE(d().missionControlSpaceTask.has_value());
    }
    EXPECT_TRUE(alerts().empty());
    EXPECT_EQ(spaceIDs().size(), 8u);
}

TEST_F(AppDelegateMissionControlTest, failuresAreToldInAnAlert) {
    world.host.displays().setScreens({});
    d().createDesktopOnActiveDisplay();
    world.host.displays().setScreens(withDock().displays);
    world.host.missionControl().setIgnoresOpenRequests(true);
    d().createDesktopOnActiveDisplay();
    finish();
    world.host.missionControl().setIgnoresOpenRequests(false);
    world.host.missionControl().setIgnoresEdits(true);
    ASSERT_TRUE(removeSecond());
    finish();

    // clang-format off
    const std::vector<SystemAlert> expected{
        {"Could Not Add Desktop", "Tessarin could not resolve the active display for Mission Control.", {"OK"}},
        {"Could Not Add Desktop", "Mission Control did not open in time.", {"OK"}},
        {"Could Not Remove Desktop", "The Desktop was still there after Mission Control was asked to remove it.", {"OK"}}};
    // clang-format on
    EXPECT_EQ(alerts(), expected);
    EXPECT_EQ(world.host.missionControl().openRequestCount(), 2u);
    EXPECT_TRUE(world.seams.shell->calls.empty());
    EXPECT_TRUE(world.seams.healthWindow->presented.empty());
}

TEST_F(AppDelegateMissionControlTest, aGridThatCannotShowThePlaceholderIsRefreshedThePlainWay) {
    d().currentGridOSDDisplayIdentifier = "UUID-A";
    ASSERT_TRUE(removeSecond());
    finish();
    EXPECT_EQ(world.seams.presentation->refreshedVisibleGrids, Grids{"UUID-A"});
}

TEST_F(AppDelegateMissionControlTest, aDesktopAddedAtTheTailShowsTheGridAgainInsteadOfRefreshing) {
    ASSERT_TRUE(d().startMissionControlTailSpaceCreation(kA, OSDGridMouseInteractionContext{}));
    finish();
    EXPECT_EQ(spaceIDs().size(), 9u);
    EXPECT_TRUE(world.seams.osdWindow->visible.count(std::string("UUID-A")));
    EXPECT_TRUE(world.seams.presentation->refreshedVisibleGrids.empty());
}

TEST_F(AppDelegateMissionControlTest, aDesktopMadeForAPlaceholderTakesThatCell) {
    // Space 103 moved past the end leaves a placeholder at index 2.
    world.grid().setUsePlaceholders(true, DisplaySettingsScope::display("UUID-A"));
    const auto before = layoutA();
    ASSERT_TRUE(d().spaceOrderStore.moveVisualOrder(2, 8, OSDGridRearrangementBehavior::swap,
                                                    "UUID-A", before.systemOrderedSpaceIDs,
                                                    before.activeSpaceID, true, 12, 8));
    const auto arranged = layoutA();
    ASSERT_TRUE(arranged.isPlaceholder(2));

    ASSERT_TRUE(d().startMissionControlPlaceholderSpaceCreation(kA, 2, arranged.slotCount()));
    finish();

    ASSERT_EQ(spaceIDs().size(), 9u);
    EXPECT_EQ(layoutA().spaceID(2), spaceIDs().back());
    EXPECT_EQ(world.seams.presentation->refreshedVisibleGrids, Grids{"UUID-A"});
}

TEST_F(AppDelegateMissionControlTest, aDelegateGoneBeforeTheTaskEndsHandlesNothing) {
    d().createDesktopOnActiveDisplay();
    world.queue.advance(0.2);
    world.delegate.reset();
    finish();
    EXPECT_FALSE(world.host.missionControl().isOpen());
    EXPECT_TRUE(alerts().empty());
    EXPECT_TRUE(world.seams.shell->calls.empty());
}

TEST(AppDelegateSharedSpacesMissionControl, theSharedListGainsTheDesktopAddedOnAnyDisplay) {
    fakes::World world(withDock(true));
    const auto target = world.d().resolveMissionControlSpaceCreationTarget("UUID-B");
    ASSERT_TRUE(target);
    EXPECT_EQ(*target, (Target{"UUID-B", "Main", 2}));
    ASSERT_TRUE(world.d().startMissionControlSpaceCreation(*target));
    world.queue.advance(5.0);
    EXPECT_EQ(world.host.windowServer().spaceList("Main")->spaces.size(), 5u);
}

} // namespace
} // namespace tessarin
