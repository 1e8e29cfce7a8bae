#include "Core/Fakes/EngineWorld.h"
#include "Hotkeys/GlobalEventTapRecorder.h"
#include "Hotkeys/HotKeyManager.h"
#include "Hotkeys/PhysicalWindowDragTracker.h"
#include "Platform/Input/HotKeyCenter.h"
#include "Platform/MissionControl.h"
#include "Platform/SymbolicHotKeyTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::kExternalUUID;
using ::testing::HasSubstr;

constexpr uint64_t kControlOptionCommand =
    EventFlags::maskControl | EventFlags::maskAlternate | EventFlags::maskCommand;
constexpr uint16_t kRightArrow = 124;
constexpr uint16_t kKey2 = 19;

// The delegate registers its own hotkeys on the simulated host; a press travels the host's
// event stream to the Dock.
class AppDelegateHotkeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        delegate->gridModeStore.isEnabled.set(true);
        delegate->bindHotkeys();
        settle();
    }

    // Runs what is due now (posted events travel on later turns).
    void settle() { queue.runUntilIdle(); }
    PhysicalInput& hands() { return host.events().physical(); }
    WindowServer& windowServer() { return host.windowServer(); }
    bool registered(const HotkeyAction& action) {
        return HotKeyManager::shared().registrationNumber({action}).has_value();
    }
    // Handler runs, counted by the traces they start.
    size_t firings() const { return seams.metrics->startedTraces.size(); }
    // Also makes a switch post at once rather than wait for the modifiers' release.
    void turnGridModeOff() {
        delegate->gridModeStore.isEnabled.set(false);
        settle();
    }
    void press(uint16_t keyCode, uint64_t modifiers) {
        hands().keyDown(keyCode, modifiers);
        hands().keyDown(keyCode, modifiers, true);
        hands().keyUp(keyCode, modifiers);
        queue.advance(2);
    }
    HotkeyStore& store() { return delegate->hotkeyStore; }

    // Without a stand-in for the registrar, the delegate registers its own hot keys.
    fakes::World world{Scenario::defaultScenario(), [](AppDelegateDependencies& dependencies) {
                           dependencies.hotkeys = nullptr;
                           dependencies.dragTracker = &PhysicalWindowDragTracker::shared();
                       }};
    Host& host = world.host;
    VirtualMainQueue& queue = world.queue;
    fakes::RecordingSeams& seams = world.seams;
    std::unique_ptr<AppDelegate>& delegate = world.delegate;
};

TEST_F(AppDelegateHotkeysTest, AKeyPressSwitchesTheSpaceUnderThePointer) {
    turnGridModeOff();
    hands().moveMouse({3000, 200});
    press(kRightArrow, kControlOptionCommand);
    EXPECT_EQ(world.current(kExternalUUID), 10u);
}

TEST_F(AppDelegateHotkeysTest, DisplayHotkeysActOnlyWhileDisplaysHaveSeparateSpaces) {
    turnGridModeOff();
    const auto action = HotkeyAction::onDisplay(HotkeyIdentifier::space2, kExternalUUID);
    store().update(
        HotkeyCombination{kKey2, HotkeyModifier::shift | HotkeyModifier::option, "2", ""}, action);
    store().setEnabled(true, action);
    settle();
    press(kKey2, EventFlags::maskShift | EventFlags::maskAlternate);
    EXPECT_EQ(world.current(kExternalUUID), 10u) << "on its display, not under the pointer";
    windowServer().configureSpaces(false, {windowServer().spaceLists().front()});
    const size_t changes = host.dock().spaceChanges().size();
    press(kKey2, EventFlags::maskShift | EventFlags::maskAlternate);
    EXPECT_EQ(firings(), 2u);
    EXPECT_EQ(host.dock().spaceChanges().size(), changes) << "a press still registered is ignored";
    delegate->reregisterAllHotkeys();
    EXPECT_FALSE(registered(action));
}

TEST_F(AppDelegateHotkeysTest, GridModeOffUnregistersThePickerAndTheVerticalMoves) {
    turnGridModeOff();
    using H = HotkeyIdentifier;
    for (auto [identifier, expected] : {std::pair{H::showOSD, false},
                                        {H::up, false},
                                        {H::down, false},
                                        {H::left, true},
                                        {H::lastSpace, true}}) {
        EXPECT_EQ(registered(HotkeyAction::cursor(identifier)), expected) << rawValue(identifier);
    }
}

// clang-format off
struct StoreChangeRow { const char* name; std::function<void(AppDelegate&)> change; bool picker;
                        std::vector<std::string> shell, previews; std::size_t gridRefreshes; };
// clang-format on

