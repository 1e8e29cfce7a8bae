#include "Core/Fakes/SwitchingWorld.h"
#include "Core/MissionControl/MissionControlSpaceCreator.h"
#include "Core/Seams/MissionControlDesktopRefreshing.h"
#include "Platform/MissionControl.h"
#include "Platform/SystemAlert.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {
namespace {

using fakes::SwitchingWorld;

constexpr int32_t kDockPID = 97;

// The switching world with the Dock running, so Mission Control can be driven.
Scenario scenarioWithDock(Scenario scenario = fakes::switchingScenario()) {
    scenario.applications.push_back(
        RunningApplication{kDockPID, std::string("com.apple.dock"), std::string("Dock")});
    scenario.dockProcessIdentifier = kDockPID;
    return scenario;
}

class RecordingDesktopRefresher : public MissionControlDesktopRefreshing {
public:
    struct PlaceholderRefresh {
        int index;
        std::optional<std::string> displayIdentifier;
        std::optional<DisplaySpaceOrderSnapshot> snapshot;
    };
    std::vector<std::string> calls;
    std::vector<PlaceholderRefresh> placeholderRefreshes;
    std::vector<bool> reshownWithContext;
    bool answer = true;

    bool refreshVisibleGridOSDWithTransientPlaceholder(
        int index, const std::optional<std::string>& displayIdentifier,
        const std::optional<DisplaySpaceOrderSnapshot>& snapshot) override {
        calls.push_back("transientPlaceholder " + fakes::describe(displayIdentifier));
        placeholderRefreshes.push_back({index, displayIdentifier, snapshot});
        return answer;
    }
    bool refreshVisibleGridOSDAllowingSpaceCountChange(
        const std::optional<std::string>& displayIdentifier,
        const std::optional<OSDGridMouseInteractionContext>& context) override {
        calls.push_back("allowingSpaceCountChange " + fakes::describe(displayIdentifier));
        reshownWithContext.push_back(context.has_value());
        return answer;
    }
    void scheduleWindowSpaceMetadataAndPreviewRefresh(
        const std::optional<std::string>& displayIdentifier) override {
        calls.push_back("scheduleMetadataRefresh " + fakes::describe(displayIdentifier));
    }
};

class AppDelegateMissionControlTest : public ::testing::Test {
protected:
    explicit AppDelegateMissionControlTest(Scenario scenario = scenarioWithDock())
        : world(scenario) {
        delegate().missionControlDesktopRefresher = refresher;
    }

    AppDelegate& delegate() { return *world.delegate; }
    std::vector<SpaceID> spaceIDs(const std::string& list) {
        std::vector<SpaceID> ids;
        const auto spaces = world.host.windowServer().spaceList(list).value().spaces;
        for (const ManagedSpace& space : spaces) {
            ids.push_back(space.id64);
        }
        return ids;
    }
    const std::vector<SystemAlert>& alerts() { return world.host.system().shownAlerts(); }
    // Long enough for any add or remove to end, time-outs included.
    void finish() { world.queue.advance(5.0); }

    static AppDelegate::MissionControlSpaceCreationTarget targetA() {
        return {"UUID-A", "UUID-A", 1};
    }

