#pragma once

#include "Core/Seams/OSDPresentationMetricsRecording.h"
#include "Core/Settings/DisplayPresentationSettingsSnapshot.h"
#include "Core/SpaceModel/DisplaySpaceOrderSnapshot.h"
#include "Core/Switching/GridOSDPreviewSession.h"
#include "TessarinCore/TessarinCore.h"
#include "UI/OSD/OSDDismissalBehavior.h"
#include "UI/OSD/OSDGridKeyboardSelectionDirection.h"
#include "UI/OSD/OSDGridModel.h"
#include "UI/OSD/OSDGridSpaceContext.h"
#include "UI/Settings/OSDGridRearrangementBehavior.h"

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
    // The default bodies of this block and the next stand in until the delegate's picker,
    // refresh, selection and editing operations implement them; they do nothing.
    virtual bool showOrRefreshPreviewSession(const GridOSDPreviewSession&,
                                             const DisplayPresentationSettingsSnapshot&,
                                             const OSDDismissalBehavior&, std::optional<uint32_t>,
                                             std::optional<TessarinDirection>, bool,
                                             const OSDPresentationMetricsTraceRef&) {
        return false;
    }
    virtual void refreshVisibleGridOSDIfVisible(const std::optional<std::string>&) {}
    // Rebuilds the grid of the context's display and refreshes a visible grid and picker.
    virtual void refreshVisibleGridOSDIfNeeded(const std::optional<OSDGridSpaceContext>&) {}
    virtual void showOSDSpacePickerOnAllScreens(const OSDPresentationMetricsTraceRef&) {}
    virtual void showOSDSpacePickerOnCursorDisplay(const OSDPresentationMetricsTraceRef&) {}

    // What a shown grid's clicks, keys and Space controls call.
    virtual void performMouseSelection(uint32_t, const OSDDismissalBehavior&) {}
    virtual void performOSDPickerSelection(uint32_t) {}
    virtual void performOSDPickerMouseSelection(uint32_t, const std::optional<std::string>&) {}
    virtual void performTrackpadAfterTapSelection(uint32_t) {}
    virtual bool performOSDPickerKeyboardMove(OSDGridKeyboardSelectionDirection) { return false; }
    virtual bool performTrackpadAfterTapKeyboardMove(OSDGridKeyboardSelectionDirection) {
        return false;
    }
    virtual void performOSDPickerReorder(int64_t, int64_t, const std::optional<std::string>&,
                                         OSDGridRearrangementBehavior) {}
    // The stored layout after the move; none when nothing was stored.
    virtual std::optional<DisplaySpaceOrderSnapshot>
    persistVisualReorder(int64_t, int64_t, const std::optional<std::string>&,
                         OSDGridRearrangementBehavior) {
        return std::nullopt;
    }
    virtual void performOSDRemoveSpace(int64_t, const std::optional<std::string>&) {}
    virtual void performOSDAddSpaceAtPlaceholder(int64_t, const std::optional<std::string>&) {}
    virtual void performOSDAddSpaceAtTail(const std::optional<std::string>&) {}
    virtual void performOSDOpenMissionControl() {}
};

} // namespace tessarin
