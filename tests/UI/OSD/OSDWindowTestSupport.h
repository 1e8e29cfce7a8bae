#pragma once

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Scenario.h"
#include "UI/OSD/OSDGridViewTestSupport.h"
#include "UI/OSD/OSDWindow.h"

namespace tessarin::testing {

// Display A (1440 × 900, the main screen, pointer on it) and display B to its right.
inline Scenario twoScreenScenario() {
    Scenario scenario;
    scenario.displays = {
        Screen{1, "UUID-A", "Built-in", Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 875), 2.0},
        Screen{2, "UUID-B", "Studio", Rect(1440, 0, 1920, 1080), Rect(1440, 0, 1920, 1055), 1.0}};
    scenario.mouseLocation = Point{700, 450};
    return scenario;
}

// An OSD window on two host screens and the virtual clock.
class OSDWindowTest : public ::testing::Test {
protected:
    void show(const OSDGridModel& model,
              OSDDismissalBehavior behavior = OSDDismissalBehavior::manual(),
              std::optional<std::string> display = "UUID-A",
              std::optional<OSDDismissalCallbacks> callbacks = std::nullopt,
              DisplayOSDSettings settings = {}) {
        window.show(OSDPresentation{OSDGridPresentation::staticGrid(model)}, settings, false,
                    OSDGridAppearanceSettings::defaultValue(), behavior, display, std::nullopt,
                    std::move(callbacks), nullptr, nullptr);
    }
    OSDOverlayPanel& panel() { return *window.gridWindow(); }

    struct ApplicationReady {
        ApplicationReady() { ensureApplication(); }
    } applicationReady;
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{twoScreenScenario(), queue};
    ScopedCurrentHost currentHost{host};
    OSDWindow window{nullptr};
};

} // namespace tessarin::testing
