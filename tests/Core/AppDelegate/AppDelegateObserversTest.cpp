// The five system observers reacting to the host's notifications.

#include "Core/Fakes/ShellSeams.h"
#include "Model/Settings/OSDAppFilterSetting.h"
#include "Model/Settings/OSDGridScreenshotCaptureMode.h"
#include "Platform/Preferences/UserDefaults.h"

namespace tessarin::testing {
namespace {

using fakes::Journal;
namespace Name = WorkspaceNotificationName;

class AppDelegateObserversTest : public ::testing::Test {
protected:
    AppDelegateObserversTest() {
        d.applicationDidFinishLaunching();
        world.deliver(); // the stores' first values
        world.presentation->refreshedVisibleGrids.clear();
    }
    // Posts (or changes a default) and runs the work; the journal then holds only that work.
    Journal after(const std::function<void()>& change) {
        world.journal.clear();
        change();
        world.deliver();
        return world.journal;
    }
    std::function<void()> post(const char* name, std::optional<RunningApplication> app = {}) {
        return [this, name, app] { world.host.notifications().post({name, app}); };
    }
    std::function<void()> setDefault(const std::string& key, PropertyValue value) {
        return [this, key, value] { world.host.defaults().set(key, value); };
    }

    fakes::ShellWorld world{{}, {}, tessarin_init, true};
    AppDelegate& d = world.d();
};

TEST_F(AppDelegateObserversTest, ASpaceChangeKeepsAManualPickerAndCapturesOnlyInScreenMode) {
    world.previews->context = OSDGridSpaceContext{"A", 4, 1, 6};
    for (const char* mode : {"screen", "window"}) {
        SCOPED_TRACE(mode);
        after(setDefault(kOSDGridScreenshotCaptureModeKey, mode));
        d.lastSpaceReference = AppDelegate::LastSpaceReference{"A", 3};
        d.gridOSDPreviewSession = GridOSDPreviewSession::make(
            GridOSDPreviewSessionMode::picker(), "A", "A", "A",
            DisplaySpaceOrderSnapshot::make(
                "A", {3, 4}, {DisplaySpaceSlot::realSpace(3), DisplaySpaceSlot::realSpace(4)}, 3),
            *OSDGridModel::make(OSDGridModel::Fields{2, 0, std::nullopt, 2}), 0);
        world.presentation->calls.clear();

        Journal expected{"refreshSpaceInfo", "recordFrontmost", "afterSpaceChange A/4 previous A/3",
                         "scheduleScreenshot A/4", "refreshOverlays"};
        if (std::string(mode) == "window") {
            expected.erase(expected.begin() + 3);
        }
        EXPECT_EQ(after(post(Name::activeSpaceDidChange)), expected);
        EXPECT_EQ(world.presentation->calls, Journal{"refreshVisibleGridOSDIfNeeded"});
        EXPECT_TRUE(d.gridOSDPreviewSession.has_value());
    }
}

TEST_F(AppDelegateObserversTest, AnActivationRefreshesTheOverlaysOnlyWhenASpaceWasRecorded) {
    const auto activation = post(Name::didActivateApplication, RunningApplication{7, {}, {}});
    EXPECT_EQ(after(activation), Journal{"recordActivated"});
    world.previews->activationContext = OSDGridSpaceContext{"B", 7, 0, 1};
    EXPECT_EQ(after(activation), (Journal{"recordActivated", "refreshOverlays"}));
}

TEST_F(AppDelegateObserversTest, OnlyAChangedAppFilterPrunesAndSpreadsThePreviewRefresh) {
    const Journal tail{"restartPeriodic", "restartPeriodic", "refreshOverlays"};
    Journal expected{"clearScheduled", "schedulePreviews 5 0.0 0.0"};
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(after(setDefault("unrelated", true)), expected);
    EXPECT_TRUE(world.presentation->refreshedVisibleGrids.empty());

    d.currentGridOSDDisplayIdentifier = "A";
    expected = {"prune", "clearScheduled", "schedulePreviews 5 1.0 8.0"};
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(after(setDefault(OSDAppFilterSetting::key, PropertyArray{" Mail "})), expected);
    EXPECT_EQ(d.appFilter.entries, Journal{"Mail"});
    EXPECT_EQ(world.presentation->refreshedVisibleGrids,
              std::vector<std::optional<std::string>>{"A"});
}

// The handling reads every setting anew, so a burst of writes is handled once; handled per
// write, every Space's preview was rescheduled once per write.
TEST_F(AppDelegateObserversTest, ABurstOfDefaultsWritesIsHandledOnce) {
    const Journal once{"clearScheduled", "schedulePreviews 5 0.0 0.0", "restartPeriodic",
                       "restartPeriodic", "refreshOverlays"};
    EXPECT_EQ(after([this] {
                  for (int i = 0; i < 3; ++i) {
                      world.host.defaults().set("burst." + std::to_string(i), i);
                  }
              }),
              once);
    // The next write, after the handling, is handled again.
    EXPECT_EQ(after(setDefault("burst.late", true)), once);
}

TEST_F(AppDelegateObserversTest, ScreenChangesReregisterHotkeysAndWakingDoesNot) {
    const int registrations = world.seams.hotkeys->reregisterCount;
    EXPECT_EQ(after(post(Name::screenParametersDidChange)),
              (Journal{"cancelScreenshot", "refreshSpaceInfo", "scheduleScreenshot nil",
                       "clearScheduled", "schedulePreviews 5 0.0 0.0", "restartPeriodic",
                       "restartPeriodic", "refreshOverlays"}));
    EXPECT_EQ(world.seams.hotkeys->reregisterCount, registrations + 1);
    EXPECT_EQ(d.pendingSpaceTopologyStabilizationReason, "screen-parameters");

    EXPECT_EQ(after([this] { world.host.system().systemDidWake(); }),
              (Journal{"schedulePreviews 3 0.0 0.0", "restartPeriodic"}));
    EXPECT_EQ(world.seams.hotkeys->reregisterCount, registrations + 1);
    EXPECT_EQ(d.pendingSpaceTopologyStabilizationReason, "wake");
}

} // namespace
} // namespace tessarin::testing
