#pragma once


#include "Core/Fakes/EngineWorld.h"
#include "Core/Fakes/RecordingSeams.h"
#include "UI/OSD/OSDGridViewTestSupport.h"
#include "UI/OSD/OSDWindow.h"

namespace tessarin::fakes {

// A world whose delegate is its own presentation control and shows its grids in the real OSD
// window (offscreen).
struct PresentationWorld {
    explicit PresentationWorld(const Scenario& scenario = switchingScenario())
        : world(scenario, [this](AppDelegateDependencies& dependencies) {
              testing::ensureApplication();
              window = std::make_shared<OSDWindow>(nullptr);
              dependencies.osdWindow = window;
              dependencies.presentation = nullptr;
          }) {}
    // The window goes before the host it draws on.
    ~PresentationWorld() {
        world.delegate.reset();
        window.reset();
    }
    AppDelegate& d() { return world.d(); }
    // The context of the grid shown on a display; fails the test when there is none.
    OSDGridMouseInteractionContext context(const std::optional<std::string>& display) {
        auto context = window->currentGridMouseInteractionContext(display);
        EXPECT_TRUE(context) << "no grid context on " << describe(display);
        return context.value_or(OSDGridMouseInteractionContext{});
    }
    std::optional<int64_t> shownActive(const std::optional<std::string>& display) {
        const auto model = window->currentGridModel(display);
        return model ? std::optional(model->activeIndex()) : std::nullopt;
    }

    std::shared_ptr<OSDWindow> window;
    World world;
};

} // namespace tessarin::fakes
