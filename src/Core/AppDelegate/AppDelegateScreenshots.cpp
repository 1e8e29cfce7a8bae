// Screenshots of the current Space: when one is taken after a switch, a shown grid or a settings
// change, and what the periodic timer does in either capture mode.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Previews/OSDGridScreenshotController.h"
#include "Core/Previews/OSDGridScreenshotMetrics.h"
#include "Model/Settings/OSDGridAppIconsSetting.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"

namespace tessarin {

namespace {

// A Space that already shows something waits until the switch's animation is over; one that
// shows nothing gets its picture at once.
constexpr double kCaptureDelayWithContent = 0.5;
constexpr double kCaptureDelayWithoutContent = 0.01;
const OperatingSystemVersion kFirstSystemWithScreenCaptures{14, 0, 0};

} // namespace

double
AppDelegate::resolvedGridScreenshotCaptureDelay(const std::optional<OSDGridSpaceContext>& context) {
    const bool appIconsEnabled = OSDGridAppIconsSetting::persisted(Host::current().defaults());
    std::optional<OSDGridSpaceContext> space = context;
    if (!space) {
        if (const auto target = gridScreenshotController->captureTargetProvider()) {
            space = target->context;
        } else {
            space = gridAppIconController->currentContext();
        }
    }
    if (!space) {
        return kCaptureDelayWithoutContent;
    }
    const bool hasScreenshot =
        gridScreenshotController->entry(space->displayIdentifier, space->spaceID).has_value();
    const bool hasIcon =
        gridAppIconController->iconEntry(space->displayIdentifier, space->spaceID).has_value();
    return hasScreenshot || (hasIcon && appIconsEnabled) ? kCaptureDelayWithContent
                                                         : kCaptureDelayWithoutContent;
}

void AppDelegate::scheduleCurrentSpaceScreenshotCapture() {
    scheduleCurrentSpaceScreenshotCapture(resolvedGridScreenshotCaptureDelay(std::nullopt), false);
}

void AppDelegate::scheduleCurrentSpaceScreenshotCapture(
    const std::optional<OSDGridSpaceContext>& context) {
    scheduleCurrentSpaceScreenshotCapture(resolvedGridScreenshotCaptureDelay(context), false);
}

void AppDelegate::scheduleVisibleGridScreenCapture() {
    scheduleCurrentSpaceScreenshotCapture(resolvedGridScreenshotCaptureDelay(std::nullopt), true);
}

void AppDelegate::scheduleCurrentSpaceScreenshotCapture(double delay,
                                                        bool visibleGridOSDCanCapture) {
    cancelPendingGridScreenshotCapture();
    if (!presentation_->shouldCaptureGridSpaceScreenshots(cursorDisplayIdentifier(),
                                                          visibleGridOSDCanCapture, std::nullopt)) {
        return;
    }
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    pendingGridScreenshotCaptureWorkItem =
        MainQueue::main().asyncAfter(delay, [weakSelf, visibleGridOSDCanCapture] {
            if (const auto self = weakSelf.lock()) {
                (*self)->requestCurrentSpaceScreenshotCapture(visibleGridOSDCanCapture);
            }
        });
}

void AppDelegate::requestCurrentSpaceScreenshotCapture(bool visibleGridOSDCanCapture) {
    const std::optional<std::string> display = cursorDisplayIdentifier();
    if (!presentation_->shouldCaptureGridSpaceScreenshots(display, visibleGridOSDCanCapture,
                                                          std::nullopt)) {
        return;
    }
    const auto mode =
        presentationStore.snapshot(displaysHaveSeparateSpaces() ? display : std::nullopt)
            .screenshotCaptureMode;
    OSDGridScreenshotMetrics::emit(
        "screenshot.current.requested",
        {{"display", display.value_or("")}, {"mode", tessarin::rawValue(mode)}});
    if (mode == OSDGridScreenshotCaptureMode::screen) {
        const std::weak_ptr<AppDelegate*> weakSelf = self_;
        gridScreenshotController->requestCaptureForCurrentSpace(
            [weakSelf](const OSDGridSpaceContext& context) {
                if (const auto self = weakSelf.lock()) {
                    (*self)->presentation_->refreshVisibleGridOSDIfNeeded(context);
                    (*self)->prepareStoredScreenshotCell(context);
                }
            });
        return;
    }
    // Window mode: the display's previews take the place of the screenshot.
    cancelPendingWindowSpaceMetadataRefresh();
    if (pendingWindowSpaceMetadataRefreshTask) {
        pendingWindowSpaceMetadataRefreshTask->cancel();
    }
    scheduleWindowPreviewRefreshForDisplay(display,
                                           visibleGridOSDCanCapture
                                               ? WindowPreviewRefreshReason::visibleGridPresentation
                                               : WindowPreviewRefreshReason::settingsChanged,
                                           MainQueue::main().now());
}

void AppDelegate::cancelPendingGridScreenshotCapture() {
    if (pendingGridScreenshotCaptureWorkItem) {
        pendingGridScreenshotCaptureWorkItem->cancel();
        pendingGridScreenshotCaptureWorkItem.reset();
    }
}

void AppDelegate::performPeriodicGridScreenshotRefresh() {
    const DisplayPresentationSettingsSnapshot settings = presentationStore.snapshot();
    const SystemServices& system = Host::current().system();
    if (!gridModeStore.isEnabled.value() || !settings.screenshotsEnabled ||
        !system.operatingSystemVersion().isAtLeast(kFirstSystemWithScreenCaptures) ||
        !system.preflightScreenCaptureAccess()) {
        shell_->restartPeriodicGridScreenshotRefresh();
        return;
    }
    if (settings.screenshotCaptureMode == OSDGridScreenshotCaptureMode::screen) {
        OSDGridScreenshotMetrics::emit("screenshot.periodic.fired", {{"mode", "screen"}});
        requestCurrentSpaceScreenshotCapture(false);
        return;
    }
    performScheduledWindowPreviewRefresh(MainQueue::main().now());
}

} // namespace tessarin
