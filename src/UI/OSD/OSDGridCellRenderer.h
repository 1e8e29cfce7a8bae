#pragma once

#include "Model/Settings/OSDGridAppearanceSettings.h"
#include "Platform/SystemServices.h"
#include "UI/OSD/OSDGridCanvas.h"
#include "UI/OSD/OSDGridCellSlot.h"
#include "UI/OSD/OSDGridLayerCache.h"
#include "UI/OSD/OSDGridModel.h"
#include "UI/OSD/OSDGridPreparedCellPicture.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tessarin {

// Draws whole cells of a model for one pass: the body as the cell's content and cover decide,
// then the ring, the title and the badges. The buttons of an interactive grid are the view's.
class OSDGridCellRenderer {
public:
    struct Pass {
        const OSDGridCanvas& canvas;
        const OSDGridAppearanceSettings& settings;
        Appearance appearance;
        double scaleMultiplier;
        // While the highlight glides it marks the active cell, so the drawing does not.
        bool highlightAnimating;
        // Where finished cell parts are kept between passes; none draws everything afresh.
        OSDGridLayerCache* cache = nullptr;
    };

    explicit OSDGridCellRenderer(Pass pass) : pass_(pass) {}

    const OSDGridCanvas& canvas() const { return pass_.canvas; }
    // The frame the cell was drawn in (grown when emphasised); none for a cell without an
    // appearance, which is skipped.
    std::optional<Rect> drawCell(const OSDGridModel& model, int64_t index, Rect frame) const;
    // A drop slot of a drag: its body alone, never covered or emphasised.
    void drawVirtualDestinationCell(const OSDGridModel& model, int64_t index,
                                    const Rect& frame) const;
    void drawEmptyPlaceholder(const Rect& frame) const;
    bool isEmphasised(const OSDGridModel& model, int64_t index) const;
    // Where this pass drew the body of the cell, in the frame `drawCell` answered.
    OSDGridCellSlot slotOf(const OSDGridModel& model, int64_t index, const Rect& drawnFrame) const;

    // The body of a cell that shows `picture` as its screenshot, drawn for `slot` exactly as a
    // pass would draw it there, keyed as that pass looks it up. None for a cell drawn as an
    // outline or covered, whose body shows no picture, or where pictures are not kept. Any
    // thread: it reads nothing but its arguments.
    static std::optional<OSDGridPreparedCellPicture>
    prepareScreenshotBody(const OSDGridCellSlot& slot, const QImage& picture);

private:
    void drawBody(const OSDGridCellAppearance& appearance, bool obscured, const Rect& frame) const;
    void drawContent(const OSDGridCellAppearance& appearance, const Rect& frame) const;
    void drawScrimAndHairline(OSDGridCellAppearance::Kind kind, const Rect& frame) const;
    void drawBadges(const std::vector<OSDGridAppIconEntry>& badges, const Rect& frame) const;
    // The same pass drawing onto another canvas, without a cache.
    OSDGridCellRenderer withCanvas(const OSDGridCanvas& canvas) const;
    // Through the cache when there is one.
    void drawLayer(OSDGridLayerCache::Key key, const Rect& bounds,
                   const OSDGridLayerCache::Painting& paint) const;

    Pass pass_;
};

} // namespace tessarin
