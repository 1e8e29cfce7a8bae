#include "Core/AppDelegate/AppDelegate.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "UI/OSD/OSDGridMouseSelectionWiring.h"

#include <limits>

namespace tessarin {

namespace {

constexpr const char* kPickerFooter = "Select or drag to re-arrange";
constexpr const char* kAfterTapFooter = "Three-finger tap, click a space, or press Select";

bool fitsSelection(int64_t index) {
    return index >= 0 && index <= std::numeric_limits<uint32_t>::max();
}

// Runs an action on the delegate while it is alive; a grid may outlive it.
struct WeakDelegate {
    std::weak_ptr<AppDelegate*> self;
    template <class Action> void operator()(Action&& action) const {
        if (auto alive = self.lock()) {
            action(**alive);
        }
    }
    template <class Action> bool answer(Action&& action) const {
        auto alive = self.lock();
        return alive ? action(**alive) : false;
    }
};

} // namespace

void AppDelegate::cancelPreviewAndHideGrid(bool cancelsDeferredSwitch) {
    if (cancelsDeferredSwitch) {
        cancelPendingDeferredSpaceSwitch(false, false);
    } else {
        gridOSDPreviewSession.reset();
    }
    currentGridOSDDisplayIdentifier.reset();
    osdWindow_->hide(0.2);
}

std::optional<OSDGridMouseInteractionContext> AppDelegate::makePreviewInteractionContext(
    const GridOSDPreviewSession& session, const OSDGridModel& model,
    const DisplayPresentationSettingsSnapshot& presentationSettings,
    const OSDDismissalBehavior& dismissalBehavior, bool allowsKeyboardSelection) {
    const WeakDelegate withDelegate{self_};
    const std::optional<std::string> display = session.placementDisplayIdentifier;
    const OSDGridRearrangementBehavior rearrangement = presentationSettings.rearrangementBehavior;
    const auto kind = session.mode.kind();

    if (kind == GridOSDPreviewSessionMode::Kind::deferredHotkey) {
        return makeDeferredInteractionContext(model, display, dismissalBehavior,
                                              presentationSettings);
    }

    const bool isPicker = kind == GridOSDPreviewSessionMode::Kind::picker;
    OSDGridMouseSelectionWiring::PickerContextArguments arguments{model};
    arguments.displayIdentifier = display;
    arguments.blocksAtEdges = gridModeStore.blocksAtEdges(session.settingsDisplayIdentifier);
    arguments.wrapStyle = gridModeStore.wrapStyle(session.settingsDisplayIdentifier);
    arguments.rearrangementBehavior = rearrangement;
    arguments.allowsKeyboardSelection = isPicker ? allowsKeyboardSelection : true;
    arguments.allowsReordering = isPicker;
    arguments.footerTitle = isPicker ? kPickerFooter : kAfterTapFooter;
    arguments.onCancel = [withDelegate, isPicker] {
        withDelegate([&](AppDelegate& d) { d.cancelPreviewAndHideGrid(!isPicker); });
    };

    if (!isPicker) {
        arguments.onSelect = [withDelegate](int64_t index) {
            if (fitsSelection(index)) {
                withDelegate([&](AppDelegate& d) {
                    d.performTrackpadAfterTapSelection(static_cast<uint32_t>(index));
                });
            }
        };
        arguments.onKeyboardMove = [withDelegate](OSDGridKeyboardSelectionDirection direction) {
            return withDelegate.answer(
                [&](AppDelegate& d) { return d.performTrackpadAfterTapKeyboardMove(direction); });
        };
        return OSDGridMouseSelectionWiring::makePickerContext(std::move(arguments));
    }

    if (allowsKeyboardSelection) {
        arguments.onSelect = [withDelegate](int64_t index) {
            if (fitsSelection(index)) {
                withDelegate([&](AppDelegate& d) {
                    d.performOSDPickerSelection(static_cast<uint32_t>(index));
                });
            }
        };
        arguments.onReorder = [withDelegate, display, rearrangement](int64_t from, int64_t to) {
            withDelegate([&](AppDelegate& d) {
                d.performOSDPickerReorder(from, to, display, rearrangement);
            });
        };
        arguments.onKeyboardMove = [withDelegate](OSDGridKeyboardSelectionDirection direction) {
            return withDelegate.answer(
                [&](AppDelegate& d) { return d.performOSDPickerKeyboardMove(direction); });
        };
    } else {
        // A picker grid on another display: it does not own the session's selection.
        arguments.onSelect = [withDelegate, display](int64_t index) {
            if (fitsSelection(index)) {
                withDelegate([&](AppDelegate& d) {
                    d.performOSDPickerMouseSelection(static_cast<uint32_t>(index), display);
                });
            }
        };
        arguments.onReorder = [withDelegate, display, rearrangement](int64_t from, int64_t to) {
            withDelegate([&](AppDelegate& d) {
                const auto layout = d.persistVisualReorder(from, to, display, rearrangement);
                if (!layout) {
                    Host::current().system().beep();
                    return;
                }
                d.refreshAfterVisualReorder(*layout);
            });
        };
        arguments.onKeyboardMove = [](OSDGridKeyboardSelectionDirection) { return false; };
    }
    arguments.onRemoveSpace = [withDelegate, display](int64_t index) {
        withDelegate([&](AppDelegate& d) { d.performOSDRemoveSpace(index, display); });
    };
    arguments.onAddSpaceAtPlaceholder = [withDelegate, display](int64_t index) {
        withDelegate([&](AppDelegate& d) { d.performOSDAddSpaceAtPlaceholder(index, display); });
    };
    arguments.onAddSpaceAtTail = [withDelegate, display] {
        withDelegate([&](AppDelegate& d) { d.performOSDAddSpaceAtTail(display); });
    };
    arguments.onOpenMissionControl = [withDelegate] {
        withDelegate([](AppDelegate& d) { d.performOSDOpenMissionControl(); });
    };
    return OSDGridMouseSelectionWiring::makePickerContext(std::move(arguments));
}

} // namespace tessarin
