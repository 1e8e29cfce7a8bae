#pragma once

#include "Core/Switching/DeferredSpaceSwitchCommitResolution.h"
#include "Core/Switching/GridOSDPreviewDirectionalMoveResult.h"
#include "Core/Switching/GridOSDPreviewSessionMode.h"
#include "Model/Settings/GridWrapStyle.h"
#include "Model/Spaces/DisplaySpaceOrderSnapshot.h"
#include "Model/Spaces/DisplaySpaceSlot.h"
#include "TessarinCore/TessarinCore.h"
#include "UI/OSD/OSDGridModel.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessarin {

// The selection state of an open preview of a display's grid: which cell is selected, and
// which Space that was, so the selection survives a changed Space order and resolves to the
// right system Space on commit. Moves follow the same grid rules as the bridge's switches.
struct GridOSDPreviewSession {
    GridOSDPreviewSessionMode mode;
    std::optional<std::string> placementDisplayIdentifier;
    std::optional<std::string> spaceDisplayIdentifier;
    std::optional<std::string> settingsDisplayIdentifier;
    DisplaySpaceOrderSnapshot displaySnapshot;
    OSDGridModel baseModel;
    // The last four fields describe one slot of `displaySnapshot` and change together.
    int64_t selectedVisualIndex = 0;
    DisplaySpaceSlot selectedSlot{};
    std::optional<SpaceID> selectedSpaceID{};
    std::optional<int64_t> fallbackSystemIndex{};

    // A session with `selectedVisualIndex` selected; nothing when the snapshot has no slot at
    // that index.
    static std::optional<GridOSDPreviewSession>
    make(GridOSDPreviewSessionMode mode, std::optional<std::string> placementDisplayIdentifier,
         std::optional<std::string> spaceDisplayIdentifier,
         std::optional<std::string> settingsDisplayIdentifier,
         DisplaySpaceOrderSnapshot displaySnapshot, OSDGridModel baseModel,
         int64_t selectedVisualIndex);

    int64_t slotCount() const { return static_cast<int64_t>(displaySnapshot.visualSlots.size()); }

    // Moves the selection one step under the display's grid rules; the session itself never
    // blocks or wraps.
    GridOSDPreviewDirectionalMoveResult attemptDirectionalMove(TessarinDirection direction,
                                                               uint32_t columnCount,
                                                               bool blocksAtEdges,
                                                               GridWrapStyle wrapStyle);
    bool move(TessarinDirection direction, uint32_t columnCount, bool blocksAtEdges,
              GridWrapStyle wrapStyle);
    // Selects a visual index; one past the end selects the last slot.
    bool jump(int64_t toVisualIndex);
    // Adopts a fresh snapshot and model, finding the selection again by Space ID, then by slot,
    // then by index.
    bool reconcile(const DisplaySpaceOrderSnapshot& snapshot, const OSDGridModel& model);
    // Where committing the preview switches to. `latestSnapshot` is absent when the display's
    // current order could not be read.
    DeferredSpaceSwitchCommitResolution
    commitResolution(std::optional<SpaceID> currentSpaceID,
                     const std::optional<DisplaySpaceOrderSnapshot>& latestSnapshot) const;

    friend bool operator==(const GridOSDPreviewSession&, const GridOSDPreviewSession&) = default;

private:
    // Precondition: `index` is a slot of `displaySnapshot`.
    void select(int64_t index);
};

} // namespace tessarin
