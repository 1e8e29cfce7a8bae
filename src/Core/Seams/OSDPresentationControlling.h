#pragma once

#include "Core/Switching/GridOSDPreviewSession.h"
#include "Model/Seams/OSDPresentationMetricsRecording.h"
#include "Model/Settings/DisplayPresentationSettingsSnapshot.h"
#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"
#include "TessarinCore/TessarinCore.h"
#include "UI/OSD/OSDDismissalBehavior.h"
#include "UI/OSD/OSDGridModel.h"
#include "UI/OSD/OSDGridSpaceContext.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessarin {

// Whether a grid shown after a switch follows the display's OSD switch.
enum class GridOSDInteractionMode : int {
    respectsOSDSetting = 0,
    overridesOSDSetting = 1,
};

// The OSD presentation control, as the switching engine uses it: the grid shown after a switch
// or on a blocked move, the grid model of a display, the preview sessions' grids and the picker.
class OSDPresentationControlling {
public:
    virtual ~OSDPresentationControlling() = default;

    // Shows the grid with `targetIndex` as the active cell; false when nothing was shown.
    virtual bool showOSD(uint32_t targetIndex, std::optional<uint32_t> spaceCount,
                         std::optional<uint32_t> sourceIndex,
                         std::optional<TessarinDirection> direction,
                         const std::optional<std::string>& displayIdentifier,
                         const OSDDismissalBehavior& dismissalBehavior,
                         GridOSDInteractionMode interactionMode,
                         const OSDPresentationMetricsTraceRef& metricsTrace) = 0;
    virtual std::optional<OSDGridModel>
    makeGridOSDModel(int activeIndex, const std::optional<std::string>& displayIdentifier,
                     const std::optional<std::string>& settingsDisplayIdentifier,
                     const std::optional<std::string>& screenshotDisplayIdentifier,
                     const std::optional<DisplaySpaceOrderSnapshot>& displaySnapshot,
                     std::optional<bool> screenshotsEnabled) = 0;
    virtual bool
    shouldCaptureGridSpaceScreenshots(const std::optional<std::string>& displayIdentifier,
                                      bool visibleGridOSDCanCapture,
                                      std::optional<bool> osdEnabled) = 0;
    // Shows a preview session's grid or redraws it in place. False when it stopped early (the
    // model rejects the selection, or the OSD is off for the display outside the picker): the
    // session is then no longer open.
    virtual bool showOrRefreshPreviewSession(
        const GridOSDPreviewSession& session, const DisplayPresentationSettingsSnapshot& settings,
        const OSDDismissalBehavior& dismissalBehavior, std::optional<uint32_t> sourceIndex,
        std::optional<TessarinDirection> direction, bool replaceInteractionContext,
        const OSDPresentationMetricsTraceRef& metricsTrace) = 0;
    virtual void
    refreshVisibleGridOSDIfVisible(const std::optional<std::string>& displayIdentifier) = 0;
    // Rebuilds the grid of the context's display and refreshes a visible grid and picker.
    virtual void
    refreshVisibleGridOSDIfNeeded(const std::optional<OSDGridSpaceContext>& context) = 0;
    virtual void
    showOSDSpacePickerOnAllScreens(const OSDPresentationMetricsTraceRef& metricsTrace) = 0;
    virtual void
    showOSDSpacePickerOnCursorDisplay(const OSDPresentationMetricsTraceRef& metricsTrace) = 0;

    // Shows the built-in sample grid, as a launch option asks; false when there is none to show.
    virtual bool showOSDPreviewFixture() = 0;
};

} // namespace tessarin
