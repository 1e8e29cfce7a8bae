#pragma once

// A delegate on a simulated host with recording fakes for its neighbouring subsystems: the
// bridge, the window server and the Dock are real, so a switch or a throw travels end to end.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Fakes/RecordingSeams.h"
#include "Hotkeys/PhysicalWindowDragTracker.h"
#include "Platform/DisplayServer.h"
#include "Platform/Dock.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Scenario.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"
#include "Support/Logger.h"
#include "Support/VirtualMainQueue.h"
#include "TessarinCore/TessarinCore.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tessarin::testing {

// The default scenario's displays: the built-in one (Spaces 3 to 8, on 4) and the external one
// (Spaces 9 to 12, on 9).
inline constexpr const char* kBuiltInUUID = "4C3E8A52-7D61-4F0B-9E2A-1B5C6D7E8F90";
inline constexpr const char* kExternalUUID = "9A1F2B3C-4D5E-4F60-8172-8394A5B6C7D8";

class AppDelegateEngineFixture : public ::testing::Test {
protected:
    explicit AppDelegateEngineFixture(const Scenario& scenario = Scenario::defaultScenario())
        : host(scenario, queue) {}

    ~AppDelegateEngineFixture() override {
        delegate.reset();
        tessarin_destroy();
    }

    AppDelegate& makeDelegate() {
        AppDelegateDependencies dependencies = seams.dependencies();
        dependencies.dragTracker = &PhysicalWindowDragTracker::shared();
        delegate = std::make_unique<AppDelegate>(std::move(dependencies));
        return *delegate;
    }

    // Runs what is due now (posted events travel on later turns).
    void settle() { queue.runUntilIdle(); }

    PhysicalInput& hands() { return host.events().physical(); }
    WindowServer& windowServer() { return host.windowServer(); }
    Dock& dock() { return host.dock(); }

    WindowID windowNamed(const std::string& name) {
        for (const ServerWindow& window : windowServer().windows()) {
            if (window.name == name) {
                return window.number;
            }
        }
        ADD_FAILURE() << "no window named " << name;
        return 0;
    }

    std::vector<SpaceID> spacesOf(WindowID windowID) {
        const auto window = windowServer().window(windowID);
        return window ? window->spaces : std::vector<SpaceID>{};
    }

    SpaceID currentSpace(const std::string& displayIdentifier) {
        return windowServer().currentSpace(displayIdentifier).value_or(0);
    }

    std::vector<Event> postedEvents(uint32_t type) {
        std::vector<Event> result;
        for (const Event& event : host.events().postedEvents()) {
            if (event.type == type) {
                result.push_back(event);
            }
        }
        return result;
    }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host;
    ScopedCurrentHost scopedHost{host};
    ScopedLogCapture logs;
    fakes::RecordingSeams seams;
    std::unique_ptr<AppDelegate> delegate;
};

} // namespace tessarin::testing
