// Cell pictures made where the pictures are made: when a preview or screenshot is stored for a
// cell that the grid of its display has drawn before, the cell's body is drawn with it on the
// preview executor and handed to that grid, whose next drawing then only places it.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Previews/OSDGridScreenshotController.h"
#include "Support/BackgroundWork.h"
#include "UI/OSD/OSDGridCellRenderer.h"

namespace tessarin {

void AppDelegate::prepareStoredPreviewCell(const OSDGridSpaceContext& context,
                                           const std::string& spaceDisplayIdentifier) {
    const auto& previews = gridWindowSpaceController->previewCacheByDisplayIdentifier();
    const auto display = previews.find(context.displayIdentifier);
    if (display == previews.end()) {
        return;
    }
    if (const auto entry = display->second.entries.find(context.spaceID);
        entry != display->second.entries.end()) {
        prepareCellPicture(context, spaceDisplayIdentifier, entry->second.screenshot.image);
    }
}

void AppDelegate::prepareStoredScreenshotCell(const OSDGridSpaceContext& context) {
    const auto spaceDisplay = spaceDisplayIdentifier(context.displayIdentifier);
    if (const auto entry =
            gridScreenshotController->entry(context.displayIdentifier, context.spaceID);
        entry && spaceDisplay) {
        prepareCellPicture(context, *spaceDisplay, entry->image);
    }
}

std::optional<int64_t> AppDelegate::gridCellOfSpace(const std::string& spaceDisplayIdentifier,
                                                    SpaceID spaceID) {
    // A context's index is the system's, or the layout's when the capture was asked for: the
    // cell is where the grid shows the Space now.
    const auto resolved = resolveDisplaySpaceOrderSnapshotWithDescriptors(spaceDisplayIdentifier);
    if (!resolved) {
        return std::nullopt;
    }
    const auto& cells = resolved->displaySnapshot.stableSpaceIDToVisualIndex;
    const auto cell = cells.find(spaceID);
    return cell == cells.end() ? std::nullopt : std::optional<int64_t>(cell->second);
}

void AppDelegate::prepareCellPicture(const OSDGridSpaceContext& context,
                                     const std::string& spaceDisplayIdentifier,
                                     const QImage& picture) {
    const std::optional<std::string> display = context.displayIdentifier;
    // Finding the cell reads the layout: only for a grid that could take the body.
    if (picture.isNull() || !osdWindow_->hasDrawnCells(display)) {
        return;
    }
    const auto cell = gridCellOfSpace(spaceDisplayIdentifier, context.spaceID);
    const auto slot = cell ? osdWindow_->cellSlot(display, *cell) : std::nullopt;
    if (!slot) {
        return;
    }
    std::function<std::optional<OSDGridPreparedCellPicture>()> draw = [slot = *slot, picture] {
        return OSDGridCellRenderer::prepareScreenshotBody(slot, picture);
    };
    std::function<void(std::optional<OSDGridPreparedCellPicture>)> offer =
        [weakSelf = std::weak_ptr<AppDelegate*>(self_), display,
         index = *cell](std::optional<OSDGridPreparedCellPicture> body) {
            const auto self = weakSelf.lock();
            if (self && body) {
                (*self)->osdWindow_->offerPreparedCellPicture(display, index, std::move(*body));
            }
        };
    previewWork->run(std::move(draw), std::move(offer));
}

} // namespace tessarin
