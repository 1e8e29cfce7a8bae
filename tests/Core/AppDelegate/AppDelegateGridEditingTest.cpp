#include "Core/Fakes/DelegateWiredPresentation.h"
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

// The switching scenario with the Dock running, so Mission Control can be driven.
Scenario withDock(bool shared = false) {
    Scenario scenario = fakes::switchingScenario(101, shared);
    scenario.applications.push_back(RunningApplication{97, std::string("com.apple.dock"), "Dock"});
    scenario.dockProcessIdentifier = 97;
    return scenario;
}

std::vector<SpaceID> order(AppDelegate& d, const std::string& display = "UUID-A") {
    const auto resolved = d.resolveDisplaySpaceOrderSnapshotWithDescriptors(display);
    return resolved ? resolved->displaySnapshot.visualOrderedSpaceIDs : std::vector<SpaceID>{};
}

TEST(AppDelegateGridEditing, aPickerReorderSurvivesARestart) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("tessarin-reorder-" + std::to_string(::getpid()) + ".json");
    std::filesystem::remove(file);
    const auto run = [&](const std::function<void(AppDelegate&)>& body) {
        VirtualMainQueue queue;
        ScopedMainQueue currentQueue{queue};
        Host host(fakes::switchingScenario(), queue, HostOptions{file});
        ScopedCurrentHost currentHost{host};
        tessarin_destroy();
        fakes::RecordingSeams seams;
        AppDelegate d(seams.dependencies());
        body(d);
        tessarin_destroy();
    };
    run([](AppDelegate& d) { d.performOSDPickerReorder(0, 2, std::string("UUID-A"), kSwap); });
    run([](AppDelegate& d) {
        EXPECT_EQ(order(d), (std::vector<SpaceID>{103, 102, 101, 104, 105, 106, 107, 108}));
    });
    std::filesystem::remove(file);
}

TEST(AppDelegateGridEditing, aPickerReorderRedrawsThePickerWithTheSelectionKept) {
    PresentationWorld w;
    w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    w.context("UUID-A").onReorder(0, 4);
    ASSERT_TRUE(w.d().gridOSDPreviewSession);
    EXPECT_EQ(w.d().gridOSDPreviewSession->selectedVisualIndex, 4) << "still Space 101";
    EXPECT_EQ(w.window->currentGridModel("UUID-A")->activeIndex(), 4);
    EXPECT_EQ(w.world.seams.shell->calls,
              (Strings{"refreshSpaceInfo", "refreshPersistentGridOverlay"}));
    // A drag onto no cell of any layout stores nothing.
    w.context("UUID-A").onReorder(0, int64_t{1} << 40);
    EXPECT_EQ(w.world.beeps(), 1);
}

TEST(AppDelegateGridEditing, aDragPastTheLastCellSwitchesPlaceholdersOnForItsScope) {
    for (const bool shared : {false, true}) {
        PresentationWorld w(fakes::switchingScenario(101, shared));
        const std::string display = shared ? "Main" : "UUID-A";
        ASSERT_TRUE(w.d().persistVisualReorder(1, shared ? 5 : 9, std::string("UUID-A"), kSwap));
        EXPECT_TRUE(w.world.grid().usePlaceholders(display));
        EXPECT_EQ(w.world.grid().usePlaceholders(std::nullopt), shared);
        EXPECT_EQ(order(w.d(), display).size(), shared ? 6u : 10u);
    }
}

class AppDelegateGridEditingMissionControl : public ::testing::Test {
protected:
    AppDelegateGridEditingMissionControl() {
        w.d().missionControlDesktopRefresher = refresher;
        w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    }
    struct Refresher : MissionControlDesktopRefreshing {
        Strings calls;
        void scheduleWindowSpaceMetadataAndPreviewRefresh(
            const std::optional<std::string>& display) override {
            calls.push_back("metadata " + fakes::describe(display));
        }
    };
    std::size_t spaceCount() {
        return w.world.host.windowServer().spaceList("UUID-A")->spaces.size();
    }
    const auto& alerts() { return w.world.host.system().shownAlerts(); }
    void finish() { w.world.queue.advance(5.0); }

    PresentationWorld w{withDock()};
    std::shared_ptr<Refresher> refresher = std::make_shared<Refresher>();
};

