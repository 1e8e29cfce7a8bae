#pragma once

// The recording presentation with the grid wiring filled in, standing where the delegate itself
// will: contexts whose callbacks reach the delegate's selection, key-move, reorder and editing
// operations, current models built from the delegate's resolved layouts, and the picker,
// preview and refresh operations handed to the delegate.

#include "Core/Fakes/EngineWorld.h"
#include "Core/Fakes/GridKeepingOSDWindow.h"
#include "Core/Fakes/RecordingSeams.h"
#include "UI/OSD/OSDGridMouseSelectionWiring.h"

namespace tessarin::fakes {

class DelegateWiredPresentation : public RecordingOSDPresentation {
public:
    AppDelegate* delegate = nullptr;
    OSDWindowControlling* window = nullptr;

    std::optional<OSDGridMouseInteractionContext>
    makePreviewInteractionContext(const GridOSDPreviewSession& session, const OSDGridModel& model,
                                  const DisplayPresentationSettingsSnapshot& settings,
                                  const OSDDismissalBehavior& dismissal,
                                  bool allowsKeyboardSelection) override {
        using Kind = GridOSDPreviewSessionMode::Kind;
        using Key = OSDGridKeyboardSelectionDirection;
        AppDelegate* d = delegate;
        const auto display = session.placementDisplayIdentifier;
        const auto behavior = settings.rearrangementBehavior;
        if (session.mode.kind() == Kind::deferredHotkey) {
            OSDGridMouseSelectionWiring::ContextArguments arguments{model, display, dismissal};
            arguments.allowsMouseSelection = true;
            arguments.onSelect = [d](int64_t i, OSDDismissalBehavior b) {
                d->performMouseSelection(i, b);
            };
            arguments.onReorder = [d, display, behavior](int64_t a, int64_t b) {
                d->persistVisualReorder(a, b, display, behavior);
            };
            return OSDGridMouseSelectionWiring::makeContext(arguments);
        }
        OSDGridMouseSelectionWiring::PickerContextArguments arguments{model, display};
        arguments.allowsKeyboardSelection = allowsKeyboardSelection;
        arguments.onCancel = [d, this] {
            d->gridOSDPreviewSession.reset();
            d->currentGridOSDDisplayIdentifier.reset();
            window->hide(0.2);
        };
        if (session.mode.kind() == Kind::trackpadAfterTap) {
            arguments.onSelect = [d](int64_t i) { d->performTrackpadAfterTapSelection(i); };
            arguments.onKeyboardMove = [d](Key direction) {
                return d->performTrackpadAfterTapKeyboardMove(direction);
            };
            return OSDGridMouseSelectionWiring::makePickerContext(arguments);
        }
        arguments.onSelect = [d, display, allowsKeyboardSelection](int64_t i) {
            allowsKeyboardSelection ? d->performOSDPickerSelection(i)
                                    : d->performOSDPickerMouseSelection(i, display);
        };
        arguments.onKeyboardMove = [d, allowsKeyboardSelection](Key direction) {
            return allowsKeyboardSelection && d->performOSDPickerKeyboardMove(direction);
        };
        arguments.onReorder = [d, display, behavior](int64_t a, int64_t b) {
            d->performOSDPickerReorder(a, b, display, behavior);
        };
        arguments.onRemoveSpace = [d, display](int64_t i) { d->performOSDRemoveSpace(i, display); };
        arguments.onAddSpaceAtPlaceholder = [d, display](int64_t i) {
            d->performOSDAddSpaceAtPlaceholder(i, display);
        };
        arguments.onAddSpaceAtTail = [d, display] { d->performOSDAddSpaceAtTail(display); };
        arguments.onOpenMissionControl = [d] { d->performOSDOpenMissionControl(); };
        return OSDGridMouseSelectionWiring::makePickerContext(arguments);
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
    void refreshVisibleGridOSDIfVisible(const std::optional<std::string>& display) override {
        RecordingOSDPresentation::refreshVisibleGridOSDIfVisible(display);
        delegate->refreshVisibleGridOSDIfVisible(display);
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
        if (!resolved) {
            return std::nullopt;
        }
        const auto& snapshot = resolved->displaySnapshot;
        return makeGridOSDModel(snapshot.activeVisualIndex, spaceDisplay, display, display,
                                snapshot, false);
    }
};

// A world whose delegate shows its grids in a grid-keeping window through the wired
// presentation.
struct PresentationWorld {
    explicit PresentationWorld(const Scenario& scenario = switchingScenario())
        : world(scenario, [this](AppDelegateDependencies& dependencies) {
              dependencies.osdWindow = window;
              dependencies.presentation = presentation;
          }) {
        presentation->delegate = &world.d();
        presentation->window = window.get();
    }
    AppDelegate& d() { return world.d(); }
    // The context of the grid shown on a display; fails the test when there is none.
    OSDGridMouseInteractionContext context(const std::optional<std::string>& display) {
        auto context = window->currentGridMouseInteractionContext(display);
        EXPECT_TRUE(context) << "no grid context on " << describe(display);
        return context.value_or(OSDGridMouseInteractionContext{});
    }

    std::shared_ptr<GridKeepingOSDWindow> window = std::make_shared<GridKeepingOSDWindow>();
    std::shared_ptr<DelegateWiredPresentation> presentation =
        std::make_shared<DelegateWiredPresentation>();
    World world;
};

} // namespace tessarin::fakes
