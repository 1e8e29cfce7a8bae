#pragma once

#include "UI/Resources/TessarinResourceBundle.h"

#include <QImage>
#include <optional>

namespace tessarin {

// The program's own status-item picture, "TessarinMenuTemplate.png" from the resources, as a
// 20 × 20 template image: only its alpha counts, the menu bar supplies the colour. The image
// carries the text "template" = "true" so whoever shows it knows to tint it.
namespace MenuBarStaticIcon {

inline constexpr int side = 20;
inline constexpr const char* templateKey = "template";

// Nothing when the resource is missing or does not read as an image.
std::optional<QImage> image(const TessarinResourceBundle::SearchRoots& roots);
std::optional<QImage> image();

} // namespace MenuBarStaticIcon

} // namespace tessarin
