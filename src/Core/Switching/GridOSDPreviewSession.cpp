#include "Core/Switching/GridOSDPreviewSession.h"

#include "TessarinCore/GridTargetResolver.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace tessarin {

namespace {

bool fitsResolver(int64_t value) {
    return value >= 0 && value <= std::numeric_limits<uint32_t>::max();
}

std::optional<int64_t> systemIndexOf(SpaceID spaceID, const DisplaySpaceOrderSnapshot& snapshot) {
    const auto found = snapshot.stableSpaceIDToSystemIndex.find(spaceID);
    if (found == snapshot.stableSpaceIDToSystemIndex.end() || found->second < 0) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace

std::optional<GridOSDPreviewSession> GridOSDPreviewSession::make(
    GridOSDPreviewSessionMode mode, std::optional<std::string> placementDisplayIdentifier,
    std::optional<std::string> spaceDisplayIdentifier,
    std::optional<std::string> settingsDisplayIdentifier, DisplaySpaceOrderSnapshot displaySnapshot,
    OSDGridModel baseModel, int64_t selectedVisualIndex) {
    if (selectedVisualIndex < 0 ||
        selectedVisualIndex >= static_cast<int64_t>(displaySnapshot.visualSlots.size())) {
        return std::nullopt;
    }
    GridOSDPreviewSession session{mode,
                                  std::move(placementDisplayIdentifier),
                                  std::move(spaceDisplayIdentifier),
                                  std::move(settingsDisplayIdentifier),
                                  std::move(displaySnapshot),
                                  std::move(baseModel)};
    session.select(selectedVisualIndex);
    return session;
}

void GridOSDPreviewSession::select(int64_t index) {
    const auto position = static_cast<std::size_t>(index);
    selectedVisualIndex = index;
    selectedSlot = displaySnapshot.visualSlots[position];
    selectedSpaceID = displaySnapshot.spaceID(static_cast<int>(index));
    const auto& systemIndices = displaySnapshot.visualToSystemIndices;
    if (position < systemIndices.size() && systemIndices[position] >= 0) {
        fallbackSystemIndex = systemIndices[position];
    } else {
        fallbackSystemIndex.reset();
    }
}

GridOSDPreviewDirectionalMoveResult
GridOSDPreviewSession::attemptDirectionalMove(TessarinDirection direction, uint32_t columnCount,
                                              bool blocksAtEdges, GridWrapStyle wrapStyle) {
    const int64_t count = slotCount();
    const auto gridDirection = gridMoveDirectionFromRawValue(direction);
    if (selectedVisualIndex < 0 || selectedVisualIndex >= count || !fitsResolver(count) ||
        !gridDirection) {
        return GridOSDPreviewDirectionalMoveResult::unchanged();
    }
    const auto target =
        resolveGridTargetIndex({.currentIndex = static_cast<uint32_t>(selectedVisualIndex),
                                .count = static_cast<uint32_t>(count),
                                .direction = *gridDirection,
                                .gridMode = true,
                                .columns = columnCount,
                                .blocksAtEdges = blocksAtEdges,
                                .pacMan = wrapStyle == GridWrapStyle::pacMan});
    if (!target || static_cast<int64_t>(*target) >= count) {
        return GridOSDPreviewDirectionalMoveResult::unchanged();
    }
    const int64_t previous = selectedVisualIndex;
    select(static_cast<int64_t>(*target));
    return GridOSDPreviewDirectionalMoveResult::moved(previous);
}

bool GridOSDPreviewSession::move(TessarinDirection direction, uint32_t columnCount,
                                 bool blocksAtEdges, GridWrapStyle wrapStyle) {
    return attemptDirectionalMove(direction, columnCount, blocksAtEdges, wrapStyle).isMoved();
}

bool GridOSDPreviewSession::jump(int64_t toVisualIndex) {
    const int64_t count = slotCount();
    if (toVisualIndex < 0 || count == 0) {
        return false;
    }
    select(std::min(toVisualIndex, count - 1));
    return true;
}

bool GridOSDPreviewSession::reconcile(const DisplaySpaceOrderSnapshot& snapshot,
                                      const OSDGridModel& model) {
    const auto count = static_cast<int64_t>(snapshot.visualSlots.size());
    if (model.spaceCount() != count) {
        return false;
    }
    std::optional<int64_t> index;
    if (selectedSpaceID) {
        if (const auto found = snapshot.stableSpaceIDToVisualIndex.find(*selectedSpaceID);
            found != snapshot.stableSpaceIDToVisualIndex.end()) {
            index = found->second;
        }
    }
    if (!index) {
        const auto sameSlot =
            std::find(snapshot.visualSlots.begin(), snapshot.visualSlots.end(), selectedSlot);
        if (sameSlot != snapshot.visualSlots.end()) {
            index = sameSlot - snapshot.visualSlots.begin();
        }
    }
    if (!index) {
        index = selectedVisualIndex < count ? selectedVisualIndex : snapshot.activeVisualIndex;
    }
    if (*index < 0 || *index >= count) {
        return false;
    }
    displaySnapshot = snapshot;
    baseModel = model;
    select(*index);
    return true;
}

DeferredSpaceSwitchCommitResolution GridOSDPreviewSession::commitResolution(
    std::optional<SpaceID> currentSpaceID,
    const std::optional<DisplaySpaceOrderSnapshot>& latestSnapshot) const {
    if (!selectedSpaceID) {
        return DeferredSpaceSwitchCommitResolution::noTarget();
    }
    if (currentSpaceID == selectedSpaceID) {
        return DeferredSpaceSwitchCommitResolution::alreadyCurrent();
    }
    if (!latestSnapshot) {
        // The current order could not be read: the index remembered at selection time is the
        // best guess left.
        if (fallbackSystemIndex) {
            return DeferredSpaceSwitchCommitResolution::switchToSystemIndex(*fallbackSystemIndex);
        }
        return DeferredSpaceSwitchCommitResolution::noTarget();
    }
    if (const auto systemIndex = systemIndexOf(*selectedSpaceID, *latestSnapshot)) {
        return DeferredSpaceSwitchCommitResolution::switchToSystemIndex(*systemIndex);
    }
    // A Space the window server renumbered is still the same Space.
    if (const auto replacement = latestSnapshot->spaceIDReplacements.find(*selectedSpaceID);
        replacement != latestSnapshot->spaceIDReplacements.end()) {
        if (currentSpaceID == replacement->second) {
            return DeferredSpaceSwitchCommitResolution::alreadyCurrent();
        }
        if (const auto systemIndex = systemIndexOf(replacement->second, *latestSnapshot)) {
            return DeferredSpaceSwitchCommitResolution::switchToSystemIndex(*systemIndex);
        }
    }
    // The selected Space is gone: whatever Space now sits at the remembered index is not the
    // one the user chose.
    return DeferredSpaceSwitchCommitResolution::noTarget();
}

} // namespace tessarin