TEST_F(AppDelegateHotkeysTest, EachStoreChangeRefreshesWhatItConcerns) {
    const StoreChangeRow rows[] = {
        {"grid mode off",
         [](AppDelegate& d) { d.gridModeStore.isEnabled.set(false); },
         false,
         {"gridModeOff", "refreshSpaceInfo", "refreshPersistentGridOverlay", "restartPeriodic"},
         {"clearScheduledPreviewRefreshes", "cancelPendingGridScreenshot"},
         0},
        {"grid mode on",
         [](AppDelegate& d) { d.gridModeStore.isEnabled.set(true); },
         true,
         {"gridModeOn", "refreshSpaceInfo", "refreshPersistentGridOverlay", "restartPeriodic",
          "restartPeriodic"},
         {"clearScheduledPreviewRefreshes", "scheduleScreenshot", "refreshPlanIncludesPreviews",
          "schedulePreviews"},
         0},
        {"presentation",
         [](AppDelegate& d) {
             d.presentationStore.setScreenshotTiming(OSDGridScreenshotTiming::power);
         },
         true,
         {"restartPeriodic", "restartPeriodic", "refreshPersistentGridOverlay"},
         {"cancelPendingGridScreenshot", "clearScheduledPreviewRefreshes",
          "refreshPlanIncludesPreviews", "schedulePreviews"},
         1},
        {"grid layout",
         [](AppDelegate& d) {
             d.gridModeStore.setColumnCount(GridColumnCount::two,
                                            DisplaySettingsScope::display(kExternalUUID));
         },
         true,
         {"refreshSpaceInfo", "refreshPersistentGridOverlay"},
         {},
         1},
        {"obscured slot",
         [](AppDelegate& d) { d.directSlotMetadataStore.setObscured(true, kExternalUUID, 1); },
         true,
         {"refreshSpaceInfo", "refreshPersistentGridOverlay"},
         {},
         1},
    };
    const auto shellCalls = [this] {
        std::erase_if(seams.shell->calls, [](const std::string& call) {
            return call.starts_with("applyHotkey"); // the menu's lines, one per hotkey
        });
        return std::exchange(seams.shell->calls, {});
    };
    // Binding delivers only the stores' revisions at once: the layout of the grid and the order.
    EXPECT_EQ(shellCalls(),
              (std::vector<std::string>{"refreshSpaceInfo", "refreshPersistentGridOverlay",
                                        "refreshSpaceInfo", "refreshPersistentGridOverlay"}));
    EXPECT_EQ(seams.windowPreviews->calls, std::vector<std::string>{});
    for (const StoreChangeRow& row : rows) {
        SCOPED_TRACE(row.name);
        seams.windowPreviews->calls.clear();
        seams.presentation->refreshedVisibleGrids.clear();
        seams.presentation->calls.clear();
        row.change(*delegate);
        settle();
        EXPECT_EQ(shellCalls(), row.shell);
        EXPECT_EQ(seams.windowPreviews->calls, row.previews);
        EXPECT_EQ(
            seams.presentation->refreshedVisibleGrids.size() +
                std::ranges::count(seams.presentation->calls, "refreshVisibleGridOSDIfNeeded"),
            row.gridRefreshes);
        EXPECT_EQ(registered(HotkeyAction::cursor(HotkeyIdentifier::showOSD)), row.picker);
    }
}

TEST_F(AppDelegateHotkeysTest, AStoredWorkspaceShortcutIsRegisteredTracedAndDroppedWithIt) {
    turnGridModeOff();
    WorkspaceShortcutStore& workspaces = delegate->workspaceShortcutStore;
    const Uuid id = workspaces.addWorkspace("Writing").id;
    workspaces.setTargets({{WorkspaceTargetKey::display(kExternalUUID), 2}}, {}, id);
    const auto identity = HotkeyRegistrationIdentity::workspace(id);
    // clang-format off
    struct Row { const char* name; HotkeyCombination keys; bool overrideFlag; uint64_t flags; const char* source; };
    const Row rows[] = {
        {"own keys", {kKey2, HotkeyModifier::shift | HotkeyModifier::option, "2", ""}, false,
         EventFlags::maskShift | EventFlags::maskAlternate, "carbon"},
        {"the system's keys", {kRightArrow, HotkeyModifier::control, "→", ""}, true,
         EventFlags::maskControl, "mission-control-override"}};
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        workspaces.setShortcut(row.keys, row.overrideFlag, id);
        settle();
        seams.metrics->marks.clear();
        const std::size_t traces = firings();
        press(static_cast<uint16_t>(row.keys.keyCode), row.flags);
        EXPECT_EQ(world.current(kExternalUUID), 11u);
        ASSERT_EQ(firings(), traces + 1);
        EXPECT_EQ(seams.metrics->startedTraces.back()->origin, "workspace-hotkey");
        EXPECT_EQ(
            seams.metrics->fieldsOf("hotkey.handler.started"),
            (OSDPresentationMetricsFields{{"workspaceID", id.uuidString()},
                                          {"workspaceName", "Writing"},
                                          {"source", row.source},
                                          {"keyCode", std::to_string(row.keys.keyCode)},
                                          {"modifiers", std::to_string(row.keys.modifiers)}}));
        EXPECT_EQ(seams.metrics->steps().back(), "workspace.completed");
        windowServer().setCurrentSpace(kExternalUUID, 9);
    }
    workspaces.setShortcut(std::nullopt, false, id);
    settle();
    EXPECT_FALSE(HotKeyManager::shared().registrationNumber(identity));
}

