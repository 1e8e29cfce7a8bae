#include "App/InertStandIns.h"

#include "Hotkeys/GlobalEventTapRecorder.h"
#include "Support/Logger.h"

namespace tessarin {

void NotBuiltNotice::tell() {
    if (told_) {
        return;
    }
    told_ = true;
    static const Logger logger("Shell");
    logger.notice("stand-in part=\"" + part_ + "\" is not built");
}

bool InertOSDPresentation::showOSD(uint32_t, std::optional<uint32_t>, std::optional<uint32_t>,
                                   std::optional<TessarinDirection>,
                                   const std::optional<std::string>&, const OSDDismissalBehavior&,
                                   GridOSDInteractionMode, const OSDPresentationMetricsTraceRef&) {
    notice_.tell();
    return false;
}

std::optional<OSDGridModel> InertOSDPresentation::makeGridOSDModel(
    int, const std::optional<std::string>&, const std::optional<std::string>&,
    const std::optional<std::string>&, const std::optional<DisplaySpaceOrderSnapshot>&,
    std::optional<bool>) {
    notice_.tell();
    return std::nullopt;
}

bool InertOSDPresentation::shouldCaptureGridSpaceScreenshots(const std::optional<std::string>&,
                                                             bool, std::optional<bool>) {
    return false;
}

bool InertOSDPresentation::showOrRefreshPreviewSession(const GridOSDPreviewSession&,
                                                       const DisplayPresentationSettingsSnapshot&,
                                                       const OSDDismissalBehavior&,
                                                       std::optional<uint32_t>,
                                                       std::optional<TessarinDirection>, bool,
                                                       const OSDPresentationMetricsTraceRef&) {
    notice_.tell();
    return false;
}

void InertOSDPresentation::showOSDSpacePickerOnAllScreens(const OSDPresentationMetricsTraceRef&) {
    notice_.tell();
}

void InertOSDPresentation::showOSDSpacePickerOnCursorDisplay(
    const OSDPresentationMetricsTraceRef&) {
    notice_.tell();
}

bool InertOSDPresentation::showOSDPreviewFixture() {
    notice_.tell();
    return false;
}

void OneShotRecorderCancelling::cancelActiveRecording() {
    GlobalEventTapRecorder::shared().stopRecording();
}

} // namespace tessarin
