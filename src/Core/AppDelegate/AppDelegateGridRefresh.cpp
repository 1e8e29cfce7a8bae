// A grid already on screen follows the live Spaces in place: a new model, the preview session
// kept consistent with the new layout, the grid shown again when its Space count changes. Also
// the two screenshot decisions tied to a visible grid.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Presentation/InteractionContextFollowingModel.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "TessarinCore/BridgeString.h"

namespace tessarin {

namespace {

int64_t realSpaceCount(const OSDGridModel& model) {
    return model.spaceCount() - static_cast<int64_t>(model.placeholderIndices().size());
}

bool isPickerContext(const std::optional<OSDGridMouseInteractionContext>& context) {
    return context && context->allowsKeyboardSelection &&
           context->dismissalBehavior.kind() == OSDDismissalBehavior::Kind::manual;
}

} // namespace

// ---------------------------------------------------------------- Screenshots

void AppDelegate::scheduleVisibleGridScreenCaptureIfNeeded(
    const std::optional<std::string>& displayIdentifier) {
    const auto settings = presentationStore.snapshot(settingsDisplayFor(displayIdentifier));
    if (settings.screenshotCaptureMode == OSDGridScreenshotCaptureMode::screen) {
        windowPreviews_->scheduleVisibleGridScreenCapture();
    }
}

// ---------------------------------------------------------------- Refreshes

void AppDelegate::refreshVisibleGridOSDIfNeeded(const std::optional<OSDGridSpaceContext>& context) {
    if (!gridModeStore.isEnabled.value() || !context) {
        return;
    }
    const std::optional<std::string> wanted = context->displayIdentifier;
    // Read only when a visible grid is not the context's own: every finished capture comes
    // here, and each read copies the whole Space layout.
    std::optional<std::optional<std::string>> sharedSpacesDisplay;
    const auto sharesSpacesWithWanted = [&] {
        if (!sharedSpacesDisplay) {
            sharedSpacesDisplay =
                displaysHaveSeparateSpaces()
                    ? std::nullopt
                    : adoptBridgeString(tessarin_copy_display_identifier_with_spaces());
        }
        return *sharedSpacesDisplay && *sharedSpacesDisplay == wanted;
    };
    std::optional<std::optional<std::string>> match;
    for (const auto& visible : osdWindow_->visibleGridDisplayIdentifiers()) {
        if (visible == wanted || sharesSpacesWithWanted()) {
            match = visible;
            break;
        }
    }
    if (!match) {
        return;
    }
    const std::optional<std::string>& visible = *match;
    const std::optional<std::string> display = visible ? visible : wanted;
    const auto shown = osdWindow_->currentGridModel(visible);
    // A change in the number of Spaces is never applied in place here.
    if (!shown || realSpaceCount(*shown) != static_cast<int64_t>(context->count)) {
        return;
    }
    if (gridOSDPreviewSession && gridOSDPreviewSession->placementDisplayIdentifier == visible &&
        refreshVisiblePreviewSession(*gridOSDPreviewSession, display)) {
        return;
    }
    const auto model = makeCurrentGridOSDModel(display);
    if (!model) {
        return;
    }
    const auto settings = presentationStore.snapshot(settingsDisplayFor(visible));
    osdWindow_->refreshVisibleGrid(
        *model, visible, settings.activeSpaceAnimationEnabled, settings.osdAppearance,
        OSDGridInteractionContextUpdate::preserve(), std::nullopt, nullptr);
}

void AppDelegate::refreshVisibleGridOSDIfVisible(
    const std::optional<std::string>& displayIdentifier) {
    if (!gridModeStore.isEnabled.value() || !osdWindow_->currentGridModel(displayIdentifier)) {
        return;
    }
    if (gridOSDPreviewSession &&
        gridOSDPreviewSession->placementDisplayIdentifier == displayIdentifier &&
        refreshVisiblePreviewSession(*gridOSDPreviewSession, displayIdentifier)) {
        return;
    }
    if (const auto model = makeCurrentGridOSDModel(displayIdentifier)) {
        refreshGridKeepingContext(*model, displayIdentifier);
    }
}

void AppDelegate::refreshGridKeepingContext(const OSDGridModel& model,
                                            const std::optional<std::string>& displayIdentifier) {
    const auto context = interactionContextFollowingModel(
        osdWindow_->currentGridMouseInteractionContext(displayIdentifier), model);
    const auto settings = presentationStore.snapshot(settingsDisplayFor(displayIdentifier));
    osdWindow_->refreshVisibleGrid(
        model, displayIdentifier, settings.activeSpaceAnimationEnabled, settings.osdAppearance,
        OSDGridInteractionContextUpdate::replace(context), std::nullopt, nullptr);
}

void AppDelegate::refreshVisibleGridOSDOverlays(const VisibleGridOSDOverlayRefreshScope& scope) {
    const auto& wanted = scope.displayIdentifier();
    const bool everyGrid =
        !wanted || (!displaysHaveSeparateSpaces() &&
                    adoptBridgeString(tessarin_copy_display_identifier_with_spaces()) == wanted);
    for (const auto& visible : osdWindow_->visibleGridDisplayIdentifiers()) {
        if (everyGrid || visible == wanted) {
            refreshVisibleGridOSDIfVisible(visible);
        }
    }
}

bool AppDelegate::refreshVisiblePreviewSession(
    const GridOSDPreviewSession& session,
    const std::optional<std::string>& visibleDisplayIdentifier) {
    (void)visibleDisplayIdentifier;
    // The session's Space display, not the grid's: under shared Spaces the placement display
    // owns no layout of its own, and its stored order is the Space display's.
    const auto resolved =
        resolveDisplaySpaceOrderSnapshotWithDescriptors(session.spaceDisplayIdentifier);
    if (!resolved) {
        return false;
    }
    const DisplaySpaceOrderSnapshot& snapshot = resolved->displaySnapshot;
    const auto& placement = session.placementDisplayIdentifier;
    const bool screenshots = shouldCaptureGridSpaceScreenshots(placement, true, std::nullopt);
    const auto base = presentation_->makeGridOSDModel(
        snapshot.activeVisualIndex, session.spaceDisplayIdentifier,
        session.settingsDisplayIdentifier, placement, snapshot, screenshots);
    if (!base) {
        return false;
    }
    const bool layoutUnchanged =
        snapshot.displayIdentifier == session.displaySnapshot.displayIdentifier &&
        snapshot.visualSlots == session.displaySnapshot.visualSlots &&
        base->columnCount() == session.baseModel.columnCount();
    GridOSDPreviewSession reconciled = session;
    if (!reconciled.reconcile(snapshot, *base)) {
        return false;
    }
    const auto model = reconciled.baseModel.selectingActiveIndex(reconciled.selectedVisualIndex);
    if (!model) {
        return false;
    }
    gridOSDPreviewSession = reconciled;
    const auto settings = presentationStore.snapshot(reconciled.settingsDisplayIdentifier);
    const auto dismissal =
        reconciled.mode.dismissalBehavior().value_or(OSDDismissalBehavior::manual());
    const auto context =
        makePreviewInteractionContext(reconciled, *model, settings, dismissal, true);
    osdWindow_->refreshVisibleGrid(
        *model, placement, settings.activeSpaceAnimationEnabled, settings.osdAppearance,
        layoutUnchanged
            ? OSDGridInteractionContextUpdate::replacePreservingMouseInteraction(context)
            : OSDGridInteractionContextUpdate::replace(context),
        std::nullopt, nullptr);
    return true;
}

bool AppDelegate::refreshVisibleGridOSDWithTransientPlaceholder(
    int64_t index, const std::optional<std::string>& displayIdentifier,
    const std::optional<DisplaySpaceOrderSnapshot>& transientDisplaySnapshot) {
    const auto display = displayIdentifier ? displayIdentifier : currentGridOSDDisplayIdentifier;
    if (!gridModeStore.isEnabled.value() || !display) {
        return false;
    }
    const auto shown = osdWindow_->currentGridModel(display);
    const auto model = shown ? shown->replacingCellWithPlaceholder(index) : std::nullopt;
    if (!model) {
        return false;
    }
    if (gridOSDPreviewSession && gridOSDPreviewSession->placementDisplayIdentifier == display &&
        transientDisplaySnapshot) {
        GridOSDPreviewSession reconciled = *gridOSDPreviewSession;
        if (reconciled.reconcile(*transientDisplaySnapshot, *model)) {
            gridOSDPreviewSession = reconciled;
        }
    }
    refreshGridKeepingContext(*model, display);
    return true;
}

bool AppDelegate::refreshVisibleGridOSDAllowingSpaceCountChange(
    const std::optional<std::string>& displayIdentifier,
    const std::optional<OSDGridMouseInteractionContext>& interactionContext) {
    const auto display = displayIdentifier ? displayIdentifier : currentGridOSDDisplayIdentifier;
    if (!gridModeStore.isEnabled.value() || !display) {
        return false;
    }
    // The add closed the picker's session; a picker grid shown again without a new one would
    // only beep at its clicks and Select.
    if (isPickerContext(interactionContext)) {
        if (const auto picker = makeOSDSpacePickerSession(display, nullptr)) {
            return showOrRefreshPreviewSession(picker->session, picker->presentationSettings,
                                               OSDDismissalBehavior::manual(), std::nullopt,
                                               std::nullopt, true, nullptr);
        }
        return false;
    }
    const auto model = makeCurrentGridOSDModel(display);
    if (!model) {
        return false;
    }
    const auto settings = presentationStore.snapshot(settingsDisplayFor(display));
    if (!settings.osd.isEnabled) {
        return false;
    }
    const auto dismissal =
        interactionContext ? interactionContext->dismissalBehavior : OSDDismissalBehavior::manual();
    osdWindow_->show(OSDPresentation{OSDGridPresentation::staticGrid(*model)}, settings.osd,
                     settings.activeSpaceAnimationEnabled, settings.osdAppearance, dismissal,
                     display, interactionContextFollowingModel(interactionContext, *model),
                     gridOSDDismissalCallbacks(display, false), nullptr, nullptr);
    return true;
}

} // namespace tessarin