const HotkeyCombination kControlUp = HotkeyCombination::missionControlPresetUp();

// clang-format off
struct ClashRow { const char* name; HotkeyIdentifier identifier; HotkeyCombination combination; bool overrideFlag;
                  bool missionControlShortcutOn; size_t firings; size_t missionControlOpens; };
// clang-format on

// Cases are listed by their row's name, not as the row's bytes.
void PrintTo(const ClashRow& row, std::ostream* os) { *os << row.name; }

class AppDelegateHotkeyClashTest : public AppDelegateHotkeysTest,
                                   public ::testing::WithParamInterface<ClashRow> {};

TEST_P(AppDelegateHotkeyClashTest, TheTapTakesTheKeysOnlyWhereThePresetOrTheFlagSaySo) {
    const ClashRow& row = GetParam();
    const auto action = HotkeyAction::cursor(row.identifier);
    host.symbolicHotKeys().setEnabled(SymbolicHotKey::missionControl, row.missionControlShortcutOn);
    store().update(row.combination, action);
    store().setSystemShortcutOverrideEnabledWithoutRevision(row.overrideFlag, action);
    delegate->reregisterAllHotkeys();
    press(static_cast<uint16_t>(row.combination.keyCode), EventFlags::maskControl);
    EXPECT_EQ(firings(), row.firings);
    EXPECT_EQ(host.missionControl().openRequestCount(), row.missionControlOpens);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AppDelegateHotkeyClashTest,
    // clang-format off
    ::testing::Values(
        ClashRow{"presetUp", HotkeyIdentifier::up, kControlUp, false, true, 1, 0},
        ClashRow{"flagAndClash", HotkeyIdentifier::showOSD, kControlUp, true, true, 1, 0},
        ClashRow{"clashWithoutFlag", HotkeyIdentifier::showOSD, kControlUp, false, true, 0, 1},
        ClashRow{"applicationWindowsWithoutFlag", HotkeyIdentifier::showOSD,
            HotkeyCombination::missionControlPresetDown(), false, true, 0, 1}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppDelegateHotkeysTest, RefusalsArePrintedAndTheRegistrationGoesOn) {
    host.hotKeys().setRegistrationRefusal([](uint32_t keyCode, uint32_t) {
        return keyCode == kRightArrow ? std::optional<int32_t>(-9878) : std::nullopt;
    });
    host.events().setTapCreationRefused(true);
    store().update(kControlUp, HotkeyAction::cursor(HotkeyIdentifier::up));
    ::testing::internal::CaptureStdout();
    delegate->reregisterAllHotkeys();
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_THAT(printed, HasSubstr("Failed to register hotkey for Switch to space on the right "
                                   "status=-9878\n"));
    EXPECT_THAT(printed, HasSubstr("Failed to install Mission Control shortcut override"));
    EXPECT_TRUE(registered(HotkeyAction::cursor(HotkeyIdentifier::up)));
    EXPECT_TRUE(registered(HotkeyAction::cursor(HotkeyIdentifier::lastSpace)));
}

TEST_F(AppDelegateHotkeysTest, NothingIsRegisteredWhileTheTopologySettles) {
    const auto lists = windowServer().spaceLists();
    delegate->beginSpaceTopologyStabilization("screen-parameters");
    windowServer().configureSpaces(true, {lists.front()});
    delegate->reregisterAllHotkeys();
    EXPECT_FALSE(registered(HotkeyAction::cursor(HotkeyIdentifier::left)));
    windowServer().configureSpaces(true, lists);
    queue.advance(5);
    EXPECT_TRUE(registered(HotkeyAction::cursor(HotkeyIdentifier::left)));
}

TEST_F(AppDelegateHotkeysTest, TheRecordersKeyReachesNeitherTheHotkeyNorTheFrontApplication) {
    std::vector<Event> recorded;
    ASSERT_TRUE(GlobalEventTapRecorder::shared().startRecording(
        [&](const Event& event) { recorded.push_back(event); }, [] {}, [] {}, 0));
    hands().pressKey(kRightArrow, kControlOptionCommand);
    settle();
    EXPECT_EQ(recorded.size(), 1u);
    EXPECT_EQ(firings(), 0u);
    EXPECT_TRUE(host.events().frontApplicationEvents(EventType::keyDown).empty());
}

} // namespace
} // namespace tessarin
