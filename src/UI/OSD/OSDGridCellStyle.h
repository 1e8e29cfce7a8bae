#pragma once

#include "Platform/SystemServices.h"
#include "Support/Geometry.h"
#include "UI/OSD/OSDGridCanvas.h"
#include "UI/OSD/OSDGridCellAppearance.h"

#include <QColor>
#include <QImage>
#include <cstdint>
#include <optional>
#include <vector>

namespace tessarin {

// Colours of cell bodies and of the active-cell highlight, the rounding of cells, and the stack
// of app-icon badges in a cell's bottom-right corner. The label-based colours follow the
// appearance the grid is drawn in: dark on light, light on dark.
namespace OSDGridCellStyle {

QColor labelColor(Appearance appearance);

QColor placeholderFillColor();
// One colour with the placeholder fill, so a filled active cell never stands out by tone.
QColor activeFillColor();
QColor emptyPlaceholderFillColor(Appearance appearance);
QColor emptyPlaceholderStripeColor(Appearance appearance);
QColor emptyPlaceholderBorderColor(Appearance appearance);
QColor activeTintColor(Appearance appearance);
QColor strokeColor(Appearance appearance);
QColor screenshotBadgeBackgroundColor();
QColor screenshotBadgeStrokeColor();

// Rounding of a cell drawn in `frame`: screenshots are rounded a little less than the rest,
// always within 8 ... 12 points.
double cornerRadius(const Rect& frame, std::optional<OSDGridCellAppearance::Kind> kind);

// `size` scaled to fill `rect` and centred on it; `rect` itself when either is empty.
Rect iconFrame(Size size, const Rect& rect);

// Up to three overlapping squares in the cell's bottom-right corner, ordered left to right.
std::vector<Rect> screenshotBadgeStackFrames(const Rect& cellFrame, int64_t count);

void drawScreenshotBadge(const QImage& image, const Rect& badgeFrame, const OSDGridCanvas& canvas);
// The first image ends up leftmost and on top; images past the third are left out.
void drawScreenshotBadgeStack(const std::vector<QImage>& images, const Rect& cellFrame,
                              const OSDGridCanvas& canvas);

} // namespace OSDGridCellStyle

} // namespace tessarin