TEST_F(AppDelegateGridEditingMissionControl, refusedEditsBeepAndKeepThePicker) {
    const auto picker = w.d().gridOSDPreviewSession;
    for (const int64_t index : {int64_t{-1}, int64_t{0}, int64_t{8}, int64_t{1} << 33}) {
        SCOPED_TRACE(index);
        w.d().performOSDRemoveSpace(index, std::string("UUID-A"));
        w.d().performOSDAddSpaceAtPlaceholder(index, std::string("UUID-A"));
    }
    EXPECT_EQ(w.world.beeps(), 8);
    EXPECT_EQ(w.d().gridOSDPreviewSession, picker);
    EXPECT_TRUE(w.window->isGridVisible("UUID-A"));
    EXPECT_FALSE(w.d().missionControlSpaceTask);
    // A display Mission Control cannot reach is told in an alert.
    w.d().performOSDRemoveSpace(1, std::string("UUID-X"));
    w.d().performOSDAddSpaceAtTail(std::string("UUID-X"));
    ASSERT_EQ(alerts().size(), 2u);
    EXPECT_EQ(alerts()[0].messageText, "Could Not Remove Desktop");
    EXPECT_EQ(alerts()[1].messageText, "Could Not Add Desktop");
}

TEST_F(AppDelegateGridEditingMissionControl, removingACellRemovesItsDesktopOneTaskAtATime) {
    w.context("UUID-A").onRemoveSpace(1);
    ASSERT_TRUE(w.d().missionControlSpaceTask);
    w.d().performOSDAddSpaceAtTail(std::string("UUID-A"));
    EXPECT_EQ(w.world.beeps(), 1);
    finish();
    EXPECT_EQ(spaceCount(), 7u);
    EXPECT_EQ(w.world.beeps(), 1);
}

TEST_F(AppDelegateGridEditingMissionControl, addingAtTheTailReshowsAPickerThatStillSwitches) {
    w.context("UUID-A").onAddSpaceAtTail();
    finish();
    ASSERT_EQ(spaceCount(), 9u);
    ASSERT_TRUE(w.d().gridOSDPreviewSession);
    EXPECT_EQ(w.d().gridOSDPreviewSession->slotCount(), 9);
    w.context("UUID-A").onSelect(8);
    w.world.settle();
    EXPECT_EQ(w.world.current(),
              w.world.host.windowServer().spaceList("UUID-A")->spaces.back().id64);
    EXPECT_EQ(w.world.beeps(), 0);
}

TEST_F(AppDelegateGridEditingMissionControl, aPlaceholderCellIsFilledOrDroppedWithoutBeeping) {
    ASSERT_TRUE(w.d().persistVisualReorder(2, 8, std::string("UUID-A"), kSwap));
    w.d().performOSDAddSpaceAtPlaceholder(2, std::string("UUID-A"));
    finish();
    ASSERT_EQ(spaceCount(), 9u);
    EXPECT_EQ(order(w.d())[2], w.world.host.windowServer().spaceList("UUID-A")->spaces.back().id64);

    ASSERT_TRUE(w.d().persistVisualReorder(3, 10, std::string("UUID-A"), kSwap));
    const auto slots = order(w.d()).size();
    refresher->calls.clear();
    w.d().performOSDRemoveSpace(3, std::string("UUID-A"));
    EXPECT_FALSE(w.d().missionControlSpaceTask);
    EXPECT_EQ(order(w.d()).size(), slots - 1);
    EXPECT_EQ(refresher->calls, Strings{"metadata UUID-A"});
    EXPECT_EQ(w.world.beeps(), 0);
}

TEST_F(AppDelegateGridEditingMissionControl, theGridsButtonOpensMissionControlUnlessItShows) {
    w.context("UUID-A").onOpenMissionControl();
    EXPECT_FALSE(w.d().currentGridOSDDisplayIdentifier);
    EXPECT_FALSE(w.world.host.missionControl().isOpen());
    w.world.queue.advance(MissionControl::kDefaultOpeningDelay);
    EXPECT_TRUE(w.world.host.missionControl().isOpen());
    w.d().performOSDOpenMissionControl();
    EXPECT_EQ(w.world.host.applications().openedPaths(),
              Strings{ApplicationOpener::missionControlApplicationPath});
}

} // namespace
} // namespace tessarin
