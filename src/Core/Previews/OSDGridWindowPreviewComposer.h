#pragma once

#include "Core/Previews/OSDGridRenderableWindowPreview.h"
#include "Support/Geometry.h"

#include <QImage>
#include <optional>
#include <vector>

class QPainter;

namespace tessarin {

// Lays the window captures of one Space into the 320 x 180 picture of a grid cell: the desktop
// picture (or a drawn background) behind, the windows where they sit on the display scaled
// down, or a collage of at most three cards when the display's geometry is unknown. Pure and
// QImage-only, so it may run on a background thread.
//
// Rectangles of the canvas below are in pixels with the origin at the bottom left and y up;
// window bounds and display frames are in the window server's coordinates (y down).
namespace OSDGridWindowPreviewComposer {

inline constexpr int kCanvasWidth = 320;
inline constexpr int kCanvasHeight = 180;
inline constexpr std::size_t kMaximumSpatialWindows = 16;
inline constexpr std::size_t kMaximumCollageWindows = 3;
// Larger bitmaps are refused rather than allocated.
inline constexpr int kMaximumBitmapSide = 16384;

// The composed picture, always 320 x 180; nothing only when not even a fallback canvas can be
// made.
std::optional<QImage> compose(const std::vector<OSDGridRenderableWindowPreview>& windowPreviews,
                              const std::optional<QImage>& backgroundImage,
                              const std::optional<Rect>& displayFrame);

// A transparent bitmap in the canvas format (RGBA, premultiplied); nothing for a size that is
// not finite or whose rounded sides fall outside 1 ... kMaximumBitmapSide.
std::optional<QImage> makeBitmap(Size size);
// Cuts transparent margins off a window capture when one is wider than 2 pixels; the result
// shares the capture's pixels.
QImage normalizedWindowCaptureImage(const QImage& image);

// True when a is painted before b (further back).
bool spatialWindowCapturePrecedence(const OSDGridRenderableWindowPreview& a,
                                    const OSDGridRenderableWindowPreview& b);
// The display frame when the window nearly covers it (a maximised window), else the bounds.
Rect snappedDisplayCoveringBounds(const Rect& bounds, const Rect& displayFrame);
// The display frame scaled into the canvas, centred and made integral.
Rect spatialDrawingRect(const Rect& displayFrame, Size canvasSize);
// Window bounds mapped into the drawing rectangle, made integral.
Rect mappedWindowRect(const Rect& bounds, const Rect& displayFrame, const Rect& drawingRect);
// The card rectangle of one collage window.
Rect windowFrame(Size imageSize, int index, int count, Size canvasSize);
// The smallest integral rectangle holding the rectangle.
Rect integralRect(const Rect& rect);

void drawAspectFill(QPainter& painter, const QImage& image, const Rect& rect);
void drawFallbackBackground(QPainter& painter, const Rect& rect);

} // namespace OSDGridWindowPreviewComposer

} // namespace tessarin
