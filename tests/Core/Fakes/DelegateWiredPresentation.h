#pragma once

// The recording presentation with the grid wiring filled in, standing where the delegate itself
// will: contexts whose callbacks reach the delegate's selection, key-move, reorder and editing
// operations, current models built from the delegate's resolved layouts, and the picker,
// preview and refresh operations handed to the delegate.

#include "Core/Fakes/EngineWorld.h"
#include "Core/Fakes/RecordingSeams.h"
#include "UI/OSD/OSDGridMouseSelectionWiring.h"
#include "UI/OSD/OSDGridViewTestSupport.h"
#include "UI/OSD/OSDWindow.h"

namespace tessarin::fakes {

class DelegateWiredPresentation : public RecordingOSDPresentation {
public:
    AppDelegate* delegate = nullptr;
    OSDWindowControlling* window = nullptr;

    // A held hotkey preview gets no context: its clicks are tested on the delegate directly.
    std::optional<OSDGridMouseInteractionContext>
    makePreviewInteractionContext(const GridOSDPreviewSession& session, const OSDGridModel& model,
                                  const DisplayPresentationSettingsSnapshot& settings,
                                  const OSDDismissalBehavior&, bool keys) override {
        using Kind = GridOSDPreviewSessionMode::Kind;
        if (session.mode.kind() == Kind::deferredHotkey) {
            return std::nullopt;
        }
        AppDelegate* d = delegate;
        const auto display = session.placementDisplayIdentifier;
        const bool afterTap = session.mode.kind() == Kind::trackpadAfterTap;
        OSDGridMouseSelectionWiring::PickerContextArguments a{model, display};
        a.allowsKeyboardSelection = keys;
        a.onCancel = [d, this] {
            d->gridOSDPreviewSession.reset();
            d->currentGridOSDDisplayIdentifier.reset();
            window->hide(0.2);
        };
        a.onSelect = [=](int64_t i) {
            afterTap ? d->performTrackpadAfterTapSelection(i)
            : keys   ? d->performOSDPickerSelection(i)
                     : d->performOSDPickerMouseSelection(i, display);
        };
        a.onKeyboardMove = [=](OSDGridKeyboardSelectionDirection k) {
            return keys && (afterTap ? d->performTrackpadAfterTapKeyboardMove(k)
                                     : d->performOSDPickerKeyboardMove(k));
        };
        a.onReorder = [=](int64_t from, int64_t to) {
            d->performOSDPickerReorder(from, to, display, settings.rearrangementBehavior);
        };
        a.onRemoveSpace = [=](int64_t i) { d->performOSDRemoveSpace(i, display); };
        a.onAddSpaceAtTail = [=] { d->performOSDAddSpaceAtTail(display); };
        a.onOpenMissionControl = [=] { d->performOSDOpenMissionControl(); };
        return OSDGridMouseSelectionWiring::makePickerContext(a);
    }

    bool showOrRefreshPreviewSession(const GridOSDPreviewSession& session,
                                     const DisplayPresentationSettingsSnapshot& settings,
                                     const OSDDismissalBehavior& dismissal,
                                     std::optional<uint32_t> source,
                                     std::optional<TessarinDirection> direction, bool replace,
                                     const OSDPresentationMetricsTraceRef& trace) override {
        return delegate->showOrRefreshPreviewSession(session, settings, dismissal, source,
                                                     direction, replace, trace);
    }
    void showOSDSpacePickerOnAllScreens(const OSDPresentationMetricsTraceRef& trace) override {
        delegate->showOSDSpacePickerOnAllScreens(trace);
    }
    void showOSDSpacePickerOnCursorDisplay(const OSDPresentationMetricsTraceRef& trace) override {
        delegate->showOSDSpacePickerOnCursorDisplay(trace);
    }
    std::optional<OSDGridModel>
    makeCurrentGridOSDModel(const std::optional<std::string>& display) override {
        const auto spaceDisplay = delegate->spaceDisplayIdentifier(display);
        const auto resolved =
            delegate->resolveDisplaySpaceOrderSnapshotWithDescriptors(spaceDisplay);
        return resolved
                   ? makeGridOSDModel(resolved->displaySnapshot.activeVisualIndex, spaceDisplay,
                                      display, display, resolved->displaySnapshot, false)
                   : std::nullopt;
    }
};

// A world whose delegate shows its grids in the real OSD window (offscreen) through the wired
// presentation.
struct PresentationWorld {
    explicit PresentationWorld(const Scenario& scenario = switchingScenario())
        : world(scenario, [this](AppDelegateDependencies& dependencies) {
              testing::ensureApplication();
              window = std::make_shared<OSDWindow>(nullptr);
              dependencies.osdWindow = window;
              dependencies.presentation = presentation;
          }) {
        presentation->delegate = &world.d();
        presentation->window = window.get();
    }
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

    std::shared_ptr<DelegateWiredPresentation> presentation =
        std::make_shared<DelegateWiredPresentation>();
    std::shared_ptr<OSDWindow> window;
    World world;
};

} // namespace tessarin::fakes
