#pragma once

#include "Platform/WindowServerTypes.h"

#include <QColor>
#include <QImage>
#include <cstdint>
#include <string>

namespace tessarin {

// How the simulated applications look: every window is filled with one colour made from its
// number, owner, title and redraw count, so a test tells windows apart by their pixels. Icons and
// desktop pictures are drawn from one colour each (`ApplicationIconDrawing`,
// `DesktopPictureDrawing`).
namespace CaptureContent {

QColor windowColor(WindowID number, const std::string& owner, const std::string& title,
                   uint32_t revision = 0);
// An opaque colour from a number (applications' icons, screens' pictures by default).
QColor colorFromSeed(uint64_t seed);
QColor colorFromRGB(uint32_t rgb);
// The one pixel format images of the simulated system come in and are compared in.
inline constexpr QImage::Format imageFormat = QImage::Format_ARGB32_Premultiplied;

} // namespace CaptureContent

} // namespace tessarin
