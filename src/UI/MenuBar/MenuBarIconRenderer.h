#pragma once

#include "Model/Settings/PersistentGridOverlayActiveColor.h"
#include "Model/Settings/PersistentGridOverlaySize.h"
#include "UI/MenuBar/MenuBarGridIconLayout.h"
#include "UI/MenuBar/MenuBarGridIconModel.h"

#include <QColor>
#include <QImage>
#include <cstdint>
#include <optional>

class QPainter;

namespace tessarin {

// The fixed colours of the overlay picture.
struct PersistentGridOverlayStyle {
    static QColor backgroundColor() { return QColor(0, 0, 0); }
    static QColor filledCellColor() { return QColor(255, 255, 255); }
};

// Draws the small grid pictures: the status item's template picture and the always-visible
// overlay's coloured one. Pictures are drawn at twice their size in points (the device pixel
// ratio says so), as the displays here are all Retina-class.
namespace MenuBarIconRenderer {

inline constexpr double pixelsPerPoint = 2;

// The 18-point template picture: the active cell is a hole, placeholders are outlined, every
// other cell is filled. None when the cells would be too small.
std::optional<QImage> renderGridIcon(const MenuBarGridIconModel& model);

// A model from bare Space info: 2 or 4 columns as asked, 3 for anything else; no placeholders.
std::optional<MenuBarGridIconModel> makeGridModel(const TessarinSpaceInfo& spaceInfo,
                                                  std::uint32_t gridColumnCount);

// The overlay picture of a size: black rounded background, white cells, the active cell in
// `activeColor` (a placeholder stays an outline even when active). None when too small.
std::optional<QImage>
renderPersistentOverlayIcon(const MenuBarGridIconModel& model,
                            PersistentGridOverlaySize overlaySize,
                            const PersistentGridOverlayActiveColor& activeColor);
std::optional<QImage>
renderPersistentOverlayIcon(const MenuBarGridIconLayout& layout,
                            PersistentGridOverlaySize overlaySize,
                            const PersistentGridOverlayActiveColor& activeColor);

// A placeholder cell of the overlay: a dashed white outline at 38 % inside the cell. The
// painter draws in points with y down on a canvas `canvasSide` high.
void drawPersistentPlaceholder(QPainter& painter, const Rect& cell, double canvasSide,
                               PersistentGridOverlaySize overlaySize);

} // namespace MenuBarIconRenderer

} // namespace tessarin
