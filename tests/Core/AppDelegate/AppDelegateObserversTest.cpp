// The five system observers reacting to the host's notifications.

#include "Core/Fakes/ShellSeams.h"
#include "Platform/Preferences/UserDefaults.h"
#include "UI/Settings/OSDAppFilterSetting.h"
#include "UI/Settings/OSDGridScreenshotCaptureMode.h"

namespace tessarin::testing {
namespace {

using fakes::Journal;
using fakes::ShellWorld;
namespace Name = WorkspaceNotificationName;

class AppDelegateObserversTest : public ::testing::Test {
protected:
    AppDelegateObserversTest() {
        world.d().observeSpaceChanges();
        world.d().observeAppActivation();
        world.d().observeDefaultsChanges();
        world.d().observeScreenParameters();
        world.d().observeWakeNotifications();
    }
    void post(WorkspaceNotification notification) {
        world.host.notifications().post(std::move(notification));
        world.deliver();
    }
    void setDefault(const std::string& key, PropertyValue value) {
        world.host.defaults().set(key, std::move(value));
        world.deliver();
    }

    ShellWorld world{{}, {}, tessarin_init, true};
    AppDelegate& d = world.d();
};

TEST_F(AppDelegateObserversTest, ASpaceChangeKeepsAManualPickerAndCapturesOnlyInScreenMode) {
    for (const char* mode : {"screen", "window"}) {
        SCOPED_TRACE(mode);
        world.host.defaults().set(kOSDGridScreenshotCaptureModeKey, PropertyValue(mode));
        world.deliver();
        world.previews->context = OSDGridSpaceContext{"A", 4, 1, 6};
        d.lastSpaceReference = AppDelegate::LastSpaceReference{"A", 3};
        d.gridOSDPreviewSession = GridOSDPreviewSession::make(
            GridOSDPreviewSessionMode::picker(), "A", "A", "A",
            DisplaySpaceOrderSnapshot::make(
                "A", {3, 4}, {DisplaySpaceSlot::realSpace(3), DisplaySpaceSlot::realSpace(4)}, 3),
            *OSDGridModel::make(OSDGridModel::Fields{2, 0, std::nullopt, 2}), 0);
        world.journal.clear();
        world.presentation->calls.clear();

        post({Name::activeSpaceDidChange, std::nullopt});

        Journal expected{"refreshSpaceInfo", "recordFrontmost",
                         "afterSpaceChange A/4 previous A/3"};
        if (std::string(mode) == "screen") {
            expected.push_back("scheduleScreenshot A/4");
        }
        expected.push_back("refreshPersistentGridOverlay");
        EXPECT_EQ(world.journal, expected);
        EXPECT_EQ(world.presentation->calls,
                  std::vector<std::string>{"refreshVisibleGridOSDIfNeeded"});
        EXPECT_TRUE(d.gridOSDPreviewSession.has_value());
    }
}

TEST_F(AppDelegateObserversTest, AnActivationRefreshesTheOverlaysOnlyWhenASpaceWasRecorded) {
    for (bool records : {false, true}) {
        world.previews->recordsActivation = records;
        world.journal.clear();
        post({Name::didActivateApplication, RunningApplication{fakes::kEditorPID, {}, {}}});
        EXPECT_EQ(world.journal,
                  (records ? Journal{"recordActivated", "refreshPersistentGridOverlay"}
                           : Journal{"recordActivated"}));
    }
}

TEST_F(AppDelegateObserversTest, OnlyAChangedAppFilterPrunesAndSpreadsThePreviewRefresh) {
    const Journal tail{"restartPeriodic", "restartPeriodic", "refreshPersistentGridOverlay"};
    setDefault("unrelated", PropertyValue(true));
    Journal expected{"clearScheduled", "schedulePreviews 5 0.0 0.0"};
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(world.journal, expected);
    EXPECT_TRUE(world.presentation->refreshedVisibleGrids.empty());

    d.currentGridOSDDisplayIdentifier = "A";
    world.journal.clear();
    setDefault(OSDAppFilterSetting::key, PropertyValue(PropertyArray{PropertyValue(" Mail ")}));
    expected = {"prune", "clearScheduled", "schedulePreviews 5 1.0 8.0"};
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(world.journal, expected);
    EXPECT_EQ(d.appFilter.entries, std::vector<std::string>{"Mail"});
    EXPECT_EQ(world.presentation->refreshedVisibleGrids,
              std::vector<std::optional<std::string>>{"A"});
}

TEST_F(AppDelegateObserversTest, ScreenChangesReregisterHotkeysAndWakingDoesNot) {
    post({Name::screenParametersDidChange, std::nullopt});
    EXPECT_EQ(world.journal,
              (Journal{"cancelScreenshot", "refreshSpaceInfo", "scheduleScreenshot nil",
                       "clearScheduled", "schedulePreviews 5 0.0 0.0", "restartPeriodic",
                       "restartPeriodic", "refreshPersistentGridOverlay"}));
    EXPECT_EQ(world.seams.hotkeys->reregisterCount, 1);
    EXPECT_EQ(d.pendingSpaceTopologyStabilizationReason, "screen-parameters");

    world.journal.clear();
    world.host.system().systemDidWake();
    world.deliver();
    EXPECT_EQ(world.journal, (Journal{"schedulePreviews 3 0.0 0.0", "restartPeriodic"}));
    EXPECT_EQ(world.seams.hotkeys->reregisterCount, 1);
    EXPECT_EQ(d.pendingSpaceTopologyStabilizationReason, "wake");
}

} // namespace
} // namespace tessarin::testing
