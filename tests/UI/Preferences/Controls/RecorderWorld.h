#pragma once

// The switching world of the engine tests with a delegate that registers its own hot keys,
// installed as the application's delegate, and an application object for the controls.

#include "Core/Fakes/EngineWorld.h"
#include "Hotkeys/GlobalEventTapRecorder.h"
#include "Hotkeys/HotKeyManager.h"
#include "Hotkeys/MissionControlShortcutOverrideEventTap.h"
#include "Hotkeys/PhysicalWindowDragTracker.h"
#include "Model/Seams/ApplicationDelegate.h"
#include "Platform/Input/HotKeyCenter.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin::testing {

inline constexpr uint64_t kControlOption = EventFlags::maskControl | EventFlags::maskAlternate;
inline constexpr uint16_t kKeyA = 0;
inline constexpr uint16_t kKeyK = 40;
inline constexpr uint16_t kEscape = 53;
inline constexpr uint16_t kLeftArrow = 123;

class RecorderWorldTest : public ::testing::Test {
protected:
    RecorderWorldTest() {
        ensureWidgetApplication();
        world.d().gridModeStore.isEnabled.set(false); // a switch posts at once
        // Control-Left is the system's own key for it: taken through the override tap.
        world.d().hotkeyStore.update(HotkeyCombination::missionControlPresetLeft(),
                                     HotkeyAction::cursor(HotkeyIdentifier::left));
        world.d().bindHotkeys();
        ApplicationDelegate::install(&world.d());
        settle();
    }
    ~RecorderWorldTest() override {
        ApplicationDelegate::install(nullptr);
        flushDeferredDeletes();
    }

    void settle() { world.queue.runUntilIdle(); }
    PhysicalInput& hands() { return world.host.events().physical(); }
    std::size_t hotKeys() { return world.host.hotKeys().registrations().size(); }
    bool overrideTapRuns() { return MissionControlShortcutOverrideEventTap::shared().isRunning(); }
    int beeps() { return world.beeps(); }

    fakes::World world{fakes::switchingScenario(), [](AppDelegateDependencies& dependencies) {
                           dependencies.hotkeys = nullptr;
                           dependencies.dragTracker = &PhysicalWindowDragTracker::shared();
                       }};
};

} // namespace tessarin::testing
