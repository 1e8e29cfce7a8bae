#pragma once

#include "Model/Settings/OSDGridAppearanceSettings.h"
#include "Platform/SystemServices.h"
#include "Support/Geometry.h"
#include "UI/OSD/OSDGridCanvas.h"
#include "UI/OSD/OSDGridCellAppearance.h"
#include "UI/OSD/OSDGridCellTitleStyle.h"

#include <QColor>
#include <QImage>
#include <optional>
#include <string>

namespace tessarin {

// The pieces a grid cell is painted from. Each draws into the canvas and keeps the painter's
// state as it found it; `kind` only chooses the rounding of the cell.
namespace OSDGridCellPainter {

using Kind = std::optional<OSDGridCellAppearance::Kind>;

// The image fills the rounded cell; icons are drawn a quarter larger, so their own margins
// fall outside the cell.
void drawImage(const OSDGridCanvas& canvas, const QImage& image, const Rect& frame, Kind kind);
void drawRoundedFill(const OSDGridCanvas& canvas, const Rect& frame, Kind kind, QColor color);
// A slot with no Space yet: a faint fill, diagonal stripes and a dashed border.
void drawEmptyPlaceholder(const OSDGridCanvas& canvas, const Rect& frame, Kind kind,
                          Appearance appearance);
// Only the dashed border of the empty placeholder.
void drawVirtualDestination(const OSDGridCanvas& canvas, const Rect& frame, Kind kind,
                            Appearance appearance);
// The cover of a Space whose content must not be shown.
void drawObscuredFill(const OSDGridCanvas& canvas, const Rect& frame, Kind kind);
// Darkens the lower part of the cell so the title reads over any picture.
void drawLowerScrim(const OSDGridCanvas& canvas, const Rect& frame, Kind kind, int previewTint);
void drawCellInnerStroke(const OSDGridCanvas& canvas, const Rect& frame, Kind kind);
// The ring of the active cell, with its glow when the settings ask for one.
void drawActiveEmphasis(const OSDGridCanvas& canvas, const Rect& frame, Kind kind,
                        const OSDGridAppearanceSettings& settings);
// The title along the bottom, stopping short of the badges when there are any.
void drawTitle(const OSDGridCanvas& canvas, const std::string& title, const Rect& frame,
               int64_t badgeCount, const OSDGridCellTitleAttributes& attributes);
// The rectangle a title is set in; exposed because its width decides what shows.
Rect titleFrame(const Rect& frame, int64_t badgeCount, double pointSize);
// Both buttons are drawn in the square their hit test uses.
void drawAddSpaceControl(const OSDGridCanvas& canvas, const Rect& buttonFrame);
void drawRemoveSpaceControl(const OSDGridCanvas& canvas, const Rect& buttonFrame);

} // namespace OSDGridCellPainter

} // namespace tessarin
