#include "Core/Fakes/PresentationWorld.h"
#include "Core/Seams/MissionControlDesktopRefreshing.h"
#include "Platform/Applications/ApplicationOpener.h"
#include "Platform/MissionControl.h"
#include "Platform/SystemAlert.h"
#include "Platform/WindowServer.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace tessarin {
namespace {

using fakes::PresentationWorld;
using Strings = std::vector<std::string>;
constexpr auto kSwap = OSDGridRearrangementBehavior::swap;
const std::optional<std::string> kA = "UUID-A";

std::vector<SpaceID> order(AppDelegate& d, const std::string& display = "UUID-A") {
    const auto resolved = d.resolveDisplaySpaceOrderSnapshotWithDescriptors(display);
    return resolved ? resolved->displaySnapshot.visualOrderedSpaceIDs : std::vector<SpaceID>{};
}

TEST(AppDelegateGridEditing, aPickerReorderRedrawsThePickerKeepingItsSpaceSelected) {
    PresentationWorld w;
    w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    w.context("UUID-A").onReorder(0, 2);
    EXPECT_EQ(w.d().gridOSDPreviewSession->selectedVisualIndex, 2) << "still Space 101";
    EXPECT_EQ(w.shownActive("UUID-A"), 2);
    w.context("UUID-A").onReorder(0, int64_t{1} << 40); // no cell of any layout
    EXPECT_EQ(w.world.beeps(), 1);
}

// Under shared Spaces both grids show the one layout, so a drop in either redraws both.
TEST(AppDelegateGridEditing, aReorderInAnotherScreensGridRedrawsEveryGridOfSharedSpaces) {
    PresentationWorld w(fakes::switchingScenario(101, true));
    w.world.grid().globalShowOSDSpacePickerOnAllScreens = true;
    w.d().toggleOSDSpacePicker(nullptr);
    w.context("UUID-B").onReorder(0, 2);
    EXPECT_EQ(w.shownActive("UUID-B"), 2) << "Space 1 moved to the third cell";
    EXPECT_EQ(w.shownActive("UUID-A"), 2);
}

TEST(AppDelegateGridEditing, aReorderSurvivesARestart) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("tessarin-reorder-" + std::to_string(::getpid()) + ".json");
    std::filesystem::remove(file);
    for (const bool restarted : {false, true}) {
        VirtualMainQueue queue;
        ScopedMainQueue currentQueue{queue};
        Host host(fakes::switchingScenario(), queue, HostOptions{file});
        ScopedCurrentHost currentHost{host};
        fakes::RecordingSeams seams;
        AppDelegate d(seams.dependencies());
        if (!restarted) {
            d.performOSDPickerReorder(0, 2, kA, kSwap);
        }
        EXPECT_EQ(order(d), (std::vector<SpaceID>{103, 102, 101, 104, 105, 106, 107, 108}));
    }
    std::filesystem::remove(file);
}

// The switching scenario with the Dock running, so Mission Control can be driven, and a picker
// open on display A.
class AppDelegateGridEditingMissionControl : public ::testing::Test {
protected:
    static Scenario withDock() {
        Scenario scenario = fakes::switchingScenario();
        scenario.applications.push_back({97, std::string("com.apple.dock"), "Dock"});
        scenario.dockProcessIdentifier = 97;
        return scenario;
    }
    AppDelegateGridEditingMissionControl() {
        w.d().missionControlDesktopRefresher = refresher;
        w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    }
    struct Refresher : MissionControlDesktopRefreshing {
        Strings calls;
        void scheduleWindowSpaceMetadataAndPreviewRefresh(
            const std::optional<std::string>& display) override {
            calls.push_back(fakes::describe(display));
        }
    };
    std::vector<ManagedSpace> spaces() {
        return w.world.host.windowServer().spaceList("UUID-A")->spaces;
    }
    const auto& alerts() { return w.world.host.system().shownAlerts(); }
    void finish() { w.world.queue.advance(5.0); }

