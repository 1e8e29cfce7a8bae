#pragma once

// A simulated host (displays, Spaces, the Dock, the window server) made current with a virtual
// main queue, and an application delegate wired to recording fakes of its neighbours: a switch,
// a throw or a Desktop task travels end to end. One per test.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Fakes/RecordingSeams.h"
#include "Hotkeys/HotkeyCombination.h"
#include "Model/Settings/DisplaySettingsScope.h"
#include "Platform/DisplayServer.h"
#include "Platform/Dock.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Scenario.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"
#include "Support/Logger.h"
#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"
#include "TessarinCore/TessarinCore.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessarin::fakes {

inline constexpr int32_t kNeutralApplicationPID = 412;
inline constexpr int32_t kEditorPID = 501;
// The default scenario's displays: built-in (Spaces 3 to 8, on 4, window "Start Page" on 4)
// and external (Spaces 9 to 12, on 9).
inline constexpr const char* kBuiltInUUID = "4C3E8A52-7D61-4F0B-9E2A-1B5C6D7E8F90";
inline constexpr const char* kExternalUUID = "9A1F2B3C-4D5E-4F60-8172-8394A5B6C7D8";

// Spaces `first`, `first + 1`, ... on one list.
inline std::vector<ScenarioSpace> numberedSpaces(SpaceID first, int count) {
    std::vector<ScenarioSpace> spaces;
    for (int i = 0; i < count; ++i) {
        spaces.push_back({first + static_cast<SpaceID>(i), kSpaceTypeUserDesktop, "", {}});
    }
    return spaces;
}

// Display A (pointer on it) with Spaces 101 to 108, display B with 201 to 204; a neutral
// application and an editor with a window on Space 101. Shared: one list "Main" of 1 to 4.
inline Scenario switchingScenario(SpaceID currentOnA = 101, bool shared = false) {
    Scenario scenario;
    scenario.displays = {
        Screen{1, "UUID-A", "Built-in", Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 875), 2.0},
        Screen{2, "UUID-B", "Studio", Rect(1440, 0, 1920, 1080), Rect(1440, 0, 1920, 1055), 1.0}};
    scenario.displaysHaveSeparateSpaces = !shared;
    scenario.spaceLists = {ScenarioSpaceList{"UUID-A", numberedSpaces(101, 8), currentOnA},
                           ScenarioSpaceList{"UUID-B", numberedSpaces(201, 4), 201}};
    if (shared) {
        scenario.spaceLists = {ScenarioSpaceList{"Main", numberedSpaces(1, 4), 1}};
    }
    scenario.mouseLocation = Point{700, 450};
    scenario.applications = {
        RunningApplication{kNeutralApplicationPID, std::string("com.apple.finder"), "Finder"},
        RunningApplication{kEditorPID, std::string("com.example.editor"), "Editor"}};
    scenario.frontmostApplication = kEditorPID;
    if (!shared) {
        // clang-format off
        scenario.windows = {ServerWindow{0, kEditorPID, "Editor", std::string("Draft"), Rect(100, 100, 400, 300), 0, 1.0, 1, {101}}};
        // clang-format on
    }
    return scenario;
}

// Control-Option with a key (Carbon modifiers): a held hotkey.
inline HotkeyCombination controlOption(uint16_t keyCode) {
    HotkeyCombination combination;
    combination.keyCode = keyCode;
    combination.modifiers = HotkeyModifier::control | HotkeyModifier::option;
    return combination;
}

class World {
public:
    using Adjust = std::function<void(AppDelegateDependencies&)>;

    explicit World(const Scenario& scenario = switchingScenario(), const Adjust& adjust = nullptr)
        : host(scenario, queue) {
        tessarin_destroy(); // every world starts with a fresh prediction table
        AppDelegateDependencies dependencies = seams.dependencies();
        if (adjust) {
            adjust(dependencies);
        }
        delegate = std::make_unique<AppDelegate>(std::move(dependencies));
    }
    ~World() {
        delegate.reset();
        tessarin_destroy();
    }
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    AppDelegate& d() { return *delegate; }
    GridModeStore& grid() { return delegate->gridModeStore; }
    SpaceID current(const std::string& list = "UUID-A") {
        return host.windowServer().currentSpace(list).value_or(0);
    }
    // Long enough for the gesture to be delivered and the Dock's animation to run.
    void settle() { queue.advance(0.5); }
    std::size_t gestures() { return host.dock().receivedGestureCount(); }
    int beeps() { return host.system().beepCount(); }
    const auto& shows() { return seams.presentation->showOSDCalls; }
    std::string abortReason(const std::string& step = "space.switch.aborted") {
        const auto fields = seams.metrics->fieldsOf(step);
        const auto found = fields.find("reason");
        return found == fields.end() ? "" : found->second;
    }

    WindowID windowNamed(const std::string& name) {
        for (const ServerWindow& window : host.windowServer().windows()) {
            if (window.name == name) {
                return window.number;
            }
        }
        ADD_FAILURE() << "no window named " << name;
        return 0;
    }
    std::vector<SpaceID> spacesOf(WindowID windowID) {
        const auto window = host.windowServer().window(windowID);
        return window ? window->spaces : std::vector<SpaceID>{};
    }
    std::vector<Event> posted(uint32_t type) {
        std::vector<Event> result;
        for (const Event& event : host.events().postedEvents()) {
            if (event.type == type) {
                result.push_back(event);
            }
        }
        return result;
    }
    // Presses on the default scenario's "Start Page" window and drags it a little, holding on.
    void startDragging() {
        host.events().physical().mouseDown({500, 400});
        host.events().physical().mouseDrag({520, 405});
        queue.runUntilIdle();
    }
    // The log lines of a category that start with `prefix`.
    std::vector<std::string> logLines(const std::string& category, const std::string& prefix) {
        std::vector<std::string> lines;
        for (const std::string& line : logs.messages(category)) {
            if (line.rfind(prefix, 0) == 0) {
                lines.push_back(line);
            }
        }
        return lines;
    }

    ScopedLogCapture logs;
    VirtualMainQueue queue;
    ScopedMainQueue currentQueue{queue};
    Host host;
    ScopedCurrentHost currentHost{host};
    RecordingSeams seams;
    std::unique_ptr<AppDelegate> delegate;
};

// A suite on one world of the default scenario.
class EngineTest : public ::testing::Test {
protected:
    World world{Scenario::defaultScenario()};
    AppDelegate& d() { return world.d(); }
};

} // namespace tessarin::fakes