    SwitchingWorld world;
    std::shared_ptr<RecordingDesktopRefresher> refresher =
        std::make_shared<RecordingDesktopRefresher>();
};

TEST_F(AppDelegateMissionControlTest, theTargetIsTheDisplayWithItsSpaceDisplayAndNumber) {
    struct Case {
        const char* name;
        std::optional<std::string> displayIdentifier;
        std::optional<AppDelegate::MissionControlSpaceCreationTarget> expected;
    };
    const std::vector<Case> cases = {
        {"a given display", "UUID-B",
         AppDelegate::MissionControlSpaceCreationTarget{"UUID-B", "UUID-B", 2}},
        {"none: the pointer's display", std::nullopt, targetA()},
        {"a display that is not connected", "UUID-X", std::nullopt},
        {"a blank identifier", "  ", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(delegate().resolveMissionControlSpaceCreationTarget(c.displayIdentifier),
                  c.expected);
    }
}

TEST_F(AppDelegateMissionControlTest, addingADesktopFromTheMenuReallyAddsOneToThePointersDisplay) {
    delegate().createDesktopOnActiveDisplay();
    EXPECT_TRUE(delegate().missionControlSpaceTask.has_value());
    EXPECT_EQ(world.seams.osdWindow->suspendCount, 1);
    finish();

    const auto ids = spaceIDs("UUID-A");
    ASSERT_EQ(ids.size(), 9u);
    EXPECT_EQ(spaceIDs("UUID-B").size(), 4u);
    EXPECT_FALSE(delegate().missionControlSpaceTask.has_value());
    EXPECT_FALSE(world.host.missionControl().isOpen());
    EXPECT_EQ(world.seams.shell->calls,
              (std::vector<std::string>{"refreshSpaceInfo", "refreshPersistentGridOverlay"}));
    EXPECT_EQ(world.seams.presentation->refreshedVisibleGrids,
              (std::vector<std::optional<std::string>>{"UUID-A"}));
    EXPECT_EQ(refresher->calls, std::vector<std::string>{"scheduleMetadataRefresh UUID-A"});
    EXPECT_TRUE(alerts().empty());
    EXPECT_EQ(world.beeps(), 0);
}

TEST_F(AppDelegateMissionControlTest, aSecondRequestWhileOneRunsBeepsAndAddsNothingMore) {
    delegate().createDesktopOnActiveDisplay();
    world.queue.advance(0.2);
    delegate().createDesktopOnActiveDisplay();
    EXPECT_EQ(world.beeps(), 1);
    EXPECT_FALSE(delegate().startMissionControlSpaceRemoval(targetA(), 1, 102, 1, std::nullopt));
    EXPECT_EQ(world.beeps(), 2);
    finish();
    EXPECT_EQ(spaceIDs("UUID-A").size(), 9u);
    EXPECT_EQ(world.host.missionControl().edits().size(), 1u);

    // Once it ended, the next request runs.
    delegate().createDesktopOnActiveDisplay();
    finish();
    EXPECT_EQ(spaceIDs("UUID-A").size(), 10u);
    EXPECT_EQ(world.beeps(), 2);
}

TEST_F(AppDelegateMissionControlTest, aTaskCancelledFromOutsideNeverBlocksTheNextRequest) {
    delegate().createDesktopOnActiveDisplay();
    world.queue.advance(0.2);
    ASSERT_TRUE(delegate().missionControlSpaceTask.has_value());
    delegate().missionControlSpaceTask->cancel();
    EXPECT_FALSE(delegate().isMissionControlSpaceTaskRunning());
    finish();
    EXPECT_EQ(spaceIDs("UUID-A").size(), 8u);
    EXPECT_FALSE(world.host.missionControl().isOpen());

    delegate().createDesktopOnActiveDisplay();
    finish();
    EXPECT_EQ(world.beeps(), 0);
    EXPECT_EQ(spaceIDs("UUID-A").size(), 9u);
}

TEST_F(AppDelegateMissionControlTest, withoutTrustNothingStartsAndTheHealthWindowIsAskedFor) {
    world.host.system().setProcessTrusted(false);
    delegate().createDesktopOnActiveDisplay();
    finish();
    EXPECT_EQ(world.seams.healthWindow->presented,
              std::vector<HealthWindowMode>{HealthWindowMode::setup});
    EXPECT_EQ(world.host.missionControl().openRequestCount(), 0u);
    EXPECT_EQ(spaceIDs("UUID-A").size(), 8u);
    EXPECT_TRUE(alerts().empty());
}

TEST_F(AppDelegateMissionControlTest, permissionLostDuringTheTaskOpensTheSetupWindowAndNoAlert) {
    struct Case {
        const char* name;
        std::function<bool(AppDelegate&)> start;
    };
    const std::vector<Case> cases = {
        {"menu add", [](AppDelegate& d) { return d.startMissionControlSpaceCreation(targetA()); }},
        {"tail add",
         [](AppDelegate& d) {
             return d.startMissionControlTailSpaceCreation(targetA(), std::nullopt);
         }},
        {"placeholder add",
         [](AppDelegate& d) {
             return d.startMissionControlPlaceholderSpaceCreation(targetA(), 8, 9);
         }},
        {"remove",
         [](AppDelegate& d) {
             return d.startMissionControlSpaceRemoval(targetA(), 1, 102, 1, std::nullopt);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        world.host.system().setProcessTrusted(true);
        world.seams.healthWindow->presented.clear();
        ASSERT_TRUE(c.start(delegate()));
        world.queue.advance(0.1);
        world.host.system().setProcessTrusted(false);
        finish();
        EXPECT_EQ(world.seams.healthWindow->presented,
                  std::vector<HealthWindowMode>{HealthWindowMode::setup});
        EXPECT_FALSE(delegate().missionControlSpaceTask.has_value());
    }
    EXPECT_TRUE(alerts().empty());
    EXPECT_EQ(spaceIDs("UUID-A").size(), 8u);
}

TEST_F(AppDelegateMissionControlTest, noResolvableDisplayShowsTheAddAlert) {
    world.host.displays().setScreens({});
    delegate().createDesktopOnActiveDisplay();
    finish();
    ASSERT_EQ(alerts().size(), 1u);
    EXPECT_EQ(alerts()[0],
              (SystemAlert{"Could Not Add Desktop",
                           "Tessarin could not resolve the active display for Mission Control.",
                           {"OK"}}));
    EXPECT_FALSE(delegate().missionControlSpaceTask.has_value());
    EXPECT_EQ(world.host.missionControl().openRequestCount(), 0u);
}

TEST_F(AppDelegateMissionControlTest, failuresOfMissionControlAreToldInAnAlert) {
    world.host.missionControl().setIgnoresOpenRequests(true);
    delegate().createDesktopOnActiveDisplay();
    finish();
    ASSERT_EQ(alerts().size(), 1u);
    EXPECT_EQ(
        alerts()[0],
        (SystemAlert{"Could Not Add Desktop", "Mission Control did not open in time.", {"OK"}}));

    world.host.missionControl().setIgnoresOpenRequests(false);
    world.host.missionControl().setIgnoresEdits(true);
    ASSERT_TRUE(delegate().startMissionControlSpaceRemoval(targetA(), 1, 102, 1, std::nullopt));
    finish();
    ASSERT_EQ(alerts().size(), 2u);
    EXPECT_EQ(alerts()[1].messageText, "Could Not Remove Desktop");
    EXPECT_EQ(alerts()[1].informativeText,
              "The Desktop was still there after Mission Control was asked to remove it.");
    EXPECT_TRUE(world.seams.shell->calls.empty());
    EXPECT_TRUE(world.seams.healthWindow->presented.empty());
}

TEST_F(AppDelegateMissionControlTest,
       removingADesktopShowsItsCellAsAPlaceholderUntilTheGridIsRebuilt) {
    const auto resolved = delegate().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-A");
    ASSERT_TRUE(resolved);
    ASSERT_TRUE(delegate().startMissionControlSpaceRemoval(targetA(), 2, 103, 2,
                                                           resolved->displaySnapshot));
    finish();

    EXPECT_EQ(spaceIDs("UUID-A"), (std::vector<SpaceID>{101, 102, 104, 105, 106, 107, 108}));
    ASSERT_EQ(refresher->placeholderRefreshes.size(), 1u);
    const auto& refresh = refresher->placeholderRefreshes[0];
    EXPECT_EQ(refresh.index, 2);
    EXPECT_EQ(refresh.displayIdentifier, "UUID-A");
    ASSERT_TRUE(refresh.snapshot);
    EXPECT_TRUE(refresh.snapshot->isPlaceholder(2));
    EXPECT_EQ(refresh.snapshot->slotCount(), 8);
    EXPECT_EQ(refresh.snapshot->systemOrderedSpaceIDs.size(), 7u);
    EXPECT_TRUE(world.seams.presentation->refreshedVisibleGrids.empty());
}

TEST_F(AppDelegateMissionControlTest, aCellThatNoLongerHoldsTheRemovedDesktopGetsNoPlaceholder) {
    const auto resolved = delegate().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-A");
    ASSERT_TRUE(resolved);
    // Space 103 is in the third cell, not in the second.
    ASSERT_TRUE(delegate().startMissionControlSpaceRemoval(targetA(), 2, 103, 1,
                                                           resolved->displaySnapshot));
    finish();
    ASSERT_EQ(refresher->placeholderRefreshes.size(), 1u);
    EXPECT_EQ(refresher->placeholderRefreshes[0].snapshot, std::nullopt);
}

TEST_F(AppDelegateMissionControlTest, aGridThatCannotShowThePlaceholderIsRefreshedThePlainWay) {
    refresher->answer = false;
    delegate().currentGridOSDDisplayIdentifier = "UUID-A";
    ASSERT_TRUE(delegate().startMissionControlSpaceRemoval(targetA(), 1, 102, 1, std::nullopt));
    finish();
    EXPECT_EQ(world.seams.presentation->refreshedVisibleGrids,
              (std::vector<std::optional<std::string>>{"UUID-A"}));
}

TEST_F(AppDelegateMissionControlTest, aDesktopAddedAtTheTailReshowsTheGridWithItsContext) {
    ASSERT_TRUE(delegate().startMissionControlTailSpaceCreation(targetA(),
                                                                OSDGridMouseInteractionContext{}));
    finish();
    EXPECT_EQ(spaceIDs("UUID-A").size(), 9u);
    EXPECT_EQ(refresher->calls, std::vector<std::string>{"allowingSpaceCountChange UUID-A"});
    EXPECT_EQ(refresher->reshownWithContext, std::vector<bool>{true});
}

TEST_F(AppDelegateMissionControlTest, aDesktopMadeForAPlaceholderTakesThatCell) {
    // A layout of Spaces 101...108 with a placeholder at index 2: Space 103 moved past the end.
    world.delegate->gridModeStore.setUsePlaceholders(true, DisplaySettingsScope::display("UUID-A"));
    const auto before = delegate().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-A");
    ASSERT_TRUE(before);
    ASSERT_TRUE(delegate().spaceOrderStore.moveVisualOrder(
        2, 8, OSDGridRearrangementBehavior::swap, "UUID-A",
        before->displaySnapshot.systemOrderedSpaceIDs, before->displaySnapshot.activeSpaceID, true,
        12, 8));
    const auto arranged = delegate().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-A");
    ASSERT_TRUE(arranged);
    ASSERT_TRUE(arranged->displaySnapshot.isPlaceholder(2));

    ASSERT_TRUE(delegate().startMissionControlPlaceholderSpaceCreation(
        targetA(), 2, arranged->displaySnapshot.slotCount()));
    finish();

    const auto ids = spaceIDs("UUID-A");
    ASSERT_EQ(ids.size(), 9u);
    const auto after = delegate().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-A");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->displaySnapshot.spaceID(2), ids.back());
    EXPECT_EQ(world.seams.presentation->refreshedVisibleGrids,
              (std::vector<std::optional<std::string>>{"UUID-A"}));
}

TEST_F(AppDelegateMissionControlTest, aDelegateGoneBeforeTheTaskEndsHandlesNothing) {
    delegate().createDesktopOnActiveDisplay();
    world.queue.advance(0.2);
    world.delegate.reset();
    finish();
    EXPECT_FALSE(world.host.missionControl().isOpen());
    EXPECT_TRUE(alerts().empty());
    EXPECT_TRUE(world.seams.shell->calls.empty());
}

class SharedSpacesMissionControlTest : public AppDelegateMissionControlTest {
protected:
    SharedSpacesMissionControlTest()
        : AppDelegateMissionControlTest(scenarioWithDock(fakes::sharedSwitchingScenario())) {}
};

TEST_F(SharedSpacesMissionControlTest, theSharedListGainsTheDesktopAddedOnAnyDisplay) {
    const auto target = delegate().resolveMissionControlSpaceCreationTarget("UUID-B");
    ASSERT_TRUE(target);
    EXPECT_EQ(*target, (AppDelegate::MissionControlSpaceCreationTarget{"UUID-B", "Main", 2}));
    ASSERT_TRUE(delegate().startMissionControlSpaceCreation(*target));
    finish();
    EXPECT_EQ(spaceIDs("Main").size(), 5u);
    EXPECT_TRUE(alerts().empty());
}

} // namespace
} // namespace tessarin
