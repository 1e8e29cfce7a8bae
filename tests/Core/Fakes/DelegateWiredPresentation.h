#pragma once

// The recording presentation with the grid wiring filled in: contexts whose callbacks reach
// the delegate's selection, key-move, reorder and editing operations, and current models
// built from the delegate's resolved layouts. Set `delegate` once the delegate exists.

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
            arguments.onKeyboardMove = [d](OSDGridKeyboardSelectionDirection direction) {
                return d->performTrackpadAfterTapKeyboardMove(direction);
            };
            return OSDGridMouseSelectionWiring::makePickerContext(arguments);
        }
        arguments.onSelect = [d, display, allowsKeyboardSelection](int64_t i) {
            allowsKeyboardSelection ? d->performOSDPickerSelection(i)
                                    : d->performOSDPickerMouseSelection(i, display);
        };
        arguments.onKeyboardMove = [d](OSDGridKeyboardSelectionDirection direction) {
            return d->performOSDPickerKeyboardMove(direction);
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

} // namespace tessarin::fakes
