#pragma once

// A simulated host with displays, Spaces and a Dock, made current together with a virtual main
// queue, and an application delegate wired to recording fakes of its neighbours. One per test.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Fakes/RecordingSeams.h"
#include "Platform/DisplayServer.h"
#include "Platform/Dock.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"
#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"
#include "TessarinCore/TessarinCore.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessarin::fakes {

inline constexpr int32_t kNeutralApplicationPID = 412;
inline constexpr int32_t kEditorPID = 501;

inline Screen switchingScreenA() {
    return Screen{1, "UUID-A", "Built-in", Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 875), 2.0};
}
inline Screen switchingScreenB() {
    return Screen{2, "UUID-B", "Studio", Rect(1440, 0, 1920, 1080), Rect(1440, 0, 1920, 1055), 1.0};
}

// Spaces `first`, `first + 1`, ... on one list.
inline std::vector<ScenarioSpace> numberedSpaces(SpaceID first, int count) {
    std::vector<ScenarioSpace> spaces;
    for (int i = 0; i < count; ++i) {
        spaces.push_back(ScenarioSpace{first + static_cast<SpaceID>(i), kSpaceTypeUserDesktop, "",
                                       std::nullopt});
    }
    return spaces;
}

// Display A (pointer on it) with Spaces 101 to 108, display B with 201 to 204; a neutral
// application and an editor with a window on Space 101.
inline Scenario switchingScenario(SpaceID currentOnA = 101) {
    Scenario scenario;
    scenario.displays = {switchingScreenA(), switchingScreenB()};
    scenario.displaysHaveSeparateSpaces = true;
    scenario.spaceLists = {ScenarioSpaceList{"UUID-A", numberedSpaces(101, 8), currentOnA},
                           ScenarioSpaceList{"UUID-B", numberedSpaces(201, 4), 201}};
    scenario.mouseLocation = Point{700, 450};
    scenario.applications = {
        RunningApplication{kNeutralApplicationPID, std::string("com.apple.finder"),
                           std::string("Finder")},
        RunningApplication{kEditorPID, std::string("com.example.editor"), std::string("Editor")}};
    scenario.frontmostApplication = kEditorPID;
    scenario.windows = {ServerWindow{
        0, kEditorPID, "Editor", std::string("Draft"), Rect(100, 100, 400, 300), 0, 1.0, 1, {101}}};
    return scenario;
}

// Both displays share one list "Main" of Spaces 1 to 4.
inline Scenario sharedSwitchingScenario() {
    Scenario scenario = switchingScenario();
    scenario.displaysHaveSeparateSpaces = false;
    scenario.spaceLists = {ScenarioSpaceList{"Main", numberedSpaces(1, 4), 1}};
    scenario.windows.clear();
    return scenario;
}

class SwitchingWorld {
public:
    explicit SwitchingWorld(const Scenario& scenario = switchingScenario(),
                            std::function<bool()> bridgeInitializer = nullptr)
        : host(scenario, queue), currentHost(host) {
        // Every world starts with a fresh prediction table.
        tessarin_destroy();
        AppDelegateDependencies dependencies = seams.dependencies();
        dependencies.bridgeInitializer = std::move(bridgeInitializer);
        delegate = std::make_unique<AppDelegate>(std::move(dependencies));
    }
    ~SwitchingWorld() {
        delegate.reset();
        tessarin_destroy();
    }
    SwitchingWorld(const SwitchingWorld&) = delete;
    SwitchingWorld& operator=(const SwitchingWorld&) = delete;

    SpaceID current(const std::string& list = "UUID-A") {
        return host.windowServer().currentSpace(list).value_or(0);
    }
    // Long enough for the gesture to be delivered and the Dock's animation to run.
    void settle() { queue.advance(0.5); }
    std::size_t gestures() { return host.dock().receivedGestureCount(); }
    int beeps() { return host.system().beepCount(); }

    VirtualMainQueue queue;
    ScopedMainQueue currentQueue{queue};
    Host host;
    ScopedCurrentHost currentHost;
    RecordingSeams seams;
    std::unique_ptr<AppDelegate> delegate;
};

} // namespace tessarin::fakes