    PresentationWorld w{withDock()};
    std::shared_ptr<Refresher> refresher = std::make_shared<Refresher>();
};

TEST_F(AppDelegateGridEditingMissionControl, refusedEditsBeepAndKeepThePicker) {
    const auto picker = w.d().gridOSDPreviewSession;
    for (const int64_t index : {int64_t{-1}, int64_t{0}, int64_t{8}, int64_t{1} << 33}) {
        w.d().performOSDRemoveSpace(index, kA);
        w.d().performOSDAddSpaceAtPlaceholder(index, kA);
    }
    EXPECT_EQ(w.world.beeps(), 8);
    EXPECT_EQ(w.d().gridOSDPreviewSession, picker);
    EXPECT_TRUE(w.window->isGridVisible(kA));
    EXPECT_FALSE(w.d().missionControlSpaceTask);
    w.d().performOSDRemoveSpace(1, std::string("UUID-X"));
    w.d().performOSDAddSpaceAtTail(std::string("UUID-X"));
    ASSERT_EQ(alerts().size(), 2u);
    EXPECT_EQ(alerts()[0].messageText, "Could Not Remove Desktop");
    EXPECT_EQ(alerts()[1].messageText, "Could Not Add Desktop");
}

TEST_F(AppDelegateGridEditingMissionControl, removingACellRemovesItsDesktopOneTaskAtATime) {
    w.context("UUID-A").onRemoveSpace(1);
    ASSERT_TRUE(w.d().missionControlSpaceTask);
    w.d().performOSDAddSpaceAtTail(kA);
    finish();
    EXPECT_EQ(spaces().size(), 7u);
    EXPECT_EQ(w.world.beeps(), 1);
}

TEST_F(AppDelegateGridEditingMissionControl, addingAtTheTailReshowsAPickerThatStillSwitches) {
    w.context("UUID-A").onAddSpaceAtTail();
    finish();
    ASSERT_EQ(spaces().size(), 9u);
    ASSERT_TRUE(w.d().gridOSDPreviewSession);
    EXPECT_EQ(w.d().gridOSDPreviewSession->slotCount(), 9);
    w.context("UUID-A").onSelect(8);
    w.world.settle();
    EXPECT_EQ(w.world.current(), spaces().back().id64);
    EXPECT_EQ(w.world.beeps(), 0);
}

TEST_F(AppDelegateGridEditingMissionControl, aPlaceholderCellIsFilledOrDroppedWithoutBeeping) {
    ASSERT_TRUE(w.d().persistVisualReorder(2, 8, kA, kSwap));
    w.d().performOSDAddSpaceAtPlaceholder(2, kA);
    finish();
    ASSERT_EQ(spaces().size(), 9u);
    EXPECT_EQ(order(w.d())[2], spaces().back().id64);

    ASSERT_TRUE(w.d().persistVisualReorder(3, 10, kA, kSwap));
    const auto slots = order(w.d()).size();
    refresher->calls.clear();
    w.d().performOSDRemoveSpace(3, kA);
    EXPECT_FALSE(w.d().missionControlSpaceTask);
    EXPECT_EQ(order(w.d()).size(), slots - 1);
    EXPECT_EQ(refresher->calls, Strings{"UUID-A"});
    EXPECT_EQ(w.world.beeps(), 0);
}

TEST_F(AppDelegateGridEditingMissionControl, theGridsButtonOpensMissionControlUnlessItShows) {
    w.context("UUID-A").onOpenMissionControl();
    EXPECT_FALSE(w.window->isGridVisible(kA));
    w.world.queue.advance(MissionControl::kDefaultOpeningDelay);
    EXPECT_TRUE(w.world.host.missionControl().isOpen());
    w.d().performOSDOpenMissionControl();
    EXPECT_EQ(w.world.host.applications().openedPaths(),
              Strings{ApplicationOpener::missionControlApplicationPath});
}

} // namespace
} // namespace tessarin
