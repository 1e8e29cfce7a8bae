// Cell pictures made where the pictures are made: when a preview or screenshot is stored for a
// cell that the grid of its display has drawn before, the cell's body is drawn with it on the
// preview executor and handed to that grid, whose next drawing then only places it.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Previews/OSDGridScreenshotController.h"
#include "Support/BackgroundWork.h"
#include "UI/OSD/OSDGridCellRenderer.h"

namespace tessarin {

void AppDelegate::prepareStoredPreviewCell(const OSDGridSpaceContext& context) {
    const auto& previews = gridWindowSpaceController->previewCacheByDisplayIdentifier();
    const auto display = previews.find(context.displayIdentifier);
    if (display == previews.end()) {
        return;
    }
    if (const auto entry = display->second.entries.find(context.spaceID);
        entry != display->second.entries.end()) {
        prepareCellPicture(context, entry->second.screenshot.image);
    }
}

void AppDelegate::prepareStoredScreenshotCell(const OSDGridSpaceContext& context) {
    if (const auto entry =
            gridScreenshotController->entry(context.displayIdentifier, context.spaceID)) {
        prepareCellPicture(context, entry->image);
    }
}

void AppDelegate::prepareCellPicture(const OSDGridSpaceContext& context, const QImage& picture) {
    const std::optional<std::string> display = context.displayIdentifier;
    const auto slot = osdWindow_->cellSlot(display, context.index);
    if (!slot || picture.isNull()) {
        return;
    }
    std::function<std::optional<OSDGridPreparedCellPicture>()> draw = [slot = *slot, picture] {
        return OSDGridCellRenderer::prepareScreenshotBody(slot, picture);
    };
    std::function<void(std::optional<OSDGridPreparedCellPicture>)> offer =
        [weakSelf = std::weak_ptr<AppDelegate*>(self_), display,
         index = context.index](std::optional<OSDGridPreparedCellPicture> body) {
            const auto self = weakSelf.lock();
            if (self && body) {
                (*self)->osdWindow_->offerPreparedCellPicture(display, index, std::move(*body));
            }
        };
    previewWork->run(std::move(draw), std::move(offer));
}

} // namespace tessarin
