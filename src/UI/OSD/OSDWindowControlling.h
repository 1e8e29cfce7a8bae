#pragma once

#include "Model/Seams/OSDPresentationMetricsRecording.h"
#include "Model/Settings/DisplayOSDSettings.h"
#include "Model/Settings/OSDGridAppearanceSettings.h"
#include "UI/OSD/OSDDismissalBehavior.h"
#include "UI/OSD/OSDDismissalCallbacks.h"
#include "UI/OSD/OSDDismissalUpdate.h"
#include "UI/OSD/OSDGridCellSlot.h"
#include "UI/OSD/OSDGridInteractionContextUpdate.h"
#include "UI/OSD/OSDGridModel.h"
#include "UI/OSD/OSDGridMouseInteractionContext.h"
#include "UI/OSD/OSDGridPreparedCellPicture.h"
#include "UI/OSD/OSDPresentation.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The single OSD window controller, as the delegate drives it: show, redraw, query and hide
// the grids of the displays.
class OSDWindowControlling {
public:
    virtual ~OSDWindowControlling() = default;

    virtual void show(const OSDPresentation& presentation, const DisplayOSDSettings& settings,
                      bool activeSpaceAnimationEnabled,
                      const OSDGridAppearanceSettings& appearanceSettings,
                      const OSDDismissalBehavior& dismissalBehavior,
                      const std::optional<std::string>& displayIdentifier,
                      const std::optional<OSDGridMouseInteractionContext>& interactionContext,
                      const std::optional<OSDDismissalCallbacks>& dismissalCallbacks,
                      std::function<void()> afterFirstRender,
                      const OSDPresentationMetricsTraceRef& metricsTrace) = 0;
    virtual void
    showAdditionalGrid(const OSDPresentation& presentation, const DisplayOSDSettings& settings,
                       bool activeSpaceAnimationEnabled,
                       const OSDGridAppearanceSettings& appearanceSettings,
                       const std::optional<std::string>& displayIdentifier,
                       const std::optional<OSDGridMouseInteractionContext>& interactionContext,
                       std::function<void()> afterFirstRender,
                       const OSDPresentationMetricsTraceRef& metricsTrace) = 0;
    virtual void refreshVisibleGrid(const OSDGridModel& model,
                                    const std::optional<std::string>& displayIdentifier,
                                    bool activeSpaceAnimationEnabled,
                                    const OSDGridAppearanceSettings& appearanceSettings,
                                    const OSDGridInteractionContextUpdate& interactionContextUpdate,
                                    const std::optional<OSDDismissalUpdate>& dismissalUpdate,
                                    const OSDPresentationMetricsTraceRef& metricsTrace) = 0;
    // Fades every grid out over `duration` seconds.
    virtual void hide(double duration) = 0;
    // Hides every grid window at once, dropping its timer, monitors and callbacks; called before
    // synthetic events are posted, so no grid swallows them.
    virtual void suspendForSyntheticEventPosting() = 0;
    virtual bool isGridVisible(const std::optional<std::string>& displayIdentifier) const = 0;
    virtual std::vector<std::optional<std::string>> visibleGridDisplayIdentifiers() const = 0;
    virtual std::optional<OSDGridModel>
    currentGridModel(const std::optional<std::string>& displayIdentifier) const = 0;
    virtual std::optional<OSDGridMouseInteractionContext> currentGridMouseInteractionContext(
        const std::optional<std::string>& displayIdentifier) const = 0;
    // Where the grid last shown on the display drew the body of cell `index`; none where no
    // grid has drawn it.
    virtual std::optional<OSDGridCellSlot>
    cellSlot(const std::optional<std::string>& /*displayIdentifier*/, int64_t /*index*/) const {
        return std::nullopt;
    }
    // Whether a grid on the display has drawn any cell, so a body could be drawn ahead for it.
    virtual bool hasDrawnCells(const std::optional<std::string>& /*displayIdentifier*/) const {
        return false;
    }
    // Hands that grid a body drawn ahead for the next drawing of cell `index`.
    virtual void offerPreparedCellPicture(const std::optional<std::string>& /*displayIdentifier*/,
                                          int64_t /*index*/,
                                          OSDGridPreparedCellPicture /*picture*/) {}
};

} // namespace tessarin
